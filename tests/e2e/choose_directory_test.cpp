// "选择目录" in the running program: the system's Save As dialog over the
// main window, driven from here as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/running_program.h"
#include "tests/wine/wine_support.h"
#include "ui/file_dialog_rules.h"

namespace movaro::testing {
namespace {

// The name box: edt1 in Wine's dialog, the combo box cmb13 in Windows'.
HWND NameBox(HWND dialog) {
  const HWND edit = ::GetDlgItem(dialog, 0x480);
  return edit != nullptr ? edit : ::GetDlgItem(dialog, 0x47C);
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchOwnedDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<OwnedSearch*>(parameter);
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof name);
  if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == search->owner &&
      std::string(name) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND OwnedDialog(HWND owner) {
  OwnedSearch search{owner, nullptr};
  ::EnumWindows(MatchOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class ChooseDirectoryTest : public ::testing::Test {
 protected:
  ChooseDirectoryTest() {
    window = movaro.WaitForWindow();
    if (window == nullptr) {
      throw std::runtime_error("Movaro's window did not appear");
    }
    if (!Exists(kSettingsFile)) {
      WriteFileBytes(kSettingsFile, "[UserDataSet]\r\nUserDataSavePath=E:\\Before\r\n");
    }
    settingsBefore = ReadFileBytes(kSettingsFile);
  }
  ~ChooseDirectoryTest() override {
    if (const HWND dialog = OwnedDialog(window)) {
      ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    movaro.WaitForExit();
  }

  // Clicks "选择目录" and waits for the dialog it opens.
  HWND OpenDialog() {
    ::PostMessageA(PageControl(window, kChooseDirectoryId), BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = OwnedDialog(window)) != nullptr; });
    return dialog;
  }

  void Confirm(HWND dialog, const std::string& path) {
    ::SendMessageA(NameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  }

  bool WaitForDialogToClose() {
    return WaitUntil([&] { return ::IsWindowEnabled(window) && OwnedDialog(window) == nullptr; });
  }

  std::string EditText() { return WindowText(PageControl(window, kSaveDirectoryId)); }

  TemporaryFolder folder;
  RunningProgram movaro{kMovaro, "", ProgramFolder()};
  HWND window = nullptr;
  std::string settingsBefore;
};

TEST_F(ChooseDirectoryTest, OpensOwnedCentredWithThePresetNameWhileTheWindowIsDisabled) {
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);

  EXPECT_FALSE(::IsWindowEnabled(window));
  EXPECT_EQ(WindowText(NameBox(dialog)), "Tencent Messages");
  RECT owner;
  RECT placed;
  ::GetWindowRect(window, &owner);
  ::GetWindowRect(dialog, &placed);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  const ScreenPoint expected = CentreOverOwner(
      {owner.left, owner.top, owner.right, owner.bottom}, placed.right - placed.left,
      placed.bottom - placed.top,
      {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom});
  EXPECT_EQ(placed.left, expected.x);
  EXPECT_EQ(placed.top, expected.y);
}

class CancelTest : public ChooseDirectoryTest, public ::testing::WithParamInterface<bool> {};

TEST_P(CancelTest, LeavesEverythingAsItWasAndGivesTheFocusBack) {
  const bool withEsc = GetParam();
  const HWND edit = PageControl(window, kSaveDirectoryId);
  ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("F:\\typed by hand"));
  const std::string status = StatusLine(movaro, window);
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);

  if (withEsc) {
    PressKey(NameBox(dialog), VK_ESCAPE);
  } else {
    ::PostMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  }

  ASSERT_TRUE(WaitForDialogToClose());
  EXPECT_EQ(EditText(), "F:\\typed by hand");
  EXPECT_EQ(StatusLine(movaro, window), status);
  EXPECT_EQ(ReadFileBytes(kSettingsFile), settingsBefore);
  EXPECT_TRUE(
      WaitUntil([&] { return FocusOf(window) == PageControl(window, kChooseDirectoryId); }));
}

INSTANTIATE_TEST_SUITE_P(ByButtonAndByEsc, CancelTest, ::testing::Bool(), [](const auto& testInfo) {
  return std::string(testInfo.param ? "Esc" : "CancelButton");
});

// The request carries OFN_FILEMUSTEXIST, yet a name that does not exist is
// accepted: the save dialog does not apply that flag, under Wine as its
// documentation says of Windows.
TEST_F(ChooseDirectoryTest, ConfirmedPathGoesIntoTheEditBoxAndNowhereElse) {
  const std::string chosen = folder / "Tencent Messages";
  Confirm(OpenDialog(), chosen);

  ASSERT_TRUE(WaitForDialogToClose());
  EXPECT_EQ(EditText(), chosen);
  EXPECT_EQ(ReadFileBytes(kSettingsFile), settingsBefore) << "written only by 一键修改";
  EXPECT_FALSE(Exists(chosen)) << "the dialog creates nothing";

  ::PostMessageA(PageControl(window, kOneClickChangeId), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return StatusLine(movaro, window) == "成功修改为：" + chosen; }));
  char value[512];
  ::GetPrivateProfileStringA("UserDataSet", "UserDataSavePath", "", value, sizeof value,
                             kSettingsFile);
  EXPECT_EQ(std::string(value), chosen);
}

TEST_F(ChooseDirectoryTest, NameWithAnExtensionIsKeptAsTyped) {
  const std::string chosen = folder / "Messages.dat";
  Confirm(OpenDialog(), chosen);
  ASSERT_TRUE(WaitForDialogToClose());
  EXPECT_EQ(EditText(), chosen);
}

TEST_F(ChooseDirectoryTest, ExistingFileIsTakenAfterTheSystemsQuestion) {
  const std::string existing = folder / "existing.txt";
  WriteFileBytes(existing, "keep me");
  const HWND dialog = OpenDialog();
  Confirm(dialog, existing);

  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = OwnedDialog(dialog)) != nullptr; }));
  ::PostMessageA(::GetDlgItem(question, IDYES), BM_CLICK, 0, 0);

  ASSERT_TRUE(WaitForDialogToClose());
  EXPECT_EQ(EditText(), existing);
  EXPECT_EQ(ReadFileBytes(existing), "keep me");
}

TEST_F(ChooseDirectoryTest, EveryOpeningStartsFromThePresetNameAgain) {
  Confirm(OpenDialog(), folder / "First Choice");
  ASSERT_TRUE(WaitForDialogToClose());

  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(NameBox(dialog)), "Tencent Messages");
}

}  // namespace
}  // namespace movaro::testing
