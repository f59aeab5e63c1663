#include "ui/pixmap.h"

#include <cassert>
#include <cstring>

namespace movaro {

Pixmap::Pixmap(int width, int height)
    : width_(width),
      height_(height),
      bytes_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * sizeof(Bgra)) {
  assert(width > 0 && height > 0);
}

std::size_t Pixmap::Offset(int x, int y) const {
  assert(x >= 0 && x < width_ && y >= 0 && y < height_);
  return static_cast<std::size_t>(y) * stride() + static_cast<std::size_t>(x) * sizeof(Bgra);
}

Bgra Pixmap::At(int x, int y) const {
  Bgra pixel;
  std::memcpy(&pixel, bytes_.data() + Offset(x, y), sizeof pixel);
  return pixel;
}

void Pixmap::Set(int x, int y, Bgra pixel) {
  std::memcpy(bytes_.data() + Offset(x, y), &pixel, sizeof pixel);
}

namespace {

std::uint8_t Blend(std::uint8_t front, std::uint8_t back, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((front * alpha + back * (255 - alpha) + 127) / 255);
}

}  // namespace

void FlattenOnto(Pixmap& pixmap, Bgra background) {
  for (int y = 0; y < pixmap.height(); ++y) {
    for (int x = 0; x < pixmap.width(); ++x) {
      const Bgra pixel = pixmap.At(x, y);
      pixmap.Set(x, y,
                 {Blend(pixel.blue, background.blue, pixel.alpha),
                  Blend(pixel.green, background.green, pixel.alpha),
                  Blend(pixel.red, background.red, pixel.alpha), 255});
    }
  }
}

}  // namespace movaro
