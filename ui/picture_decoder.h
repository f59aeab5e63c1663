// Decoding of the support pictures from the bytes of a file in memory.
#pragma once

#include <cstddef>
#include <optional>

#include "ui/pixmap.h"

namespace movaro {

// Larger pictures are refused before anything is allocated for them: a damaged
// header could otherwise ask for gigabytes in a 32-bit process.
inline constexpr int kMaxPictureSide = 4096;

// A JPEG or PNG file, told apart by its signature. Anything else, and any
// truncated or damaged file, gives nothing; so does running out of memory.
std::optional<Pixmap> DecodePicture(const unsigned char* bytes, std::size_t size) noexcept;

}  // namespace movaro
