#include "ui/picture_decoder.h"

#include <climits>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>

namespace movaro {
namespace {

constexpr unsigned char kJpegSignature[] = {0xFF, 0xD8, 0xFF};
constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

template <std::size_t N>
bool StartsWith(const unsigned char* bytes, std::size_t size, const unsigned char (&prefix)[N]) {
  return size >= N && std::memcmp(bytes, prefix, N) == 0;
}

bool FitsLimits(unsigned long width, unsigned long height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// libjpeg reports errors through error_exit, which must not return. It
// longjmps back into one of JpegDecoder's steps; those steps hold nothing with
// a destructor, so the jump skips only libjpeg's own C frames. The one call
// outside them, jpeg_destroy_decompress, never reports an error.
struct JpegErrors {
  jpeg_error_mgr manager;  // first: libjpeg hands back a pointer to it
  std::jmp_buf escape;
};

[[noreturn]] void EscapeJpegError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->escape, 1);
}

// A warning means damaged data, such as a file cut short, which libjpeg would
// otherwise pad with grey: no picture is better than half a code.
void EscapeJpegWarning(j_common_ptr info, int level) {
  if (level < 0) {
    EscapeJpegError(info);
  }
}

void DiscardJpegMessage(j_common_ptr) {}

class JpegDecoder {
 public:
  JpegDecoder() {
    info_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = EscapeJpegError;
    errors_.manager.emit_message = EscapeJpegWarning;
    errors_.manager.output_message = DiscardJpegMessage;
  }
  // Safe in every state, also after a failed creation: it only frees pools.
  ~JpegDecoder() { jpeg_destroy_decompress(&info_); }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;

  bool ReadHeader(const unsigned char* bytes, unsigned long size) {
    if (setjmp(errors_.escape) != 0) {
      return false;
    }
    jpeg_create_decompress(&info_);
    jpeg_mem_src(&info_, bytes, size);
    jpeg_read_header(&info_, TRUE);
    return true;
  }

  unsigned long width() const { return info_.image_width; }
  unsigned long height() const { return info_.image_height; }

  // `pixels` holds height() rows of `stride` bytes.
  bool ReadPixels(unsigned char* pixels, std::size_t stride) {
    if (setjmp(errors_.escape) != 0) {
      return false;
    }
    info_.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info_);
    if (info_.output_width != info_.image_width || info_.output_height != info_.image_height ||
        info_.output_components != 4) {
      return false;
    }
    while (info_.output_scanline < info_.output_height) {
      JSAMPROW row = pixels + info_.output_scanline * stride;
      jpeg_read_scanlines(&info_, &row, 1);
    }
    // Reads up to the end marker, so that a file cut short there is noticed.
    jpeg_finish_decompress(&info_);
    return true;
  }

 private:
  jpeg_decompress_struct info_{};
  JpegErrors errors_{};
};

std::optional<Pixmap> DecodeJpeg(const unsigned char* bytes, std::size_t size) {
  if (size > ULONG_MAX) {
    return std::nullopt;
  }
  JpegDecoder decoder;
  if (!decoder.ReadHeader(bytes, static_cast<unsigned long>(size)) ||
      !FitsLimits(decoder.width(), decoder.height())) {
    return std::nullopt;
  }
  Pixmap pixmap(static_cast<int>(decoder.width()), static_cast<int>(decoder.height()));
  if (!decoder.ReadPixels(pixmap.data(), pixmap.stride())) {
    return std::nullopt;
  }
  return pixmap;
}

// Frees what libpng holds for an image on every way out; harmless once
// png_image_finish_read has freed it.
class PngImage {
 public:
  PngImage() { image_.version = PNG_IMAGE_VERSION; }
  ~PngImage() { png_image_free(&image_); }
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  png_image* get() { return &image_; }

 private:
  png_image image_{};
};

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// libpng's simplified API stops reading after the image data, so it would take
// a file cut short after that; following the chunk lengths to the end chunk
// notices.
bool ReachesPngEnd(const unsigned char* bytes, std::size_t size) {
  constexpr unsigned char kEndChunk[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  constexpr std::size_t kChunkFrame = 12;  // length, type and CRC
  std::size_t at = sizeof kPngSignature;
  while (size - at >= kChunkFrame) {
    if (std::memcmp(bytes + at, kEndChunk, sizeof kEndChunk) == 0) {
      return true;
    }
    const std::uint32_t length = BigEndian32(bytes + at);
    if (length > size - at - kChunkFrame) {
      return false;
    }
    at += kChunkFrame + length;
  }
  return false;
}

// The simplified API does its own setjmp inside libpng and returns 0 on error.
// Warnings concern ancillary chunks only, so they do not spoil the pixels.
std::optional<Pixmap> DecodePng(const unsigned char* bytes, std::size_t size) {
  if (!ReachesPngEnd(bytes, size)) {
    return std::nullopt;
  }
  PngImage png;
  png_image& image = *png.get();
  if (png_image_begin_read_from_memory(&image, bytes, size) == 0 ||
      !FitsLimits(image.width, image.height)) {
    return std::nullopt;
  }
  image.format = PNG_FORMAT_BGRA;
  Pixmap pixmap(static_cast<int>(image.width), static_cast<int>(image.height));
  if (png_image_finish_read(&image, nullptr, pixmap.data(),
                            static_cast<png_int_32>(pixmap.stride()), nullptr) == 0) {
    return std::nullopt;
  }
  return pixmap;
}

}  // namespace

std::optional<Pixmap> DecodePicture(const unsigned char* bytes, std::size_t size) noexcept {
  try {
    if (bytes == nullptr) {
      return std::nullopt;
    }
    if (StartsWith(bytes, size, kJpegSignature)) {
      return DecodeJpeg(bytes, size);
    }
    if (StartsWith(bytes, size, kPngSignature)) {
      return DecodePng(bytes, size);
    }
  } catch (const std::bad_alloc&) {
  }
  return std::nullopt;
}

}  // namespace movaro
