// POSIX side of the host services, used by the native build (tools, tests, fuzzing).
// This file must contain only POSIX specific code.
#include "sys/Host.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace sys {

// POSIX knows no sharing modes: every open shares with readers and writers.
ReadOnlyFile::ReadOnlyFile(const std::string& path, ReadSharing) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

ReadOnlyFile::~ReadOnlyFile() {
  if (IsOpen()) ::close(static_cast<int>(handle_));
}

bool ReadOnlyFile::Size(uint64_t& size) const {
  struct stat st {};
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &st) != 0) return false;
  size = static_cast<uint64_t>(st.st_size);
  return true;
}

bool ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, size_t n) const {
  if (!IsOpen()) return false;
  auto* out = static_cast<char*>(buffer);
  while (n > 0) {
    ssize_t got = ::pread(static_cast<int>(handle_), out, n, static_cast<off_t>(offset));
    if (got <= 0) return false;
    out += got;
    offset += static_cast<uint64_t>(got);
    n -= static_cast<size_t>(got);
  }
  return true;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

uint32_t ClusterSizeOf(const std::string& path) {
  struct statvfs vfs {};
  if (path.empty() || ::statvfs(path.c_str(), &vfs) != 0) return 0;
  return static_cast<uint32_t>(vfs.f_bsize);
}

std::string ProcessCommandLine() {
  // The arguments joined by blanks, each quoted when it holds one, as a Windows command line.
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string line, arg;
  auto flush = [&] {
    if (!line.empty()) line += ' ';
    line += arg.find(' ') == std::string::npos ? arg : '"' + arg + '"';
    arg.clear();
  };
  for (char c : raw) {
    if (c == '\0') flush();
    else arg += c;
  }
  return line;
}

std::string ProgramPath() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

// Native builds serve tools and tests; they speak English.
uint32_t ThreadLocaleLanguage() { return 9; }

uint32_t ProcessId() { return static_cast<uint32_t>(::getpid()); }
uint32_t ThreadId() { return static_cast<uint32_t>(::syscall(SYS_gettid)); }

uint64_t ClockSeed() {
  timespec wall{}, fine{};
  ::clock_gettime(CLOCK_REALTIME, &wall);
  ::clock_gettime(CLOCK_MONOTONIC, &fine);
  const uint64_t wallBits = static_cast<uint64_t>(wall.tv_sec) * 1000000000u +
                            static_cast<uint64_t>(wall.tv_nsec);
  const uint64_t fineBits = static_cast<uint64_t>(fine.tv_sec) * 1000000000u +
                            static_cast<uint64_t>(fine.tv_nsec);
  return wallBits ^ (fineBits << 17) ^ (fineBits >> 7);
}

}  // namespace sys
