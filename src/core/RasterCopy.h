#pragma once
// Three-operand raster operations over byte rows: pattern P, source S and
// destination D combined bit by bit by the truth table of a copy mode.
#include <cstddef>
#include <cstdint>

namespace kroma {

// The truth table of a copy mode (bits 16..23 of the code): bit
// (4p + 2s + d) is the result for pattern bit p, source bit s and
// destination bit d.
constexpr std::uint8_t CopyModeTable(std::uint32_t copyMode) { return static_cast<std::uint8_t>(copyMode >> 16); }

constexpr bool TableUsesPattern(std::uint8_t t) { return (t >> 4) != (t & 0x0F); }
constexpr bool TableUsesSource(std::uint8_t t) { return ((t >> 2) & 0x33) != (t & 0x33); }
constexpr bool TableUsesDestination(std::uint8_t t) { return ((t >> 1) & 0x55) != (t & 0x55); }

// dst[i] = table(p[i], s[i], dst[i]) for `count` bytes. p or s may be
// nullptr when the table does not use them. The common tables run as
// plain loops (a copy is a memmove); the others through the minterms.
void ApplyCopyTable(std::uint8_t table, const std::uint8_t* p, const std::uint8_t* s, std::uint8_t* dst,
                    std::size_t count);

}  // namespace kroma
