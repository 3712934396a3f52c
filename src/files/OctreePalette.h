#pragma once
// An octree colour palette built from a picture: eight levels, red the most
// significant bit of each child index; when the leaves outnumber the wanted
// colours, the most recently created node of the deepest level that still
// has children is merged into one leaf.
#include <cstdint>
#include <vector>

#include "core/Types.h"

namespace kroma {

class TBitmap;

class TOctreePalette {
 public:
  explicit TOctreePalette(int maxColors);
  // Adds `count` pixels of one colour.
  void Add(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint64_t count = 1);
  // Every pixel of a 24-bit picture, runs of one colour added at once.
  void AddPicture(const TBitmap& picture24);
  // The leaves depth first, children 0 to 7, each the integer average of
  // its pixels; padded with black to maxColors entries.
  std::vector<TColor> Palette() const;
  int LeafCount() const { return leafCount_; }

 private:
  static constexpr int kDepth = 8;
  struct TNode {
    std::uint64_t r = 0, g = 0, b = 0, count = 0;
    std::int32_t child[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    std::int32_t nextReducible = -1;
    bool leaf = false;
  };
  std::int32_t NewNode(int level);
  void Reduce();
  void Collect(std::int32_t node, std::vector<TColor>& out) const;

  int maxColors_;
  int leafCount_ = 0;
  std::vector<TNode> nodes_;
  std::vector<std::int32_t> freeNodes_;
  std::int32_t reducible_[kDepth];
};

}  // namespace kroma
