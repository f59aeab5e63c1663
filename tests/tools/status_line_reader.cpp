#include "tests/tools/status_line_reader.h"

#include <commctrl.h>

#include <vector>

namespace movaro::testing {

std::string ReadStatusLine(HANDLE process, HWND window) {
  constexpr int kStatusBarId = 369176110;
  // The text has to land in the window's own process. Wine counts the length
  // in characters, not bytes, so the buffer is generous.
  constexpr SIZE_T kBufferSize = 4096;
  const HWND bar = ::GetDlgItem(window, kStatusBarId);
  void* remote = ::VirtualAllocEx(process, nullptr, kBufferSize, MEM_COMMIT, PAGE_READWRITE);
  if (bar == nullptr || remote == nullptr) {
    return {};
  }
  ::SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(remote));
  std::vector<char> text(kBufferSize, '\0');
  ::ReadProcessMemory(process, remote, text.data(), kBufferSize - 1, nullptr);
  ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return text.data();
}

}  // namespace movaro::testing
