// The tab control's layout, shape, colours and focus choice, kept free of
// Windows headers so that they are tested natively.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace movaro {

// A rectangle of pixels; right and bottom are exclusive, as in Win32's RECT.
struct TabRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const TabRect&) const = default;
};

struct TabPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TabPoint&) const = default;
};

struct TabColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const TabColour&) const = default;
};

// The header is never lower than this, whatever the font.
inline constexpr int kMinimumHeaderHeight = 20;
// The first tab starts this far from the control's left edge.
inline constexpr int kFirstTabLeft = 2;
// Empty space between the title and each side of its tab; it holds the corner
// cut (a quarter of the header) with room to spare, so a title never touches
// the slanted edges.
inline constexpr int kTitlePadding = 10;
// Space between neighbouring tabs, so that their outlines stay apart.
inline constexpr int kTabSpacing = 2;

inline constexpr TabColour kOutlineColour{145, 167, 180};
inline constexpr TabColour kHoveredTitleColour{255, 0, 0};
inline constexpr TabColour kSelectedTitleColour{0, 136, 255};
inline constexpr TabColour kNormalTitleColour{0, 0, 0};
inline constexpr TabColour kDisabledTitleColour{128, 128, 128};

// The larger of the font's character height and the stored minimum.
int HeaderHeight(int characterHeight, int minimumHeight = kMinimumHeaderHeight);

// How far each upper corner is cut in from the tab's side along its top edge
// (and down along the side: the cut is diagonal).
int CornerCut(int headerHeight);

// One tab per title, in one row along the top, each as high as the header and
// as wide as its title plus kTitlePadding on both sides.
std::vector<TabRect> LayoutTabs(std::span<const int> titleWidths, int headerHeight);

// The outline of a slanted tab as pixel positions, from the bottom left corner
// up, over the top and down to the bottom right corner. Every point, and the
// straight pixel lines between neighbours, belongs to the outline.
std::array<TabPoint, 6> SlantedTabOutline(const TabRect& tab, int headerHeight);

// Whether the point lies on or inside the tab's slanted outline; the cut-off
// corners belong to the header, not to the tab.
bool TabContains(const TabRect& tab, int headerHeight, TabPoint point);

// The index of the tab under the point, if any.
std::optional<std::size_t> HitTestTabs(std::span<const TabRect> tabs, int headerHeight,
                                       TabPoint point);

struct TitleState {
  bool hovered = false;
  bool selected = false;
  bool pageEnabled = true;
  bool controlEnabled = true;
};

// Grey while the page or the control is disabled; otherwise the hovered tab is
// red even when selected, the selected tab blue and the others black.
TabColour TitleColour(const TitleState& state);

// The page a click on tab `clicked` switches to: none for the tab already
// selected, a missing tab or a disabled page.
std::optional<std::size_t> PageToSwitchTo(std::optional<std::size_t> clicked, std::size_t selected,
                                          const std::vector<bool>& pageEnabled);

struct PageFocusCandidate {
  bool takesFocus = false;  // edit boxes and buttons; never pictures or labels
  bool visible = false;
  bool enabled = false;
};

// The first control, in the page's order, that takes the focus and is visible
// and enabled; none leaves the focus where it is.
std::optional<std::size_t> FocusTarget(std::span<const PageFocusCandidate> controls);

}  // namespace movaro
