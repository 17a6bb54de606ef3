// The panel's tooltips: which controls have one, their texts in Japanese and English
// (panel/tooltip_table.inc), and which language the user reads.
#pragma once

#include "panel/layout.h"

enum class TipLanguage { kJapanese, kEnglish };

// Japanese when the user interface speaks Japanese (the primary language of the
// Windows language ID uiLanguage, GetUserDefaultUILanguage), English for every other.
TipLanguage TipLanguageFor(unsigned uiLanguage);

// Every control that acts or shows a value, and can be seen, has a tip: buttons,
// radios and value fields. Frames and labels explain nothing by themselves.
constexpr bool HasTooltip(const ControlSpec& control) {
  return (IsButton(control.kind) || IsValueField(control.kind)) && (control.flags & kHidden) == 0;
}

// The tip of the control with ID id, UTF-8, at most two lines separated by '\n'; null
// for a control without one.
const char* TooltipText(int id, TipLanguage language);
