#include "ui/tab_geometry.h"

#include <algorithm>

namespace movaro {

int HeaderHeight(int characterHeight, int minimumHeight) {
  return std::max(characterHeight, minimumHeight);
}

int CornerCut(int headerHeight) { return headerHeight / 4; }

std::vector<TabRect> LayoutTabs(std::span<const int> titleWidths, int headerHeight) {
  std::vector<TabRect> tabs;
  tabs.reserve(titleWidths.size());
  int left = kFirstTabLeft;
  for (const int width : titleWidths) {
    const int right = left + std::max(width, 0) + 2 * kTitlePadding;
    tabs.push_back({left, 0, right, headerHeight});
    left = right + kTabSpacing;
  }
  return tabs;
}

std::array<TabPoint, 6> SlantedTabOutline(const TabRect& tab, int headerHeight) {
  const int cut = CornerCut(headerHeight);
  const int right = tab.right - 1;
  const int bottom = tab.bottom - 1;
  return {{{tab.left, bottom},
           {tab.left, tab.top + cut},
           {tab.left + cut, tab.top},
           {right - cut, tab.top},
           {right, tab.top + cut},
           {right, bottom}}};
}

bool TabContains(const TabRect& tab, int headerHeight, TabPoint point) {
  if (point.x < tab.left || point.x >= tab.right || point.y < tab.top || point.y >= tab.bottom) {
    return false;
  }
  // Above a 45° cut the distances to the side and to the top add up to less
  // than the cut; the cut's own pixels are part of the outline.
  const int cut = CornerCut(headerHeight);
  const int down = point.y - tab.top;
  return (point.x - tab.left) + down >= cut && (tab.right - 1 - point.x) + down >= cut;
}

std::optional<std::size_t> HitTestTabs(std::span<const TabRect> tabs, int headerHeight,
                                       TabPoint point) {
  for (std::size_t index = 0; index < tabs.size(); ++index) {
    if (TabContains(tabs[index], headerHeight, point)) {
      return index;
    }
  }
  return std::nullopt;
}

TabColour TitleColour(const TitleState& state) {
  if (!state.pageEnabled || !state.controlEnabled) {
    return kDisabledTitleColour;
  }
  if (state.hovered) {
    return kHoveredTitleColour;
  }
  return state.selected ? kSelectedTitleColour : kNormalTitleColour;
}

std::optional<std::size_t> PageToSwitchTo(std::optional<std::size_t> clicked, std::size_t selected,
                                          const std::vector<bool>& pageEnabled) {
  if (!clicked || *clicked == selected || *clicked >= pageEnabled.size() ||
      !pageEnabled[*clicked]) {
    return std::nullopt;
  }
  return clicked;
}

std::optional<std::size_t> FocusTarget(std::span<const PageFocusCandidate> controls) {
  const auto found = std::find_if(
      controls.begin(), controls.end(),
      [](const PageFocusCandidate& c) { return c.takesFocus && c.visible && c.enabled; });
  if (found == controls.end()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(found - controls.begin());
}

}  // namespace movaro
