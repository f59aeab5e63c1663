#include "ui/window_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace movaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CentredEdgeTest, CentresAndTruncatesTowardsZero) {
  EXPECT_EQ(CentredEdge(1920, 388), 766);
  EXPECT_EQ(CentredEdge(1080, 245), 417);
  EXPECT_EQ(CentredEdge(1023, 388), 317);  // 317.5
  EXPECT_EQ(CentredEdge(243, 388), -72);   // -72.5: towards zero, not down
}

TEST(StatusPartEdgesTest, SumsWidthsAndStopsAtTheStretchingPart) {
  EXPECT_THAT(StatusPartEdges({8, -1}), ElementsAre(8, -1));
  EXPECT_THAT(StatusPartEdges({8, 20, 30}), ElementsAre(8, 28, 58));
  EXPECT_THAT(StatusPartEdges({8, -1, 30}), ElementsAre(8, -1));
  EXPECT_THAT(StatusPartEdges({}), IsEmpty());
}

// The candidates of the real window with one page selected.
std::vector<FocusCandidate> Candidates(int selectedPage) {
  std::vector<FocusCandidate> candidates;
  for (const ControlDefinition& control : MainWindowControls()) {
    const bool pageShown = control.page == kNoPage || control.page == selectedPage;
    candidates.push_back(
        {control.kind, control.shown && pageShown, true, control.tabStop, control.focusOrder});
  }
  return candidates;
}

std::vector<std::string> Names(const std::vector<std::size_t>& indices) {
  std::vector<std::string> names;
  for (const std::size_t index : indices) {
    names.push_back(MainWindowControls()[index].name);
  }
  return names;
}

TEST(FocusCycleTest, RunsInReverseDefinitionOrderAmongEqualValues) {
  EXPECT_THAT(Names(FocusCycle(Candidates(0))),
              ElementsAre("按钮_一键修改", "按钮_选择目录", "编辑框_保存目录", "编辑框1"));
  EXPECT_THAT(FocusCycle(Candidates(1)), IsEmpty()) << "pictures and labels take no focus";
}

TEST(FocusCycleTest, LowerFocusOrderComesFirstAndIneligibleControlsAreLeftOut) {
  std::vector<FocusCandidate> candidates = Candidates(0);
  candidates[1].focusOrder = -1;  // 编辑框1 first
  candidates[6].enabled = false;  // 按钮_一键修改 out
  candidates[5].tabStop = false;  // 按钮_选择目录 out
  EXPECT_THAT(Names(FocusCycle(candidates)), ElementsAre("编辑框1", "编辑框_保存目录"));
}

TEST(NextInCycleTest, WrapsBothWaysAndStartsAtTheFrontFromOutside) {
  const std::vector<std::size_t> cycle{6, 5, 3, 1};
  EXPECT_EQ(NextInCycle(cycle, 6, true), 5u);
  EXPECT_EQ(NextInCycle(cycle, 1, true), 6u);
  EXPECT_EQ(NextInCycle(cycle, 6, false), 1u);
  EXPECT_EQ(NextInCycle(cycle, 3, false), 5u);
  EXPECT_EQ(NextInCycle(cycle, 9, true), 6u);
  EXPECT_EQ(NextInCycle(cycle, std::nullopt, false), 6u);
  EXPECT_EQ(NextInCycle({}, 6, true), std::nullopt);
}

TEST(WindowDefinitionTest, TextsAreGbkBytes) {
  const auto& controls = MainWindowControls();
  EXPECT_STREQ(controls[6].text, "\xD2\xBB\xBC\xFC\xD0\xDE\xB8\xC4");  // 一键修改
  EXPECT_STREQ(controls[5].text, "\xD1\xA1\xD4\xF1\xC4\xBF\xC2\xBC");  // 选择目录
  EXPECT_EQ(std::string(controls[1].text).size(), 210u);
  EXPECT_EQ(std::string(PageTitles()[1]), "\xD6\xA7\xB3\xD6");  // 支持
}

}  // namespace
}  // namespace movaro
