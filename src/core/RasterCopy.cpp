#include "core/RasterCopy.h"

#include <cstring>

namespace kroma {

namespace {

template <class Op>
void EachByte(std::uint8_t* dst, std::size_t count, Op op) {
  for (std::size_t i = 0; i < count; ++i) dst[i] = static_cast<std::uint8_t>(op(i, dst[i]));
}

void Generic(std::uint8_t table, const std::uint8_t* p, const std::uint8_t* s, std::uint8_t* dst, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned pv = p ? p[i] : 0, sv = s ? s[i] : 0, dv = dst[i];
    unsigned r = 0;
    for (unsigned term = 0; term < 8; ++term) {
      if (!((table >> term) & 1)) continue;
      r |= ((term & 4) ? pv : ~pv) & ((term & 2) ? sv : ~sv) & ((term & 1) ? dv : ~dv);
    }
    dst[i] = static_cast<std::uint8_t>(r);
  }
}

}  // namespace

void ApplyCopyTable(std::uint8_t table, const std::uint8_t* p, const std::uint8_t* s, std::uint8_t* dst,
                    std::size_t count) {
  switch (table) {
    case 0xCC: std::memmove(dst, s, count); return;                                  // S
    case 0xAA: return;                                                               // D
    case 0x00: std::memset(dst, 0, count); return;                                   // 0
    case 0xFF: std::memset(dst, 0xFF, count); return;                                // 1
    case 0xF0: std::memmove(dst, p, count); return;                                  // P
    case 0x66: EachByte(dst, count, [s](std::size_t i, unsigned d) { return s[i] ^ d; }); return;
    case 0x88: EachByte(dst, count, [s](std::size_t i, unsigned d) { return s[i] & d; }); return;
    case 0xEE: EachByte(dst, count, [s](std::size_t i, unsigned d) { return s[i] | d; }); return;
    case 0x33: EachByte(dst, count, [s](std::size_t i, unsigned) { return ~s[i]; }); return;
    case 0x44: EachByte(dst, count, [s](std::size_t i, unsigned d) { return s[i] & ~d; }); return;
    case 0x11: EachByte(dst, count, [s](std::size_t i, unsigned d) { return ~(s[i] | d); }); return;
    case 0xBB: EachByte(dst, count, [s](std::size_t i, unsigned d) { return ~s[i] | d; }); return;
    case 0x55: EachByte(dst, count, [](std::size_t, unsigned d) { return ~d; }); return;
    case 0x5A: EachByte(dst, count, [p](std::size_t i, unsigned d) { return p[i] ^ d; }); return;
    case 0xC0: EachByte(dst, count, [p, s](std::size_t i, unsigned) { return p[i] & s[i]; }); return;
    default: Generic(table, p, s, dst, count); return;
  }
}

}  // namespace kroma
