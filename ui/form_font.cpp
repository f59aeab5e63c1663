#include "ui/form_font.h"

#include <cstring>

namespace movaro {

LOGFONTA FormFontDescription() {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = GB2312_CHARSET;
  font.lfOutPrecision = OUT_STROKE_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(font.lfFaceName, "微软雅黑");
  return font;
}

UniqueFont CreateFormFont() {
  const LOGFONTA description = FormFontDescription();
  return UniqueFont(::CreateFontIndirectA(&description));
}

HFONT FontOrDefault(const UniqueFont& font) {
  return font ? font.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace movaro
