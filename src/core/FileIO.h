#pragma once
// Whole-file reads and atomic writes.
#include <cstdint>
#include <string>
#include <vector>

namespace kroma {

// Reads a file; throws Error with the file name and the reason when it
// cannot be read or is larger than maxBytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes = std::uint64_t{1} << 31);

// Writes to a new temporary file in the same folder, flushes it, then
// renames it over `path` (a replaced file keeps its permissions); on any
// failure the old file is left as it was, the temporary file is removed and
// Error is thrown.
void WriteFileAtomic(const std::string& path, const void* data, std::size_t size);
inline void WriteFileAtomic(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteFileAtomic(path, bytes.data(), bytes.size());
}

}  // namespace kroma
