// The font of every visible control.
#pragma once

#include <windows.h>

#include "ui/gdi.h"

namespace movaro {

// "微软雅黑", 12 pixels high, GB2312 character set.
LOGFONTA FormFontDescription();

// Each control makes its own copy; null when the system cannot make it, in
// which case callers use the stock DEFAULT_GUI_FONT.
UniqueFont CreateFormFont();

// The font to select or set: `font` when it exists, the stock font otherwise.
HFONT FontOrDefault(const UniqueFont& font);

}  // namespace movaro
