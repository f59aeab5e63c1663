// Movaro.exe as a user runs it: started as its own process, driven from here
// through its window's messages, ended by the user's keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/running_program.h"
#include "tests/wine/wine_support.h"

namespace movaro::testing {
namespace {

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
  EXPECT_EQ(::GetDlgCtrlID(FocusOf(window)), kOneClickChangeId) << "一键修改 has the focus";

  TakeScreenshot(window, "page-tim-qq.png");
  const HWND tab = ::GetDlgItem(window, kTabId);
  ClickAt(tab, 88, 11);  // the "支持" tab
  EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(tab, kSupportLabelId)));
  TakeScreenshot(window, "page-support.png");

  // The focused button is hidden with its page; the key goes to the window.
  PressKey(window, VK_ESCAPE);
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
