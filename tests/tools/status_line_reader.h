// Reads the status line of a Movaro window that runs in another process.
#pragma once

#include <windows.h>

#include <string>

namespace movaro::testing {

// Part 1 of the window's status bar, as GBK bytes. `process` is the window's
// process, opened at least for VM operation, reading and writing.
std::string ReadStatusLine(HANDLE process, HWND window);

}  // namespace movaro::testing
