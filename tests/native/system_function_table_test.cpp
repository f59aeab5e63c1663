#include "core/system_function_table.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "tests/native/core_fixture.h"

namespace movaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

std::vector<std::string> BoundFunctions(const SystemFunctionTable& table) {
  std::vector<std::string> bound;
  for (const SystemFunctionEntry& entry : table) {
    if (entry.address != nullptr) {
      bound.push_back(entry.functionName);
    }
  }
  return bound;
}

TEST(SystemFunctionTableTest, DeclaresSixFunctionsUnboundWithTheirLibrariesAsWritten) {
  const SystemFunctionTable table;
  struct Declared {
    const char* function;
    const char* library;
    CallingConvention convention;
  };
  const Declared expected[] = {
      {"strlen", "msvcrt.dll", CallingConvention::C},
      {"MultiByteToWideChar", "Kernel32.dll", CallingConvention::Standard},
      {"PathIsDirectoryW", "shlwapi.dll", CallingConvention::Standard},
      {"LocalAlloc", "kernel32.dll", CallingConvention::Standard},
      {"CreateDirectoryW", "Kernel32.dll", CallingConvention::Standard},
      {"LocalFree", "kernel32.dll", CallingConvention::Standard},
  };
  std::size_t index = 0;
  for (const SystemFunctionEntry& entry : table) {
    SCOPED_TRACE(index);
    EXPECT_STREQ(entry.functionName, expected[index].function);
    EXPECT_STREQ(entry.libraryName, expected[index].library);
    EXPECT_EQ(entry.convention, expected[index].convention);
    EXPECT_EQ(entry.address, nullptr);
    EXPECT_EQ(entry.library, nullptr);
    ++index;
  }
  EXPECT_EQ(index, 6u);
}

using BindingTest = CoreTest;

TEST_F(BindingTest, FolderPresentBindsOnlyTheFirstThreeEntries) {
  system.fileSystem.AddDirectory(kSharedFolder);
  RunStartupCheck(functions, window);

  EXPECT_THAT(BoundFunctions(table),
              ElementsAre("strlen", "MultiByteToWideChar", "PathIsDirectoryW"));
  EXPECT_THAT(loaderLog.FirstArguments("LoadSystemLibrary"),
              ElementsAre("msvcrt.dll", "Kernel32.dll", "shlwapi.dll"));
}

TEST_F(BindingTest, EachEntryLoadsItsOwnLibraryOnceByItsDeclaredName) {
  RunStartupCheck(functions, window);  // nothing exists: the whole chain runs
  RunStartupCheck(functions, window);

  EXPECT_EQ(BoundFunctions(table).size(), 6u);
  EXPECT_THAT(loaderLog.FirstArguments("LoadSystemLibrary"),
              ElementsAre("msvcrt.dll", "Kernel32.dll", "shlwapi.dll", "kernel32.dll",
                          "Kernel32.dll", "kernel32.dll"));
  EXPECT_EQ(loader.OpenReferences(), 6);
}

TEST_F(BindingTest, ReleasingFreesEachBoundLibraryOnce) {
  system.fileSystem.AddDirectory(kSharedFolder);
  RunStartupCheck(functions, window);
  loaderLog.Clear();

  table.ReleaseLibraries(loader);
  table.ReleaseLibraries(loader);

  EXPECT_THAT(loaderLog.FirstArguments("FreeLibrary"),
              ElementsAre("msvcrt.dll", "kernel32.dll", "shlwapi.dll"));
  EXPECT_EQ(loader.OpenReferences(), 0);
  EXPECT_THAT(BoundFunctions(table), IsEmpty());
}

TEST_F(BindingTest, MissingFunctionIsFatalAndNamesLibraryAndFunction) {
  loader.RemoveExport("shlwapi.dll", "PathIsDirectoryW");
  try {
    RunStartupCheck(functions, window);
    FAIL() << "binding should have failed";
  } catch (const FatalError& error) {
    EXPECT_THAT(error.what(), HasSubstr("shlwapi.dll"));
    EXPECT_THAT(error.what(), HasSubstr("PathIsDirectoryW"));
  }
  EXPECT_EQ(table[SystemFunction::PathIsDirectoryW].address, nullptr);
  EXPECT_EQ(table[SystemFunction::PathIsDirectoryW].library, nullptr);
  EXPECT_EQ(loader.OpenReferences(), 2) << "the failed entry's library was given back";
  EXPECT_EQ(window.parts[1], "1");
}

TEST_F(BindingTest, MissingLibraryIsFatalAndNamesItAsDeclared) {
  loader.RemoveLibrary("msvcrt.dll");
  try {
    (void)FolderExists(functions, "C:\\");
    FAIL() << "binding should have failed";
  } catch (const FatalError& error) {
    EXPECT_THAT(error.what(), HasSubstr("msvcrt.dll"));
    EXPECT_THAT(error.what(), HasSubstr("strlen"));
  }
  EXPECT_THAT(loaderLog.FirstArguments("FreeLibrary"), IsEmpty());
}

}  // namespace
}  // namespace movaro::testing
