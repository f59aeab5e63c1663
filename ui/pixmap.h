// A decoded picture, independent of any window system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace movaro {

// One pixel in memory order. Alpha is straight, not premultiplied.
struct Bgra {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t alpha = 0;
  bool operator==(const Bgra&) const = default;
};
static_assert(sizeof(Bgra) == 4);

// Top-down rows of 32-bit pixels without padding, so that Win32 takes the
// bytes as a top-down 32-bit DIB as they are.
class Pixmap {
 public:
  // Every pixel starts transparent black. Both sides must be positive.
  Pixmap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  std::size_t stride() const { return static_cast<std::size_t>(width_) * sizeof(Bgra); }
  unsigned char* data() { return bytes_.data(); }
  const unsigned char* data() const { return bytes_.data(); }
  std::size_t size_bytes() const { return bytes_.size(); }

  Bgra At(int x, int y) const;
  void Set(int x, int y, Bgra pixel);

 private:
  std::size_t Offset(int x, int y) const;

  int width_;
  int height_;
  std::vector<unsigned char> bytes_;
};

// Composites every pixel over an opaque colour and makes it opaque: GDI's
// stretching ignores alpha and would show whatever colour a transparent pixel
// happens to carry.
void FlattenOnto(Pixmap& pixmap, Bgra background);

}  // namespace movaro
