#include "core/Spans.h"

#include <algorithm>
#include <limits>

#include "core/Error.h"

namespace kroma {

namespace {

// No figure ever needs more rows than the largest image has pixels.
constexpr std::int64_t kMaxRows = std::int64_t{1} << 28;

bool Before(const TSpan& a, const TSpan& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; }

// Walks the rows of a and b together and keeps the parts where `table`
// says so: bit (inA * 2 + inB) of the table is the result for that case.
std::vector<TSpan> Combine(const std::vector<TSpan>& a, const std::vector<TSpan>& b, unsigned table) {
  auto keep = [table](bool inA, bool inB) { return ((table >> ((inA ? 2 : 0) + (inB ? 1 : 0))) & 1u) != 0; };
  std::vector<TSpan> out;
  out.reserve(std::max(a.size(), b.size()));
  constexpr std::int64_t kEnd = std::numeric_limits<std::int64_t>::max();
  std::size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    int y;
    if (i == a.size()) y = b[j].y;
    else if (j == b.size()) y = a[i].y;
    else y = std::min(a[i].y, b[j].y);
    std::size_t iEnd = i, jEnd = j;
    while (iEnd < a.size() && a[iEnd].y == y) ++iEnd;
    while (jEnd < b.size() && b[jEnd].y == y) ++jEnd;
    bool inA = false, inB = false;
    std::int64_t prev = 0;
    while (i < iEnd || j < jEnd || inA || inB) {
      std::int64_t xa = inA ? a[i].x1 : (i < iEnd ? a[i].x0 : kEnd);
      std::int64_t xb = inB ? b[j].x1 : (j < jEnd ? b[j].x0 : kEnd);
      std::int64_t x = std::min(xa, xb);
      if (x > prev && (inA || inB) && keep(inA, inB)) {
        if (!out.empty() && out.back().y == y && out.back().x1 == prev) {
          out.back().x1 = static_cast<int>(x);
        } else {
          out.push_back({y, static_cast<int>(prev), static_cast<int>(x)});
        }
      }
      if (xa == x) {
        if (inA) ++i;
        inA = !inA;
      }
      if (xb == x) {
        if (inB) ++j;
        inB = !inB;
      }
      prev = x;
    }
    i = iEnd;
    j = jEnd;
  }
  return out;
}

}  // namespace

TSpanSet::TSpanSet(const TRect& r) {
  if (r.IsEmpty()) return;
  if (r.Height() > kMaxRows) throw Error("Area too large to draw: " + std::to_string(r.Height()) + " rows");
  spans_.reserve(static_cast<std::size_t>(r.Height()));
  for (std::int64_t y = r.Top; y < r.Bottom; ++y) spans_.push_back({static_cast<int>(y), r.Left, r.Right});
}

TRect TSpanSet::Bounds() const {
  if (spans_.empty()) return {};
  int left = spans_.front().x0, right = spans_.front().x1;
  for (const TSpan& s : spans_) {
    left = std::min(left, s.x0);
    right = std::max(right, s.x1);
  }
  int last = spans_.back().y;
  int bottom = last == std::numeric_limits<int>::max() ? last : last + 1;
  return {left, spans_.front().y, right, bottom};
}

bool TSpanSet::Contains(int x, int y) const {
  // First span that is not before (y, x + 1): the candidate is the one before it.
  auto it = std::upper_bound(spans_.begin(), spans_.end(), TSpan{y, x, x},
                             [](const TSpan& key, const TSpan& s) { return Before(key, s); });
  if (it == spans_.begin()) return false;
  --it;
  return it->y == y && it->x0 <= x && x < it->x1;
}

std::int64_t TSpanSet::PixelCount() const {
  std::int64_t n = 0;
  for (const TSpan& s : spans_) n += std::int64_t{s.x1} - s.x0;
  return n;
}

TSpanSet TSpanSet::FromUnsorted(std::vector<TSpan> runs) {
  std::erase_if(runs, [](const TSpan& s) { return s.x1 <= s.x0; });
  // Rasterisers often deliver runs in order, or in reverse order.
  if (!std::is_sorted(runs.begin(), runs.end(), Before)) {
    if (std::is_sorted(runs.rbegin(), runs.rend(), Before)) std::reverse(runs.begin(), runs.end());
    else std::sort(runs.begin(), runs.end(), Before);
  }
  TSpanSet set;
  set.spans_.reserve(runs.size());
  for (const TSpan& s : runs) {
    if (!set.spans_.empty()) {
      TSpan& last = set.spans_.back();
      if (last.y == s.y && s.x0 <= last.x1) {
        last.x1 = std::max(last.x1, s.x1);
        continue;
      }
    }
    set.spans_.push_back(s);
  }
  return set;
}

void TSpanSet::AppendSorted(int y, int x0, int x1) {
  if (x1 <= x0) return;
  if (!spans_.empty()) {
    TSpan& last = spans_.back();
    if (y < last.y || (y == last.y && x0 < last.x0)) throw Error("Internal error: runs appended out of order");
    if (y == last.y && x0 <= last.x1) {
      last.x1 = std::max(last.x1, x1);
      return;
    }
  }
  spans_.push_back({y, x0, x1});
}

TSpanSet TSpanSet::Union(const TSpanSet& other) const {
  if (other.Empty()) return *this;
  if (Empty()) return other;
  TSpanSet r;
  r.spans_ = Combine(spans_, other.spans_, 0b1110);
  return r;
}

TSpanSet TSpanSet::Intersect(const TSpanSet& other) const {
  if (Empty() || other.Empty()) return {};
  TSpanSet r;
  r.spans_ = Combine(spans_, other.spans_, 0b1000);
  return r;
}

TSpanSet TSpanSet::Subtract(const TSpanSet& other) const {
  if (Empty() || other.Empty()) return *this;
  TSpanSet r;
  r.spans_ = Combine(spans_, other.spans_, 0b0100);
  return r;
}

TSpanSet TSpanSet::Xor(const TSpanSet& other) const {
  if (other.Empty()) return *this;
  if (Empty()) return other;
  TSpanSet r;
  r.spans_ = Combine(spans_, other.spans_, 0b0110);
  return r;
}

TSpanSet TSpanSet::Clipped(const TRect& window) const {
  TSpanSet r;
  if (window.IsEmpty()) return r;
  auto it = std::lower_bound(spans_.begin(), spans_.end(), window.Top,
                             [](const TSpan& s, int y) { return s.y < y; });
  for (; it != spans_.end() && it->y < window.Bottom; ++it) {
    int x0 = std::max(it->x0, window.Left), x1 = std::min(it->x1, window.Right);
    if (x0 < x1) r.spans_.push_back({it->y, x0, x1});
  }
  return r;
}

void TSpanSet::Offset(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  constexpr std::int64_t lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  std::vector<TSpan> moved;
  moved.reserve(spans_.size());
  for (const TSpan& s : spans_) {
    std::int64_t y = std::int64_t{s.y} + dy;
    std::int64_t x0 = std::max(std::int64_t{s.x0} + dx, lo), x1 = std::min(std::int64_t{s.x1} + dx, hi);
    if (y < lo || y > hi || x0 >= x1) continue;  // moved out of the coordinate range
    moved.push_back({static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1)});
  }
  spans_ = std::move(moved);
}

}  // namespace kroma
