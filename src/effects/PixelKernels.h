#pragma once
// The inner loops of the filters that map each pixel on its own, over one
// run of bytes or 24-bit pixels, in the widest vectors the processor offers
// (chosen once, at run time). Each gives exactly the bytes of its plain
// formula (see effects/ToneFilters.h), on every processor.
#include <array>
#include <cstddef>
#include <cstdint>

namespace kroma::kernels {

using TByteTable = std::array<std::uint8_t, 256>;

// dst[i] = table[src[i]] for `count` bytes; src may be dst.
void MapBytes(const std::uint8_t* src, std::uint8_t* dst, std::size_t count, const TByteTable& table);

// Each pixel's three bytes become round-half-even((30 B + 59 G + 11 R) / 100).
void GrayPixels(std::uint8_t* bgr, std::size_t pixels);

// g = (B + G + R) / 3; each channel v becomes clamp(g + trunc(amount (v - g) / 255), 0, 255).
void SaturatePixels(std::uint8_t* bgr, std::size_t pixels, int amount);

// Pixels with threshold < (B + G + R) / 3 are inverted, the others copied;
// src may be dst.
void SolarizePixels(const std::uint8_t* src, std::uint8_t* dst, std::size_t pixels, int threshold);

}  // namespace kroma::kernels
