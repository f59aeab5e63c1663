// Arbitrary bytes as a GBK folder path through ToWidePath and
// CreateDirectoryChain, checked against the levels worked out from the bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_folder.h"
#include "tests/fuzz/fuzz_platform.h"
#include "tests/fuzz/gbk_oracle.h"

namespace movaro::fuzzing {
namespace {

using testing::Call;

std::string Show(const std::vector<std::u16string>& paths) {
  std::string text;
  for (const std::u16string& path : paths) {
    text += "  " + Hex(path) + "\n";
  }
  return text;
}

// The character that begins at unit `unit`; null when the unit lies inside a
// character or past the end.
const GbkCharacter* CharacterAt(const std::vector<GbkCharacter>& characters, std::size_t unit) {
  std::size_t start = 0;
  for (const GbkCharacter& character : characters) {
    if (start == unit) {
      return &character;
    }
    if (start > unit) {
      break;
    }
    start += character.units.size();
  }
  return nullptr;
}

void Run(const Text& text) {
  const std::string_view counted(text.c_str());  // the core passes c_str(): a NUL ends it
  const std::vector<GbkCharacter> characters = ReadGbk(counted);
  const std::u16string units = UnitsOf(characters);
  const std::string input = "input: " + Hex(std::string_view(text));

  FakePlatform platform;
  // Some levels exist, so that the chain meets both outcomes of creation.
  platform.system.fileSystem.AddDirectory(u"C:\\");
  platform.system.fileSystem.AddDirectory(u"\\\\srv\\share");

  const std::optional<WidePath> wide = ToWidePath(platform.functions, text);
  if (counted.empty()) {
    FUZZ_REQUIRE(!wide, input);
    FUZZ_REQUIRE(platform.log.Functions() == std::vector<std::string>{"strlen"}, input);
  } else {
    FUZZ_REQUIRE(wide && wide->UnitCount() == units.size() + 1, input + "\nunits: " + Hex(units));
    FUZZ_REQUIRE(
        std::u16string(wide->data(), units.size()) == units && (*wide)[units.size()] == u'\0',
        input + "\nexpected: " + Hex(units) +
            "\nconverted: " + Hex(std::u16string(wide->data(), wide->UnitCount())));
  }

  platform.log.Clear();
  CreateDirectoryChain(platform.functions, wide);

  const std::vector<std::u16string> expected = ExpectedLevels(units);
  const std::vector<std::u16string>& reported = platform.system.creationPaths;
  FUZZ_REQUIRE(reported == expected,
               input + "\nexpected:\n" + Show(expected) + "reported:\n" + Show(reported));

  const std::vector<Call>& calls = platform.log.Calls();
  if (expected.empty()) {
    FUZZ_REQUIRE(calls.empty(), input);
  } else {
    // One zeroed buffer of the path's bytes, terminator counted, plus one unit.
    const std::size_t bufferBytes = 2 * (units.size() + 1) + 2;
    FUZZ_REQUIRE(calls.size() == expected.size() + 2, input);
    FUZZ_REQUIRE(
        calls.front() == (Call{"LocalAlloc", {std::to_string(0x40), std::to_string(bufferBytes)}}),
        input);
    for (std::size_t i = 1; i + 1 < calls.size(); ++i) {
      FUZZ_REQUIRE(calls[i].function == "CreateDirectoryW" && calls[i].arguments.at(1) == "null",
                   input);
    }
    FUZZ_REQUIRE(calls.back() == (Call{"LocalFree", {"buffer"}}), input);
  }
  // With one allocation and at most one free, none live means the free was of
  // that very buffer.
  FUZZ_REQUIRE(platform.system.LiveAllocations() == 0, input);

  // In bytes: each level but the whole path stops just before a single-byte
  // backslash, never at the 0x5C that trails a double-byte character.
  for (std::size_t i = 0; i + 1 < reported.size(); ++i) {
    const GbkCharacter* next = CharacterAt(characters, reported[i].size());
    FUZZ_REQUIRE(next != nullptr && next->bytes == 1 && counted[next->offset] == '\\',
                 input + "\nlevel: " + Hex(reported[i]));
  }

  platform.log.Clear();
  const bool isDirectory = WidePathIsDirectory(platform.functions, wide);
  FUZZ_REQUIRE(isDirectory == (!counted.empty() && platform.system.fileSystem.IsDirectory(units)),
               input);

  platform.table.ReleaseLibraries(platform.loader);
  FUZZ_REQUIRE(platform.loader.OpenReferences() == 0, input);
}

}  // namespace
}  // namespace movaro::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  movaro::fuzzing::Run(movaro::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
