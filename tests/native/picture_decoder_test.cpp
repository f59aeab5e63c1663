// Decoding of the support pictures and of small pictures with known pixels made
// here, and refusal of everything that is not a whole JPEG or PNG file.
#include "ui/picture_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "tests/support_qr_layout.h"

namespace movaro {

void PrintTo(const Bgra& pixel, std::ostream* out) {
  *out << "BGRA(" << int{pixel.blue} << ", " << int{pixel.green} << ", " << int{pixel.red} << ", "
       << int{pixel.alpha} << ")";
}

namespace testing {
namespace {

using Bytes = std::vector<unsigned char>;

constexpr Bgra kWhite{255, 255, 255, 255};

Bytes ReadResource(const char* name) {
  std::ifstream file(std::string(MOVARO_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

std::optional<Pixmap> Decode(const Bytes& bytes) {
  return DecodePicture(bytes.data(), bytes.size());
}

bool Near(Bgra actual, Bgra expected, int tolerance) {
  return std::abs(actual.blue - expected.blue) <= tolerance &&
         std::abs(actual.green - expected.green) <= tolerance &&
         std::abs(actual.red - expected.red) <= tolerance && actual.alpha == expected.alpha;
}

// Cases show by name in failure messages, not as bytes.
template <typename Case>
requires requires(const Case& test) { test.name; }
void PrintTo(const Case& test, std::ostream* out) { *out << test.name; }

// Names a parameterised test after its case's `name`.
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    return param.param.name;
  }
};

Bgra Dark(const QrPicture& qr) { return {qr.darkBlue, qr.darkGreen, qr.darkRed, 255}; }

// ---------------------------------------------------------------- the support pictures

std::string PictureName(const ::testing::TestParamInfo<QrPicture>& param) {
  return param.param.resourceId == kJpegQr.resourceId ? "Jpeg" : "Png";
}

class SupportPictureTest : public ::testing::TestWithParam<QrPicture> {};

// Every module whose colour a version-5 symbol fixes, over a 3×3 patch at its
// centre, so that a shift, a flip or a swapped channel shows.
TEST_P(SupportPictureTest, FixedModulesHaveTheirColours) {
  const QrPicture& qr = GetParam();
  const std::optional<Pixmap> pixmap = Decode(ReadResource(qr.name));
  ASSERT_TRUE(pixmap.has_value());
  ASSERT_EQ(pixmap->width(), qr.width);
  ASSERT_EQ(pixmap->height(), qr.height);

  int fixedModules = 0;
  for (int row = 0; row < QrPicture::kModules; ++row) {
    for (int column = 0; column < QrPicture::kModules; ++column) {
      const std::optional<bool> dark = FixedModule(column, row);
      if (!dark) {
        continue;
      }
      ++fixedModules;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const Bgra pixel = pixmap->At(qr.CentreX(column) + dx, qr.CentreY(row) + dy);
          EXPECT_PRED3(Near, pixel, *dark ? Dark(qr) : kWhite, qr.tolerance)
              << "module " << column << ", " << row;
        }
      }
    }
  }
  // Three finders with separators (3 × 64), the alignment pattern (25), two
  // timing lines (2 × 21) and the dark module.
  EXPECT_EQ(fixedModules, 3 * 64 + 25 + 2 * 21 + 1);
}

// The quiet zone, all round, apart from a strip as wide as JPEG's ringing.
TEST_P(SupportPictureTest, QuietZoneIsWhite) {
  const QrPicture& qr = GetParam();
  const std::optional<Pixmap> pixmap = Decode(ReadResource(qr.name));
  ASSERT_TRUE(pixmap.has_value());
  const int ringing = qr.tolerance > 0 ? 3 : 0;
  int checked = 0;
  for (int y = 0; y < pixmap->height(); ++y) {
    for (int x = 0; x < pixmap->width(); ++x) {
      const bool nearSymbol = x >= qr.left - ringing && x < qr.left + qr.SymbolPixels() + ringing &&
                              y >= qr.top - ringing && y < qr.top + qr.SymbolPixels() + ringing;
      if (nearSymbol) {
        continue;
      }
      ++checked;
      if (!Near(pixmap->At(x, y), kWhite, qr.tolerance)) {
        ADD_FAILURE() << "pixel " << x << ", " << y << " is "
                      << ::testing::PrintToString(pixmap->At(x, y));
        return;
      }
    }
  }
  EXPECT_GT(checked, 4 * qr.width);
}

INSTANTIATE_TEST_SUITE_P(Resources, SupportPictureTest, ::testing::Values(kJpegQr, kPngQr),
                         PictureName);

// PNG is lossless: every pixel of the symbol has its module's colour exactly,
// and that colour is one of the two.
TEST(SupportPngTest, EveryPixelHasItsModulesColour) {
  const QrPicture& qr = kPngQr;
  const std::optional<Pixmap> pixmap = Decode(ReadResource(qr.name));
  ASSERT_TRUE(pixmap.has_value());
  for (int y = qr.top; y < qr.top + qr.SymbolPixels(); ++y) {
    for (int x = qr.left; x < qr.left + qr.SymbolPixels(); ++x) {
      const int column = (x - qr.left) / qr.modulePixels;
      const int row = (y - qr.top) / qr.modulePixels;
      const Bgra module = pixmap->At(qr.CentreX(column), qr.CentreY(row));
      ASSERT_TRUE(module == Dark(qr) || module == kWhite) << "module " << column << ", " << row;
      ASSERT_EQ(pixmap->At(x, y), module) << "pixel " << x << ", " << y;
    }
  }
}

// ---------------------------------------------------------------- PNG of every colour type

Bytes EncodePng(png_uint_32 format, int width, int height, const Bytes& samples,
                const Bytes& colourMap = {}) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(colourMap.size() / 3);
  const void* map = colourMap.empty() ? nullptr : colourMap.data();
  png_alloc_size_t size = 0;
  EXPECT_NE(png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, map), 0)
      << image.message;
  Bytes png(size);
  EXPECT_NE(png_image_write_to_memory(&image, png.data(), &size, 0, samples.data(), 0, map), 0)
      << image.message;
  png.resize(size);
  return png;
}

struct PngCase {
  const char* name;
  png_uint_32 format;
  Bytes samples;  // 3 × 2 pixels in `format`
  Bytes colourMap;
  std::vector<Bgra> expected;
};

class PngColourTypeTest : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngColourTypeTest, DecodesToStraightBgra) {
  const PngCase& test = GetParam();
  const std::optional<Pixmap> pixmap =
      Decode(EncodePng(test.format, 3, 2, test.samples, test.colourMap));
  ASSERT_TRUE(pixmap.has_value());
  ASSERT_EQ(pixmap->width(), 3);
  ASSERT_EQ(pixmap->height(), 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(pixmap->At(i % 3, i / 3), test.expected[static_cast<std::size_t>(i)])
        << "pixel " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngColourTypeTest,
    ::testing::Values(PngCase{"Rgb",
                              PNG_FORMAT_RGB,
                              {255, 0, 0, 0, 255, 0, 0, 0, 255, 0x12, 0x34, 0x56, 255, 255, 255, 0,
                               0, 0},
                              {},
                              {{0, 0, 255, 255},
                               {0, 255, 0, 255},
                               {255, 0, 0, 255},
                               {0x56, 0x34, 0x12, 255},
                               {255, 255, 255, 255},
                               {0, 0, 0, 255}}},
                      PngCase{"RgbWithAlpha",
                              PNG_FORMAT_RGBA,
                              {255,  0,    0,    255,  0,   255, 0,   0x80, 0, 0, 255, 0x01,
                               0x12, 0x34, 0x56, 0xFE, 255, 255, 255, 0x40, 0, 0, 0,   255},
                              {},
                              {{0, 0, 255, 255},
                               {0, 255, 0, 0x80},
                               {255, 0, 0, 0x01},
                               {0x56, 0x34, 0x12, 0xFE},
                               {255, 255, 255, 0x40},
                               {0, 0, 0, 255}}},
                      PngCase{"Grey",
                              PNG_FORMAT_GRAY,
                              {0, 0x40, 0x80, 0xC0, 0xFF, 0x33},
                              {},
                              {{0, 0, 0, 255},
                               {0x40, 0x40, 0x40, 255},
                               {0x80, 0x80, 0x80, 255},
                               {0xC0, 0xC0, 0xC0, 255},
                               {0xFF, 0xFF, 0xFF, 255},
                               {0x33, 0x33, 0x33, 255}}},
                      PngCase{"GreyWithAlpha",
                              PNG_FORMAT_GA,
                              {0, 255, 0x40, 0x80, 0x80, 255, 0xC0, 0x20, 0xFF, 255, 0x33, 0xF0},
                              {},
                              {{0, 0, 0, 255},
                               {0x40, 0x40, 0x40, 0x80},
                               {0x80, 0x80, 0x80, 255},
                               {0xC0, 0xC0, 0xC0, 0x20},
                               {0xFF, 0xFF, 0xFF, 255},
                               {0x33, 0x33, 0x33, 0xF0}}},
                      PngCase{"Palette",
                              PNG_FORMAT_RGB_COLORMAP,
                              {0, 1, 2, 3, 2, 1},
                              {255, 0, 0, 0x12, 0x34, 0x56, 0, 0, 0, 255, 255, 255},
                              {{0, 0, 255, 255},
                               {0x56, 0x34, 0x12, 255},
                               {0, 0, 0, 255},
                               {255, 255, 255, 255},
                               {0, 0, 0, 255},
                               {0x56, 0x34, 0x12, 255}}}),
    CaseName());

// ---------------------------------------------------------------- JPEG variants

struct JpegCase {
  const char* name;
  bool grey;
  bool progressive;
};

// Solid 16 × 16 blocks side by side, whole MCUs at full chroma resolution, so
// the centre of each block keeps its colour within a few steps.
constexpr int kBlock = 16;
constexpr Bgra kBlockColours[] = {{0, 0, 255, 255},        {0, 255, 0, 255}, {255, 0, 0, 255},
                                  {0xC0, 0x80, 0x20, 255}, kWhite,           {0, 0, 0, 255}};
constexpr unsigned char kBlockGreys[] = {0, 0x40, 0x80, 0xC0, 0xFF, 0x33};

Bytes EncodeJpeg(int width, int height, bool grey, bool progressive,
                 const std::function<void(int x, int y, unsigned char* sample)>& colour) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* output = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &output, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int i = 0; i < info.num_components; ++i) {
    info.comp_info[i].h_samp_factor = 1;
    info.comp_info[i].v_samp_factor = 1;
  }
  if (progressive) {
    jpeg_simple_progression(&info);
  }
  jpeg_start_compress(&info, TRUE);
  Bytes row(static_cast<std::size_t>(width * info.input_components));
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < width; ++x) {
      colour(x, static_cast<int>(info.next_scanline),
             &row[static_cast<std::size_t>(x * info.input_components)]);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes jpeg(output, output + size);
  std::free(output);
  return jpeg;
}

Bytes EncodeBlocks(bool grey, bool progressive) {
  return EncodeJpeg(6 * kBlock, kBlock, grey, progressive,
                    [grey](int x, int, unsigned char* sample) {
                      const int block = x / kBlock;
                      if (grey) {
                        sample[0] = kBlockGreys[block];
                      } else {
                        sample[0] = kBlockColours[block].red;
                        sample[1] = kBlockColours[block].green;
                        sample[2] = kBlockColours[block].blue;
                      }
                    });
}

class JpegVariantTest : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegVariantTest, BlocksKeepTheirColours) {
  const JpegCase& test = GetParam();
  const std::optional<Pixmap> pixmap = Decode(EncodeBlocks(test.grey, test.progressive));
  ASSERT_TRUE(pixmap.has_value());
  ASSERT_EQ(pixmap->width(), 6 * kBlock);
  ASSERT_EQ(pixmap->height(), kBlock);
  for (int block = 0; block < 6; ++block) {
    const unsigned char grey = kBlockGreys[block];
    const Bgra expected = test.grey ? Bgra{grey, grey, grey, 255} : kBlockColours[block];
    EXPECT_PRED3(Near, pixmap->At(block * kBlock + kBlock / 2, kBlock / 2), expected, 3)
        << "block " << block;
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, JpegVariantTest,
                         ::testing::Values(JpegCase{"Baseline", false, false},
                                           JpegCase{"Progressive", false, true},
                                           JpegCase{"Grey", true, false}),
                         CaseName());

// ---------------------------------------------------------------- the size limit

struct SizeCase {
  const char* name;
  bool jpeg;
  int width;
  int height;
  bool decodes;
};

class SizeLimitTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeLimitTest, RefusesOnlyWhatExceedsIt) {
  const SizeCase& test = GetParam();
  const Bytes bytes =
      test.jpeg ? EncodeJpeg(test.width, test.height, true, false,
                             [](int, int, unsigned char* sample) { *sample = 0x80; })
                : EncodePng(PNG_FORMAT_GRAY, test.width, test.height,
                            Bytes(static_cast<std::size_t>(test.width * test.height), 0x80));
  const std::optional<Pixmap> pixmap = Decode(bytes);
  ASSERT_EQ(pixmap.has_value(), test.decodes);
  if (test.decodes) {
    EXPECT_EQ(pixmap->width(), test.width);
    EXPECT_EQ(pixmap->height(), test.height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sides, SizeLimitTest,
    ::testing::Values(SizeCase{"JpegAtWidth", true, kMaxPictureSide, 1, true},
                      SizeCase{"JpegOverWidth", true, kMaxPictureSide + 1, 1, false},
                      SizeCase{"JpegAtHeight", true, 1, kMaxPictureSide, true},
                      SizeCase{"JpegOverHeight", true, 1, kMaxPictureSide + 1, false},
                      SizeCase{"PngAtWidth", false, kMaxPictureSide, 1, true},
                      SizeCase{"PngOverWidth", false, kMaxPictureSide + 1, 1, false},
                      SizeCase{"PngAtHeight", false, 1, kMaxPictureSide, true},
                      SizeCase{"PngOverHeight", false, 1, kMaxPictureSide + 1, false}),
    CaseName());

// ---------------------------------------------------------------- what is refused

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

void PutBigEndian32(unsigned char* bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (24 - 8 * i));
  }
}

// The offset of a chunk's length field.
std::size_t FindPngChunk(const Bytes& png, const char* type) {
  for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + BigEndian32(&png[at])) {
    if (std::memcmp(&png[at + 4], type, 4) == 0) {
      return at;
    }
  }
  ADD_FAILURE() << "no " << type << " chunk";
  return 8;
}

// Makes a changed chunk pass its check, so that the content is what fails.
void FixPngCrc(Bytes& png, std::size_t chunk) {
  const std::uint32_t length = BigEndian32(&png[chunk]);
  PutBigEndian32(&png[chunk + 8 + length],
                 static_cast<std::uint32_t>(crc32(0, &png[chunk + 4], length + 4)));
}

// The offset of a marker's 0xFF in the header segments.
std::size_t FindJpegMarker(const Bytes& jpeg, unsigned char marker) {
  for (std::size_t at = 2; at + 4 <= jpeg.size(); at += 2 + (jpeg[at + 2] << 8 | jpeg[at + 3])) {
    if (jpeg[at] == 0xFF && jpeg[at + 1] == marker) {
      return at;
    }
  }
  ADD_FAILURE() << "no marker " << int{marker};
  return 2;
}

constexpr unsigned char kSof0 = 0xC0, kDht = 0xC4, kSos = 0xDA, kDqt = 0xDB;

std::size_t ScanDataStart(const Bytes& jpeg) {
  const std::size_t sos = FindJpegMarker(jpeg, kSos);
  return sos + 2 + (jpeg[sos + 2] << 8 | jpeg[sos + 3]);
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

struct BadInput {
  const char* name;
  const QrPicture* source;  // null: made from nothing
  std::function<Bytes(Bytes)> damage;
};

class BadInputTest : public ::testing::TestWithParam<BadInput> {};

TEST_P(BadInputTest, GivesNothing) {
  const BadInput& test = GetParam();
  const Bytes original = test.source != nullptr ? ReadResource(test.source->name) : Bytes();
  const Bytes bad = test.damage(original);
  if (test.source != nullptr) {
    // Guards against a case that passes for want of its file or of a change.
    ASSERT_TRUE(Decode(original).has_value());
    ASSERT_NE(bad, original);
  }
  EXPECT_FALSE(Decode(bad).has_value());
}

const BadInput kBadInputs[] = {
    // Not a picture we read.
    {"Empty", nullptr, [](Bytes) { return Bytes{}; }},
    {"Text", nullptr,
     [](Bytes) {
       const std::string text = "not a picture at all";
       return Bytes(text.begin(), text.end());
     }},
    {"Gif", &kPngQr,
     [](Bytes bytes) {
       std::memcpy(bytes.data(), "GIF89a", 6);
       return bytes;
     }},
    {"Bitmap", &kPngQr,
     [](Bytes bytes) {
       std::memcpy(bytes.data(), "BM", 2);
       return bytes;
     }},
    {"PngSignatureOneByteOff", &kPngQr,
     [](Bytes bytes) {
       bytes[1] = 'p';
       return bytes;
     }},
    {"JpegSignatureWithoutMarker", &kJpegQr,
     [](Bytes bytes) {
       bytes[2] = 0x00;
       return bytes;
     }},
    {"JpegSignatureOnly", &kJpegQr, [](Bytes bytes) { return Cut(bytes, 3); }},
    {"PngSignatureOnly", &kPngQr, [](Bytes bytes) { return Cut(bytes, 8); }},

    // Cut short.
    {"JpegCutInHeader", &kJpegQr, [](Bytes bytes) { return Cut(bytes, 40); }},
    {"JpegCutBeforeScan", &kJpegQr,
     [](Bytes bytes) { return Cut(bytes, FindJpegMarker(bytes, kSos)); }},
    {"JpegCutInScan", &kJpegQr,
     [](Bytes bytes) { return Cut(bytes, (ScanDataStart(bytes) + bytes.size()) / 2); }},
    {"JpegWithoutEndMarker", &kJpegQr, [](Bytes bytes) { return Cut(bytes, bytes.size() - 2); }},
    {"JpegCutInEndMarker", &kJpegQr, [](Bytes bytes) { return Cut(bytes, bytes.size() - 1); }},
    {"PngCutInHeader", &kPngQr, [](Bytes bytes) { return Cut(bytes, 20); }},
    {"PngCutAfterHeader", &kPngQr,
     [](Bytes bytes) { return Cut(bytes, FindPngChunk(bytes, "IHDR") + 12 + 13); }},
    {"PngCutInData", &kPngQr,
     [](Bytes bytes) {
       const std::size_t idat = FindPngChunk(bytes, "IDAT");
       return Cut(bytes, idat + 8 + BigEndian32(&bytes[idat]) / 2);
     }},
    {"PngWithoutEndChunk", &kPngQr,
     [](Bytes bytes) { return Cut(bytes, FindPngChunk(bytes, "IEND")); }},
    {"PngCutInEndChunk", &kPngQr, [](Bytes bytes) { return Cut(bytes, bytes.size() - 1); }},

    // Damaged.
    {"JpegPrecision12", &kJpegQr,
     [](Bytes bytes) {
       bytes[FindJpegMarker(bytes, kSof0) + 4] = 12;
       return bytes;
     }},
    {"JpegNoComponents", &kJpegQr,
     [](Bytes bytes) {
       bytes[FindJpegMarker(bytes, kSof0) + 9] = 0;
       return bytes;
     }},
    {"JpegTooLarge", &kJpegQr,
     [](Bytes bytes) {
       const std::size_t sof = FindJpegMarker(bytes, kSof0);
       bytes[sof + 5] = bytes[sof + 7] = 0xFF;  // 65 thousand pixels a side
       return bytes;
     }},
    {"JpegOverfullHuffmanTable", &kJpegQr,
     [](Bytes bytes) {
       bytes[FindJpegMarker(bytes, kDht) + 5 + 15] = 0xFF;
       return bytes;
     }},
    {"JpegQuantTableOutOfRange", &kJpegQr,
     [](Bytes bytes) {
       bytes[FindJpegMarker(bytes, kDqt) + 4] = 0x07;
       return bytes;
     }},
    {"JpegScanOfUnknownComponent", &kJpegQr,
     [](Bytes bytes) {
       bytes[FindJpegMarker(bytes, kSos) + 5] = 0x09;
       return bytes;
     }},
    {"JpegEndMarkerInScan", &kJpegQr,
     [](Bytes bytes) {
       const std::size_t middle = (ScanDataStart(bytes) + bytes.size()) / 2;
       bytes[middle] = 0xFF;
       bytes[middle + 1] = 0xD9;
       return bytes;
     }},
    {"PngHeaderCrc", &kPngQr,
     [](Bytes bytes) {
       bytes[FindPngChunk(bytes, "IHDR") + 11] ^= 0x01;
       return bytes;
     }},
    {"PngZeroWidth", &kPngQr,
     [](Bytes bytes) {
       const std::size_t ihdr = FindPngChunk(bytes, "IHDR");
       PutBigEndian32(&bytes[ihdr + 8], 0);
       FixPngCrc(bytes, ihdr);
       return bytes;
     }},
    {"PngTooLarge", &kPngQr,
     [](Bytes bytes) {
       const std::size_t ihdr = FindPngChunk(bytes, "IHDR");
       PutBigEndian32(&bytes[ihdr + 8], 60000);
       PutBigEndian32(&bytes[ihdr + 12], 60000);
       FixPngCrc(bytes, ihdr);
       return bytes;
     }},
    {"PngBitDepth3", &kPngQr,
     [](Bytes bytes) {
       const std::size_t ihdr = FindPngChunk(bytes, "IHDR");
       bytes[ihdr + 16] = 3;
       FixPngCrc(bytes, ihdr);
       return bytes;
     }},
    {"PngColourType1", &kPngQr,
     [](Bytes bytes) {
       const std::size_t ihdr = FindPngChunk(bytes, "IHDR");
       bytes[ihdr + 17] = 1;
       FixPngCrc(bytes, ihdr);
       return bytes;
     }},
    {"PngDataCrc", &kPngQr,
     [](Bytes bytes) {
       const std::size_t idat = FindPngChunk(bytes, "IDAT");
       bytes[idat + 8 + BigEndian32(&bytes[idat]) / 2] ^= 0x10;
       return bytes;
     }},
    {"PngDeflateStream", &kPngQr,
     [](Bytes bytes) {
       const std::size_t idat = FindPngChunk(bytes, "IDAT");
       bytes[idat + 8 + BigEndian32(&bytes[idat]) / 2] ^= 0x10;
       FixPngCrc(bytes, idat);
       return bytes;
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, BadInputTest, ::testing::ValuesIn(kBadInputs), CaseName());

TEST(DecodePictureTest, NullOrEmptyGivesNothing) {
  const unsigned char byte = 0xFF;
  EXPECT_FALSE(DecodePicture(nullptr, 0).has_value());
  EXPECT_FALSE(DecodePicture(nullptr, 100).has_value());
  EXPECT_FALSE(DecodePicture(&byte, 0).has_value());
}

// ---------------------------------------------------------------- flattening

struct FlattenCase {
  const char* name;
  Bgra pixel;
  Bgra expected;  // over kBackground
};

constexpr Bgra kBackground{0xF0, 0xF0, 0xF0, 255};

class FlattenTest : public ::testing::TestWithParam<FlattenCase> {};

TEST_P(FlattenTest, BlendsOverTheBackgroundAndBecomesOpaque) {
  const FlattenCase& test = GetParam();
  Pixmap pixmap(2, 1);
  pixmap.Set(0, 0, test.pixel);
  pixmap.Set(1, 0, {1, 2, 3, 255});
  FlattenOnto(pixmap, kBackground);
  EXPECT_EQ(pixmap.At(0, 0), test.expected);
  EXPECT_EQ(pixmap.At(1, 0), (Bgra{1, 2, 3, 255}));
}

INSTANTIATE_TEST_SUITE_P(
    Alphas, FlattenTest,
    ::testing::Values(FlattenCase{"Opaque", {0x10, 0x20, 0x30, 255}, {0x10, 0x20, 0x30, 255}},
                      FlattenCase{"Transparent", {0x10, 0x20, 0x30, 0}, kBackground},
                      // Blue: (0x00 × 0x80 + 0xF0 × 0x7F + 127) / 255 = 0x78.
                      FlattenCase{"Half", {0x00, 0xFF, 0xF0, 0x80}, {0x78, 0xF8, 0xF0, 255}}),
    CaseName());

}  // namespace
}  // namespace testing
}  // namespace movaro
