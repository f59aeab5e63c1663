#include "ui/tab_control.h"

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "ui/form_font.h"
#include "ui/gdi.h"
#include "ui/tab_geometry.h"

namespace movaro {

namespace {

struct PageControl {
  HWND window;
  bool shownWhenSelected;
  bool takesFocus;
};

struct Page {
  Text title;
  bool enabled;
  std::vector<PageControl> controls;
};

struct TabControlState {
  std::vector<Page> pages;
  std::vector<TabRect> tabs;
  int headerHeight = kMinimumHeaderHeight;
  std::size_t selected = 0;
  std::optional<std::size_t> hovered;
  bool trackingLeave = false;
  UniqueFont font = CreateFormFont();
};

// What CreateTabControl hands to WM_NCCREATE.
struct Creation {
  std::vector<TabPage>* pages;
};

// Restores a device context that is not ours (WM_PRINTCLIENT's) after painting.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  ~SavedDc() {
    if (saved_ != 0) {
      ::RestoreDC(dc_, saved_);
    }
  }
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;

 private:
  HDC dc_;
  int saved_;
};

COLORREF ToColorRef(TabColour colour) { return RGB(colour.red, colour.green, colour.blue); }

RECT ToRect(const TabRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool HasVisibleStyle(HWND window) {
  // Not IsWindowVisible: the main window may still be hidden while it is built.
  return (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

TabControlState* StateOf(HWND window) {
  char className[sizeof kTabControlClassName + 1] = {};
  if (window == nullptr || ::GetClassNameA(window, className, sizeof className) == 0 ||
      std::strcmp(className, kTabControlClassName) != 0) {
    return nullptr;
  }
  return reinterpret_cast<TabControlState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

Page* PageOf(TabControlState* state, int page) {
  if (state == nullptr || page < 0 || static_cast<std::size_t>(page) >= state->pages.size()) {
    return nullptr;
  }
  return &state->pages[static_cast<std::size_t>(page)];
}

// Measures the titles with the control's own font, as they are drawn.
void LayOut(TabControlState& state) {
  const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  std::vector<int> widths;
  int characterHeight = 0;
  if (dc) {
    const SelectionGuard font(dc.get(), FontOrDefault(state.font));
    TEXTMETRICA metrics{};
    if (::GetTextMetricsA(dc.get(), &metrics)) {
      characterHeight = metrics.tmHeight - metrics.tmInternalLeading;
    }
    for (const Page& page : state.pages) {
      SIZE size{};
      ::GetTextExtentPoint32A(dc.get(), page.title.c_str(), static_cast<int>(page.title.size()),
                              &size);
      widths.push_back(size.cx);
    }
  } else {
    widths.assign(state.pages.size(), 0);
  }
  state.headerHeight = HeaderHeight(characterHeight);
  state.tabs = LayoutTabs(widths, state.headerHeight);
}

void Paint(HDC dc, const TabControlState& state, const RECT& client, bool controlEnabled) {
  const SavedDc saved(dc);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));

  const UniquePen pen(::CreatePen(PS_SOLID, 1, ToColorRef(kOutlineColour)));
  if (pen) {
    const SelectionGuard selectedPen(dc, pen.get());
    for (const TabRect& tab : state.tabs) {
      const auto outline = SlantedTabOutline(tab, state.headerHeight);
      std::array<POINT, outline.size()> points{};
      for (std::size_t index = 0; index < outline.size(); ++index) {
        points[index] = {outline[index].x, outline[index].y};
      }
      // Polyline leaves out the last pixel; the header's bottom line covers it.
      ::Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
    // The header's bottom line, open under the selected tab so that the tab
    // and its page read as one.
    const int line = state.headerHeight - 1;
    ::MoveToEx(dc, client.left, line, nullptr);
    if (state.selected < state.tabs.size()) {
      const TabRect& tab = state.tabs[state.selected];
      ::LineTo(dc, tab.left + 1, line);
      ::MoveToEx(dc, tab.right - 1, line, nullptr);
    }
    ::LineTo(dc, client.right, line);
  }

  const SelectionGuard font(dc, FontOrDefault(state.font));
  ::SetBkMode(dc, TRANSPARENT);
  for (std::size_t index = 0; index < state.tabs.size() && index < state.pages.size(); ++index) {
    const TitleState title{.hovered = state.hovered == index,
                           .selected = state.selected == index,
                           .pageEnabled = state.pages[index].enabled,
                           .controlEnabled = controlEnabled};
    ::SetTextColor(dc, ToColorRef(TitleColour(title)));
    RECT place = ToRect(state.tabs[index]);
    const Text& text = state.pages[index].title;
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &place,
                DT_CENTER | DT_SINGLELINE | DT_VCENTER);
  }
}

void InvalidateTab(HWND window, const TabControlState& state, std::optional<std::size_t> tab) {
  if (tab && *tab < state.tabs.size()) {
    const RECT place = ToRect(state.tabs[*tab]);
    ::InvalidateRect(window, &place, FALSE);
  }
}

void SwitchTo(HWND window, TabControlState& state, std::size_t selected) {
  const std::vector<PageControl>& controls = state.pages[selected].controls;
  // Allocated first: running out of memory then leaves the pages as they were.
  std::vector<PageFocusCandidate> candidates;
  candidates.reserve(controls.size());

  state.selected = selected;
  RECT header{};
  ::GetClientRect(window, &header);
  header.bottom = state.headerHeight;
  ::InvalidateRect(window, &header, FALSE);

  for (std::size_t index = 0; index < state.pages.size(); ++index) {
    if (index == selected) {
      continue;
    }
    for (const PageControl& control : state.pages[index].controls) {
      if (HasVisibleStyle(control.window)) {
        ::ShowWindow(control.window, SW_HIDE);
      }
    }
  }
  for (const PageControl& control : controls) {
    if (control.shownWhenSelected) {
      ::ShowWindow(control.window, SW_SHOWNA);
    }
    candidates.push_back({.takesFocus = control.takesFocus,
                          .visible = HasVisibleStyle(control.window),
                          .enabled = ::IsWindowEnabled(control.window) != FALSE});
  }
  if (const auto target = FocusTarget(candidates)) {
    ::SetFocus(controls[*target].window);
  }
}

TabPoint PointOf(LPARAM lParam) {
  // Signed: the mouse can be captured outside the window.
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* creation = static_cast<const Creation*>(create->lpCreateParams);
    if (creation == nullptr || creation->pages == nullptr) {
      return FALSE;
    }
    auto state = std::make_unique<TabControlState>();
    for (TabPage& page : *creation->pages) {
      state->pages.push_back({std::move(page.title), page.enabled, {}});
    }
    LayOut(*state);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    const LRESULT created = ::DefWindowProcA(window, message, wParam, lParam);
    if (!created) {
      // Whether WM_NCDESTROY still follows is not ours to rely on.
      delete reinterpret_cast<TabControlState*>(::SetWindowLongPtrA(window, GWLP_USERDATA, 0));
    }
    return created;
  }
  if (message == WM_NCDESTROY) {
    delete reinterpret_cast<TabControlState*>(::SetWindowLongPtrA(window, GWLP_USERDATA, 0));
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  auto* state = reinterpret_cast<TabControlState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state == nullptr) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_PAINT: {
      const PaintGuard paint(window);
      RECT client{};
      ::GetClientRect(window, &client);
      Paint(paint.dc(), *state, client, ::IsWindowEnabled(window) != FALSE);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      ::GetClientRect(window, &client);
      Paint(reinterpret_cast<HDC>(wParam), *state, client, ::IsWindowEnabled(window) != FALSE);
      return 0;
    }
    case WM_ENABLE: {
      RECT header{};
      ::GetClientRect(window, &header);
      header.bottom = state->headerHeight;
      ::InvalidateRect(window, &header, FALSE);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const auto hovered = HitTestTabs(state->tabs, state->headerHeight, PointOf(lParam));
      if (hovered != state->hovered) {
        InvalidateTab(window, *state, state->hovered);
        InvalidateTab(window, *state, hovered);
        state->hovered = hovered;
      }
      if (!state->trackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        state->trackingLeave = ::TrackMouseEvent(&track) != FALSE;
      }
      return 0;
    }
    case WM_MOUSELEAVE:
      state->trackingLeave = false;
      InvalidateTab(window, *state, state->hovered);
      state->hovered.reset();
      return 0;
    case WM_LBUTTONDOWN: {
      std::vector<bool> enabled;
      for (const Page& page : state->pages) {
        enabled.push_back(page.enabled);
      }
      const auto clicked = HitTestTabs(state->tabs, state->headerHeight, PointOf(lParam));
      if (const auto page = PageToSwitchTo(clicked, state->selected, enabled)) {
        SwitchTo(window, *state, *page);
      }
      return 0;  // no SetFocus: the control never holds the focus itself
    }
    // The page controls' notifications belong to the window that handles them.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      return ::SendMessageA(::GetParent(window), message, wParam, lParam);
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK TabControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    // Out of memory while switching or laying out: the control stays as it
    // was, and a failed creation is refused.
    if (message == WM_NCCREATE) {
      return FALSE;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterTabControlClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &TabControlProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kTabControlClassName;
  return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreateTabControl(HWND parent, int id, RECT place, std::vector<TabPage> pages) {
  Creation creation{&pages};
  // WS_EX_CONTROLPARENT lets dialog navigation reach the page controls.
  return ::CreateWindowExA(WS_EX_CONTROLPARENT, kTabControlClassName, "",
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                           &creation);
}

void AddPageControl(HWND tab, int page, HWND control, bool shownWhenSelected, bool takesFocus) {
  TabControlState* state = StateOf(tab);
  Page* target = PageOf(state, page);
  if (target == nullptr || control == nullptr) {
    return;
  }
  target->controls.push_back({control, shownWhenSelected, takesFocus});
  const bool shown = shownWhenSelected && static_cast<std::size_t>(page) == state->selected;
  if (shown != HasVisibleStyle(control)) {
    ::ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
  }
}

int SelectedPage(HWND tab) {
  const TabControlState* state = StateOf(tab);
  return state != nullptr ? static_cast<int>(state->selected) : -1;
}

void SetPageEnabled(HWND tab, int page, bool enabled) {
  TabControlState* state = StateOf(tab);
  if (Page* target = PageOf(state, page); target != nullptr && target->enabled != enabled) {
    target->enabled = enabled;
    InvalidateTab(tab, *state, static_cast<std::size_t>(page));
  }
}

RECT PageArea(HWND tab) {
  RECT area{};
  if (const TabControlState* state = StateOf(tab)) {
    ::GetClientRect(tab, &area);
    area.top = state->headerHeight;
  }
  return area;
}

RECT TabRectangle(HWND tab, int page) {
  const TabControlState* state = StateOf(tab);
  if (state == nullptr || page < 0 || static_cast<std::size_t>(page) >= state->tabs.size()) {
    return {};
  }
  return ToRect(state->tabs[static_cast<std::size_t>(page)]);
}

void PaintTabControl(HWND tab, HDC dc) {
  if (const TabControlState* state = StateOf(tab)) {
    RECT client{};
    ::GetClientRect(tab, &client);
    Paint(dc, *state, client, ::IsWindowEnabled(tab) != FALSE);
  }
}

}  // namespace movaro
