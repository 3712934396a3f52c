#pragma once
// The fields of one metafile record. Every read is checked against the
// record's own bytes: a field outside them throws TBadRecord, which makes
// the player skip that record and go on with the next one.
#include <bit>
#include <cstdint>
#include <span>

namespace kroma {

// A record whose fields do not fit its size or whose values cannot be used.
struct TBadRecord {};

class TRecordData {
 public:
  explicit TRecordData(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Size() const { return bytes_.size(); }
  std::span<const std::uint8_t> All() const { return bytes_; }

  // Throws TBadRecord unless `count` items of `itemSize` bytes fit from `at`.
  void Need(std::size_t at, std::uint64_t count, std::uint64_t itemSize) const {
    if (at > bytes_.size()) throw TBadRecord{};
    const std::uint64_t room = bytes_.size() - at;
    if (itemSize != 0 && count > room / itemSize) throw TBadRecord{};
  }
  std::span<const std::uint8_t> Bytes(std::size_t at, std::uint64_t count) const {
    Need(at, count, 1);
    return bytes_.subspan(at, static_cast<std::size_t>(count));
  }

  std::uint8_t U8(std::size_t at) const {
    Need(at, 1, 1);
    return bytes_[at];
  }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 1, 2);
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
  }
  std::int16_t I16(std::size_t at) const { return static_cast<std::int16_t>(U16(at)); }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 1, 4);
    return std::uint32_t{bytes_[at]} | (std::uint32_t{bytes_[at + 1]} << 8) | (std::uint32_t{bytes_[at + 2]} << 16) |
           (std::uint32_t{bytes_[at + 3]} << 24);
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  float F32(std::size_t at) const { return std::bit_cast<float>(U32(at)); }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace kroma
