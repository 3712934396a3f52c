#include "files/GifCodec.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "core/Types.h"
#include "files/CodecSupport.h"

namespace kroma {
namespace {

[[noreturn]] void FailRead(const std::string& why) { throw Error("Invalid GIF file: " + why); }

std::string GifMessage(int code) {
  const char* text = GifErrorString(code);
  return text ? text : "error " + std::to_string(code);
}

struct TGifInput {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* dst, int n) {
  auto* in = static_cast<TGifInput*>(gif->UserData);
  const std::size_t take = std::min(static_cast<std::size_t>(n < 0 ? 0 : n), in->size - in->pos);
  std::memcpy(dst, in->data + in->pos, take);
  in->pos += take;
  return static_cast<int>(take);
}

int WriteToMemory(GifFileType* gif, const GifByteType* src, int n) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  try {
    out->insert(out->end(), src, src + n);
  } catch (...) {
    return 0;
  }
  return n;
}

// Closes the decoder on every way out.
class TGifReader {
 public:
  explicit TGifReader(TGifInput& input) {
    int error = 0;
    gif_ = DGifOpen(&input, ReadFromMemory, &error);
    if (!gif_) FailRead(GifMessage(error));
  }
  ~TGifReader() {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
  TGifReader(const TGifReader&) = delete;
  TGifReader& operator=(const TGifReader&) = delete;
  GifFileType* operator->() const { return gif_; }
  GifFileType* get() const { return gif_; }
  [[noreturn]] void Fail() const { FailRead(GifMessage(gif_->Error)); }

 private:
  GifFileType* gif_ = nullptr;
};

// The transparent index of a graphic control extension, -1 for none.
int TransparentIndexOf(const GifByteType* block) {
  if (block[0] < 4) return -1;
  return (block[1] & 1) ? block[4] : -1;
}

}  // namespace

void ReadGif(std::span<const std::uint8_t> data, TBitmap& target) {
  if (data.size() < 6 || std::memcmp(data.data(), "GIF", 3) != 0) FailRead("the GIF signature is missing");
  TGifInput input{data.data(), data.size(), 0};
  TGifReader gif(input);
  int transparent = -1;
  for (;;) {
    GifRecordType record;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) gif.Fail();
    if (record == TERMINATE_RECORD_TYPE) FailRead("the file holds no image");
    if (record == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) gif.Fail();
      if (code == GRAPHICS_EXT_FUNC_CODE && block) transparent = TransparentIndexOf(block);
      while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) gif.Fail();
      }
      continue;
    }
    if (record != IMAGE_DESC_RECORD_TYPE) FailRead("unexpected record");
    break;
  }
  if (DGifGetImageDesc(gif.get()) == GIF_ERROR) gif.Fail();
  const GifImageDesc& desc = gif->Image;
  if (desc.Width <= 0 || desc.Height <= 0) FailRead("the image has no pixels");
  const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
  if (!map || map->ColorCount <= 0) FailRead("the image has no colour table");
  const std::int64_t width = std::max<std::int64_t>(gif->SWidth, std::int64_t{desc.Left} + desc.Width);
  const std::int64_t height = std::max<std::int64_t>(gif->SHeight, std::int64_t{desc.Top} + desc.Height);
  CheckImageSize(width, height);

  // Zeroed memory the system hands out page by page: a broken frame fails
  // before the whole screen is touched. Whatever the frame leaves is made
  // white once it has read.
  TBitmap decoded(static_cast<int>(width), static_cast<int>(height), pf24bit, {});
  std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
  auto readRow = [&](int row) {
    if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) gif.Fail();
    std::uint8_t* dst = decoded.ScanLine(desc.Top + row) + 3 * static_cast<std::ptrdiff_t>(desc.Left);
    for (int x = 0; x < desc.Width; ++x, dst += 3) {
      const int index = line[static_cast<std::size_t>(x)];
      if (index == transparent) {
        dst[0] = dst[1] = dst[2] = 0xFF;
        continue;
      }
      if (index >= map->ColorCount) FailRead("a pixel uses colour " + std::to_string(index) + " of a table of " +
                                             std::to_string(map->ColorCount));
      const GifColorType& c = map->Colors[index];
      dst[0] = c.Blue;
      dst[1] = c.Green;
      dst[2] = c.Red;
    }
  };
  if (desc.Interlace) {
    static constexpr std::array<int, 4> kStart = {0, 4, 2, 1}, kStep = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int row = kStart[static_cast<std::size_t>(pass)]; row < desc.Height; row += kStep[static_cast<std::size_t>(pass)])
        readRow(row);
  } else {
    for (int row = 0; row < desc.Height; ++row) readRow(row);
  }
  const auto left = static_cast<std::size_t>(desc.Left) * 3;
  const auto right = static_cast<std::size_t>(width - desc.Left - desc.Width) * 3;
  for (int y = 0; y < decoded.Height(); ++y) {
    std::uint8_t* row = decoded.ScanLine(y);
    if (y < desc.Top || y >= desc.Top + desc.Height) {
      std::memset(row, 0xFF, static_cast<std::size_t>(width) * 3);
    } else {
      std::memset(row, 0xFF, left);
      std::memset(row + static_cast<std::size_t>(width) * 3 - right, 0xFF, right);
    }
  }
  AdoptDecoded(target, std::move(decoded));
}

void RowIndices(const TBitmap& indexed, int y, std::uint8_t* out) {
  const std::uint8_t* row = indexed.ScanLine(y);
  const int w = indexed.Width();
  switch (indexed.PixelFormat()) {
    case pf8bit: std::memcpy(out, row, static_cast<std::size_t>(w)); break;
    case pf4bit:
      for (int x = 0; x < w; ++x) out[x] = static_cast<std::uint8_t>((x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4);
      break;
    case pf1bit:
      for (int x = 0; x < w; ++x) out[x] = static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
      break;
    default: throw Error("Only palette images have colour indices");
  }
}

TBitmap CompactPalette(const TBitmap& indexed) {
  std::array<bool, 256> used{};
  std::vector<std::uint8_t> line(static_cast<std::size_t>(indexed.Width()));
  for (int y = 0; y < indexed.Height(); ++y) {
    RowIndices(indexed, y, line.data());
    for (std::uint8_t i : line) used[i] = true;
  }
  std::array<std::uint8_t, 256> remap{};
  std::vector<TColor> palette;
  for (std::size_t i = 0; i < indexed.Palette().size(); ++i)
    if (used[i]) {
      remap[i] = static_cast<std::uint8_t>(palette.size());
      palette.push_back(indexed.Palette()[i]);
    }
  if (palette.empty()) palette.push_back(clBlack);  // an index past the palette: nothing else to keep
  TBitmap out(indexed.Width(), indexed.Height(), pf8bit, palette);
  for (int y = 0; y < indexed.Height(); ++y) {
    RowIndices(indexed, y, line.data());
    std::uint8_t* dst = out.ScanLine(y);
    for (int x = 0; x < indexed.Width(); ++x) dst[x] = remap[line[static_cast<std::size_t>(x)]];
  }
  return out;
}

std::vector<std::uint8_t> WriteGif(const TBitmap& indexed, int transparentIndex) {
  if (indexed.Empty()) throw Error("An empty image cannot be saved as a GIF file");
  if (!IsPaletteFormat(indexed.PixelFormat())) throw Error("A GIF file needs an image of at most 256 colours");
  if (indexed.Width() > 65535 || indexed.Height() > 65535)
    throw Error("A GIF file cannot hold an image wider or taller than 65535 pixels");
  const std::vector<TColor>& palette = indexed.Palette();
  int bits = 1;
  while ((1u << bits) < palette.size()) ++bits;
  const int count = 1 << bits;

  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, WriteToMemory, &error);
  if (!gif) throw Error("Cannot write GIF file: " + GifMessage(error));
  ColorMapObject* map = GifMakeMapObject(count, nullptr);
  bool ok = map != nullptr;
  if (ok) {
    for (int i = 0; i < count; ++i) {
      const TColor c = static_cast<std::size_t>(i) < palette.size() ? palette[static_cast<std::size_t>(i)] : clBlack;
      map->Colors[i] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
    if (transparentIndex >= 0) EGifSetGifVersion(gif, true);
    ok = EGifPutScreenDesc(gif, indexed.Width(), indexed.Height(), bits, 0, map) == GIF_OK;
  }
  if (ok && transparentIndex >= 0) {
    const GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(transparentIndex)};
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
  }
  if (ok) ok = EGifPutImageDesc(gif, 0, 0, indexed.Width(), indexed.Height(), false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<std::size_t>(indexed.Width()));
  for (int y = 0; ok && y < indexed.Height(); ++y) {
    RowIndices(indexed, y, line.data());  // giflib masks the line in place: a copy
    ok = EGifPutLine(gif, line.data(), indexed.Width()) == GIF_OK;
  }
  if (!ok) error = gif->Error;
  GifFreeMapObject(map);
  int closeError = 0;
  if (EGifCloseFile(gif, &closeError) == GIF_ERROR && ok) {
    ok = false;
    error = closeError;
  }
  if (!ok) throw Error("Cannot write GIF file: " + GifMessage(error));
  return out;
}

}  // namespace kroma
