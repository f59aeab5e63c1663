// Arbitrary bytes as the message directory through WriteRelocationRecord: the
// settings file must hold them byte for byte, up to the first NUL.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/relocation_record.h"
#include "core/settings_folder.h"
#include "tests/fuzz/fuzz_platform.h"
#include "tests/fuzz/gbk_oracle.h"

namespace movaro::fuzzing {
namespace {

using testing::Call;

constexpr char kSettingsFile[] = R"(C:\Users\Public\Documents\Tencent\QQ\UserDataInfo.ini)";

void Run(const Text& directory, bool withEarlierRecord) {
  const std::string counted(directory.c_str());  // the core passes c_str(): a NUL ends it
  const std::string input = "input: " + Hex(std::string_view(directory)) +
                            (withEarlierRecord ? " (over an earlier record)" : " (no file yet)");

  FakePlatform platform;
  SettingsFolderPath = kSharedSettingsFolder;
  platform.system.fileSystem.AddDirectory(uR"(C:\Users\Public\Documents\Tencent\QQ)");
  if (withEarlierRecord) {
    platform.profiles.AddFile(
        kSettingsFile,
        {{"userdataset",
          {{"UserDataSavePath", R"(D:\old)"}, {"UserDataSavePathType", "1"}, {"Other", "kept"}}},
         {"Elsewhere", {{"UserDataSavePath", R"(E:\x)"}}}});
  }

  FUZZ_REQUIRE(WriteRelocationRecord(platform.profiles, directory), input);

  FUZZ_REQUIRE(
      platform.log.Calls() ==
          (std::vector<Call>{{"WritePrivateProfileStringA",
                              {"UserDataSet", "UserDataSavePathType", "2", kSettingsFile}},
                             {"WritePrivateProfileStringA",
                              {"UserDataSet", "UserDataSavePath", counted, kSettingsFile}}}),
      input);
  const auto stored = platform.profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePath");
  FUZZ_REQUIRE(stored == counted,
               input + "\nstored: " + (stored ? Hex(std::string_view(*stored)) : "nothing"));
  FUZZ_REQUIRE(platform.profiles.Value(kSettingsFile, "UserDataSet", "UserDataSavePathType") == "2",
               input);
  if (withEarlierRecord) {
    FUZZ_REQUIRE(platform.profiles.Value(kSettingsFile, "UserDataSet", "Other") == "kept", input);
    FUZZ_REQUIRE(
        platform.profiles.Value(kSettingsFile, "Elsewhere", "UserDataSavePath") == R"(E:\x)",
        input);
  }
  FUZZ_REQUIRE(platform.profiles.Find(kSettingsFile)->size() == (withEarlierRecord ? 2u : 1u),
               input);
  FUZZ_REQUIRE(
      platform.profiles.Find(kSettingsFile)->front().second.size() == (withEarlierRecord ? 3u : 2u),
      input);
}

}  // namespace
}  // namespace movaro::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const movaro::Text directory(reinterpret_cast<const char*>(data), size);
  movaro::fuzzing::Run(directory, false);
  movaro::fuzzing::Run(directory, true);
  return 0;
}
