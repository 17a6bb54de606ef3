#include "panel/tooltips.h"

#include "panel/control_ids.h"

namespace {

struct Tooltip {
  int id;
  const char* japanese;
  const char* english;
};

// The rows of panel/tooltip_table.inc; a name that the layout table does not know
// fails to compile.
constexpr Tooltip kTooltips[] = {
#define TOOLTIP(name, japanese, english) {ctl::k##name, japanese, english},
#include "panel/tooltip_table.inc"
};

constexpr unsigned kPrimaryLanguageMask = 0x3FF;  // the low 10 bits of a language ID
constexpr unsigned kJapanese = 0x11;              // LANG_JAPANESE

}  // namespace

TipLanguage TipLanguageFor(unsigned uiLanguage) {
  return (uiLanguage & kPrimaryLanguageMask) == kJapanese ? TipLanguage::kJapanese
                                                          : TipLanguage::kEnglish;
}

const char* TooltipText(int id, TipLanguage language) {
  for (const Tooltip& tip : kTooltips) {
    if (tip.id == id) return language == TipLanguage::kJapanese ? tip.japanese : tip.english;
  }
  return nullptr;
}
