#include "core/settings_folder.h"

#include <gtest/gtest.h>

#include "tests/native/core_fixture.h"

namespace movaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using WidePathTest = CoreTest;

TEST_F(WidePathTest, EmptyTextHasNoWidePathAndIsNeverConverted) {
  EXPECT_FALSE(ToWidePath(functions, ""));
  EXPECT_EQ(log.Functions(), std::vector<std::string>{"strlen"});
}

TEST_F(WidePathTest, ConvertsWithCodePage936AndCountsTheTerminator) {
  const auto path = ToWidePath(functions, R"(D:\Tencent Messages)");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->UnitCount(), 20u);
  EXPECT_EQ(path->ByteLength(), 40u);
  EXPECT_EQ((*path)[18], u's');
  EXPECT_EQ((*path)[19], u'\0');
  EXPECT_THAT(log.Calls(),
              ElementsAre(Call{"strlen", {R"(D:\Tencent Messages)"}},
                          Call{"MultiByteToWideChar",
                               {"936", "0", R"(D:\Tencent Messages)", "-1", "null", "0"}},
                          Call{"MultiByteToWideChar",
                               {"936", "0", R"(D:\Tencent Messages)", "-1", "buffer", "20"}}));
}

TEST_F(WidePathTest, DoubleByteCharactersBecomeOneUnitEach) {
  const auto path = ToWidePath(functions, "D:\\聊天\\誠");  // 誠 is D5 5C in GBK
  ASSERT_TRUE(path);
  ASSERT_EQ(path->UnitCount(), 8u);
  EXPECT_EQ(std::u16string(path->data()), u"D:\\聊天\\誠");
  EXPECT_EQ((*path)[7], u'\0');
}

TEST_F(WidePathTest, TextTheConverterRefusesHasNoWidePath) {
  system.refuseConversion = true;
  EXPECT_FALSE(ToWidePath(functions, "D:\\x"));
}

TEST_F(WidePathTest, DirectoryTestAcceptsOnlyTheDirectoryAttribute) {
  system.fileSystem.AddDirectory(u"C:\\Data");
  EXPECT_TRUE(FolderExists(functions, "C:\\Data"));
  EXPECT_FALSE(FolderExists(functions, "C:\\Missing"));
  EXPECT_FALSE(FolderExists(functions, ""));
  EXPECT_FALSE(WidePathIsDirectory(functions, std::nullopt));

  system.pathIsDirectoryResult = 1;  // nonzero, yet not FILE_ATTRIBUTE_DIRECTORY
  EXPECT_FALSE(FolderExists(functions, "C:\\Data"));
  EXPECT_FALSE(CreateFolder(functions, "C:\\Data"));
}

struct ChainCase {
  const char* name;
  const char* path;
  std::vector<std::string> created;  // the paths passed to CreateDirectoryW, in order
};

class CreateDirectoryChainTest : public CoreTest,
                                 public ::testing::WithParamInterface<ChainCase> {};

TEST_P(CreateDirectoryChainTest, PassesEachLevelThenTheWholePath) {
  const ChainCase& param = GetParam();
  const auto path = ToWidePath(functions, param.path);
  log.Clear();

  CreateDirectoryChain(functions, path);

  EXPECT_EQ(log.FirstArguments("CreateDirectoryW"), param.created);
  for (const Call& call : log.Calls()) {
    if (call.function == "CreateDirectoryW") {
      EXPECT_EQ(call.arguments.at(1), "null") << "no security attributes";
    }
  }
  if (param.created.empty()) {
    EXPECT_THAT(log.Calls(), IsEmpty()) << "no buffer for a path of at most two characters";
  } else {
    EXPECT_EQ(log.Calls().front(),
              (Call{"LocalAlloc", {"64", std::to_string(path->ByteLength() + 2)}}));
    EXPECT_EQ(log.Calls().back(), (Call{"LocalFree", {"buffer"}}));
  }
  EXPECT_EQ(system.LiveAllocations(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, CreateDirectoryChainTest,
    ::testing::Values(
        ChainCase{
            "SharedFolder",
            R"(C:\Users\Public\Documents\Tencent\QQ)",
            {R"(C:\Users)", R"(C:\Users\Public)", R"(C:\Users\Public\Documents)",
             R"(C:\Users\Public\Documents\Tencent)", R"(C:\Users\Public\Documents\Tencent\QQ)"}},
        ChainCase{"DriveAlone", "C:", {}}, ChainCase{"DriveRoot", R"(C:\)", {R"(C:\)"}},
        ChainCase{"RelativeName", "ABC", {"ABC"}},
        ChainCase{"RelativeTwoLevels", R"(a\b)", {R"(a\b)"}},
        ChainCase{"TrailingBackslash", R"(C:\A\)", {R"(C:\A)", R"(C:\A\)"}},
        ChainCase{"DoubledBackslash", R"(C:\A\\B)", {R"(C:\A)", R"(C:\A\)", R"(C:\A\\B)"}},
        ChainCase{"ForwardSlashes", "C:/A/B", {"C:/A/B"}},
        ChainCase{"NetworkPath",
                  R"(\\srv\share\d)",
                  {R"(\)", R"(\\srv)", R"(\\srv\share)", R"(\\srv\share\d)"}},
        ChainCase{"TrailByteIsABackslash", "C:\\誠a\\b", {"C:\\誠a", "C:\\誠a\\b"}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(CoreTest, ChainWithoutAPathOrABufferCreatesNothing) {
  CreateDirectoryChain(functions, std::nullopt);
  EXPECT_THAT(log.Calls(), IsEmpty());

  system.failAllocations = true;
  EXPECT_FALSE(CreateFolder(functions, R"(C:\A\B)"));
  EXPECT_THAT(log.FirstArguments("CreateDirectoryW"), IsEmpty());
  EXPECT_THAT(log.FirstArguments("LocalFree"), IsEmpty());
}

TEST_F(CoreTest, ChainBufferIsReleasedWhenABindingFailsHalfway) {
  system.fileSystem.AddDirectory(u"C:\\");
  loader.RemoveExport("kernel32.dll", "CreateDirectoryW");
  EXPECT_THROW((void)CreateFolder(functions, R"(C:\A\B)"), FatalError);
  EXPECT_EQ(system.LiveAllocations(), 0u);
}

// The start-up check on the shared settings folder, in the states it can find.
using StartupCheckTest = CoreTest;

TEST_F(StartupCheckTest, FolderPresentIsOnlyTested) {
  system.fileSystem.AddDirectory(kSharedFolder);

  RunStartupCheck(functions, window);

  EXPECT_EQ(SettingsFolderPath, R"(C:\Users\Public\Documents\Tencent\QQ)");
  EXPECT_THAT(log.Functions(), ElementsAre("strlen", "MultiByteToWideChar", "MultiByteToWideChar",
                                           "PathIsDirectoryW", "SetStatusPartText"));
  EXPECT_EQ(window.parts[1], "初始化成功");
}

TEST_F(StartupCheckTest, MissingLevelsAreCreatedOutermostFirst) {
  system.fileSystem.AddDirectory(uR"(C:\Users\Public\Documents)");

  RunStartupCheck(functions, window);

  EXPECT_EQ(
      log.FirstArguments("CreateDirectoryW"),
      (std::vector<std::string>{R"(C:\Users)", R"(C:\Users\Public)", R"(C:\Users\Public\Documents)",
                                R"(C:\Users\Public\Documents\Tencent)",
                                R"(C:\Users\Public\Documents\Tencent\QQ)"}));
  EXPECT_EQ(system.creationResults, (std::vector<bool>{false, false, false, true, true}));
  EXPECT_TRUE(system.fileSystem.IsDirectory(kSharedFolder));
  EXPECT_EQ(log.FirstArguments("PathIsDirectoryW").size(), 2u) << "before and after creating";
  EXPECT_EQ(window.parts[1], "初始化成功");
  EXPECT_EQ(system.LiveAllocations(), 0u);
}

struct UnmakeableCase {
  const char* name;
  void (*arrange)(FakeFileSystem&);
};

class UnmakeableFolderTest : public CoreTest,
                             public ::testing::WithParamInterface<UnmakeableCase> {};

TEST_P(UnmakeableFolderTest, LeavesTheStatusLineAsItWas) {
  GetParam().arrange(system.fileSystem);

  RunStartupCheck(functions, window);

  EXPECT_FALSE(system.fileSystem.IsDirectory(kSharedFolder));
  EXPECT_EQ(window.parts, (std::vector<Text>{"", "1"}));
  EXPECT_THAT(log.FirstArguments("SetStatusPartText"), IsEmpty());
  EXPECT_EQ(SettingsFolderPath, R"(C:\Users\Public\Documents\Tencent\QQ)");
}

INSTANTIATE_TEST_SUITE_P(
    Causes, UnmakeableFolderTest,
    ::testing::Values(UnmakeableCase{"NoPermission",
                                     [](FakeFileSystem& fs) {
                                       fs.AddDirectory(uR"(C:\Users\Public\Documents)");
                                       fs.RefuseCreation(uR"(C:\Users\Public\Documents\Tencent)");
                                     }},
                      UnmakeableCase{"FileInTheWay",
                                     [](FakeFileSystem& fs) {
                                       fs.AddFile(uR"(C:\Users\Public\Documents\Tencent)");
                                     }},
                      UnmakeableCase{"FileAtTheFolderItself",
                                     [](FakeFileSystem& fs) { fs.AddFile(kSharedFolder); }},
                      UnmakeableCase{"NoSuchDrive", [](FakeFileSystem&) {}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(StartupCheckTest, DirectoryAnswerOtherThan16MeansMissing) {
  system.fileSystem.AddDirectory(kSharedFolder);
  system.pathIsDirectoryResult = 1;

  RunStartupCheck(functions, window);

  EXPECT_EQ(window.parts[1], "1");
  EXPECT_EQ(log.FirstArguments("CreateDirectoryW").size(), 5u);
}

TEST_F(StartupCheckTest, ReplacesAnEarlierFolderPathAndReleasesIt) {
  SettingsFolderPath = "X:\\elsewhere";
  system.fileSystem.AddDirectory(kSharedFolder);

  RunStartupCheck(functions, window);
  EXPECT_EQ(SettingsFolderPath, R"(C:\Users\Public\Documents\Tencent\QQ)");

  ReleaseSettingsFolderPath();
  EXPECT_TRUE(SettingsFolderPath.empty());
}

TEST_F(StartupCheckTest, StatusTextIsPinnedAsGbkBytes) {
  system.fileSystem.AddDirectory(kSharedFolder);
  RunStartupCheck(functions, window);
  EXPECT_EQ(window.parts[1], "\xB3\xF5\xCA\xBC\xBB\xAF\xB3\xC9\xB9\xA6");
}

}  // namespace
}  // namespace movaro::testing
