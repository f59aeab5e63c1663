// Where the support pictures put their QR symbol (as scripts/make-resources.sh
// lays them out), and the modules that every version-5 symbol has in the same
// place, whatever it encodes.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "resources/resource_ids.h"

namespace movaro::testing {

struct QrPicture {
  const char* name;  // file name under resources/
  int resourceId;
  int width;
  int height;
  int left;  // the symbol's first column of pixels; the margins are quiet zone
  int top;
  int modulePixels;
  unsigned char darkRed, darkGreen, darkBlue;
  int tolerance;  // per channel, at a module's centre

  int SymbolPixels() const { return kModules * modulePixels; }
  // The centre pixel of a module.
  int CentreX(int column) const { return left + column * modulePixels + modulePixels / 2; }
  int CentreY(int row) const { return top + row * modulePixels + modulePixels / 2; }

  static constexpr int kModules = 37;  // version 5
};

inline constexpr QrPicture kJpegQr{
    "support_qr.jpg", IDR_SUPPORT_QR_JPEG, 430, 437, 49, 52, 9, 0x0B, 0x4F, 0x6C, 24};
inline constexpr QrPicture kPngQr{
    "support_qr.png", IDR_SUPPORT_QR_PNG, 637, 637, 78, 78, 13, 0x1F, 0x2F, 0x5C, 0};

// True for a dark module of the fixed patterns, false for a light one, nothing
// for modules that depend on the data, the mask or the error correction level.
inline std::optional<bool> FixedModule(int column, int row) {
  constexpr int last = QrPicture::kModules - 1;
  // Finders, each with its light separator: rings around the centre module
  // at distances 0..1 and 3 are dark, 2 and 4 light.
  const int finderCentres[][2] = {{3, 3}, {last - 3, 3}, {3, last - 3}};
  for (const auto& centre : finderCentres) {
    const int ring = std::max(std::abs(column - centre[0]), std::abs(row - centre[1]));
    if (ring <= 4) {
      return ring != 2 && ring != 4;
    }
  }
  // The one alignment pattern of version 5, centred on (30, 30).
  const int alignmentRing = std::max(std::abs(column - 30), std::abs(row - 30));
  if (alignmentRing <= 2) {
    return alignmentRing != 1;
  }
  if (row == 6) {
    return column % 2 == 0;  // timing
  }
  if (column == 6) {
    return row % 2 == 0;
  }
  if (column == 8 && row == 4 * 5 + 9) {
    return true;  // the dark module
  }
  return std::nullopt;
}

}  // namespace movaro::testing
