// The picture box, from the pictures the test program carries as resources (it
// is linked with resources/Movaro.rc, as the program is), painted into memory.
#include "ui/picture_box.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support_qr_layout.h"

namespace movaro::testing {
namespace {

constexpr COLORREF kUnpainted = RGB(255, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

HINSTANCE Program() { return ::GetModuleHandleA(nullptr); }

std::vector<unsigned char> ResourceCopy(int id) {
  const std::span<const unsigned char> bytes = PictureResourceBytes(Program(), id);
  return {bytes.begin(), bytes.end()};
}

COLORREF Dark(const QrPicture& qr) { return RGB(qr.darkRed, qr.darkGreen, qr.darkBlue); }

bool Near(COLORREF actual, COLORREF expected, int tolerance) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string Hex(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(colour));
  return text;
}

// A 32-bit DIB in a memory DC, first filled with a colour the pictures lack.
class Canvas {
 public:
  Canvas(int width, int height) : dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    selection_.emplace(dc_.get(), bitmap_.get());
    const RECT all{0, 0, width, height};
    const UniqueBrush brush(::CreateSolidBrush(kUnpainted));
    ::FillRect(dc_.get(), &all, brush.get());
  }

  bool Valid() const { return dc_ && bitmap_; }
  HDC dc() const { return dc_.get(); }
  COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  std::optional<SelectionGuard> selection_;
};

// Where the centre of a picture's pixel lands when the picture fills `area`.
POINT Map(const QrPicture& qr, const RECT& area, int x, int y) {
  return {area.left + (2 * x + 1) * (area.right - area.left) / (2 * qr.width),
          area.top + (2 * y + 1) * (area.bottom - area.top) / (2 * qr.height)};
}

// The dark centres of the three finder patterns, one module wider than the
// stretched picture's worst rounding.
void ExpectFinderCentresDark(const QrPicture& qr, const RECT& area, const Canvas& canvas) {
  constexpr int last = QrPicture::kModules - 1;
  const std::pair<int, int> finders[] = {{3, 3}, {last - 3, 3}, {3, last - 3}};
  for (const auto& [column, row] : finders) {
    const POINT at = Map(qr, area, qr.CentreX(column), qr.CentreY(row));
    EXPECT_PRED3(Near, canvas.At(at.x, at.y), Dark(qr), 40)
        << "finder at module " << column << ", " << row << ": " << Hex(canvas.At(at.x, at.y));
  }
}

// Points 2 pixels inside each corner and each side of the area.
void ExpectMarginsLight(const RECT& area, const Canvas& canvas) {
  const int xs[] = {area.left + 2, (area.left + area.right) / 2, area.right - 3};
  const int ys[] = {area.top + 2, (area.top + area.bottom) / 2, area.bottom - 3};
  for (const int x : xs) {
    for (const int y : ys) {
      if (x == xs[1] && y == ys[1]) {
        continue;  // inside the symbol
      }
      EXPECT_PRED3(Near, canvas.At(x, y), kWhite, 24)
          << "quiet zone at " << x << ", " << y << ": " << Hex(canvas.At(x, y));
    }
  }
}

// ---------------------------------------------------------------- resources

TEST(PictureResourceTest, ProgramCarriesBothPictures) {
  for (const QrPicture& qr : {kJpegQr, kPngQr}) {
    const std::span<const unsigned char> bytes = PictureResourceBytes(Program(), qr.resourceId);
    ASSERT_FALSE(bytes.empty()) << qr.name;
    const PictureState state(bytes.data(), bytes.size());
    ASSERT_TRUE(state.HasPicture()) << qr.name;
    EXPECT_EQ(state.width(), qr.width) << qr.name;
    EXPECT_EQ(state.height(), qr.height) << qr.name;
  }
  EXPECT_TRUE(PictureResourceBytes(Program(), 4242).empty());
}

// ---------------------------------------------------------------- painting

struct Area {
  const char* name;
  RECT rect;
  int canvasWidth;
  int canvasHeight;
};

const Area kAreas[] = {
    {"Square", {0, 0, 100, 100}, 100, 100},
    {"WideAndMoved", {10, 20, 210, 90}, 220, 100},
    {"TallAndMoved", {5, 5, 65, 165}, 70, 170},
};

class PicturePaintTest : public ::testing::TestWithParam<std::tuple<QrPicture, Area>> {};

TEST_P(PicturePaintTest, StretchesTheWholePictureOverTheWholeArea) {
  const auto& [qr, area] = GetParam();
  const std::vector<unsigned char> bytes = ResourceCopy(qr.resourceId);
  const PictureState state(bytes.data(), bytes.size());
  ASSERT_TRUE(state.HasPicture());
  Canvas canvas(area.canvasWidth, area.canvasHeight);
  ASSERT_TRUE(canvas.Valid());

  PaintPicture(canvas.dc(), area.rect, state);

  ExpectFinderCentresDark(qr, area.rect, canvas);
  ExpectMarginsLight(area.rect, canvas);
  for (int y = 0; y < area.canvasHeight; ++y) {
    for (int x = 0; x < area.canvasWidth; ++x) {
      const POINT point{x, y};
      const bool inside = ::PtInRect(&area.rect, point) != FALSE;
      ASSERT_EQ(canvas.At(x, y) == kUnpainted, !inside) << "pixel " << x << ", " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PictureAreas, PicturePaintTest,
                         ::testing::Combine(::testing::Values(kJpegQr, kPngQr),
                                            ::testing::ValuesIn(kAreas)),
                         [](const ::testing::TestParamInfo<std::tuple<QrPicture, Area>>& param) {
                           const QrPicture& qr = std::get<0>(param.param);
                           return std::string(qr.resourceId == kJpegQr.resourceId ? "Jpeg"
                                                                                  : "Png") +
                                  std::get<1>(param.param).name;
                         });

struct Damage {
  const char* name;
  std::vector<unsigned char> (*make)();
};

const Damage kDamages[] = {
    {"Nothing", [] { return std::vector<unsigned char>(); }},
    {"Text", [] { return std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i'}; }},
    {"JpegCutInHalf",
     [] {
       std::vector<unsigned char> bytes = ResourceCopy(kJpegQr.resourceId);
       bytes.resize(bytes.size() / 2);
       return bytes;
     }},
    {"PngWithDamagedData",
     [] {
       std::vector<unsigned char> bytes = ResourceCopy(kPngQr.resourceId);
       bytes[bytes.size() / 2] ^= 0x55;
       return bytes;
     }},
};

class PictureDamageTest : public ::testing::TestWithParam<Damage> {};

TEST_P(PictureDamageTest, PaintsOnlyTheBackground) {
  const std::vector<unsigned char> bytes = GetParam().make();
  const PictureState state(bytes.data(), bytes.size());
  EXPECT_FALSE(state.HasPicture());
  Canvas canvas(100, 100);
  ASSERT_TRUE(canvas.Valid());

  PaintPicture(canvas.dc(), {0, 0, 100, 100}, state);

  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      ASSERT_EQ(canvas.At(x, y), face) << "pixel " << x << ", " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PictureBytes, PictureDamageTest, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& param) {
                           return std::string(param.param.name);
                         });

TEST(PictureStretchModeTest, HalftoneOnlyAbove16BitsPerPixel) {
  const std::pair<int, int> cases[] = {{1, COLORONCOLOR},  {4, COLORONCOLOR},  {8, COLORONCOLOR},
                                       {15, COLORONCOLOR}, {16, COLORONCOLOR}, {24, HALFTONE},
                                       {32, HALFTONE}};
  for (const auto& [bits, mode] : cases) {
    EXPECT_EQ(ChooseStretchMode(bits), mode) << bits << " bits per pixel";
  }
}

// HALFTONE averages module edges into colours between the two; COLORONCOLOR
// only picks pixels. The mode and brush origin the DC had come back.
TEST(PictureStretchModeTest, PaintingFollowsTheDepthAndRestoresTheDc) {
  const std::vector<unsigned char> bytes = ResourceCopy(kPngQr.resourceId);
  const PictureState state(bytes.data(), bytes.size());
  Canvas canvas(100, 100);
  ASSERT_TRUE(canvas.Valid());
  ::SetStretchBltMode(canvas.dc(), BLACKONWHITE);
  ::SetBrushOrgEx(canvas.dc(), 3, 5, nullptr);

  PaintPicture(canvas.dc(), {0, 0, 100, 100}, state);

  int blended = 0;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const COLORREF pixel = canvas.At(x, y);
      blended += !Near(pixel, kWhite, 8) && !Near(pixel, Dark(kPngQr), 8);
    }
  }
  const int bits = ::GetDeviceCaps(canvas.dc(), BITSPIXEL);
  if (ChooseStretchMode(bits) == HALFTONE) {
    EXPECT_GT(blended, 100) << bits << " bits per pixel";
  } else {
    EXPECT_EQ(blended, 0) << bits << " bits per pixel";
  }
  EXPECT_EQ(::GetStretchBltMode(canvas.dc()), BLACKONWHITE);
  POINT origin{};
  ::GetBrushOrgEx(canvas.dc(), &origin);
  EXPECT_EQ(origin.x, 3);
  EXPECT_EQ(origin.y, 5);
}

// ---------------------------------------------------------------- the window

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(window, message, wParam, lParam);
}

class PictureBoxWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(RegisterPictureBoxClass(Program()));
    WNDCLASSEXA parentClass{};
    parentClass.cbSize = sizeof parentClass;
    parentClass.lpfnWndProc = ParentProcedure;
    parentClass.hInstance = Program();
    parentClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    parentClass.lpszClassName = "MovaroPictureBoxTestParent";
    ASSERT_TRUE(::RegisterClassExA(&parentClass) != 0 ||
                ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
  }

  void SetUp() override {
    parent_ =
        ::CreateWindowExA(0, "MovaroPictureBoxTestParent", "Pictures", WS_POPUP | WS_CLIPCHILDREN,
                          40, 40, 400, 300, nullptr, nullptr, Program(), nullptr);
    ASSERT_NE(parent_, nullptr);
  }

  void TearDown() override {
    if (parent_ != nullptr) {
      ::DestroyWindow(parent_);
    }
  }

  HWND Button(int id, int left) {
    return ::CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, left, 200, 80,
                             24, parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             Program(), nullptr);
  }

  HWND parent_ = nullptr;
};

TEST_F(PictureBoxWindowTest, PaintsThePictureItWasMadeWith) {
  std::vector<unsigned char> bytes = ResourceCopy(kPngQr.resourceId);
  const HWND box = CreatePictureBox(parent_, 7, {20, 30, 120, 130}, bytes.data(), bytes.size());
  ASSERT_NE(box, nullptr);
  bytes.assign(bytes.size(), 0);  // decoded at creation: the bytes are not needed afterwards
  EXPECT_EQ(::GetDlgCtrlID(box), 7);
  EXPECT_EQ(::GetParent(box), parent_);
  RECT client{};
  ::GetClientRect(box, &client);
  EXPECT_EQ(client.right, 100);
  EXPECT_EQ(client.bottom, 100);
  Canvas canvas(100, 100);
  ASSERT_TRUE(canvas.Valid());

  ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);

  ExpectFinderCentresDark(kPngQr, client, canvas);
  ExpectMarginsLight(client, canvas);
}

TEST_F(PictureBoxWindowTest, PaintsOnScreenToo) {
  const std::vector<unsigned char> bytes = ResourceCopy(kJpegQr.resourceId);
  const HWND box = CreatePictureBox(parent_, 7, {20, 30, 120, 130}, bytes.data(), bytes.size());
  ASSERT_NE(box, nullptr);
  ::ShowWindow(parent_, SW_SHOWNA);
  ::UpdateWindow(parent_);
  Canvas canvas(100, 100);
  ASSERT_TRUE(canvas.Valid());
  const HDC screen = ::GetDC(box);
  ::BitBlt(canvas.dc(), 0, 0, 100, 100, screen, 0, 0, SRCCOPY);
  ::ReleaseDC(box, screen);

  ExpectFinderCentresDark(kJpegQr, {0, 0, 100, 100}, canvas);
  ExpectMarginsLight({0, 0, 100, 100}, canvas);
}

TEST_F(PictureBoxWindowTest, UndecodableBytesLeaveTheBackground) {
  const unsigned char garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 0x01, 0x02};
  const HWND box = CreatePictureBox(parent_, 8, {0, 0, 50, 40}, garbage, sizeof garbage);
  ASSERT_NE(box, nullptr);
  Canvas canvas(50, 40);
  ASSERT_TRUE(canvas.Valid());

  ::SendMessageA(box, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);

  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      ASSERT_EQ(canvas.At(x, y), ::GetSysColor(COLOR_BTNFACE)) << "pixel " << x << ", " << y;
    }
  }
}

TEST_F(PictureBoxWindowTest, HasNoBorder) {
  const std::vector<unsigned char> bytes = ResourceCopy(kPngQr.resourceId);
  const HWND box = CreatePictureBox(parent_, 7, {20, 30, 120, 90}, bytes.data(), bytes.size());
  ASSERT_NE(box, nullptr);
  RECT client{};
  RECT window{};
  ::GetClientRect(box, &client);
  ::GetWindowRect(box, &window);
  EXPECT_EQ(client.right, window.right - window.left);
  EXPECT_EQ(client.bottom, window.bottom - window.top);
  EXPECT_EQ(client.right, 100);
  EXPECT_EQ(client.bottom, 60);
}

// Tab moves between the buttons on either side of the box, and a click on the
// box leaves the focus where it was.
TEST_F(PictureBoxWindowTest, NeverTakesTheFocus) {
  const HWND first = Button(1, 10);
  const std::vector<unsigned char> bytes = ResourceCopy(kPngQr.resourceId);
  const HWND box = CreatePictureBox(parent_, 2, {20, 30, 120, 130}, bytes.data(), bytes.size());
  const HWND second = Button(3, 100);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(box, nullptr);
  ASSERT_NE(second, nullptr);
  // The parent stays hidden: under Wine without a window manager, hiding an
  // active window afterwards waits two seconds.
  ::SetFocus(first);
  ASSERT_EQ(::GetFocus(), first);

  EXPECT_EQ(::SendMessageA(box, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  MSG tab{};
  tab.hwnd = first;
  tab.message = WM_KEYDOWN;
  tab.wParam = VK_TAB;
  EXPECT_TRUE(::IsDialogMessageA(parent_, &tab));
  EXPECT_EQ(::GetFocus(), second);
  tab.hwnd = second;
  EXPECT_TRUE(::IsDialogMessageA(parent_, &tab));
  EXPECT_EQ(::GetFocus(), first);

  EXPECT_EQ(::SendMessageA(box, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(parent_),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_ACTIVATE);
  ::SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
  ::SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(::GetFocus(), first);
}

}  // namespace
}  // namespace movaro::testing
