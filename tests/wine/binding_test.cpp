// The declared system functions bound by the real loader.
#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "tests/wine/counting_loader.h"
#include "tests/wine/real_platform_fixture.h"

namespace movaro::testing {
namespace {

using BindingTest = RealPlatformTest;

TEST(RealBindingTest, EntriesAreBoundOnceAndKeepTheirLibraries) {
  CountingLoader counting;
  SystemFunctionTable table;
  SystemFunctions functions(table, counting);

  EXPECT_TRUE(FolderExists(functions, "C:\\windows"));
  EXPECT_TRUE(FolderExists(functions, "C:\\windows\\system32"));

  EXPECT_EQ(counting.loads, 3);
  for (SystemFunction bound : {SystemFunction::Strlen, SystemFunction::MultiByteToWideChar,
                               SystemFunction::PathIsDirectoryW}) {
    const SystemFunctionEntry& entry = table[bound];
    SCOPED_TRACE(entry.functionName);
    EXPECT_EQ(entry.library, ::GetModuleHandleA(entry.libraryName));
    EXPECT_EQ(entry.address, reinterpret_cast<void*>(::GetProcAddress(
                                 static_cast<HMODULE>(entry.library), entry.functionName)));
  }
  EXPECT_EQ(table[SystemFunction::LocalAlloc].address, nullptr);

  table.ReleaseLibraries(counting);
  EXPECT_EQ(counting.frees, 3);
}

// A function pointer of the wrong convention leaves the stack unbalanced on
// every call; thousands of calls with live values around them would crash or
// corrupt those values.
TEST_F(BindingTest, EveryFunctionIsCalledWithItsOwnConvention) {
  const std::string existing = folder.Path();
  char16_t wide[MAX_PATH];
  for (int round = 0; round < 5000; ++round) {
    const int marker = round * 7;
    ASSERT_EQ(functions.Strlen("abcdef"), 6u);
    const int units = functions.MultiByteToWideChar(936, 0, "誠", -1, nullptr, 0);
    ASSERT_EQ(units, 2);
    ASSERT_EQ(functions.MultiByteToWideChar(936, 0, "誠", -1, wide, units), 2);
    ASSERT_EQ(wide[0], u'\u8AA0');
    ASSERT_EQ(functions.PathIsDirectoryW(u"C:\\windows"), kFileAttributeDirectory);
    void* memory = functions.LocalAlloc(kLocalAllocZeroInit, 16);
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(static_cast<const char*>(memory)[15], 0);
    ASSERT_EQ(functions.CreateDirectoryW(u"C:\\windows", nullptr), 0) << "it exists";
    ASSERT_EQ(functions.LocalFree(memory), nullptr);
    ASSERT_EQ(marker, round * 7);
  }
}

struct MissingCase {
  const char* name;
  const char* function;
  const char* library;
};

class MissingFunctionTest : public ::testing::TestWithParam<MissingCase> {};

TEST_P(MissingFunctionTest, IsFatalAndNamesLibraryAsDeclaredAndFunction) {
  Win32ModuleLoader loader;
  SystemFunctionEntry entry{GetParam().function, GetParam().library, CallingConvention::Standard};
  try {
    (void)BindSystemFunction(entry, loader);
    FAIL() << "binding should have failed";
  } catch (const FatalError& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().library), std::string::npos);
    EXPECT_NE(std::string(error.what()).find(GetParam().function), std::string::npos);
  }
  EXPECT_EQ(entry.address, nullptr);
  EXPECT_EQ(entry.library, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, MissingFunctionTest,
    ::testing::Values(MissingCase{"FunctionNotExported", "NoSuchFunction", "Kernel32.dll"},
                      MissingCase{"LibraryNotFound", "PathIsDirectoryW", "nosuchlib.dll"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace movaro::testing
