// The tab control's layout, shape, title colours and focus choice.
#include "ui/tab_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace movaro {
namespace {

std::string Describe(TabPoint point) {
  return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

TEST(TabGeometryTest, HeaderIsTheLargerOfCharacterHeightAndMinimum) {
  struct Case {
    int characterHeight;
    int minimum;
    int header;
  };
  for (const Case& c : std::vector<Case>{
           {12, kMinimumHeaderHeight, 20}, {20, 20, 20}, {27, 20, 27}, {0, 20, 20}, {12, 8, 12}}) {
    SCOPED_TRACE(std::to_string(c.characterHeight) + " / " + std::to_string(c.minimum));
    EXPECT_EQ(HeaderHeight(c.characterHeight, c.minimum), c.header);
  }
}

TEST(TabGeometryTest, CornerCutIsAQuarterOfTheHeader) {
  struct Case {
    int header;
    int cut;
  };
  for (const Case& c : std::vector<Case>{{20, 5}, {24, 6}, {23, 5}, {3, 0}}) {
    SCOPED_TRACE(c.header);
    EXPECT_EQ(CornerCut(c.header), c.cut);
  }
}

TEST(TabGeometryTest, TabsLieInOneRowSizedByTheirTitles) {
  struct Case {
    std::vector<int> widths;
    int header;
    std::vector<TabRect> tabs;
  };
  const int pad = 2 * kTitlePadding;
  const int second = kFirstTabLeft + 40 + pad + kTabSpacing;
  const std::vector<Case> cases{
      {{}, 20, {}},
      {{40}, 20, {{kFirstTabLeft, 0, kFirstTabLeft + 40 + pad, 20}}},
      {{40, 24},
       20,
       {{kFirstTabLeft, 0, kFirstTabLeft + 40 + pad, 20}, {second, 0, second + 24 + pad, 20}}},
      // A failed measurement gives a tab of padding only, never a negative width.
      {{-3, 0},
       26,
       {{kFirstTabLeft, 0, kFirstTabLeft + pad, 26},
        {kFirstTabLeft + pad + kTabSpacing, 0, kFirstTabLeft + 2 * pad + kTabSpacing, 26}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.widths));
    EXPECT_EQ(LayoutTabs(c.widths, c.header), c.tabs);
  }
}

TEST(TabGeometryTest, OutlineCutsBothUpperCornersDiagonally) {
  struct Case {
    TabRect tab;
    int header;
    std::array<TabPoint, 6> outline;
  };
  const std::vector<Case> cases{
      {{2, 0, 62, 20}, 20, {{{2, 19}, {2, 5}, {7, 0}, {56, 0}, {61, 5}, {61, 19}}}},
      {{64, 0, 108, 20}, 20, {{{64, 19}, {64, 5}, {69, 0}, {102, 0}, {107, 5}, {107, 19}}}},
      {{10, 3, 40, 27}, 24, {{{10, 26}, {10, 9}, {16, 3}, {33, 3}, {39, 9}, {39, 26}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tab.left);
    const auto outline = SlantedTabOutline(c.tab, c.header);
    EXPECT_EQ(outline, c.outline);
    // The cuts run at 45°, one quarter of the header along each axis.
    const int cut = CornerCut(c.header);
    EXPECT_EQ(outline[2].x - outline[1].x, cut);
    EXPECT_EQ(outline[1].y - outline[2].y, cut);
    EXPECT_EQ(outline[4].x - outline[3].x, cut);
    EXPECT_EQ(outline[4].y - outline[3].y, cut);
  }
}

TEST(TabGeometryTest, ContainsFollowsTheSlantedShape) {
  const TabRect tab{10, 0, 50, 20};  // cut 5
  struct Case {
    TabPoint point;
    bool inside;
  };
  const std::vector<Case> cases{
      {{30, 10}, true},  {{10, 19}, true},  {{49, 19}, true}, {{10, 20}, false}, {{9, 10}, false},
      {{50, 10}, false}, {{30, -1}, false}, {{10, 0}, false}, {{14, 0}, false},  {{15, 0}, true},
      {{10, 4}, false},  {{10, 5}, true},   {{12, 2}, false}, {{12, 3}, true},   {{49, 0}, false},
      {{45, 0}, false},  {{44, 0}, true},   {{49, 4}, false}, {{49, 5}, true},   {{47, 2}, false},
      {{47, 3}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.point));
    EXPECT_EQ(TabContains(tab, 20, c.point), c.inside);
  }
}

TEST(TabGeometryTest, EveryOutlinePixelIsInsideAndTheCornerBeyondIsNot) {
  for (const int header : {20, 24, 31}) {
    const TabRect tab{kFirstTabLeft, 0, kFirstTabLeft + 50, header};
    const auto outline = SlantedTabOutline(tab, header);
    for (std::size_t index = 0; index + 1 < outline.size(); ++index) {
      const TabPoint from = outline[index];
      const TabPoint to = outline[index + 1];
      const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
      const int dx = to.x > from.x ? 1 : (to.x < from.x ? -1 : 0);
      const int dy = to.y > from.y ? 1 : (to.y < from.y ? -1 : 0);
      for (int step = 0; step <= steps; ++step) {
        const TabPoint pixel{from.x + step * dx, from.y + step * dy};
        SCOPED_TRACE(std::to_string(header) + " " + Describe(pixel));
        EXPECT_TRUE(TabContains(tab, header, pixel));
        // On a cut, the pixel diagonally outwards is header, not tab.
        if (dx != 0 && dy != 0) {
          const int outwards = pixel.x < (tab.left + tab.right) / 2 ? -1 : 1;
          EXPECT_FALSE(TabContains(tab, header, {pixel.x + outwards, pixel.y - 1}));
        }
      }
    }
  }
}

TEST(TabGeometryTest, HitTestFindsTheTabUnderThePoint) {
  const std::vector<int> widths{40, 24, 30};
  const auto tabs = LayoutTabs(widths, 20);
  struct Case {
    TabPoint point;
    std::optional<std::size_t> tab;
  };
  const std::vector<Case> cases{
      {{(tabs[0].left + tabs[0].right) / 2, 10}, 0},
      {{(tabs[1].left + tabs[1].right) / 2, 10}, 1},
      {{tabs[2].right - 1, 19}, 2},
      {{tabs[1].left, 5}, 1},
      {{tabs[0].right, 10}, std::nullopt},      // the spacing between tabs
      {{tabs[1].left, 0}, std::nullopt},        // a cut-off corner
      {{tabs[0].left - 1, 10}, std::nullopt},   // left of the row
      {{tabs[2].right + 5, 10}, std::nullopt},  // right of the row
      {{tabs[0].left + 20, 20}, std::nullopt},  // the page area
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Describe(c.point));
    EXPECT_EQ(HitTestTabs(tabs, 20, c.point), c.tab);
  }
}

TEST(TabGeometryTest, TitleColourPrefersDisabledThenHoverThenSelection) {
  struct Case {
    TitleState state;
    TabColour colour;
  };
  const TabColour red{255, 0, 0}, blue{0, 136, 255}, black{0, 0, 0}, grey{128, 128, 128};
  const std::vector<Case> cases{
      {{.hovered = false, .selected = false}, black},
      {{.hovered = false, .selected = true}, blue},
      {{.hovered = true, .selected = false}, red},
      {{.hovered = true, .selected = true}, red},
      {{.hovered = false, .selected = true, .pageEnabled = false}, grey},
      {{.hovered = true, .selected = false, .pageEnabled = false}, grey},
      {{.hovered = true, .selected = true, .controlEnabled = false}, grey},
      {{.hovered = false, .selected = false, .controlEnabled = false}, grey},
      {{.hovered = true, .selected = true, .pageEnabled = false, .controlEnabled = false}, grey},
  };
  for (std::size_t index = 0; index < cases.size(); ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(TitleColour(cases[index].state), cases[index].colour);
  }
  EXPECT_EQ(kOutlineColour, (TabColour{145, 167, 180}));
}

TEST(TabGeometryTest, ClickSwitchesOnlyToAnotherEnabledPage) {
  struct Case {
    std::optional<std::size_t> clicked;
    std::size_t selected;
    std::vector<bool> enabled;
    std::optional<std::size_t> page;
  };
  const std::vector<Case> cases{
      {1, 0, {true, true}, 1},
      {0, 1, {true, true}, 0},
      {0, 0, {true, true}, std::nullopt},  // the selected tab
      {std::nullopt, 0, {true, true}, std::nullopt},
      {1, 0, {true, false}, std::nullopt},  // a disabled page
      {2, 0, {true, true}, std::nullopt},   // no such page
  };
  for (std::size_t index = 0; index < cases.size(); ++index) {
    SCOPED_TRACE(index);
    const Case& c = cases[index];
    EXPECT_EQ(PageToSwitchTo(c.clicked, c.selected, c.enabled), c.page);
  }
}

TEST(TabGeometryTest, FocusGoesToTheFirstVisibleEnabledFocusableControl) {
  constexpr PageFocusCandidate label{.takesFocus = false, .visible = true, .enabled = true};
  constexpr PageFocusCandidate edit{.takesFocus = true, .visible = true, .enabled = true};
  constexpr PageFocusCandidate hiddenEdit{.takesFocus = true, .visible = false, .enabled = true};
  constexpr PageFocusCandidate disabledButton{
      .takesFocus = true, .visible = true, .enabled = false};
  constexpr PageFocusCandidate invisibleControl{
      .takesFocus = false, .visible = false, .enabled = true};
  struct Case {
    std::vector<PageFocusCandidate> controls;
    std::optional<std::size_t> target;
  };
  const std::vector<Case> cases{
      {{edit, label, edit}, 0},
      {{label, edit}, 1},
      {{hiddenEdit, disabledButton, label, edit, edit}, 3},
      {{label, label, invisibleControl}, std::nullopt},
      {{hiddenEdit, disabledButton}, std::nullopt},
      {{}, std::nullopt},
  };
  for (std::size_t index = 0; index < cases.size(); ++index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(FocusTarget(cases[index].controls), cases[index].target);
  }
}

}  // namespace
}  // namespace movaro
