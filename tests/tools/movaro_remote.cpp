// Drives a running Movaro window from another process:
//   movaro_remote status      prints the status line (GBK bytes)
//   movaro_remote key VK      presses a key (decimal virtual-key code) on the
//                             control that has the keyboard focus
// Waits up to 20 s for the window; exit code 1 when it never appears.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
  const HWND bar = ::GetDlgItem(window, 369176110);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(bar, &processId);
  const HANDLE process =
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (bar == nullptr || process == nullptr) {
    return 1;
  }
  // The text has to land in the window's own process. Wine counts the
  // length in characters, not bytes, so the buffer is generous.
  constexpr SIZE_T kBufferSize = 4096;
  void* remote = ::VirtualAllocEx(process, nullptr, kBufferSize, MEM_COMMIT, PAGE_READWRITE);
  ::SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(remote));
  char text[kBufferSize] = {};
  ::ReadProcessMemory(process, remote, text, kBufferSize - 1, nullptr);
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  ::CloseHandle(process);
  std::printf("%s\n", text);
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
