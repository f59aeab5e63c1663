// The chain creation on the real file system, observed through a loader that
// hands out a recording CreateDirectoryW in place of the system's own.
#include <gtest/gtest.h>

#include "core/settings_folder.h"
#include "tests/wine/real_platform_fixture.h"

namespace movaro::testing {
namespace {

struct Creation {
  std::wstring path;
  BOOL result;
  bool operator==(const Creation&) const = default;
};

std::vector<Creation> creations;

BOOL WINAPI RecordingCreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES attributes) {
  const BOOL result = ::CreateDirectoryW(path, attributes);
  creations.push_back({path, result});
  return result;
}

class RecordingLoader final : public ModuleLoader {
 public:
  LibraryHandle LoadSystemLibrary(const char* name) override {
    return real_.LoadSystemLibrary(name);
  }
  void* FindFunction(LibraryHandle library, const char* name) override {
    void* real = real_.FindFunction(library, name);
    if (real != nullptr && std::string(name) == "CreateDirectoryW") {
      return reinterpret_cast<void*>(&RecordingCreateDirectoryW);
    }
    return real;
  }
  void FreeLibrary(LibraryHandle library) override { real_.FreeLibrary(library); }

 private:
  Win32ModuleLoader real_;
};

std::wstring Wide(const std::string& gbk) {
  std::wstring wide(gbk.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(
      ::MultiByteToWideChar(936, 0, gbk.c_str(), -1, wide.data(), static_cast<int>(wide.size())) -
      1));
  return wide;
}

class DirectoryChainTest : public ::testing::Test {
 protected:
  DirectoryChainTest() { creations.clear(); }
  ~DirectoryChainTest() override { table.ReleaseLibraries(loader); }

  // The creations made below the test's own folder, which exists already.
  std::vector<Creation> CreationsBelowFolder() const {
    std::vector<Creation> below;
    const std::wstring root = Wide(folder.Path());
    for (const Creation& creation : creations) {
      if (creation.path.size() > root.size() && creation.path.compare(0, root.size(), root) == 0) {
        below.push_back(creation);
      }
    }
    return below;
  }

  TemporaryFolder folder;
  RecordingLoader loader;
  SystemFunctionTable table;
  SystemFunctions functions{table, loader};
};

TEST_F(DirectoryChainTest, CreatesMissingLevelsOutermostFirstPassingOverExistingOnes) {
  ASSERT_TRUE(::CreateDirectoryA((folder / "a").c_str(), nullptr));
  const std::string target = folder / R"(a\b\c)";

  EXPECT_TRUE(CreateFolder(functions, target));

  const std::wstring root = Wide(folder.Path());
  EXPECT_EQ(CreationsBelowFolder(),
            (std::vector<Creation>{
                {root + L"\\a", FALSE}, {root + L"\\a\\b", TRUE}, {root + L"\\a\\b\\c", TRUE}}));
  EXPECT_TRUE(IsDirectory(target));
  ASSERT_FALSE(creations.empty());
  EXPECT_EQ(creations.front().path.substr(0, 3), L"C:\\") << "the drive is never passed alone";
  EXPECT_EQ(creations.front().result, FALSE);
}

TEST_F(DirectoryChainTest, FileInTheWayStopsTheFolderAndIsLeftAlone) {
  WriteFileBytes(folder / "a", "a file");

  EXPECT_FALSE(CreateFolder(functions, folder / R"(a\b)"));

  EXPECT_EQ(ReadFileBytes(folder / "a"), "a file");
  EXPECT_FALSE(IsDirectory(folder / R"(a\b)"));
}

TEST_F(DirectoryChainTest, DoubleByteNameWithABackslashTrailByteIsOneLevel) {
  const std::string target = folder / "誠\\x";  // 誠 is D5 5C in GBK

  EXPECT_TRUE(CreateFolder(functions, target));

  const std::wstring root = Wide(folder.Path());
  EXPECT_EQ(CreationsBelowFolder(),
            (std::vector<Creation>{{root + L"\\\u8AA0", TRUE}, {root + L"\\\u8AA0\\x", TRUE}}));
  EXPECT_TRUE(IsDirectory(folder / "誠"));
}

TEST_F(DirectoryChainTest, DirectoryTestTellsFoldersFromFilesAndMissingPaths) {
  WriteFileBytes(folder / "file", "x");
  EXPECT_TRUE(FolderExists(functions, folder.Path()));
  EXPECT_FALSE(FolderExists(functions, folder / "file"));
  EXPECT_FALSE(FolderExists(functions, folder / "missing"));
  EXPECT_TRUE(creations.empty());
}

}  // namespace
}  // namespace movaro::testing
