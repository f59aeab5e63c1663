// The tab control on real windows: page switching, focus, forwarding and
// what it paints.
#include "ui/tab_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ui/gdi.h"
#include "ui/tab_geometry.h"

namespace movaro::testing {
namespace {

constexpr int kTabId = 100;
constexpr int kOutsideButtonId = 200;
constexpr int kPageButtonId = 301;

std::vector<WPARAM> hostCommands;

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    hostCommands.push_back(wParam);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

constexpr char kHostClass[] = "MovaroTabTestHost";

struct Control {
  HWND window;
  int page;
  bool shownWhenSelected;
};

POINT Centre(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

LPARAM PointParam(POINT point) { return MAKELPARAM(point.x, point.y); }

// A hidden host window, smaller than the tab control it holds, with controls
// on both pages and one outside the tab control.
class TabHarness {
 public:
  TabHarness() {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    EXPECT_TRUE(RegisterTabControlClass(instance));
    WNDCLASSEXA hostClass{};
    hostClass.cbSize = sizeof hostClass;
    hostClass.lpfnWndProc = &HostProcedure;
    hostClass.hInstance = instance;
    hostClass.lpszClassName = kHostClass;
    ::RegisterClassExA(&hostClass);
    hostCommands.clear();

    // Smaller than the tab control, which it clips, as the main window does.
    // Off the screen, so that no other test's window exposes it when shown.
    host = ::CreateWindowExA(0, kHostClass, "host", WS_POPUP | WS_CLIPCHILDREN, -3000, -3000, 400,
                             240, nullptr, nullptr, instance, nullptr);
    outsideButton = Child(host, "BUTTON", "outside", WS_TABSTOP, kOutsideButtonId, 300, 200);
    tab = CreateTabControl(host, kTabId, {0, 1, 405, 246}, {{"TIM/QQ"}, {"支持"}});
    EXPECT_NE(tab, nullptr);

    label = Add(0, "STATIC", "目录", 0, true, false);
    disabledEdit = Add(0, "EDIT", "", WS_DISABLED | WS_TABSTOP, true, true);
    edit = Add(0, "EDIT", R"(D:\Tencent Messages)", WS_TABSTOP, true, true);
    pageButton = Add(0, "BUTTON", "一键修改", WS_TABSTOP, true, true, kPageButtonId);
    pictureBox = Add(1, "STATIC", "", SS_BLACKRECT, true, false);
    supportLabel = Add(1, "STATIC", "支持", 0, true, false);
    // A focusable kind that is never shown, so it must never get the focus.
    neverShown = Add(1, "BUTTON", "", WS_TABSTOP, false, true);
    ::SetFocus(outsideButton);
  }

  ~TabHarness() { ::DestroyWindow(host); }
  TabHarness(const TabHarness&) = delete;
  TabHarness& operator=(const TabHarness&) = delete;

  HWND Child(HWND parent, const char* kind, const char* text, DWORD style, int id, int x, int y) {
    return ::CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, 60, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleA(nullptr), nullptr);
  }

  // Every control starts visible, so AddPageControl has to hide the others.
  HWND Add(int page, const char* kind, const char* text, DWORD style, bool shown, bool takesFocus,
           int id = 0) {
    const RECT area = PageArea(tab);
    const int y = area.top + 5 + 25 * static_cast<int>(controls.size() % 4);
    const HWND control = Child(tab, kind, text, style, id, 10, y);
    AddPageControl(tab, page, control, shown, takesFocus);
    controls.push_back({control, page, shown});
    return control;
  }

  void Click(POINT point) {
    ::SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(point));
    ::SendMessageA(tab, WM_LBUTTONUP, 0, PointParam(point));
  }
  void ClickTab(int page) { Click(Centre(TabRectangle(tab, page))); }

  static bool Visible(HWND window) {
    return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  }

  // Each control is visible exactly when its page is selected and it is shown.
  void ExpectPageShown(int page) {
    for (std::size_t index = 0; index < controls.size(); ++index) {
      const Control& control = controls[index];
      SCOPED_TRACE(index);
      EXPECT_EQ(Visible(control.window), control.page == page && control.shownWhenSelected);
    }
  }

  struct Snapshot {
    int selected;
    HWND focus;
    std::vector<bool> visible;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    Snapshot snapshot{SelectedPage(tab), ::GetFocus(), {}};
    for (const Control& control : controls) {
      snapshot.visible.push_back(Visible(control.window));
    }
    return snapshot;
  }

  // The control painted into a 32-bit memory bitmap.
  struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const {
      return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                    static_cast<std::size_t>(x)];
    }
    // Text is smoothed: each title pixel must lie on the way from the button
    // face towards `ink`, and the strongest strokes must come close to it.
    struct Ink {
      int pixels = 0;
      double strongest = 0;
      int offTheWay = 0;
    };
    Ink InkTowards(const RECT& area, COLORREF face, COLORREF ink) const {
      const int faceChannels[3] = {GetRValue(face), GetGValue(face), GetBValue(face)};
      const int inkChannels[3] = {GetRValue(ink), GetGValue(ink), GetBValue(ink)};
      Ink result;
      for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
          const COLORREF pixel = At(x, y);
          if (pixel == face) {
            continue;
          }
          const int channels[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
          double along = 0;
          double length = 0;
          for (int c = 0; c < 3; ++c) {
            along += (channels[c] - faceChannels[c]) * (inkChannels[c] - faceChannels[c]);
            length += (inkChannels[c] - faceChannels[c]) * (inkChannels[c] - faceChannels[c]);
          }
          const double share = along / length;
          double worst = 0;
          for (int c = 0; c < 3; ++c) {
            const double blended = faceChannels[c] + share * (inkChannels[c] - faceChannels[c]);
            worst = std::max(worst, std::abs(channels[c] - blended));
          }
          ++result.pixels;
          result.strongest = std::max(result.strongest, share);
          result.offTheWay += worst > 12 || share < -0.05 || share > 1.05 ? 1 : 0;
        }
      }
      return result;
    }
  };

  // Through WM_PRINTCLIENT or the painting function itself.
  Picture Paint(bool throughMessage = false) const {
    RECT client{};
    ::GetClientRect(tab, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const UniqueBitmap bitmap(
        ::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    EXPECT_TRUE(dc && bitmap && bits != nullptr);
    if (!dc || !bitmap || bits == nullptr) {
      return picture;
    }
    {
      const SelectionGuard selected(dc.get(), bitmap.get());
      if (throughMessage) {
        ::SendMessageA(tab, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
      } else {
        PaintTabControl(tab, dc.get());
      }
      ::GdiFlush();
    }
    const auto* source = static_cast<const DWORD*>(bits);
    for (int index = 0; index < picture.width * picture.height; ++index) {
      const DWORD bgr = source[index];
      picture.pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
    return picture;
  }

  std::vector<Control> controls;
  HWND host = nullptr;
  HWND outsideButton = nullptr;
  HWND tab = nullptr;
  HWND label = nullptr, disabledEdit = nullptr, edit = nullptr, pageButton = nullptr;
  HWND pictureBox = nullptr, supportLabel = nullptr, neverShown = nullptr;
};

class TabControlTest : public ::testing::Test, public TabHarness {};

TEST_F(TabControlTest, StartsOnTheFirstPageBelowATwentyPixelHeader) {
  EXPECT_EQ(SelectedPage(tab), 0);
  ExpectPageShown(0);
  EXPECT_EQ(::GetParent(tab), host);
  EXPECT_EQ(::GetDlgCtrlID(tab), kTabId);
  EXPECT_EQ(::GetWindowLongA(tab, GWL_STYLE) & WS_TABSTOP, 0);

  RECT client{};
  ::GetClientRect(tab, &client);
  EXPECT_EQ(client.right, 405);
  EXPECT_EQ(client.bottom, 245);
  const RECT area = PageArea(tab);
  EXPECT_EQ(area.top, 20);
  EXPECT_EQ(area.bottom, client.bottom);
  for (int page = 0; page < 2; ++page) {
    const RECT place = TabRectangle(tab, page);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.bottom, 20);
    EXPECT_GT(place.right - place.left, 2 * kTitlePadding);
  }
  // The wider title gets the wider tab.
  EXPECT_GT(TabRectangle(tab, 0).right - TabRectangle(tab, 0).left,
            TabRectangle(tab, 1).right - TabRectangle(tab, 1).left);
}

TEST_F(TabControlTest, SwitchingShowsOnlyTheSelectedPageAndMovesTheFocusWhenItCan) {
  ClickTab(1);
  EXPECT_EQ(SelectedPage(tab), 1);
  ExpectPageShown(1);
  // Page 1 holds no visible, enabled edit box or button: the focus stays.
  EXPECT_EQ(::GetFocus(), outsideButton);

  ::SetFocus(outsideButton);
  ClickTab(0);
  EXPECT_EQ(SelectedPage(tab), 0);
  ExpectPageShown(0);
  // Past the label and the disabled edit box to the first usable one.
  EXPECT_EQ(::GetFocus(), edit);

  // Once the edit box is gone, the button after it is next.
  ClickTab(1);
  ::EnableWindow(edit, FALSE);
  ClickTab(0);
  EXPECT_EQ(::GetFocus(), pageButton);

  char text[64] = {};
  ::GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, R"(D:\Tencent Messages)");
}

TEST_F(TabControlTest, ClicksOffTheOtherTabChangeNothing) {
  struct Case {
    const char* name;
    POINT point;
    bool disableOtherPage;
  };
  const RECT first = TabRectangle(tab, 0);
  const RECT second = TabRectangle(tab, 1);
  const std::vector<Case> cases{
      {"selected tab", Centre(first), false},
      {"cut corner of the other tab", {second.left + 1, 1}, false},
      {"between the tabs", {first.right, 10}, false},
      {"header right of the tabs", {second.right + 20, 10}, false},
      {"page area", {200, 100}, false},
      {"disabled page's tab", Centre(second), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetPageEnabled(tab, 1, !c.disableOtherPage);
    // Out of step with what a switch to page 0 would make of it.
    ::ShowWindow(pageButton, SW_HIDE);
    ::SetFocus(outsideButton);
    const Snapshot before = Take();
    Click(c.point);
    EXPECT_EQ(Take(), before);
    ::ShowWindow(pageButton, SW_SHOWNA);
  }
}

TEST_F(TabControlTest, PassesPageControlNotificationsToItsParent) {
  ::SendMessageA(pageButton, BM_CLICK, 0, 0);
  ASSERT_EQ(hostCommands.size(), 1u);
  EXPECT_EQ(hostCommands[0], MAKEWPARAM(kPageButtonId, BN_CLICKED));
}

TEST_F(TabControlTest, MovingBetweenTabsRedrawsTheTabLeftAndTheTabEntered) {
  // Update regions are kept for visible windows only; nothing here pumps the
  // messages that would paint them away.
  ::ShowWindow(host, SW_SHOWNA);
  const RECT first = TabRectangle(tab, 0);
  const RECT second = TabRectangle(tab, 1);
  struct Move {
    POINT to;
    bool firstRedrawn;
    bool secondRedrawn;
  };
  const std::vector<Move> moves{
      {Centre(first), true, false}, {{first.left + 3, 15}, false, false},  // within the same tab
      {Centre(second), true, true}, {{300, 10}, false, true},              // off the tabs
      {{320, 12}, false, false},
  };
  for (std::size_t index = 0; index < moves.size(); ++index) {
    SCOPED_TRACE(index);
    ::ValidateRect(tab, nullptr);
    ::SendMessageA(tab, WM_MOUSEMOVE, 0, PointParam(moves[index].to));
    const UniqueHandle<HRGN, DeleteGdiObject> region(::CreateRectRgn(0, 0, 0, 0));
    ::GetUpdateRgn(tab, region.get(), FALSE);
    const POINT a = Centre(first);
    const POINT b = Centre(second);
    EXPECT_EQ(::PtInRegion(region.get(), a.x, a.y) != FALSE, moves[index].firstRedrawn);
    EXPECT_EQ(::PtInRegion(region.get(), b.x, b.y) != FALSE, moves[index].secondRedrawn);
  }
}

constexpr COLORREF kOutline = RGB(145, 167, 180);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 136, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

TEST_F(TabControlTest, PaintsSlantedOutlinesOpenUnderTheSelectedTab) {
  const Picture picture = Paint();
  ASSERT_EQ(picture.width, 405);
  EXPECT_EQ(picture.pixels, Paint(true).pixels);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  const int cut = 5;
  for (int page = 0; page < 2; ++page) {
    SCOPED_TRACE(page);
    const RECT place = TabRectangle(tab, page);
    const int right = place.right - 1;
    for (int step = 0; step <= cut; ++step) {
      EXPECT_EQ(picture.At(place.left + step, cut - step), kOutline) << step;
      EXPECT_EQ(picture.At(right - cut + step, step), kOutline) << step;
    }
    // The cut-off corners and the tab's inside are button face.
    EXPECT_EQ(picture.At(place.left, 0), face);
    EXPECT_EQ(picture.At(place.left + 1, 1), face);
    EXPECT_EQ(picture.At(right, 0), face);
    EXPECT_EQ(picture.At(right - 1, 1), face);
    EXPECT_EQ(picture.At(place.left + 3, 15), face);
    EXPECT_EQ(picture.At(place.left, 12), kOutline);
    EXPECT_EQ(picture.At(right, 12), kOutline);
    EXPECT_EQ(picture.At(Centre(place).x, 0), kOutline);
  }
  // The header's bottom line is open under the selected tab only.
  EXPECT_EQ(picture.At(Centre(TabRectangle(tab, 0)).x, 19), face);
  EXPECT_EQ(picture.At(Centre(TabRectangle(tab, 1)).x, 19), kOutline);
  EXPECT_EQ(picture.At(380, 19), kOutline);
  EXPECT_EQ(picture.At(380, 10), face);
  EXPECT_EQ(picture.At(200, 150), face);

  ClickTab(1);
  const Picture switched = Paint();
  EXPECT_EQ(switched.At(Centre(TabRectangle(tab, 0)).x, 19), kOutline);
  EXPECT_EQ(switched.At(Centre(TabRectangle(tab, 1)).x, 19), face);
}

TEST(TabControlPaintTest, TitleColoursFollowSelectionHoverAndEnabling) {
  struct Case {
    const char* name;
    void (*arrange)(TabHarness&);
    COLORREF first;
    COLORREF second;
  };
  const std::vector<Case> cases{
      {"as created", [](TabHarness&) {}, kBlue, kBlack},
      {"second selected", [](TabHarness& t) { t.ClickTab(1); }, kBlack, kBlue},
      {"hover on the selected tab",
       [](TabHarness& t) {
         ::SendMessageA(t.tab, WM_MOUSEMOVE, 0, PointParam(Centre(TabRectangle(t.tab, 0))));
       },
       kRed, kBlack},
      {"hover on the other tab",
       [](TabHarness& t) {
         ::SendMessageA(t.tab, WM_MOUSEMOVE, 0, PointParam(Centre(TabRectangle(t.tab, 1))));
       },
       kBlue, kRed},
      {"other page disabled, hovered",
       [](TabHarness& t) {
         SetPageEnabled(t.tab, 1, false);
         ::SendMessageA(t.tab, WM_MOUSEMOVE, 0, PointParam(Centre(TabRectangle(t.tab, 1))));
       },
       kBlue, kGrey},
      {"control disabled", [](TabHarness& t) { ::EnableWindow(t.tab, FALSE); }, kGrey, kGrey},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TabHarness fresh;
    c.arrange(fresh);
    const auto picture = fresh.Paint();
    const COLORREF expected[2] = {c.first, c.second};
    for (int page = 0; page < 2; ++page) {
      SCOPED_TRACE(page);
      // Inside the outline and clear of the corner cuts: nothing but the title.
      RECT place = TabRectangle(fresh.tab, page);
      ::InflateRect(&place, -6, -1);
      const auto ink = picture.InkTowards(place, ::GetSysColor(COLOR_BTNFACE), expected[page]);
      EXPECT_GT(ink.pixels, 50);
      EXPECT_EQ(ink.offTheWay, 0);
      EXPECT_GT(ink.strongest, 0.9);
    }
  }
}

}  // namespace
}  // namespace movaro::testing
