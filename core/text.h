// Texts of the program: byte strings in code page 936 (GBK).
#pragma once

#include <string>

namespace movaro {

// A GBK byte string. An empty text and a missing text are the same thing.
using Text = std::string;

// Windows' code page number for GBK.
inline constexpr unsigned kGbkCodePage = 936;

}  // namespace movaro
