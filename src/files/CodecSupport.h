#pragma once
// Small pieces every codec of this folder shares: little-endian fields,
// handing a decoded image to its target, 24-bit rows of any bitmap.
#include <cstdint>
#include <string>
#include <vector>

namespace kroma {

class TBitmap;

inline std::uint16_t ReadLe16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

// Appends little-endian fields to a byte vector.
class TLeWriter {
 public:
  explicit TLeWriter(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Bytes(const std::uint8_t* p, std::size_t n) { out_.insert(out_.end(), p, p + n); }
  void PatchU32(std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::size_t Size() const { return out_.size(); }

 private:
  std::vector<std::uint8_t>& out_;
};

// Moves a freshly decoded image into `target`, keeping the target's
// transparency settings, as the BMP reader does.
void AdoptDecoded(TBitmap& target, TBitmap&& decoded);

// A 24-bit copy of any bitmap (the bitmap itself is not touched).
TBitmap To24Bit(const TBitmap& bitmap);

// The extension of a file name with its dot, upper-cased (".JPEG"); empty
// when the name has none. Only the last path component counts.
std::string UpperExtension(const std::string& path);

}  // namespace kroma
