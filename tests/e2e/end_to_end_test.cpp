// Movaro.exe as a user runs it: started as its own process, driven from here
// through its window's messages, ended by the user's keys.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/wine/wine_support.h"

namespace movaro::testing {
namespace {

constexpr char kSettingsFile[] = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";

// A build path as Wine sees it: the host's root is drive Z.
std::string WindowsPath(std::string hostPath) {
  for (char& c : hostPath) {
    c = c == '/' ? '\\' : c;
  }
  return "Z:" + hostPath;
}

const std::string kMovaro = WindowsPath(MOVARO_EXE);
const std::string kFatalProbe = WindowsPath(MOVARO_FATAL_PROBE_EXE);

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

// The visible top-level window of that class that the process owns.
HWND FindWindowOf(DWORD processId, const char* className) {
  WindowSearch search{processId, className, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// One running copy of a program, ended at the latest when the test ends.
class RunningProgram {
 public:
  RunningProgram(const std::string& program, const std::string& arguments,
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
  ~RunningProgram() {
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(process_.hProcess, 99);
    }
    ::CloseHandle(process_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  HWND WaitForWindow(const char* className = "MovaroMainWindow") const {
    for (int tries = 0; tries < 300; ++tries) {
      if (const HWND window = FindWindowOf(process_.dwProcessId, className)) {
        return window;
      }
      ::Sleep(50);
    }
    return nullptr;
  }

  // The exit code, or STILL_ACTIVE when it does not end within the time.
  DWORD WaitForExit(DWORD timeoutMs = 10000) const {
    ::WaitForSingleObject(process_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  HANDLE Process() const { return process_.hProcess; }

 private:
  PROCESS_INFORMATION process_{};
};

std::string StatusLine(const RunningProgram& program, HWND window) {
  const HWND bar = ::GetDlgItem(window, 369176110);
  constexpr SIZE_T kSize = 4096;  // Wine counts the length in characters
  void* remote = ::VirtualAllocEx(program.Process(), nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
  ::SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(remote));
  std::vector<char> text(kSize, '\0');
  ::ReadProcessMemory(program.Process(), remote, text.data(), kSize - 1, nullptr);
  ::VirtualFreeEx(program.Process(), remote, 0, MEM_RELEASE);
  return text.data();
}

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

void TakeScreenshot(HWND window, const std::string& name) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  const std::string path = ProgramFolder() + "\\" + name;
  ::DeleteFileA(path.c_str());
  StartHostCommand("/usr/bin/import -window root -crop " + std::to_string(rect.right - rect.left) +
                   "x" + std::to_string(rect.bottom - rect.top) + "+" + std::to_string(rect.left) +
                   "+" + std::to_string(rect.top) + " " + HostPath(path));
  for (int tries = 0; tries < 100 && !Exists(path); ++tries) {
    ::Sleep(100);
  }
  ::Sleep(300);  // the file appears before it is complete
  EXPECT_TRUE(Exists(path)) << path;
}

void ClickAt(HWND control, int x, int y) {
  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

TEST(EndToEndTest, StartsCentredWithTheCheckDoneWhateverItsFolderAndArguments) {
  TemporaryFolder elsewhere;
  RunningProgram movaro(kMovaro, "--ignored /x \"an argument\"", elsewhere.Path());
  const HWND window = movaro.WaitForWindow();
  ASSERT_NE(window, nullptr);

  RECT rect;
  ::GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 766);
  EXPECT_EQ(rect.top, 417);
  EXPECT_EQ(rect.right - rect.left, 388);
  EXPECT_EQ(rect.bottom - rect.top, 245);
  EXPECT_EQ(StatusLine(movaro, window), "初始化成功");
  EXPECT_TRUE(IsDirectory(R"(C:\Users\Public\Documents\Tencent\QQ)"));
  EXPECT_EQ(::GetDlgCtrlID(FocusOf(window)), 369176104) << "一键修改 has the focus";

  TakeScreenshot(window, "page-tim-qq.png");
  const HWND tab = ::GetDlgItem(window, 369176096);
  ClickAt(tab, 88, 11);  // the "支持" tab
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(tab, 369176100)));
  TakeScreenshot(window, "page-support.png");

  PressKey(FocusOf(window), VK_ESCAPE);
  EXPECT_EQ(movaro.WaitForExit(), 0u);
}

TEST(EndToEndTest, SpaceOnTheFocusedButtonWritesTheRecord) {
  ::SetFileAttributesA(kSettingsFile, FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(kSettingsFile);
  TemporaryFolder elsewhere;
  RunningProgram movaro(kMovaro, "", elsewhere.Path());
  const HWND window = movaro.WaitForWindow();
  ASSERT_NE(window, nullptr);

  PressKey(FocusOf(window), VK_SPACE);
  for (int tries = 0; tries < 100 && StatusLine(movaro, window) == "初始化成功"; ++tries) {
    ::Sleep(50);
  }

  EXPECT_EQ(StatusLine(movaro, window), R"(成功修改为：D:\Tencent Messages)");
  char value[256];
  ::GetPrivateProfileStringA("UserDataSet", "UserDataSavePath", "", value, sizeof value,
                             kSettingsFile);
  EXPECT_STREQ(value, R"(D:\Tencent Messages)");
  ::GetPrivateProfileStringA("UserDataSet", "UserDataSavePathType", "", value, sizeof value,
                             kSettingsFile);
  EXPECT_STREQ(value, "2");
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(movaro.WaitForExit(), 0u);
}

TEST(EndToEndTest, AltF4EndsWithExitCodeZero) {
  RunningProgram movaro(kMovaro, "", ProgramFolder());
  const HWND window = movaro.WaitForWindow();
  ASSERT_NE(window, nullptr);
  // Alt is down: bit 29 of lParam, as the system sends it.
  ::PostMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 | (1u << 29));
  EXPECT_EQ(movaro.WaitForExit(), 0u);
}

TEST(EndToEndTest, TwoCopiesRunSideBySide) {
  RunningProgram first(kMovaro, "", ProgramFolder());
  RunningProgram second(kMovaro, "", ProgramFolder());
  const HWND firstWindow = first.WaitForWindow();
  const HWND secondWindow = second.WaitForWindow();
  ASSERT_NE(firstWindow, nullptr);
  ASSERT_NE(secondWindow, nullptr);
  EXPECT_NE(firstWindow, secondWindow);
  ::PostMessageA(firstWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(), 0u);
  EXPECT_EQ(second.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "one copy is still up";
  ::PostMessageA(secondWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(), 0u);
}

TEST(EndToEndTest, FailedBindingShowsOneBoxBeforeAnyWindowAndEndsWithMinusOne) {
  RunningProgram probe(kFatalProbe, "", ProgramFolder());
  const HWND box = probe.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr);
  char text[512] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text
  EXPECT_NE(std::string(text).find("shlwapi.dll"), std::string::npos) << text;
  EXPECT_NE(std::string(text).find("PathIsDirectoryW"), std::string::npos) << text;
  EXPECT_EQ(FindWindowOf(::GetProcessId(probe.Process()), "MovaroMainWindow"), nullptr)
      << "the window is never shown";
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(probe.WaitForExit(), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace movaro::testing
