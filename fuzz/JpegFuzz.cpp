// Feeds arbitrary bytes to the JPEG reader. Malformed input must end in
// kroma::Error, never in a crash, a leak or a hang; what it accepts must be
// a 24-bit image within the pixel budget.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "files/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kroma::TBitmap image;
  try {
    kroma::ReadJpeg(std::span<const std::uint8_t>(data, size), image);
  } catch (const kroma::Error&) {
    return 0;
  }
  if (image.PixelFormat() != kroma::pf24bit || image.Empty() ||
      static_cast<std::int64_t>(image.Width()) * image.Height() > kroma::kMaxPixels)
    __builtin_trap();
  return 0;
}
