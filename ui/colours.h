// Colours of the window definition as GDI colours.
#pragma once

#include <windows.h>

#include "ui/window_definition.h"

namespace movaro {

// Resolves kButtonFace to the system's colour at the moment of the call.
inline COLORREF ToColorRef(Colour colour) {
  return colour == kButtonFace ? ::GetSysColor(COLOR_BTNFACE) : static_cast<COLORREF>(colour);
}

}  // namespace movaro
