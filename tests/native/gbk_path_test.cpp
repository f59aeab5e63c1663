#include "core/gbk_path.h"

#include <gtest/gtest.h>

namespace movaro {
namespace {

TEST(FolderOfTest, CutsAtTheLastRealBackslash) {
  struct Case {
    Text path;
    Text folder;
  };
  const Case cases[] = {
      {R"(C:\Tools\Movaro.exe)", R"(C:\Tools)"},
      {"C:\\工具\\誠.exe", "C:\\工具"},  // 誠 is D5 5C: its trail byte is no separator
      {"C:\\誠\\Movaro.exe", "C:\\誠"},
      {"Movaro.exe", ""},
      {R"(C:\)", "C:"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(FolderOf(test.path), test.folder) << test.path;
  }
}

}  // namespace
}  // namespace movaro
