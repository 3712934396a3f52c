#include "files/OctreePalette.h"

#include <cstring>

#include "core/Bitmap.h"
#include "core/Error.h"

namespace kroma {

TOctreePalette::TOctreePalette(int maxColors) : maxColors_(maxColors) {
  if (maxColors < 1 || maxColors > 256) throw Error("An octree palette holds 1 to 256 colours");
  for (auto& head : reducible_) head = -1;
  NewNode(0);  // the root
}

std::int32_t TOctreePalette::NewNode(int level) {
  std::int32_t index;
  if (!freeNodes_.empty()) {
    index = freeNodes_.back();
    freeNodes_.pop_back();
    nodes_[static_cast<std::size_t>(index)] = TNode{};
  } else {
    index = static_cast<std::int32_t>(nodes_.size());
    nodes_.emplace_back();
  }
  TNode& node = nodes_[static_cast<std::size_t>(index)];
  if (level == kDepth) {
    node.leaf = true;
    ++leafCount_;
  } else {
    node.nextReducible = reducible_[level];
    reducible_[level] = index;
  }
  return index;
}

void TOctreePalette::Add(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint64_t count) {
  std::int32_t at = 0;
  for (int level = 0;; ++level) {
    TNode* node = &nodes_[static_cast<std::size_t>(at)];
    if (node->leaf) {
      node->r += std::uint64_t{r} * count;
      node->g += std::uint64_t{g} * count;
      node->b += std::uint64_t{b} * count;
      node->count += count;
      break;
    }
    const int shift = 7 - level;
    const int i = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
    if (node->child[i] < 0) {
      const std::int32_t created = NewNode(level + 1);  // may move nodes_
      nodes_[static_cast<std::size_t>(at)].child[i] = created;
    }
    at = nodes_[static_cast<std::size_t>(at)].child[i];
  }
  while (leafCount_ > maxColors_) Reduce();
}

void TOctreePalette::Reduce() {
  int level = kDepth - 1;
  while (level > 0 && reducible_[level] < 0) --level;
  const std::int32_t index = reducible_[level];
  TNode& node = nodes_[static_cast<std::size_t>(index)];
  reducible_[level] = node.nextReducible;
  int children = 0;
  for (std::int32_t& c : node.child) {
    if (c < 0) continue;
    const TNode& child = nodes_[static_cast<std::size_t>(c)];
    node.r += child.r;
    node.g += child.g;
    node.b += child.b;
    node.count += child.count;
    freeNodes_.push_back(c);
    c = -1;
    ++children;
  }
  node.leaf = true;
  leafCount_ -= children - 1;
}

void TOctreePalette::AddPicture(const TBitmap& picture) {
  if (picture.PixelFormat() != pf24bit) throw Error("The octree palette needs a 24-bit picture");
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.ScanLine(y);
    const std::uint8_t* end = p + 3 * static_cast<std::ptrdiff_t>(picture.Width());
    while (p < end) {
      const std::uint8_t* run = p + 3;
      while (run < end && std::memcmp(run, p, 3) == 0) run += 3;
      Add(p[2], p[1], p[0], static_cast<std::uint64_t>((run - p) / 3));
      p = run;
    }
  }
}

void TOctreePalette::Collect(std::int32_t index, std::vector<TColor>& out) const {
  const TNode& node = nodes_[static_cast<std::size_t>(index)];
  if (node.leaf) {
    if (node.count > 0)
      out.push_back(RGB(static_cast<int>(node.r / node.count), static_cast<int>(node.g / node.count),
                        static_cast<int>(node.b / node.count)));
    return;
  }
  for (std::int32_t c : node.child)
    if (c >= 0) Collect(c, out);
}

std::vector<TColor> TOctreePalette::Palette() const {
  std::vector<TColor> out;
  Collect(0, out);
  out.resize(static_cast<std::size_t>(maxColors_), clBlack);
  return out;
}

}  // namespace kroma
