// Control IDs of the panel by the name of what they hold or do.
#pragma once

namespace ctl {
// Mode radios.
constexpr int kGlobal = 1013;
constexpr int kLocal = 1014;
constexpr int kRelative = 57690;  // "相対"
constexpr int kAbsolute = 57691;  // "絶対"

// Value fields, X, Y and Z rows.
constexpr int kMoveX = 1005, kMoveY = 1006, kMoveZ = 1007;
constexpr int kRotateX = 57686, kRotateY = 57687, kRotateZ = 57688;
constexpr int kCentreX = 57701, kCentreY = 57702, kCentreZ = 57703;
constexpr int kMaxX = 57704, kMaxY = 57705, kMaxZ = 57706;
constexpr int kMinX = 57707, kMinY = 57708, kMinZ = 57709;
constexpr int kStoredX = 1019, kStoredY = 57719, kStoredZ = 57720;
constexpr int kTotalLength = 1015;

// Buttons.
constexpr int kMove = 1008;  // the default button
constexpr int kRotate = 1011;
constexpr int kClearMove = 57721;
constexpr int kClearRotation = 57722;
constexpr int kCopy = 1016;
constexpr int kPasteX = 1004, kPasteY = 57725, kPasteZ = 57727;
constexpr int kPasteXY = 57714, kPasteXZ = 57716, kPasteYZ = 57718, kPasteXYZ = 57712;
constexpr int kAlignCentreX = 57744, kAlignCentreY = 57745, kAlignCentreZ = 57746;
constexpr int kAlignMaxX = 57747, kAlignMaxY = 57748, kAlignMaxZ = 57749;
constexpr int kAlignMinX = 57750, kAlignMinY = 57751, kAlignMinZ = 57752;
constexpr int kAlignStoredX = 57753, kAlignStoredY = 57754, kAlignStoredZ = 57755;
constexpr int kSetLocalFrame = 57683;
constexpr int kStoreFrame1 = 57685, kLoadFrame1 = 57684;
constexpr int kStoreFrame2 = 1009, kLoadFrame2 = 57723;
constexpr int kRearView = 1010;  // never visible

// Commands without a control: the platform's OK and Cancel (the close box).
constexpr int kHideCommand = 1;
constexpr int kCloseCommand = 2;

// The seven paste buttons in the order the panel keeps and toggles them.
inline constexpr int kPasteButtons[7] = {kPasteXYZ, kPasteXY, kPasteXZ, kPasteYZ,
                                         kPasteX,   kPasteY,  kPasteZ};
}  // namespace ctl
