// Feeds arbitrary bytes to the GIF reader. Malformed input must end in
// kroma::Error, never in a crash, a leak or a hang; what it accepts must be
// a 24-bit image within the pixel budget.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "files/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A few bytes can name a logical screen of up to the pixel budget, which
  // is then filled white: a valid, slow file, not a fault. Such screens
  // only slow the search.
  if (size >= 10 && std::int64_t{data[6] | (data[7] << 8)} * (data[8] | (data[9] << 8)) > (1 << 22)) return 0;
  kroma::TBitmap image;
  try {
    kroma::ReadGif(std::span<const std::uint8_t>(data, size), image);
  } catch (const kroma::Error&) {
    return 0;
  }
  if (image.PixelFormat() != kroma::pf24bit || image.Empty() ||
      static_cast<std::int64_t>(image.Width()) * image.Height() > kroma::kMaxPixels)
    __builtin_trap();
  return 0;
}
