// Drives a running Movaro window from another process:
//   movaro_remote status      prints the status line (GBK bytes)
//   movaro_remote key VK      presses a key (decimal virtual-key code) on the
//                             control that has the keyboard focus
// Waits up to 20 s for the window; exit code 1 when it never appears.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/tools/status_line_reader.h"

namespace {

HWND WaitForMainWindow() {
  for (int tries = 0; tries < 200; ++tries) {
    if (const HWND window = ::FindWindowA("MovaroMainWindow", nullptr)) {
      return window;
    }
    ::Sleep(100);
  }
  return nullptr;
}

int PrintStatusLine(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  const HANDLE process =
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (process == nullptr) {
    return 1;
  }
  const std::string text = movaro::testing::ReadStatusLine(process, window);
  ::CloseHandle(process);
  std::printf("%s\n", text.c_str());
  return 0;
}

int PressKey(HWND window, WPARAM key) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
  const HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : window;
  ::PostMessageA(target, WM_KEYDOWN, key, 1);
  ::PostMessageA(target, WM_KEYUP, key, 1 | (3u << 30));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const HWND window = WaitForMainWindow();
  if (window == nullptr || argc < 2) {
    return 1;
  }
  if (std::strcmp(argv[1], "status") == 0) {
    return PrintStatusLine(window);
  }
  if (std::strcmp(argv[1], "key") == 0 && argc > 2) {
    return PressKey(window, static_cast<WPARAM>(std::atoi(argv[2])));
  }
  return 1;
}
