// The main window made by the program's own start-up code, inspected in the
// test's process.
#include "ui/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/program.h"
#include "app/win32_module_loader.h"
#include "app/win32_profile_writer.h"
#include "core/settings_folder.h"
#include "tests/wine/counting_loader.h"
#include "tests/wine/wine_support.h"
#include "ui/tab_control.h"

namespace movaro::testing {
namespace {

namespace id = control_id;

Text StatusText(HWND bar, int part) {
  char text[256] = {};
  ::SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
  return text;
}

RECT PlaceInParent(HWND control) {
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void PressKey(MainWindow& window, HWND target, WPARAM key) {
  const MSG message{target, WM_KEYDOWN, key, 0, 0, {}};
  if (!window.PreTranslateMessage(message)) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void ClickTab(HWND tab, int page) {
  const RECT title = TabRectangle(tab, page);
  const LPARAM at = MAKELPARAM((title.left + title.right) / 2, (title.top + title.bottom) / 2);
  ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(tab, WM_LBUTTONUP, 0, at);
}

// What the status line held when the main window was about to be shown.
Text statusWhenShown;
bool createdEventBeforeShow = false;

LRESULT CALLBACK WatchShow(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  char className[32] = {};
  ::GetClassNameA(call->hwnd, className, sizeof className);
  if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam == TRUE &&
      std::string(className) == "MovaroMainWindow") {
    statusWhenShown = StatusText(::GetDlgItem(call->hwnd, id::kStatusBar), 1);
    createdEventBeforeShow = !SettingsFolderPath.empty();
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    ::CreateDirectoryA(R"(C:\Users\Public\Documents\Tencent)", nullptr);
    ::CreateDirectoryA(R"(C:\Users\Public\Documents\Tencent\QQ)", nullptr);
  }
  ~MainWindowTest() override {
    if (Window().Handle() != nullptr) {
      ::DestroyWindow(Window().Handle());
    }
    program.EndProgram();
  }

  MainWindow& Window() { return program.Window(); }
  HWND Control(std::uint32_t controlId) { return Window().Control(controlId); }

  CountingLoader loader;
  Win32ProfileWriter profile;
  Program program{::GetModuleHandleA(nullptr), loader, profile};
};

TEST_F(MainWindowTest, WindowIsMadeHiddenCentredWithAFixedFrame) {
  ASSERT_TRUE(Window().CreateMainWindow());
  const HWND window = Window().Handle();

  EXPECT_FALSE(::IsWindowVisible(window));
  RECT rect;
  ::GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - 388) / 2);
  EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - 245) / 2);
  EXPECT_EQ(rect.right - rect.left, 388);
  EXPECT_EQ(rect.bottom - rect.top, 245);
  const LONG style = ::GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0);
  EXPECT_EQ(::GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), 0);
  EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
  char caption[64];
  ::GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Movaro Brenlow");
  EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(::SendMessageA(window, WM_GETFONT, 0, 0)),
            ::GetStockObject(DEFAULT_GUI_FONT));
}

TEST_F(MainWindowTest, EveryControlIsMadeAsDefined) {
  ASSERT_TRUE(Window().CreateMainWindow());
  const HWND tab = Control(id::kMainTab);
  for (const ControlDefinition& definition : MainWindowControls()) {
    SCOPED_TRACE(definition.name);
    const HWND control = Control(definition.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>(::GetDlgCtrlID(control)), definition.id);
    EXPECT_EQ(::GetParent(control), definition.page == kNoPage ? Window().Handle() : tab);
    EXPECT_EQ((::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0, definition.tabStop);
    const bool shownAtStart = definition.shown && definition.page != 1;
    EXPECT_EQ((::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0, shownAtStart);
    if (definition.kind != ControlKind::StatusBar) {
      const RECT place = PlaceInParent(control);
      EXPECT_EQ(place.left, definition.place.left);
      EXPECT_EQ(place.top, definition.place.top);
      EXPECT_EQ(place.right - place.left, definition.place.width);
      EXPECT_EQ(place.bottom - place.top, definition.place.height);
    }
    if (definition.kind == ControlKind::Edit || definition.kind == ControlKind::Button ||
        definition.kind == ControlKind::Label) {
      EXPECT_EQ(Window().GetEditText(control), definition.text);
      LOGFONTA font{};
      ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)),
                   sizeof font, &font);
      EXPECT_STREQ(font.lfFaceName, "微软雅黑");
      EXPECT_EQ(font.lfHeight, -12);
      EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    }
  }
  EXPECT_EQ(Window().GetEditText(Control(id::kInstructions)).size(), 210u);
  const LONG instructions = ::GetWindowLongA(Control(id::kInstructions), GWL_STYLE);
  EXPECT_EQ(instructions & (ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL),
            ES_MULTILINE | ES_READONLY);
  // The edit control takes WS_BORDER over and draws the thin line itself.
  EXPECT_EQ(::GetWindowLongA(Control(id::kInstructions), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_NE(::GetWindowLongA(Control(id::kSaveDirectory), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(MainWindowTest, StatusBarHasTwoPartsAndWritesOnlyThem) {
  ASSERT_TRUE(Window().CreateMainWindow());
  const HWND bar = Control(id::kStatusBar);
  int edges[4] = {};
  ASSERT_EQ(::SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 8);
  EXPECT_EQ(edges[1], -1);
  EXPECT_EQ(StatusText(bar, 0), "");
  EXPECT_EQ(StatusText(bar, 1), "1");

  Window().SetStatusPartText(1, "初始化成功");
  EXPECT_EQ(StatusText(bar, 1), "\xB3\xF5\xCA\xBC\xBB\xAF\xB3\xC9\xB9\xA6");
  Window().SetStatusPartText(0, "x");
  EXPECT_EQ(StatusText(bar, 0), "x");
  Window().SetStatusPartText(2, "never");
  Window().SetStatusPartText(-1, "never");
  EXPECT_EQ(StatusText(bar, 0), "x");
  EXPECT_EQ(StatusText(bar, 1), "初始化成功");
  Window().SetStatusPartText(1, "");
  EXPECT_EQ(StatusText(bar, 1), "");
}

TEST_F(MainWindowTest, StartUpCheckWritesTheStatusLineBeforeTheWindowIsShown) {
  statusWhenShown.clear();
  createdEventBeforeShow = false;
  const HHOOK hook =
      ::SetWindowsHookExA(WH_CALLWNDPROC, WatchShow, nullptr, ::GetCurrentThreadId());

  program.LoadMainWindow();
  ::UnhookWindowsHookEx(hook);

  EXPECT_TRUE(::IsWindowVisible(Window().Handle()));
  EXPECT_TRUE(createdEventBeforeShow);
  EXPECT_EQ(statusWhenShown, "初始化成功");
  EXPECT_EQ(::GetFocus(), Control(id::kOneClickChange));
  EXPECT_EQ(loader.loads, 3) << "the folder exists: strlen, the conversion and the test only";
}

TEST_F(MainWindowTest, ClosingEndsTheLoopAndTheEndReleasesEverything) {
  program.LoadMainWindow();
  ::PostMessageA(Window().Handle(), WM_CLOSE, 0, 0);
  program.RunMessageLoop();

  EXPECT_EQ(Window().Handle(), nullptr);
  EXPECT_FALSE(SettingsFolderPath.empty()) << "released at the end, not when the window goes";
  program.EndProgram();
  EXPECT_TRUE(SettingsFolderPath.empty());
  EXPECT_EQ(loader.frees, loader.loads);
}

TEST_F(MainWindowTest, TabKeysCycleInReverseDefinitionOrderAndEscCloses) {
  program.LoadMainWindow();
  MainWindow& window = Window();
  const std::uint32_t cycle[] = {id::kChooseDirectory, id::kSaveDirectory, id::kInstructions,
                                 id::kOneClickChange};
  for (const std::uint32_t next : cycle) {
    PressKey(window, ::GetFocus(), VK_TAB);
    EXPECT_EQ(::GetFocus(), Control(next));
  }

  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  ::SetKeyboardState(keys);
  PressKey(window, ::GetFocus(), VK_TAB);
  keys[VK_SHIFT] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(::GetFocus(), Control(id::kInstructions)) << "Shift+Tab goes back";

  const Text status = StatusText(Control(id::kStatusBar), 1);
  PressKey(window, Control(id::kSaveDirectory), VK_RETURN);
  PressKey(window, ::GetFocus(), VK_F1);
  EXPECT_EQ(::GetFocus(), Control(id::kInstructions)) << "Enter and F1 do nothing";
  EXPECT_EQ(StatusText(Control(id::kStatusBar), 1), status) << "Enter clicked no button";
  EXPECT_NE(Window().Handle(), nullptr);

  PressKey(window, ::GetFocus(), VK_ESCAPE);
  EXPECT_EQ(Window().Handle(), nullptr);
}

TEST_F(MainWindowTest, SwitchingPagesShowsOnlyThatPageAndMovesTheFocus) {
  program.LoadMainWindow();
  const HWND tab = Control(id::kMainTab);
  Window().SetEditText(Control(id::kSaveDirectory), "E:\\聊天");

  ClickTab(tab, 1);
  for (const ControlDefinition& definition : MainWindowControls()) {
    if (definition.page != kNoPage) {
      EXPECT_EQ(::IsWindowVisible(Control(definition.id)) != FALSE,
                definition.page == 1 && definition.shown)
          << definition.name;
    }
  }

  ClickTab(tab, 0);
  EXPECT_TRUE(::IsWindowVisible(Control(id::kOneClickChange)));
  EXPECT_FALSE(::IsWindowVisible(Control(id::kSupportLabel)));
  EXPECT_FALSE(::IsWindowVisible(Control(id::kSaveLocationDialog)));
  EXPECT_EQ(::GetFocus(), Control(id::kInstructions));
  EXPECT_EQ(Window().GetEditText(), "E:\\聊天");
}

TEST_F(MainWindowTest, OneClickChangeWritesTheRecordAndReportsIt) {
  program.LoadMainWindow();
  const std::string file = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";
  ::DeleteFileA(file.c_str());

  ::SendMessageA(Control(id::kOneClickChange), BM_CLICK, 0, 0);

  char value[256];
  ::GetPrivateProfileStringA("UserDataSet", "UserDataSavePath", "", value, sizeof value,
                             file.c_str());
  EXPECT_STREQ(value, R"(D:\Tencent Messages)");
  ::GetPrivateProfileStringA("UserDataSet", "UserDataSavePathType", "", value, sizeof value,
                             file.c_str());
  EXPECT_STREQ(value, "2");
  EXPECT_EQ(StatusText(Control(id::kStatusBar), 1), R"(成功修改为：D:\Tencent Messages)");
}

}  // namespace
}  // namespace movaro::testing

namespace movaro::testing {
namespace {

TEST_F(MainWindowTest, EditBoxesAnswerTheirColourRequests) {
  ASSERT_TRUE(Window().CreateMainWindow());
  struct Case {
    std::uint32_t id;
    UINT message;
    COLORREF text;
  };
  const Case cases[] = {{id::kInstructions, WM_CTLCOLORSTATIC, RGB(128, 128, 128)},
                        {id::kSaveDirectory, WM_CTLCOLOREDIT, RGB(0, 0, 0)}};
  for (const Case& test : cases) {
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(
        ::GetParent(Control(test.id)), test.message, reinterpret_cast<WPARAM>(dc.get()),
        reinterpret_cast<LPARAM>(Control(test.id))));
    ASSERT_NE(brush, nullptr);
    LOGBRUSH colour{};
    ::GetObjectA(brush, sizeof colour, &colour);
    EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(::GetTextColor(dc.get()), test.text);
    EXPECT_EQ(::GetBkColor(dc.get()), RGB(255, 255, 255));
  }
}

TEST_F(MainWindowTest, ReactivationGivesTheFocusBackWhereItWas) {
  program.LoadMainWindow();
  ::SetFocus(Control(id::kSaveDirectory));
  const HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                       nullptr, nullptr, nullptr, nullptr);
  ::SetActiveWindow(other);
  ASSERT_NE(::GetFocus(), Control(id::kSaveDirectory));

  ::SetActiveWindow(Window().Handle());
  EXPECT_EQ(::GetFocus(), Control(id::kSaveDirectory));
  ::DestroyWindow(other);
}

TEST_F(MainWindowTest, AltWithALetterClicksNothingWithoutAMnemonic) {
  program.LoadMainWindow();
  const Text status = StatusText(Control(id::kStatusBar), 1);
  for (const char character : {'a', 'Y', '1'}) {
    const MSG message{
        Control(id::kOneClickChange), WM_SYSCHAR, static_cast<WPARAM>(character), 1 << 29, 0, {}};
    EXPECT_TRUE(Window().PreTranslateMessage(message)) << character;
  }
  EXPECT_EQ(StatusText(Control(id::kStatusBar), 1), status) << "一键修改 was not clicked";
  EXPECT_NE(Window().Handle(), nullptr);
}

}  // namespace
}  // namespace movaro::testing
