// PNG writing of our own on zlib: 8-bit RGB, every row filtered with the
// filter whose bytes have the smallest sum of magnitudes (libpng's choice),
// and the filtered rows compressed in pieces of about 2 MiB on all cores.
// Each piece is a raw deflate stream primed with the 32 KiB before it and
// ended on a byte boundary (a sync flush), so the pieces joined are one
// zlib stream that compresses almost as well as a single one. The pieces
// do not depend on the number of cores: the file is the same on every
// machine.
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <vector>

#include "core/Bitmap.h"
#include "core/Error.h"
#include "files/CodecSupport.h"
#include "files/PngCodec.h"

namespace kroma {
namespace {

// Level 7 with the filtered strategy: as small as ImageMagick's default
// PNG files (level 7, adaptive filters) or smaller, and faster.
constexpr int kLevel = 7;
constexpr int kStrategy = Z_FILTERED;
constexpr std::size_t kPieceBytes = std::size_t{2} << 20;
constexpr std::size_t kWindow = 32768;

enum : std::uint8_t { kNone, kSub, kUp, kAverage, kPaeth };

std::uint8_t PaethPredictor(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// The sum libpng's heuristic minimises: bytes read as signed, magnitudes added.
std::uint64_t Cost(const std::uint8_t* p, std::size_t n) {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < n; ++i) sum += static_cast<std::uint64_t>(std::abs(static_cast<std::int8_t>(p[i])));
  return sum;
}

// The stored bytes of row y as red, green, blue.
void RgbRow(const TBitmap& image, int y, std::uint8_t* rgb) {
  const std::uint8_t* bgr = image.ScanLine(y);
  const auto width = static_cast<std::size_t>(image.Width());
  for (std::size_t x = 0; x < width; ++x) {
    rgb[3 * x] = bgr[3 * x + 2];
    rgb[3 * x + 1] = bgr[3 * x + 1];
    rgb[3 * x + 2] = bgr[3 * x];
  }
}

// Filters rows [y0, y1) into `out`, each a filter byte and its bytes.
void FilterRows(const TBitmap& image, int y0, int y1, std::vector<std::uint8_t>& out) {
  const std::size_t n = static_cast<std::size_t>(image.Width()) * 3;
  std::vector<std::uint8_t> prior(n, 0), row(n);
  std::vector<std::uint8_t> candidates[5];
  for (auto& c : candidates) c.resize(n);
  if (y0 > 0) RgbRow(image, y0 - 1, prior.data());
  out.clear();
  out.reserve((n + 1) * static_cast<std::size_t>(y1 - y0));
  for (int y = y0; y < y1; ++y) {
    RgbRow(image, y, row.data());
    for (std::size_t i = 0; i < n; ++i) {
      const int a = i >= 3 ? row[i - 3] : 0, b = prior[i], c = i >= 3 ? prior[i - 3] : 0;
      candidates[kNone][i] = row[i];
      candidates[kSub][i] = static_cast<std::uint8_t>(row[i] - a);
      candidates[kUp][i] = static_cast<std::uint8_t>(row[i] - b);
      candidates[kAverage][i] = static_cast<std::uint8_t>(row[i] - (a + b) / 2);
      candidates[kPaeth][i] = static_cast<std::uint8_t>(row[i] - PaethPredictor(a, b, c));
    }
    int best = 0;
    std::uint64_t bestCost = Cost(candidates[0].data(), n);
    for (int f = 1; f < 5; ++f) {
      const std::uint64_t cost = Cost(candidates[f].data(), n);
      if (cost < bestCost) {
        best = f;
        bestCost = cost;
      }
    }
    out.push_back(static_cast<std::uint8_t>(best));
    out.insert(out.end(), candidates[best].begin(), candidates[best].end());
    std::swap(prior, row);
  }
}

struct Piece {
  int y0 = 0, y1 = 0;
  std::vector<std::uint8_t> deflated;
  uLong adler = 1;
  std::size_t rawBytes = 0;
};

class TDeflater {
 public:
  TDeflater() {
    if (deflateInit2(&z_, kLevel, Z_DEFLATED, -15, 9, kStrategy) != Z_OK)
      throw Error("Cannot write PNG file: out of memory");
  }
  ~TDeflater() { deflateEnd(&z_); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;
  z_stream& Stream() { return z_; }

 private:
  z_stream z_{};
};

// Filters and deflates one piece; `last` ends the stream.
void Compress(const TBitmap& image, Piece& piece, bool last) {
  std::vector<std::uint8_t> raw;
  FilterRows(image, piece.y0, piece.y1, raw);
  piece.rawBytes = raw.size();
  piece.adler = adler32(adler32(0, nullptr, 0), raw.data(), static_cast<uInt>(raw.size()));
  TDeflater deflater;
  z_stream& z = deflater.Stream();
  if (piece.y0 > 0) {
    // The window before the piece: the filtered rows that end just above it.
    const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 3 + 1;
    const int rows = static_cast<int>(std::min<std::size_t>((kWindow + rowBytes - 1) / rowBytes, piece.y0));
    std::vector<std::uint8_t> before;
    FilterRows(image, piece.y0 - rows, piece.y0, before);
    const std::size_t keep = std::min(kWindow, before.size());
    if (deflateSetDictionary(&z, before.data() + before.size() - keep, static_cast<uInt>(keep)) != Z_OK)
      throw Error("Cannot write PNG file: the compressor refused its dictionary");
  }
  piece.deflated.resize(deflateBound(&z, static_cast<uLong>(raw.size())) + 16);
  z.next_in = raw.data();
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = piece.deflated.data();
  z.avail_out = static_cast<uInt>(piece.deflated.size());
  const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
  const int status = deflate(&z, flush);
  if ((last && status != Z_STREAM_END) || (!last && status != Z_OK) || z.avail_in != 0)
    throw Error("Cannot write PNG file: compression failed");
  piece.deflated.resize(piece.deflated.size() - z.avail_out);
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}

struct Bytes {
  const std::uint8_t* data;
  std::size_t size;
};

// A chunk of the parts given, one after the other.
void PutChunk(std::vector<std::uint8_t>& out, const char* type, std::initializer_list<Bytes> parts) {
  std::size_t size = 0;
  for (const Bytes& part : parts) size += part.size;
  PutU32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  for (const Bytes& part : parts) out.insert(out.end(), part.data, part.data + part.size);
  PutU32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// Runs job(i) for i in [0, count) on up to `threads` threads.
void RunPieces(std::size_t count, const std::function<void(std::size_t)>& job) {
  const unsigned cores = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
  const std::size_t threads = std::min<std::size_t>(cores, count);
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> errors(count);
  auto work = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < count;) {
      try {
        job(i);
      } catch (...) {
        errors[i] = std::current_exception();
      }
    }
  };
  std::vector<std::thread> helpers;
  try {
    for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
  } catch (...) {
    // No more threads: this one does the rest.
  }
  work();
  for (std::thread& t : helpers) t.join();
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
}

}  // namespace

std::vector<std::uint8_t> WritePng(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw Error("An empty image cannot be saved as a PNG file");
  const TBitmap converted = bitmap.PixelFormat() == pf24bit ? TBitmap() : To24Bit(bitmap);
  const TBitmap& image = bitmap.PixelFormat() == pf24bit ? bitmap : converted;
  const std::size_t rowBytes = static_cast<std::size_t>(image.Width()) * 3 + 1;
  // A filtered image must fit zlib's 32-bit counts piece by piece.
  if (rowBytes > (std::size_t{1} << 30)) throw Error("Cannot write PNG file: the image is too wide");
  const int rowsPerPiece = static_cast<int>(std::max<std::size_t>(1, kPieceBytes / rowBytes));
  std::vector<Piece> pieces;
  for (int y = 0; y < image.Height(); y += rowsPerPiece)
    pieces.push_back({y, std::min(image.Height(), y + rowsPerPiece), {}, 1, 0});
  RunPieces(pieces.size(), [&](std::size_t i) { Compress(image, pieces[i], i + 1 == pieces.size()); });

  // The zlib stream, one IDAT chunk a piece: the header before the first
  // piece, the checksum of all filtered bytes after the last.
  std::size_t total = 64;
  for (const Piece& p : pieces) total += p.deflated.size() + 12;
  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.reserve(total);
  std::vector<std::uint8_t> header;
  PutU32(header, static_cast<std::uint32_t>(image.Width()));
  PutU32(header, static_cast<std::uint32_t>(image.Height()));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, not interlaced
  PutChunk(out, "IHDR", {{header.data(), header.size()}});
  const std::uint8_t zlibHeader[2] = {0x78, 0xDA};  // 32 KiB window, best compression; 0x78DA % 31 == 0
  uLong adler = adler32(0, nullptr, 0);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    Piece& p = pieces[i];
    adler = adler32_combine(adler, p.adler, static_cast<z_off_t>(p.rawBytes));
    std::uint8_t check[4];
    for (int k = 0; k < 4; ++k) check[k] = static_cast<std::uint8_t>(adler >> (24 - 8 * k));
    const bool first = i == 0, last = i + 1 == pieces.size();
    PutChunk(out, "IDAT", {{zlibHeader, first ? 2u : 0u}, {p.deflated.data(), p.deflated.size()}, {check, last ? 4u : 0u}});
    p.deflated = {};
  }
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace kroma
