#include "effects/FilterSupport.h"

#include <algorithm>
#include <atomic>
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

void ForEachRowBand(int height, std::int64_t workPerRow, const std::function<void(int, int)>& fn) {
  if (height <= 0) return;
  constexpr std::int64_t kMinWorkPerThread = std::int64_t{1} << 16;
  std::int64_t total = static_cast<std::int64_t>(height) * std::max<std::int64_t>(workPerRow, 1);
  int bands = static_cast<int>(std::min<std::int64_t>({FilterThreadCount(), height, total / kMinWorkPerThread}));
  if (bands <= 1) {
    fn(0, height);
    return;
  }
  std::vector<std::exception_ptr> errors(static_cast<std::size_t>(bands));
  auto run = [&](int band) {
    int y0 = static_cast<int>(static_cast<std::int64_t>(height) * band / bands);
    int y1 = static_cast<int>(static_cast<std::int64_t>(height) * (band + 1) / bands);
    try {
      fn(y0, y1);
    } catch (...) {
      errors[static_cast<std::size_t>(band)] = std::current_exception();
    }
  };
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(bands - 1));
  try {
    for (int band = 1; band < bands; ++band) workers.emplace_back(run, band);
  } catch (...) {
    // Could not start a thread: the calling thread does those bands itself.
    for (int band = static_cast<int>(workers.size()) + 1; band < bands; ++band) run(band);
  }
  run(0);
  for (std::thread& t : workers) t.join();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
}

}  // namespace detail
}  // namespace kroma
