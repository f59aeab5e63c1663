// Runs Movaro.exe, or a program built from its start-up code, as a process of
// its own and reaches into its windows the way another program can.
#pragma once

#include <windows.h>

#include <string>

namespace movaro::testing {

// A build path as Wine sees it: the host's root is drive Z.
std::string WindowsPath(std::string hostPath);

inline const std::string kMovaro = WindowsPath(MOVARO_EXE);
inline const std::string kFatalProbe = WindowsPath(MOVARO_FATAL_PROBE_EXE);

inline constexpr char kSettingsFile[] = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";

inline constexpr int kTabId = 369176096;
inline constexpr int kSaveDirectoryId = 369176101;
inline constexpr int kChooseDirectoryId = 369176103;
inline constexpr int kOneClickChangeId = 369176104;
inline constexpr int kSupportLabelId = 369176100;

// The visible top-level window of that class that the process owns.
HWND FindWindowOf(DWORD processId, const char* className);

// One running copy of a program, ended at the latest when the test ends.
class RunningProgram {
 public:
  RunningProgram(const std::string& program, const std::string& arguments,
                 const std::string& currentDirectory);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND WaitForWindow(const char* className = "MovaroMainWindow") const;
  // The exit code, or STILL_ACTIVE when it does not end within the time.
  DWORD WaitForExit(DWORD timeoutMs = 10000) const;
  HANDLE Process() const { return process_.hProcess; }

 private:
  PROCESS_INFORMATION process_{};
};

// Part 1 of the window's status bar, read from the window's process.
std::string StatusLine(const RunningProgram& program, HWND window);
// A page control of the main window by its identifier.
HWND PageControl(HWND window, int id);
// The control that has the keyboard focus in the window's thread.
HWND FocusOf(HWND window);
void PressKey(HWND target, WPARAM key);
std::string WindowText(HWND window);

// Waits for `condition` to hold, up to five seconds; gives its last value.
template <typename Condition>
bool WaitUntil(Condition condition) {
  for (int tries = 0; tries < 100; ++tries) {
    if (condition()) {
      return true;
    }
    ::Sleep(50);
  }
  return condition();
}

}  // namespace movaro::testing
