// Feeds arbitrary bytes to the BMP reader. Malformed input must end in
// kroma::Error; anything the reader accepts must survive a write and a
// second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/Bitmap.h"
#include "core/BmpCodec.h"
#include "core/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kroma::TBitmap image;
  try {
    kroma::ReadBmp(std::span<const std::uint8_t>(data, size), image);
  } catch (const kroma::Error&) {
    return 0;
  }
  // Round trips of huge (mostly empty RLE) images only slow the search.
  if (static_cast<std::int64_t>(image.Width()) * image.Height() > (1 << 20)) return 0;
  const std::vector<std::uint8_t> written = kroma::WriteBmp(image);
  kroma::TBitmap again;
  kroma::ReadBmp(written, again);  // an Error here escapes and is reported
  if (again.Width() != image.Width() || again.Height() != image.Height() ||
      again.PixelFormat() != image.PixelFormat() || again.Palette() != image.Palette())
    __builtin_trap();
  for (int y = 0; y < image.Height(); ++y)
    if (std::memcmp(again.ScanLine(y), image.ScanLine(y), static_cast<std::size_t>(image.Stride())) != 0)
      __builtin_trap();
  return 0;
}
