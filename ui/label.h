// A one-line label drawn by the program, centred in its client area. Its
// text is its window text, so screen readers and tests can read it.
#pragma once

#include <windows.h>

#include "ui/window_definition.h"

namespace movaro {

bool RegisterLabelClass(HINSTANCE instance);

HWND CreateLabel(HWND parent, const ControlDefinition& definition, HINSTANCE instance);

}  // namespace movaro
