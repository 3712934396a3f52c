#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/Error.h"

namespace kroma {
namespace {

std::string Reason() { return std::strerror(errno); }

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int release() {
    int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) throw Error("Cannot open file \"" + path + "\": " + Reason());
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) throw Error("Cannot read file \"" + path + "\": " + Reason());
  if (S_ISDIR(st.st_mode)) throw Error("Cannot read file \"" + path + "\": it is a folder");
  if (static_cast<std::uint64_t>(st.st_size) > maxBytes) throw Error("File \"" + path + "\" is too large");
  std::vector<std::uint8_t> data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  std::uint8_t buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw Error("Cannot read file \"" + path + "\": " + Reason());
    }
    if (n == 0) break;
    if (data.size() + static_cast<std::size_t>(n) > maxBytes) throw Error("File \"" + path + "\" is too large");
    data.insert(data.end(), buffer, buffer + n);
  }
  return data;
}

namespace {

// A new temporary file beside `path`, created exclusively so that it never
// follows a link or reuses a file someone else made.
int CreateTempBeside(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

void WriteFileAtomic(const std::string& path, const void* data, std::size_t size) {
  // Saving through a symbolic link replaces the file it points to and
  // keeps the link.
  std::string target = path;
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    if (!ec) target = resolved.string();
  }
  std::string temp;
  Fd fd(CreateTempBeside(target, temp));
  if (fd.get() < 0) throw Error("Cannot create file \"" + path + "\": " + Reason());
  auto fail = [&](const std::string& why) {
    ::unlink(temp.c_str());
    throw Error("Cannot write file \"" + path + "\": " + why);
  };
  // A file that is replaced keeps its permissions.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::fchmod(fd.get(), old.st_mode & 07777) != 0)
    fail(Reason());
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::size_t left = size;
  while (left > 0) {
    ssize_t n = ::write(fd.get(), p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(Reason());
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd.get()) != 0) fail(Reason());
  if (::close(fd.release()) != 0) fail(Reason());
  if (::rename(temp.c_str(), target.c_str()) != 0) fail(Reason());
}

}  // namespace kroma
