// The panel's tooltips against the layout table: every control that acts or shows a
// value has a tip in both languages, short and in the guide's words; nothing else has
// one.
#include "panel/tooltips.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "panel/control_ids.h"

namespace {

constexpr TipLanguage kLanguages[] = {TipLanguage::kJapanese, TipLanguage::kEnglish};

// A control's tip, empty where it has none (the first test names those).
std::string Tip(const ControlSpec& control, TipLanguage language) {
  const char* text = TooltipText(control.id, language);
  return text != nullptr ? text : "";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Columns on screen, roughly: a character outside ASCII is as wide as two.
int Columns(const std::string& line) {
  int columns = 0;
  for (unsigned char byte : line) {
    if (byte < 0x80)
      columns += 1;
    else if (byte >= 0xC0)
      columns += 2;
  }
  return columns;
}

// Hiragana or katakana (U+3040 to U+30FF): E3 81 xx, E3 82 xx or E3 83 xx in UTF-8.
bool HasKana(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0xE3 && next >= 0x81 && next <= 0x83) return true;
  }
  return false;
}

TEST(Tooltips, EveryControlThatActsOrShowsAValueHasATipInBothLanguages) {
  int tips = 0;
  for (const ControlSpec& control : kPanelControls) {
    SCOPED_TRACE(std::string("control ") + (control.name[0] ? control.name : control.label));
    const bool acts = IsButton(control.kind) || IsValueField(control.kind);
    const bool seen = (control.flags & kHidden) == 0;
    EXPECT_EQ(HasTooltip(control), acts && seen);
    for (TipLanguage language : kLanguages) {
      const char* text = TooltipText(control.id, language);
      if (!HasTooltip(control)) {
        // Frames and unnamed labels share one ID, which no tip may claim.
        EXPECT_EQ(text, nullptr);
        continue;
      }
      ASSERT_NE(text, nullptr) << "a control without a tip in tooltip_table.inc";
      EXPECT_NE(text[0], '\0');
    }
    tips += HasTooltip(control);
  }
  EXPECT_EQ(tips, 52);  // 71 controls less 18 frames and labels and the hidden RearView
  EXPECT_EQ(TooltipText(ctl::kRearView, TipLanguage::kEnglish), nullptr);
}

TEST(Tooltips, EachTipIsOneOrTwoShortLines) {
  for (const ControlSpec& control : kPanelControls) {
    if (!HasTooltip(control)) continue;
    for (TipLanguage language : kLanguages) {
      const std::string text = Tip(control, language);
      SCOPED_TRACE(std::string(control.name) + ": " + text);
      const std::vector<std::string> lines = Lines(text);
      EXPECT_GE(lines.size(), 1u);
      EXPECT_LE(lines.size(), 2u);
      for (const std::string& line : lines) {
        EXPECT_FALSE(line.empty());
        EXPECT_LE(Columns(line), 52);
      }
    }
  }
}

TEST(Tooltips, JapaneseTipsAreJapaneseAndEnglishTipsEnglish) {
  for (const ControlSpec& control : kPanelControls) {
    if (!HasTooltip(control)) continue;
    const std::string japanese = Tip(control, TipLanguage::kJapanese);
    const std::string english = Tip(control, TipLanguage::kEnglish);
    SCOPED_TRACE(control.name);
    // Written as the guide is, in the polite form.
    EXPECT_NE(japanese.find("ます"), std::string::npos) << japanese;
    // English quotes the panel's labels (相対, 絶対, 移動, ①) but no Japanese words.
    EXPECT_FALSE(HasKana(english)) << english;
    EXPECT_NE(english.find_first_of("abcdefghijklmnopqrstuvwxyz"), std::string::npos);
  }
}

TEST(Tooltips, AValueFieldsTipSaysItShowsThreeDecimals) {
  for (const ControlSpec& control : kPanelControls) {
    if (!IsValueField(control.kind)) continue;
    SCOPED_TRACE(control.name);
    EXPECT_NE(Tip(control, TipLanguage::kJapanese).find("小数点以下 3 桁"), std::string::npos);
    EXPECT_NE(Tip(control, TipLanguage::kEnglish).find("three decimals"), std::string::npos);
  }
}

TEST(Tooltips, JapaneseForAJapaneseUserInterfaceEnglishForAnyOther) {
  EXPECT_EQ(TipLanguageFor(0x0411), TipLanguage::kJapanese);  // ja-JP
  EXPECT_EQ(TipLanguageFor(0x0011), TipLanguage::kJapanese);  // Japanese, no country
  EXPECT_EQ(TipLanguageFor(0x0409), TipLanguage::kEnglish);   // en-US
  EXPECT_EQ(TipLanguageFor(0x0809), TipLanguage::kEnglish);   // en-GB
  EXPECT_EQ(TipLanguageFor(0x0804), TipLanguage::kEnglish);   // zh-CN
  EXPECT_EQ(TipLanguageFor(0x0412), TipLanguage::kEnglish);   // ko-KR
  EXPECT_EQ(TipLanguageFor(0x0000), TipLanguage::kEnglish);   // neutral
  EXPECT_EQ(TipLanguageFor(0x0811), TipLanguage::kJapanese);  // a sublanguage of Japanese
}

}  // namespace
