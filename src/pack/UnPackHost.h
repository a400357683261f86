// What the extraction needs from the operating system and the user interface, supplied by its
// caller: the Win32 side answers with real files, message boxes and message pumping; tests and
// the fuzzer answer from memory. The extraction itself stays portable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "pack/ByteSource.h"
#include "sys/LeadBytes.h"

namespace pack {

// A file opened for appending. Close sets its date when every write succeeded and dosDate is not
// 0; destroying it without Close (a zlib error ends the extraction) closes it undated.
class UnPackTargetFile {
 public:
  virtual ~UnPackTargetFile() = default;
  // True when all n bytes were written.
  virtual bool Write(const void* data, size_t n) = 0;
  virtual void Close(uint32_t dosDate) = 0;
};

class UnPackHost {
 public:
  virtual ~UnPackHost() = default;

  // ---- files; paths use "\" between folders ----
  virtual bool FileExists(const std::string& path) = 0;
  // The volume file for reading, shared with readers only, so that nobody can write, delete or
  // replace it while the extraction reads it; null when it cannot be opened that way (also when
  // someone else has it open for writing).
  virtual std::unique_ptr<ByteSource> OpenRead(const std::string& path) = 0;
  // Creates path and its missing parents; true when the folder exists afterwards.
  virtual bool CreateFolders(const std::string& path) = 0;
  // Creates path as a new file for writing; null when something of that name exists already
  // (it is left as it is) or the file cannot be created.
  virtual std::unique_ptr<UnPackTargetFile> CreateNew(const std::string& path) = 0;
  // Opens path, a file that this extraction created, for appending; null when it cannot be
  // opened.
  virtual std::unique_ptr<UnPackTargetFile> OpenAppend(const std::string& path) = 0;
  // Writes data into a new file replacing any existing one, dated dosDate when not 0.
  virtual bool WriteNewFile(const std::string& path, const std::string& data, uint32_t dosDate) = 0;
  // DOS date-time of the file's last write; 0 when unknown.
  virtual uint32_t FileDate(const std::string& path) = 0;
  // Current size of the file, 0 when it cannot be found.
  virtual uint64_t FileSize(const std::string& path) = 0;
  // Free bytes on the volume holding path; negative when unknown.
  virtual double FreeBytes(const std::string& path) = 0;
  // The system's text for the last error of the calling thread. Asked right after a failure.
  virtual std::string LastErrorText() = 0;
  // The lead-byte rule of the code page the file calls read names in; null when single-byte.
  virtual sys::LeadBytePredicate NameLeadBytes() = 0;

  // ---- user interface ----
  // Gives the window its turn. The extraction calls it between all its steps (before each block,
  // after each piece read, after each stretch of inflated output), far more often than a window
  // needs; the host dispatches pending messages when enough time has passed since it last did.
  virtual void Pump() = 0;
  // Waits ms milliseconds while dispatching messages.
  virtual void DelayPumping(uint32_t ms) = 0;
  virtual void ErrorBox(const std::string& text, int charset, const std::string& buttonTexts) = 0;
  // True when the user confirms with OK.
  virtual bool ConfirmOkCancel(const std::string& text, const std::string& caption, int charset,
                               const std::string& buttonTexts) = 0;
  // Ejects the medium when path lies on a CD-ROM drive; does nothing otherwise.
  virtual void EjectCD(const std::string& path) = 0;
  // Registers "QueryCancelAutoPlay" for the main window, so that an inserted disk starts nothing.
  virtual void RegisterQueryCancelAutoPlay() = 0;

  // ---- diagnostics ----
  virtual void Log(const std::string& line) = 0;
  virtual uint64_t Milliseconds() = 0;
};

}  // namespace pack
