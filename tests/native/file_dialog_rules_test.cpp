#include "ui/file_dialog_rules.h"

#include <gtest/gtest.h>

namespace movaro {
namespace {

TEST(FileDialogFlagsTest, ThisProgramsSettingsGiveItsFlagWord) {
  FileDialogSettings settings;
  settings.kind = FileDialogKind::SaveFile;
  EXPECT_EQ(FileDialogFlags(settings), 0x00881826u);
}

TEST(FileDialogFlagsTest, EachSwitchAddsOnlyItsOwnFlag) {
  FileDialogSettings none;
  none.fileMustExist = false;
  none.askBeforeOverwriting = false;
  none.pathMustExist = false;
  const std::uint32_t base = FileDialogFlags(none);
  EXPECT_EQ(base, 0x00880024u) << "hide read-only, hook, Explorer, sizing";

  struct Case {
    bool FileDialogSettings::*theSwitch;
    std::uint32_t flag;
  };
  const Case cases[] = {
      {&FileDialogSettings::fileMustExist, 0x1000},
      {&FileDialogSettings::askBeforeOverwriting, 0x2},
      {&FileDialogSettings::pathMustExist, 0x800},
      {&FileDialogSettings::askBeforeCreating, 0x2000},
      {&FileDialogSettings::keepCurrentDirectory, 0x8},
  };
  for (const Case& test : cases) {
    FileDialogSettings settings = none;
    settings.*test.theSwitch = true;
    EXPECT_EQ(FileDialogFlags(settings), base | test.flag) << std::hex << test.flag;
  }
}

struct CentringCase {
  const char* name;
  ScreenRect owner;
  int width;
  int height;
  ScreenPoint expected;
  ScreenRect workArea = {0, 0, 1920, 1080};
};

class CentreOverOwnerTest : public ::testing::TestWithParam<CentringCase> {};

TEST_P(CentreOverOwnerTest, CentresThenClampsToTheWorkArea) {
  const CentringCase& param = GetParam();
  const ScreenPoint at = CentreOverOwner(param.owner, param.width, param.height, param.workArea);
  EXPECT_EQ(at.x, param.expected.x);
  EXPECT_EQ(at.y, param.expected.y);
}

INSTANTIATE_TEST_SUITE_P(
    Places, CentreOverOwnerTest,
    ::testing::Values(
        // The main window at its start place and Wine's 500 x 286 dialog.
        CentringCase{"Centred", {766, 417, 1154, 662}, 500, 286, {710, 396}},
        CentringCase{"OddSizesRoundTowardsZero", {0, 0, 101, 51}, 41, 21, {30, 15}},
        CentringCase{"NegativeHalvesRoundTowardsZero",
                     {-101, -51, 0, 0},
                     40,
                     20,
                     {-70, -35},
                     {-2000, -2000, 2000, 2000}},
        CentringCase{"ClampedAtTheLeftEdge", {-300, 400, 100, 600}, 500, 100, {0, 450}},
        CentringCase{"ClampedAtTheRightEdge", {1800, 400, 1920, 600}, 500, 100, {1420, 450}},
        CentringCase{"ClampedAtTheTopEdge", {400, -200, 600, 50}, 100, 300, {450, 0}},
        CentringCase{"ClampedAtTheBottomEdge", {400, 1000, 600, 1080}, 100, 300, {450, 780}},
        CentringCase{"LargerThanTheAreaKeepsTheLeftEdge", {0, 0, 1920, 1080}, 2000, 100, {0, 490}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace movaro
