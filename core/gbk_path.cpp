#include "core/gbk_path.h"

namespace movaro {

namespace {

// GBK lead bytes; each starts a two-byte character.
bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

Text FolderOf(const Text& path) {
  std::size_t lastSeparator = Text::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (IsLeadByte(byte)) {
      ++i;  // the trail byte may look like a backslash
    } else if (byte == '\\') {
      lastSeparator = i;
    }
  }
  return lastSeparator == Text::npos ? Text() : path.substr(0, lastSeparator);
}

}  // namespace movaro
