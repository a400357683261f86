// Win32 side of the host services.
// This file must contain only Win32 code.
#include "sys/Host.h"

#include "sys/Platform.h"

namespace sys {

static HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

ReadOnlyFile::ReadOnlyFile(const std::string& path, ReadSharing sharing) {
  // Without FILE_SHARE_DELETE the file cannot be deleted or renamed (replaced) while it is open.
  const DWORD share =
      sharing == ReadSharing::kReadersOnly ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ::CloseHandle(h);
    return;
  }
  handle_ = reinterpret_cast<intptr_t>(h);
}

ReadOnlyFile::~ReadOnlyFile() {
  if (IsOpen()) ::CloseHandle(AsHandle(handle_));
}

bool ReadOnlyFile::Size(uint64_t& size) const {
  LARGE_INTEGER li{};
  if (!IsOpen() || !::GetFileSizeEx(AsHandle(handle_), &li)) return false;
  size = static_cast<uint64_t>(li.QuadPart);
  return true;
}

// Seeks and reads rather than passing the offset in an OVERLAPPED record: under Wine a read with
// that record also posts a completion through the Wine server, a round trip per piece that
// slowed the extraction by about a sixth.
bool ReadOnlyFile::ReadAt(uint64_t offset, void* buffer, size_t n) const {
  if (!IsOpen()) return false;
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(AsHandle(handle_), at, nullptr, FILE_BEGIN)) return false;
  auto* out = static_cast<char*>(buffer);
  while (n > 0) {
    DWORD want = n > 0x40000000 ? 0x40000000 : static_cast<DWORD>(n);
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), out, want, &got, nullptr) || got == 0) return false;
    out += got;
    n -= got;
  }
  return true;
}

bool FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint32_t ClusterSizeOf(const std::string& path) {
  std::string root = path.substr(0, 3);
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!::GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
    return 0;
  return sectorsPerCluster * bytesPerSector;
}

std::string ProcessCommandLine() { return ::GetCommandLineA(); }

std::string ProgramPath() {
  char buf[MAX_PATH * 2];
  DWORD n = ::GetModuleFileNameA(nullptr, buf, sizeof buf);
  return std::string(buf, n < sizeof buf ? n : 0);
}

uint32_t ThreadLocaleLanguage() { return PRIMARYLANGID(LANGIDFROMLCID(::GetThreadLocale())); }

uint32_t ProcessId() { return ::GetCurrentProcessId(); }
uint32_t ThreadId() { return ::GetCurrentThreadId(); }

uint64_t ClockSeed() {
  FILETIME wall;
  ::GetSystemTimeAsFileTime(&wall);
  LARGE_INTEGER fine;
  ::QueryPerformanceCounter(&fine);
  const uint64_t wallBits = (uint64_t{wall.dwHighDateTime} << 32) | wall.dwLowDateTime;
  const uint64_t fineBits = static_cast<uint64_t>(fine.QuadPart);
  return wallBits ^ (fineBits << 17) ^ (fineBits >> 7);
}

}  // namespace sys
