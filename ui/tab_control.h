// The main window's tab control, drawn by the program: slanted tabs in one row
// along the top, the pages' controls as its children.
#pragma once

#include <windows.h>

#include <vector>

#include "core/text.h"

namespace movaro {

inline constexpr char kTabControlClassName[] = "MovaroTabControl";

struct TabPage {
  Text title;  // GBK
  bool enabled = true;
};

// Registers the window class once per process; true also when it exists.
bool RegisterTabControlClass(HINSTANCE instance);

// A visible child window of `parent` at `place` (parent's client coordinates)
// with page 0 selected. It is never a tab stop and never takes the focus on a
// click. The messages its page controls send to their parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM) are passed on to
// `parent`. Null on failure.
HWND CreateTabControl(HWND parent, int id, RECT place, std::vector<TabPage> pages);

// Appends a control, already a child of `tab`, to the page's order.
// `shownWhenSelected` false marks a control that is never shown; `takesFocus`
// marks an edit box or button. The control's visibility is brought in line
// with the selected page at once.
void AddPageControl(HWND tab, int page, HWND control, bool shownWhenSelected, bool takesFocus);

int SelectedPage(HWND tab);

// Greys the page's title; a disabled page is not switched to by a click.
void SetPageEnabled(HWND tab, int page, bool enabled);

// The client area below the header, where the page controls lie.
RECT PageArea(HWND tab);

// The tab's rectangle in the control's client coordinates; empty when there
// is no such page.
RECT TabRectangle(HWND tab, int page);

// Paints the whole control into `dc` as WM_PAINT would (WM_PRINTCLIENT does
// the same), so that a memory device context can be checked.
void PaintTabControl(HWND tab, HDC dc);

}  // namespace movaro
