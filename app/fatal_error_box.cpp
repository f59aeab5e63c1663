#include "app/fatal_error_box.h"

#include <windows.h>

namespace movaro {

void ShowFatalErrorBox(const Text& message) {
  ::MessageBoxA(nullptr, message.c_str(), "Movaro", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace movaro
