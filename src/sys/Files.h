// File and disk routines of the stub. Files are read and written whole, as byte strings in
// memory; every routine reports failure through its result and nothing throws. Files opened
// here share read and write access with other processes.
//
// File dates are 32-bit DOS date-time values (date in the high word, time in the low word, local
// time), the kind the system's file-age query gives; 0 leaves a file's date untouched.
//
// ReadFileToString is portable (FileRead.cpp); the rest is Win32 code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sys {

// Writes data to path: with append, at the end of the file (created when absent); otherwise
// into a new file that replaces any existing one. Above 1 MiB the data goes out in chunks
// (FileChunks.h). The date is set only when every byte was written. True when the file was
// opened and every byte written; a partly written file stays in place.
bool SaveFile(const std::string& path, const std::string& data, uint32_t dosDate, bool append);

// Opens path for writing (creating it when absent), writes text at its end, sets the date when
// it is not 0. True when the file was opened and every byte of text written.
bool AppendToFile(const std::string& path, const std::string& text, uint32_t dosDate);

// The bytes of path from offset to its end, at most maxLen of them when maxLen is not 0. Empty
// when the file does not exist, when offset is negative or not before the end of the file, when
// a read returns fewer bytes than asked, or when the bytes would not fit in memory.
std::string ReadFileToString(const std::string& path, size_t maxLen = 0, int64_t offset = 0);

// A file kept open for appending, for output that arrives in pieces (an inflated entry). Opening
// creates the file when absent; with mustBeNew it only creates one, and is not open when
// something of that name exists already. The handle is closed with the object.
class AppendingFile {
 public:
  explicit AppendingFile(const std::string& path, bool mustBeNew = false);
  ~AppendingFile();
  AppendingFile(const AppendingFile&) = delete;
  AppendingFile& operator=(const AppendingFile&) = delete;
  bool IsOpen() const { return handle_ != kInvalid; }
  // True when all n bytes were written.
  bool Write(const void* data, size_t n);
  // Sets the last-write time (DOS date-time, local time); 0 or an invalid value changes nothing.
  void SetDate(uint32_t dosDate);

 private:
  static constexpr intptr_t kInvalid = -1;
  intptr_t handle_ = kInvalid;
};

// True when both paths name one existing file, however each spells it (long or 8.3 short name,
// another spelling of the folder, a hard link): compared by the file's volume and index, never
// by text. False when either cannot be found.
bool SameFile(const std::string& a, const std::string& b);

// A file written whole and then kept from other writers for as long as the object lives, so
// that what other readers see of it (the INI functions share writing, and read it still) is
// exactly what was written. Writing fails while another program holds the file open for
// writing, or holds it open without sharing writing; nothing is held then.
class HeldFile {
 public:
  HeldFile() = default;
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  // Replaces path's content with data. True when every byte was written; the file is held then.
  bool Write(const std::string& path, const std::string& data);
  void Release();
  bool IsHeld() const { return handle_ != kInvalid; }

 private:
  static constexpr intptr_t kInvalid = -1;
  intptr_t handle_ = kInvalid;
};

// DOS date-time of the file's last write, in local time; 0 when the file cannot be found.
uint32_t FileAge(const std::string& path);

// True when path names an existing folder.
bool FolderExists(const std::string& path);

// Creates folder and its missing parents. True when the folder exists afterwards; false for an
// empty path.
bool ForceDirectories(const std::string& folder);

// Size of the first entry matching path (wildcards allowed, any attributes); 0 when none.
uint64_t GetFileSizeByName(const std::string& path);

// Free bytes on the volume that holds path; -1.0 when no query succeeds.
double DiskFree(const std::string& path);

// Deletes every file matching mask (read-only, hidden and system files included, folders
// excluded), first resetting its attributes to normal when clearAttributes is set. True when at
// least one file matched, whether or not its deletion succeeded.
bool DeleteFiles(const std::string& mask, bool clearAttributes);

// Deletes folder with everything in it. A linked folder (junction, symbolic link), be it folder
// itself or one inside it, is only unlinked, never entered, so nothing outside the tree is
// touched (FolderRemoval.h). True only when the folder existed and is gone.
bool DeleteTree(const std::string& folder, bool clearAttributes);

// Writes "_DEL_ME_.BAT" into the temporary folder and starts it hidden; the batch deletes
// exePath as soon as this process has ended, then exePath's folder when removeFolder is set
// (only when empty), then itself. shortNames writes 8.3 paths without quotes. The current folder
// of this process becomes the temporary folder, so that it does not hold the folder to remove.
// True when the batch was started.
bool SelfDelete(const std::string& exePath, bool removeFolder, bool shortNames = false);

// Ejects the medium of the CD-ROM drive that holds path. False for an empty path, a path not on
// a CD-ROM drive (no device is opened then), or when the drive refuses.
bool EjectCD(const std::string& path);

}  // namespace sys
