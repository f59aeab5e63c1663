// The relocation record written by the real profile functions.
#include "core/relocation_record.h"

#include <gtest/gtest.h>

#include "tests/wine/real_platform_fixture.h"

namespace movaro::testing {
namespace {

class SettingsFileTest : public RealPlatformTest {
 protected:
  SettingsFileTest() { SettingsFolderPath = folder.Path(); }

  std::string File() const { return folder / "UserDataInfo.ini"; }

  std::string Value(const char* section, const char* key) const {
    char value[512];
    ::GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, File().c_str());
    return value;
  }

  std::string SectionNames() const {
    char names[512] = {};
    const DWORD length = ::GetPrivateProfileSectionNamesA(names, sizeof names, File().c_str());
    return std::string(names, length);
  }

  void Click() { ApplyRelocation(profile, window, window); }
};

TEST_F(SettingsFileTest, NewFileGetsTheSectionWithJustTheTwoKeys) {
  Click();

  EXPECT_EQ(SectionNames(), std::string("UserDataSet\0", 12));
  char keys[512] = {};
  const DWORD length =
      ::GetPrivateProfileSectionA("UserDataSet", keys, sizeof keys, File().c_str());
  EXPECT_EQ(std::string(keys, length),
            std::string("UserDataSavePathType=2\0UserDataSavePath=D:\\Tencent Messages\0", 60));
  EXPECT_EQ(window.parts[1], R"(成功修改为：D:\Tencent Messages)");
}

TEST_F(SettingsFileTest, KeepsOtherSectionsAndKeysAndReplacesOldValues) {
  WriteFileBytes(File(),
                 "[Misc]\r\nSkin=blue\r\n"
                 "[UserDataSet]\r\nUserDataSavePath=E:\\Old\r\nAutoBackup=1\r\n"
                 "[Last]\r\nKey=v\r\n");
  window.editText = "E:\\聊天 记录\\";

  Click();

  EXPECT_EQ(SectionNames(), std::string("Misc\0UserDataSet\0Last\0", 22));
  EXPECT_EQ(Value("Misc", "Skin"), "blue");
  EXPECT_EQ(Value("Last", "Key"), "v");
  EXPECT_EQ(Value("UserDataSet", "AutoBackup"), "1");
  EXPECT_EQ(Value("UserDataSet", "UserDataSavePathType"), "2");
  EXPECT_EQ(Value("UserDataSet", "UserDataSavePath"), "E:\\聊天 记录\\");
  EXPECT_EQ(ReadFileBytes(File()).find("E:\\Old"), std::string::npos) << "replaced, not added";
  EXPECT_EQ(window.parts[1], "成功修改为：E:\\聊天 记录\\");
}

TEST_F(SettingsFileTest, EmptyDirectoryLeavesTheKeyWithAnEmptyValue) {
  window.editText.clear();
  Click();
  EXPECT_EQ(Value("UserDataSet", "UserDataSavePath"), "");
  EXPECT_EQ(window.parts[1], "成功修改为：");
}

TEST_F(SettingsFileTest, ReadOnlyFileFailsAndIsLeftUnchanged) {
  const std::string before = "[UserDataSet]\r\nUserDataSavePath=E:\\Old\r\n";
  WriteFileBytes(File(), before);
  {
    const ReadOnlyFile readOnly(File());
    Click();
    EXPECT_FALSE(WriteRelocationRecord(profile, "D:\\x"));
  }
  EXPECT_EQ(ReadFileBytes(File()), before);
  EXPECT_EQ(window.parts[1], "修改失败！");
}

TEST_F(SettingsFileTest, MissingFolderFailsTheWrite) {
  SettingsFolderPath = folder / "missing";
  Click();
  EXPECT_EQ(window.parts[1], "修改失败！");
  EXPECT_FALSE(Exists(folder / "missing"));
}

}  // namespace
}  // namespace movaro::testing
