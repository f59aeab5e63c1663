// Paths held as GBK text. 116 double-byte characters have 0x5C, the
// backslash, as their second byte, so a path is never split byte by byte.
#pragma once

#include "core/text.h"

namespace movaro {

// The path up to, not including, its last backslash; empty when it has none.
[[nodiscard]] Text FolderOf(const Text& path);

}  // namespace movaro
