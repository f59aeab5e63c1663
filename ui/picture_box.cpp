#include "ui/picture_box.h"

#include <cstring>
#include <memory>
#include <optional>

#include "ui/picture_decoder.h"
#include "ui/pixmap.h"

namespace movaro {
namespace {

// Handed from CreatePictureBox to WM_NCCREATE.
struct PictureBytes {
  const unsigned char* bytes;
  std::size_t size;
};

Bgra ButtonFace() {
  const COLORREF colour = ::GetSysColor(COLOR_BTNFACE);
  return {GetBValue(colour), GetGValue(colour), GetRValue(colour), 255};
}

UniqueBitmap CreatePictureBitmap(const Pixmap& pixmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pixmap.width();
  info.bmiHeader.biHeight = -pixmap.height();  // negative: top-down rows, as in the pixmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    return UniqueBitmap();
  }
  std::memcpy(bits, pixmap.data(), pixmap.size_bytes());
  return bitmap;
}

PictureState* StateOf(HWND window) {
  return reinterpret_cast<PictureState*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT OnNcCreate(HWND window, LPARAM lParam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  const auto* picture = static_cast<const PictureBytes*>(create->lpCreateParams);
  auto state = picture != nullptr ? std::make_unique<PictureState>(picture->bytes, picture->size)
                                  : std::make_unique<PictureState>();
  if (!::DefWindowProcA(window, WM_NCCREATE, 0, lParam)) {
    return FALSE;
  }
  // From here on WM_NCDESTROY frees it, whatever happens to the creation.
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
  return TRUE;
}

void PaintWindow(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  const PictureState* state = StateOf(window);
  if (state != nullptr) {
    PaintPicture(dc, client, *state);
  } else {
    PaintPicture(dc, client, PictureState());
  }
}

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_NCCREATE:
        return OnNcCreate(window, lParam);
      case WM_NCDESTROY:
        delete StateOf(window);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
      case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers every pixel; erasing first would flicker
      case WM_PAINT: {
        PaintGuard paint(window);
        PaintWindow(window, paint.dc());
        return 0;
      }
      case WM_PRINTCLIENT:
        PaintWindow(window, reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_GETDLGCODE:
        // Like a static control: the dialog manager passes it by.
        return DLGC_STATIC;
      case WM_MOUSEACTIVATE:
        // A click brings the top-level window forward as anywhere else; the
        // box itself never calls SetFocus, so the focus stays where it was.
        return MA_ACTIVATE;
      default:
        break;
    }
  } catch (...) {
    // Only allocation can throw here, at creation: refuse the window then.
    return message == WM_NCCREATE ? FALSE : 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

PictureState::PictureState(const unsigned char* bytes, std::size_t size) {
  std::optional<Pixmap> pixmap = DecodePicture(bytes, size);
  if (!pixmap) {
    return;
  }
  FlattenOnto(*pixmap, ButtonFace());
  bitmap_ = CreatePictureBitmap(*pixmap);
  if (bitmap_) {
    width_ = pixmap->width();
    height_ = pixmap->height();
  }
}

int ChooseStretchMode(int bitsPerPixel) { return bitsPerPixel > 16 ? HALFTONE : COLORONCOLOR; }

void PaintPicture(HDC dc, const RECT& area, const PictureState& state) {
  ::FillRect(dc, &area, ::GetSysColorBrush(COLOR_BTNFACE));
  if (!state.HasPicture()) {
    return;
  }
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) {
    return;
  }
  SelectionGuard selection(source.get(), state.bitmap());
  const int mode = ChooseStretchMode(::GetDeviceCaps(dc, BITSPIXEL));
  const int previousMode = ::SetStretchBltMode(dc, mode);
  // HALFTONE leaves the brush origin misaligned; it must be set after the mode.
  POINT previousOrigin{};
  const bool originMoved = mode == HALFTONE && ::SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  ::StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               source.get(), 0, 0, state.width(), state.height(), SRCCOPY);
  if (originMoved) {
    ::SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  }
  if (previousMode != 0) {
    ::SetStretchBltMode(dc, previousMode);
  }
}

bool RegisterPictureBoxClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  // The whole picture stretches with the size, so every pixel changes.
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = PictureBoxProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPictureBoxClassName;
  return ::RegisterClassExA(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CreatePictureBox(HWND parent, int id, RECT place, const unsigned char* bytes,
                      std::size_t size) {
  PictureBytes picture{bytes, size};
  const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  return ::CreateWindowExA(0, kPictureBoxClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, &picture);
}

std::span<const unsigned char> PictureResourceBytes(HINSTANCE instance, int id) {
  // 10 is RT_RCDATA, spelled so that the call does not depend on UNICODE.
  const HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10));
  const HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    return {};
  }
  return {static_cast<const unsigned char*>(bytes), ::SizeofResource(instance, resource)};
}

}  // namespace movaro
