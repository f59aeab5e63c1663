// A child window that shows one picture stretched over its whole client area.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>

#include "ui/gdi.h"

namespace movaro {

inline constexpr char kPictureBoxClassName[] = "MovaroPictureBox";

// What a picture box keeps for its life: the picture as a DIB section, or
// nothing when its bytes could not be decoded.
class PictureState {
 public:
  PictureState() = default;
  // Decodes at once; the bytes need not outlive the call. Transparent parts
  // take the button-face colour of this moment.
  PictureState(const unsigned char* bytes, std::size_t size);

  bool HasPicture() const { return static_cast<bool>(bitmap_); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

// HALFTONE averages source pixels into smooth edges, which needs colours to
// average into; at 16 bits or fewer COLORONCOLOR's plain dropping of pixels
// looks better.
int ChooseStretchMode(int bitsPerPixel);

// Fills `area` with the button-face colour, then stretches the whole picture,
// if any, over the whole of `area` regardless of its aspect ratio. The stretch
// mode follows the bit depth of `dc`; its modes are restored afterwards.
void PaintPicture(HDC dc, const RECT& area, const PictureState& state);

// Registers the window class once per process; true also when it exists.
bool RegisterPictureBoxClass(HINSTANCE instance);

// A visible child of `parent` at `place` (parent's client coordinates); the
// class must be registered with the parent's instance. Without a border and
// never a tab stop; it does not take the focus. The bytes (a JPEG or PNG file)
// are decoded once, here, and need not outlive the call. Null on failure.
HWND CreatePictureBox(HWND parent, int id, RECT place, const unsigned char* bytes,
                      std::size_t size);

// The bytes of an RCDATA resource, valid for the module's life; empty when the
// module has no such resource.
std::span<const unsigned char> PictureResourceBytes(HINSTANCE instance, int id);

}  // namespace movaro
