#include "files/JpegCodec.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstdlib>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "files/CodecSupport.h"

// libjpeg's default error handler ends the process. Ours jumps back to the
// setjmp of the function that called the library; those functions hold only
// plain data between setjmp and the library calls, so no destructor is
// skipped. Objects with destructors live in their callers.

namespace kroma {
namespace {

// A progressive file may repeat scans endlessly; real files have a few
// dozen at most.
constexpr int kMaxScans = 1000;
constexpr long kMaxLibraryMemory = 1L << 30;

struct TJpegError {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

// Truncated data, data cut short by a marker and broken entropy codes make
// a picture of grey blocks (and a tiny file could make a huge one); they
// are errors here. Other warnings (stray bytes between markers) are not.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC)
    OnErrorExit(cinfo);
}

void OnProgress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (d->input_scan_number > kMaxScans) {
    cinfo->err->msg_code = JERR_UNKNOWN_MARKER;  // any code: the message is replaced below
    auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
    std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
    std::longjmp(err->jump, 1);
  }
}

void InitError(TJpegError& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnErrorExit;
  err.pub.emit_message = OnMessage;
  err.message[0] = 0;
}

class TJpegRead {
 public:
  TJpegRead() {
    InitError(err_);
    cinfo_.err = &err_.pub;
    progress_.progress_monitor = OnProgress;
  }
  ~TJpegRead() {
    if (created_) jpeg_destroy_decompress(&cinfo_);
  }
  TJpegRead(const TJpegRead&) = delete;
  TJpegRead& operator=(const TJpegRead&) = delete;

  // Each step returns false when the library reported an error.
  bool Header(const std::uint8_t* data, std::size_t size) {
    if (setjmp(err_.jump)) return false;
    jpeg_create_decompress(&cinfo_);
    created_ = true;
    cinfo_.mem->max_memory_to_use = kMaxLibraryMemory;
    cinfo_.progress = &progress_;
    jpeg_mem_src(&cinfo_, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo_, TRUE);
    cmyk_ = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
    cinfo_.out_color_space = cmyk_ ? JCS_CMYK : JCS_EXT_BGR;
    return true;
  }
  bool Start() {
    if (setjmp(err_.jump)) return false;
    jpeg_start_decompress(&cinfo_);
    return true;
  }
  // Reads every row into rows[y]; CMYK rows go through `scratch` (4 bytes
  // per pixel) and are converted as inverted Adobe CMYK.
  bool Rows(std::uint8_t** rows, std::uint8_t* scratch) {
    if (setjmp(err_.jump)) return false;
    const JDIMENSION width = cinfo_.output_width;
    while (cinfo_.output_scanline < cinfo_.output_height) {
      std::uint8_t* row = rows[cinfo_.output_scanline];
      JSAMPROW target = cmyk_ ? scratch : row;
      jpeg_read_scanlines(&cinfo_, &target, 1);
      if (cmyk_)
        for (JDIMENSION x = 0; x < width; ++x) {
          const std::uint8_t* s = scratch + 4 * x;
          row[3 * x + 0] = static_cast<std::uint8_t>((s[2] * s[3] + 127) / 255);
          row[3 * x + 1] = static_cast<std::uint8_t>((s[1] * s[3] + 127) / 255);
          row[3 * x + 2] = static_cast<std::uint8_t>((s[0] * s[3] + 127) / 255);
        }
    }
    jpeg_finish_decompress(&cinfo_);
    return true;
  }

  const jpeg_decompress_struct& Info() const { return cinfo_; }
  bool Cmyk() const { return cmyk_; }
  std::string Message() const { return err_.message; }

 private:
  jpeg_decompress_struct cinfo_{};
  TJpegError err_{};
  jpeg_progress_mgr progress_{};
  bool created_ = false;
  bool cmyk_ = false;
};

class TJpegWrite {
 public:
  TJpegWrite() {
    InitError(err_);
    cinfo_.err = &err_.pub;
  }
  ~TJpegWrite() {
    if (created_) jpeg_destroy_compress(&cinfo_);
    std::free(buffer_);
  }
  TJpegWrite(const TJpegWrite&) = delete;
  TJpegWrite& operator=(const TJpegWrite&) = delete;

  bool Write(const TBitmap& image, int quality, bool grayscale) {
    if (setjmp(err_.jump)) return false;
    jpeg_create_compress(&cinfo_);
    created_ = true;
    jpeg_mem_dest(&cinfo_, &buffer_, &size_);
    cinfo_.image_width = static_cast<JDIMENSION>(image.Width());
    cinfo_.image_height = static_cast<JDIMENSION>(image.Height());
    cinfo_.input_components = 3;
    cinfo_.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo_);
    if (grayscale) jpeg_set_colorspace(&cinfo_, JCS_GRAYSCALE);
    jpeg_set_quality(&cinfo_, quality, TRUE);
    jpeg_start_compress(&cinfo_, TRUE);
    while (cinfo_.next_scanline < cinfo_.image_height) {
      JSAMPROW row = const_cast<JSAMPROW>(image.ScanLine(static_cast<int>(cinfo_.next_scanline)));
      jpeg_write_scanlines(&cinfo_, &row, 1);
    }
    jpeg_finish_compress(&cinfo_);
    return true;
  }
  std::vector<std::uint8_t> Bytes() const { return {buffer_, buffer_ + size_}; }
  std::string Message() const { return err_.message; }

 private:
  jpeg_compress_struct cinfo_{};
  TJpegError err_{};
  unsigned char* buffer_ = nullptr;
  unsigned long size_ = 0;
  bool created_ = false;
};

}  // namespace

void ReadJpeg(std::span<const std::uint8_t> data, TBitmap& target) {
  if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8 || data[2] != 0xFF)
    throw Error("Invalid JPEG file: the JPEG signature is missing");
  // Files that lack only their end marker are common; they read as if it
  // were there. A file cut short inside its picture data still stops at a
  // marker in mid-scan, which stays an error.
  std::vector<std::uint8_t> withEnd;
  if (data.size() < 2 || data[data.size() - 2] != 0xFF || data[data.size() - 1] != 0xD9) {
    withEnd.reserve(data.size() + 2);
    withEnd.assign(data.begin(), data.end());
    withEnd.push_back(0xFF);
    withEnd.push_back(0xD9);
    data = withEnd;
  }
  TJpegRead reader;
  if (!reader.Header(data.data(), data.size())) throw Error("Invalid JPEG file: " + reader.Message());
  CheckImageSize(reader.Info().image_width, reader.Info().image_height);
  if (!reader.Start()) throw Error("Invalid JPEG file: " + reader.Message());
  const jpeg_decompress_struct& info = reader.Info();
  if (info.output_width != info.image_width || info.output_height != info.image_height)
    throw Error("Invalid JPEG file: unexpected output size");
  TBitmap decoded(static_cast<int>(info.output_width), static_cast<int>(info.output_height), pf24bit, {});
  std::vector<std::uint8_t*> rows(info.output_height);
  for (JDIMENSION y = 0; y < info.output_height; ++y) rows[y] = decoded.ScanLine(static_cast<int>(y));
  std::vector<std::uint8_t> scratch(reader.Cmyk() ? std::size_t{info.output_width} * 4 : 0);
  if (!reader.Rows(rows.data(), scratch.data())) throw Error("Invalid JPEG file: " + reader.Message());
  AdoptDecoded(target, std::move(decoded));
}

std::vector<std::uint8_t> WriteJpeg(const TBitmap& bitmap, int quality, bool grayscale) {
  if (bitmap.Empty()) throw Error("An empty image cannot be saved as a JPEG file");
  if (quality < 1 || quality > 100) throw Error("The JPEG quality must lie between 1 and 100");
  if (bitmap.Width() > JPEG_MAX_DIMENSION || bitmap.Height() > JPEG_MAX_DIMENSION)
    throw Error("A JPEG file cannot hold an image wider or taller than " + std::to_string(JPEG_MAX_DIMENSION) +
                " pixels");
  const TBitmap converted = bitmap.PixelFormat() == pf24bit ? TBitmap() : To24Bit(bitmap);
  const TBitmap& source = bitmap.PixelFormat() == pf24bit ? bitmap : converted;
  TJpegWrite writer;
  if (!writer.Write(source, quality, grayscale)) throw Error("Cannot write JPEG file: " + writer.Message());
  return writer.Bytes();
}

}  // namespace kroma
