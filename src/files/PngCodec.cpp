#include "files/PngCodec.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "files/CodecSupport.h"

// libpng reports errors by longjmp. Every function below that calls setjmp
// holds only plain data between setjmp and the calls into libpng, and the
// callbacks hold none, so a jump never skips a destructor. Objects with
// destructors live in the callers, created before the jump point.

namespace kroma {
namespace {

// No chunk that libpng keeps in memory may ask for more than this; image
// data is bounded by the pixel budget instead.
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct TPngIo {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t pos = 0;
  char message[200] = {};
};

TPngIo& IoOf(png_structp png) { return *static_cast<TPngIo*>(png_get_io_ptr(png)); }

void OnError(png_structp png, png_const_charp message) {
  auto* io = static_cast<TPngIo*>(png_get_error_ptr(png));
  std::snprintf(io->message, sizeof io->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep dst, png_size_t n) {
  TPngIo& io = IoOf(png);
  if (io.size - io.pos < n) png_error(png, "the file is truncated");
  std::memcpy(dst, io.data + io.pos, n);
  io.pos += n;
}



// The read structures, freed on every way out.
class TPngRead {
 public:
  explicit TPngRead(TPngIo& io) {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, OnError, OnWarning);
    if (png_) info_ = png_create_info_struct(png_);
    if (!png_ || !info_) throw Error("Cannot read PNG file: out of memory");
    png_set_read_fn(png_, &io, ReadFromMemory);
    png_set_chunk_malloc_max(png_, kMaxChunkBytes);
    // Text, profiles and the like play no part in the pixels: they are
    // skipped unread, so a huge one costs nothing. tRNS is still read.
    png_set_keep_unknown_chunks(png_, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_user_limits(png_, 0x7fffffff, 0x7fffffff);
  }
  ~TPngRead() { png_destroy_read_struct(&png_, &info_, nullptr); }
  TPngRead(const TPngRead&) = delete;
  TPngRead& operator=(const TPngRead&) = delete;
  png_structp png() const { return png_; }
  png_infop info() const { return info_; }

 private:
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

// What the header says once the conversion to blue-green-red bytes (plus
// alpha when the file has transparency) is set up.
struct TPngLayout {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int channels = 3;  // 4: blue, green, red, alpha
  int passes = 1;    // 7 for interlaced files
};

// False when libpng reported an error.
bool ReadHeader(png_structp png, png_infop info, TPngLayout* layout) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  layout->width = png_get_image_width(png, info);
  layout->height = png_get_image_height(png, info);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  layout->passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  layout->channels = png_get_channels(png, info);
  return png_get_rowbytes(png, info) == std::size_t{layout->width} * static_cast<unsigned>(layout->channels);
}

// Blends blue-green-red-alpha pixels over white into a 24-bit row.
void BlendOverWhite(const std::uint8_t* src, png_uint_32 width, std::uint8_t* dst) {
  for (png_uint_32 x = 0; x < width; ++x, src += 4, dst += 3) {
    const unsigned a = src[3];
    for (int c = 0; c < 3; ++c) dst[c] = static_cast<std::uint8_t>((src[c] * a + 255 * (255 - a) + 127) / 255);
  }
}

// Opaque files go straight into the bitmap's rows. Files with alpha go
// through `scratch`: one row, or every row when the file is interlaced.
bool ReadRows(png_structp png, const TPngLayout* layout, png_bytepp rows, png_bytep scratch) {
  if (setjmp(png_jmpbuf(png))) return false;
  const std::size_t scratchRow = std::size_t{layout->width} * 4;
  if (layout->channels == 3) {
    png_read_image(png, rows);
  } else if (layout->passes == 1) {
    for (png_uint_32 y = 0; y < layout->height; ++y) {
      png_read_row(png, scratch, nullptr);
      BlendOverWhite(scratch, layout->width, rows[y]);
    }
  } else {
    for (int pass = 0; pass < layout->passes; ++pass)
      for (png_uint_32 y = 0; y < layout->height; ++y) png_read_row(png, scratch + scratchRow * y, nullptr);
    for (png_uint_32 y = 0; y < layout->height; ++y) BlendOverWhite(scratch + scratchRow * y, layout->width, rows[y]);
  }
  png_read_end(png, nullptr);
  return true;
}

[[noreturn]] void Fail(const TPngIo& io) { throw Error(std::string("Invalid PNG file: ") + io.message); }

}  // namespace

void ReadPng(std::span<const std::uint8_t> data, TBitmap& target) {
  if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) throw Error("Invalid PNG file: the PNG signature is missing");
  TPngIo io;
  io.data = data.data();
  io.size = data.size();
  TPngRead reader(io);
  TPngLayout layout;
  if (!ReadHeader(reader.png(), reader.info(), &layout)) {
    if (io.message[0] == 0) std::snprintf(io.message, sizeof io.message, "unsupported pixel layout");
    Fail(io);
  }
  CheckImageSize(layout.width, layout.height);
  TBitmap decoded(static_cast<int>(layout.width), static_cast<int>(layout.height), pf24bit, {});
  std::vector<png_bytep> rows(layout.height);
  for (png_uint_32 y = 0; y < layout.height; ++y) rows[y] = decoded.ScanLine(static_cast<int>(y));
  std::vector<std::uint8_t> scratch;
  if (layout.channels == 4)
    scratch.resize(std::size_t{layout.width} * 4 * (layout.passes == 1 ? 1 : layout.height));
  if (!ReadRows(reader.png(), &layout, rows.data(), scratch.data())) Fail(io);
  AdoptDecoded(target, std::move(decoded));
}

}  // namespace kroma
