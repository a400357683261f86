// The few operating-system services that the portable core needs. Declarations mention no
// Windows type; Host_win32.cpp and Host_posix.cpp implement them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sys {

// Whom a file opened for reading shares it with.
enum class ReadSharing {
  // Readers and writers: a running program file or a file being written elsewhere can still be
  // examined.
  kWithWriters,
  // Readers only: while the file is open nobody can write, delete or rename it, and it cannot be
  // opened while someone else has it open for writing. What was read and checked stays what is
  // read later. (POSIX has no such sharing; there it is a plain open.)
  kReadersOnly,
};

// A file opened for reading only.
class ReadOnlyFile {
 public:
  ReadOnlyFile() = default;
  // Not open when the path is no regular file or the sharing cannot be had.
  explicit ReadOnlyFile(const std::string& path, ReadSharing sharing = ReadSharing::kWithWriters);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return handle_ != kInvalid; }
  // Current length of the file; false when it cannot be queried.
  bool Size(uint64_t& size) const;
  // Reads exactly n bytes at offset; false when fewer are available or the read fails. It may
  // move the file's position, so a file is read by one thread at a time.
  bool ReadAt(uint64_t offset, void* buffer, size_t n) const;

 private:
  static constexpr intptr_t kInvalid = -1;
  intptr_t handle_ = kInvalid;
};

// True when path names an existing regular file (not a folder).
bool FileExists(const std::string& path);

// Sectors per cluster times bytes per sector of the volume named by the first three characters
// of path (a drive root such as C:\); 0 when the system cannot tell.
uint32_t ClusterSizeOf(const std::string& path);

// The raw command line of this process, as the system hands it over.
std::string ProcessCommandLine();
// Full path of the running program file, exactly as the system reports it.
std::string ProgramPath();

// The primary language identifier of the thread's locale (its low 10 bits).
uint32_t ThreadLocaleLanguage();

uint32_t ProcessId();
uint32_t ThreadId();

// Bits that differ from run to run and from call to call: the wall clock and the fine clock
// mixed. Seeds pseudo-random numbers that only need to differ (never secrets).
uint64_t ClockSeed();

}  // namespace sys
