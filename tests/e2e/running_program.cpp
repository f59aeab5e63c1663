#include "tests/e2e/running_program.h"

#include <stdexcept>

#include "tests/tools/status_line_reader.h"

namespace movaro::testing {

namespace {

struct WindowSearch {
  DWORD processId;
  const char* className;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (owner == search->processId && ::IsWindowVisible(window) &&
      std::string(name) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::string WindowsPath(std::string hostPath) {
  for (char& c : hostPath) {
    c = c == '/' ? '\\' : c;
  }
  return "Z:" + hostPath;
}

HWND FindWindowOf(DWORD processId, const char* className) {
  WindowSearch search{processId, className, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RunningProgram::RunningProgram(const std::string& program, const std::string& arguments,
                               const std::string& currentDirectory) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string command = "\"" + program + "\" " + arguments;
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.c_str(), &startup, &process_)) {
    throw std::runtime_error("cannot start " + program);
  }
  ::CloseHandle(process_.hThread);
}

RunningProgram::~RunningProgram() {
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.hProcess, 99);
    ::WaitForSingleObject(process_.hProcess, 5000);
  }
  ::CloseHandle(process_.hProcess);
}

HWND RunningProgram::WaitForWindow(const char* className) const {
  for (int tries = 0; tries < 300; ++tries) {
    if (const HWND window = FindWindowOf(process_.dwProcessId, className)) {
      return window;
    }
    ::Sleep(50);
  }
  return nullptr;
}

DWORD RunningProgram::WaitForExit(DWORD timeoutMs) const {
  ::WaitForSingleObject(process_.hProcess, timeoutMs);
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

std::string StatusLine(const RunningProgram& program, HWND window) {
  return ReadStatusLine(program.Process(), window);
}

HWND PageControl(HWND window, int id) { return ::GetDlgItem(::GetDlgItem(window, kTabId), id); }

HWND FocusOf(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus;
}

void PressKey(HWND target, WPARAM key) {
  ::PostMessageA(target, WM_KEYDOWN, key, 1);
  ::PostMessageA(target, WM_KEYUP, key, 1 | (3u << 30));
}

// GetWindowText does not ask a window of another process for its text; the
// message does, and the system carries the text across.
std::string WindowText(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &length);
  return text;
}

}  // namespace movaro::testing
