#include "core/relocation_record.h"

#include <gtest/gtest.h>

#include "tests/native/core_fixture.h"

namespace movaro::testing {
namespace {

using ::testing::ElementsAre;

using Section = FakeProfileFiles::Section;
using File = FakeProfileFiles::File;

class RelocationTest : public CoreTest {
 protected:
  RelocationTest() {
    system.fileSystem.AddDirectory(kSharedFolder);
    RunStartupCheck(functions, window);
    log.Clear();
  }

  void Click() { ApplyRelocation(profiles, window, window); }

  const File* SettingsFile() const { return profiles.Find(kSettingsFile); }
};

TEST_F(RelocationTest, FilePathIsTheFolderJoinedWithTheFileName) {
  EXPECT_EQ(SettingsFilePath(), kSettingsFile);
  ReleaseSettingsFolderPath();
  EXPECT_EQ(SettingsFilePath(), R"(\UserDataInfo.ini)");
}

TEST_F(RelocationTest, NewFileHoldsJustTheTwoKeys) {
  Click();

  ASSERT_NE(SettingsFile(), nullptr);
  EXPECT_EQ(
      *SettingsFile(),
      (File{{"UserDataSet",
             {{"UserDataSavePathType", "2"}, {"UserDataSavePath", R"(D:\Tencent Messages)"}}}}));
  EXPECT_EQ(window.parts[1], R"(成功修改为：D:\Tencent Messages)");
}

TEST_F(RelocationTest, WritesTypeThenReadsTheBoxThenWritesPathThenReports) {
  Click();

  EXPECT_THAT(log.Calls(),
              ElementsAre(Call{"WritePrivateProfileStringA",
                               {"UserDataSet", "UserDataSavePathType", "2", kSettingsFile}},
                          Call{"GetEditText", {}},
                          Call{"WritePrivateProfileStringA",
                               {"UserDataSet", "UserDataSavePath", R"(D:\Tencent Messages)",
                                kSettingsFile}},
                          Call{"GetEditText", {}},
                          Call{"SetStatusPartText", {"1", R"(成功修改为：D:\Tencent Messages)"}}));
}

TEST_F(RelocationTest, OtherSectionsAndKeysAreKeptAndOldValuesReplaced) {
  profiles.AddFile(kSettingsFile,
                   {{"Misc", {{"Skin", "blue"}}},
                    {"UserDataSet", {{"UserDataSavePath", R"(E:\Old)"}, {"AutoBackup", "1"}}},
                    {"Last", {{"Key", "v"}}}});
  Click();

  EXPECT_EQ(*SettingsFile(), (File{{"Misc", {{"Skin", "blue"}}},
                                   {"UserDataSet",
                                    {{"UserDataSavePath", R"(D:\Tencent Messages)"},
                                     {"AutoBackup", "1"},
                                     {"UserDataSavePathType", "2"}}},
                                   {"Last", {{"Key", "v"}}}}));
}

TEST_F(RelocationTest, EmptyBoxWritesAnEmptyValueNotADeletion) {
  window.editText.clear();
  Click();

  EXPECT_EQ(profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePath"), "");
  EXPECT_EQ(window.parts[1], "成功修改为：");
  EXPECT_EQ(window.parts[1], "\xB3\xC9\xB9\xA6\xD0\xDE\xB8\xC4\xCE\xAA\xA3\xBA");
}

class DirectoryTextTest : public RelocationTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(DirectoryTextTest, IsWrittenAndShownUnchanged) {
  window.editText = GetParam();
  Click();

  EXPECT_EQ(profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePath"), GetParam());
  EXPECT_EQ(window.parts[1], Text("成功修改为：") + GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, DirectoryTextTest,
                         ::testing::Values(R"(D:\My Chat Messages)", "E:\\聊天记录\\誠",
                                           R"(F:\Messages\)", R"(  "quoted" \\)",
                                           "not a path at all"));

TEST_F(RelocationTest, ReadOnlyFileFailsBothWritesAndStaysAsItWas) {
  const File before{{"UserDataSet", {{"UserDataSavePath", R"(E:\Old)"}}}};
  profiles.AddFile(kSettingsFile, before);
  profiles.MakeReadOnly(kSettingsFile);

  Click();

  EXPECT_EQ(*SettingsFile(), before);
  EXPECT_EQ(log.FirstArguments("WritePrivateProfileStringA").size(), 2u);
  EXPECT_EQ(window.parts[1], "修改失败！");
  EXPECT_EQ(window.parts[1], "\xD0\xDE\xB8\xC4\xCA\xA7\xB0\xDC\xA3\xA1");
}

TEST_F(RelocationTest, MissingFolderFailsTheWrite) {
  SettingsFolderPath = R"(C:\Users\Public\Documents\Tencent\Nowhere)";
  Click();
  EXPECT_EQ(window.parts[1], "修改失败！");
}

TEST_F(RelocationTest, TwoClicksLeaveWhatOneLeaves) {
  Click();
  const File afterOne = *SettingsFile();
  const Text statusAfterOne = window.parts[1];
  Click();
  EXPECT_EQ(*SettingsFile(), afterOne);
  EXPECT_EQ(window.parts[1], statusAfterOne);
}

struct WriteResults {
  int first;
  int second;
};

class WriteResultsTest : public RelocationTest,
                         public ::testing::WithParamInterface<WriteResults> {};

TEST_P(WriteResultsTest, OnlyTwoExactOnesCountAsSuccess) {
  const auto [first, second] = GetParam();
  const bool succeeds = first == 1 && second == 1;

  profiles.ScriptResults({first, second});
  Click();
  EXPECT_EQ(log.FirstArguments("WritePrivateProfileStringA").size(), 2u)
      << "the second write is made whatever the first gave";
  EXPECT_EQ(window.parts[1], succeeds ? R"(成功修改为：D:\Tencent Messages)" : "修改失败！");

  profiles.ScriptResults({first, second});
  EXPECT_EQ(WriteRelocationRecord(profiles, "D:\\x"), succeeds);
}

INSTANTIATE_TEST_SUITE_P(AllCombinations, WriteResultsTest,
                         ::testing::Values(WriteResults{0, 0}, WriteResults{0, 1},
                                           WriteResults{0, 2}, WriteResults{1, 0},
                                           WriteResults{1, 1}, WriteResults{1, 2},
                                           WriteResults{2, 0}, WriteResults{2, 1},
                                           WriteResults{2, 2}),
                         [](const auto& testInfo) {
                           return "First" + std::to_string(testInfo.param.first) + "Second" +
                                  std::to_string(testInfo.param.second);
                         });

TEST_F(RelocationTest, WriteRelocationRecordStoresTheGivenDirectory) {
  EXPECT_TRUE(WriteRelocationRecord(profiles, ""));
  EXPECT_EQ(profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePathType"), "2");
  EXPECT_EQ(profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePath"), "");
}

}  // namespace
}  // namespace movaro::testing
