// Feeds arbitrary bytes to the EMF player. Malformed input must end in
// kroma::Error (one that reports an internal error is a finding); nothing
// may crash, hang or read outside the input. The drawing's size is held
// small so that the search stays quick.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/Error.h"
#include "files/EmfPlayer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    kroma::PlayEmf(std::span<const std::uint8_t>(data, size), std::int64_t{1} << 16);
  } catch (const kroma::Error& e) {
    if (std::string_view(e.what()).starts_with("Internal error")) __builtin_trap();
  }
  return 0;
}
