#include "tests/fuzz/gbk_oracle.h"

#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace movaro::fuzzing {

namespace {

// The code table is the platform's (glibc's CP936), but it is only ever asked
// about one candidate character, so every character's extent is known.
class CharacterTable {
 public:
  CharacterTable() : handle_(iconv_open("UTF-16LE", "CP936")) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      std::fputs("gbk oracle: iconv has no CP936\n", stderr);
      std::abort();
    }
  }
  ~CharacterTable() { iconv_close(handle_); }
  CharacterTable(const CharacterTable&) = delete;
  CharacterTable& operator=(const CharacterTable&) = delete;

  // The units of exactly these bytes as one character; empty when they are
  // not one.
  std::u16string Convert(std::string_view bytes) {
    char in[2];
    std::memcpy(in, bytes.data(), bytes.size());
    char* inNext = in;
    std::size_t inLeft = bytes.size();
    char out[8];
    char* outNext = out;
    std::size_t outLeft = sizeof out;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(handle_, &inNext, &inLeft, &outNext, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
      return {};
    }
    std::u16string units(static_cast<std::size_t>(outNext - out) / 2, u'\0');
    std::memcpy(units.data(), out, units.size() * 2);
    return units;
  }

 private:
  iconv_t handle_;
};

}  // namespace

std::vector<GbkCharacter> ReadGbk(std::string_view text) {
  static CharacterTable table;
  std::vector<GbkCharacter> characters;
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      characters.push_back({i, 1, std::u16string(1, static_cast<char16_t>(byte))});
      ++i;
      continue;
    }
    // A byte that is a character alone never begins a two-byte one.
    std::size_t bytes = 1;
    std::u16string units = table.Convert(text.substr(i, 1));
    if (units.empty() && i + 1 < text.size()) {
      bytes = 2;
      units = table.Convert(text.substr(i, 2));
    }
    if (units.empty()) {
      bytes = 1;
      units = u"?";  // as MultiByteToWideChar substitutes with flags 0
    }
    characters.push_back({i, bytes, units});
    i += bytes;
  }
  return characters;
}

std::u16string UnitsOf(const std::vector<GbkCharacter>& characters) {
  std::u16string units;
  for (const GbkCharacter& character : characters) {
    units += character.units;
  }
  return units;
}

std::vector<std::u16string> ExpectedLevels(const std::u16string& units) {
  // Two units at most, such as "C:", name nothing that could be created.
  if (units.size() <= 2) {
    return {};
  }
  std::vector<std::u16string> levels;
  const std::size_t first = units.find(u'\\');
  if (first != std::u16string::npos) {
    for (std::size_t k = units.find(u'\\', first + 1); k != std::u16string::npos;
         k = units.find(u'\\', k + 1)) {
      levels.push_back(units.substr(0, k));
    }
  }
  levels.push_back(units);
  return levels;
}

std::string Hex(const std::u16string& units) {
  std::string text;
  char buffer[8];
  for (const char16_t unit : units) {
    std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(unit));
    text += buffer;
  }
  return text;
}

std::string Hex(std::string_view bytes) {
  std::string text;
  char buffer[8];
  for (const char byte : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(byte));
    text += buffer;
  }
  return text;
}

}  // namespace movaro::fuzzing
