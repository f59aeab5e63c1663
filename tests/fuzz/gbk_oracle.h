// What the fuzzers expect of the core, worked out from the input bytes alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace movaro::fuzzing {

// One character of a GBK text as the platform's table reads it, with where it
// lies in the text. An invalid byte is a character of its own that reads '?'.
struct GbkCharacter {
  std::size_t offset;
  std::size_t bytes;  // 1 or 2
  std::u16string units;
};

// Reads the text character by character. Kept apart from the fake platform's
// converter, which turns whole texts and keeps no extents.
std::vector<GbkCharacter> ReadGbk(std::string_view text);

std::u16string UnitsOf(const std::vector<GbkCharacter>& characters);

// The paths the folder chain must pass to CreateDirectoryW, in order: nothing
// for at most two characters; otherwise every prefix that ends before a
// backslash, the first backslash excepted, then the whole path.
std::vector<std::u16string> ExpectedLevels(const std::u16string& units);

// Units as hexadecimal, for reports of a mismatch.
std::string Hex(const std::u16string& units);
std::string Hex(std::string_view bytes);

}  // namespace movaro::fuzzing
