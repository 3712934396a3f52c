#include "effects/FilterSupport.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

#include "effects/FilterThreads.h"

namespace kroma {
namespace {

constexpr int kMaxThreads = 8;

int DefaultThreadCount() {
  unsigned n = std::thread::hardware_concurrency();
  return std::clamp(static_cast<int>(n == 0 ? 1 : n), 1, kMaxThreads);
}

std::atomic<int>& ThreadSetting() {
  static std::atomic<int> count{DefaultThreadCount()};
  return count;
}

}  // namespace

int FilterThreadCount() { return ThreadSetting().load(std::memory_order_relaxed); }

void SetFilterThreadCount(int count) { ThreadSetting().store(std::max(1, count), std::memory_order_relaxed); }

namespace detail {

const TBitmap& View24Bit(const TBitmap& source, TBitmap& scratch) {
  if (source.PixelFormat() == pf24bit) return source;
  scratch = source;
  scratch.SetPixelFormat(pf24bit);
  return scratch;
}

std::vector<RowBand> PlanRowBands(int height, std::int64_t workPerRow, int align) {
  if (height <= 0) return {};
  constexpr std::int64_t kMinWorkPerThread = std::int64_t{1} << 16;
  align = std::max(align, 1);
  const std::int64_t units = (height + std::int64_t{align} - 1) / align;
  std::int64_t total = static_cast<std::int64_t>(height) * std::max<std::int64_t>(workPerRow, 1);
  int count = static_cast<int>(std::min<std::int64_t>({FilterThreadCount(), units, total / kMinWorkPerThread}));
  count = std::max(count, 1);
  std::vector<RowBand> bands;
  auto edge = [&](int i) {
    return static_cast<int>(std::min<std::int64_t>(units * i / count * align, height));
  };
  for (int i = 0; i < count; ++i) bands.push_back({edge(i), i + 1 == count ? height : edge(i + 1)});
  return bands;
}

void RunRowBands(const std::vector<RowBand>& bands, const std::function<void(int, int)>& fn) {
  if (bands.size() == 1) {
    fn(bands[0].y0, bands[0].y1);
    return;
  }
  std::vector<std::exception_ptr> errors(bands.size());
  auto run = [&](std::size_t i) {
    try {
      // Only the inner edges lie between threads: rows before the first
      // band and after the last are nobody else's.
      const TRowJobScope scope(i == 0 ? INT_MIN : bands[i].y0, i + 1 == bands.size() ? INT_MAX : bands[i].y1);
      fn(bands[i].y0, bands[i].y1);
    } catch (...) {
      errors[i] = std::current_exception();
    }
  };
  std::vector<std::thread> workers;
  workers.reserve(bands.size());
  std::size_t started = 1;
  try {
    for (; started < bands.size(); ++started) workers.emplace_back(run, started);
  } catch (...) {
    // Could not start a thread: the calling thread does those bands itself.
    for (std::size_t i = started; i < bands.size(); ++i) run(i);
  }
  if (!bands.empty()) run(0);
  for (std::thread& t : workers) t.join();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
}

}  // namespace detail
}  // namespace kroma
