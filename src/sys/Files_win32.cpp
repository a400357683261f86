// Writing byte strings to files with a given date, or holding them as written, and sizes of
// files.
// This file must contain only Win32 code.
#include <algorithm>

#include "sys/FileChunks.h"
#include "sys/Files.h"
#include "sys/OpenFile64.h"
#include "sys/Platform.h"
#include "sys/ScopedHandle.h"

namespace sys {
namespace {

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

// With append: the existing file (created when absent) positioned at its end; otherwise a new
// file replacing any old one. Not open on failure.
ScopedFileHandle OpenForWriting(const std::string& path, bool append) {
  ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, kShareReadWrite, nullptr,
                                      append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
  if (file && append && FileSeek64(file.Get(), 0, SeekOrigin::End) < 0) file.Reset();
  return file;
}

// A new file; not open when the name exists (a file, a folder or a link stays as it is).
ScopedFileHandle CreateNewForWriting(const std::string& path) {
  return ScopedFileHandle(::CreateFileA(path.c_str(), GENERIC_WRITE, kShareReadWrite, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes data in the chunks of SaveChunkSize; stops at the first write that writes nothing.
// Returns the number of bytes written.
size_t WriteInChunks(HANDLE file, const std::string& data) {
  const size_t chunk = SaveChunkSize(data.size());
  size_t done = 0;
  while (done < data.size()) {
    const DWORD want = static_cast<DWORD>(std::min(chunk, data.size() - done));
    DWORD written = 0;
    if (!::WriteFile(file, data.data() + done, want, &written, nullptr) || written == 0) break;
    done += written;
  }
  return done;
}

// Sets the last-write time from a DOS date-time in local time; an invalid value is ignored.
void SetDosDate(HANDLE file, uint32_t dosDate) {
  FILETIME local{}, utc{};
  if (!::DosDateTimeToFileTime(HIWORD(dosDate), LOWORD(dosDate), &local)) return;
  if (!::LocalFileTimeToFileTime(&local, &utc)) return;
  ::SetFileTime(file, nullptr, nullptr, &utc);
}

}  // namespace

bool SaveFile(const std::string& path, const std::string& data, uint32_t dosDate, bool append) {
  ScopedFileHandle file = OpenForWriting(path, append);
  if (!file) return false;
  const bool complete = WriteInChunks(file.Get(), data) == data.size();
  if (complete && dosDate != 0) SetDosDate(file.Get(), dosDate);
  return complete;
}

bool AppendToFile(const std::string& path, const std::string& text, uint32_t dosDate) {
  ScopedFileHandle file = OpenForWriting(path, true);
  if (!file) return false;
  const bool complete = WriteInChunks(file.Get(), text) == text.size();
  if (dosDate != 0) SetDosDate(file.Get(), dosDate);
  return complete;
}

static HANDLE AsHandle(intptr_t h) { return reinterpret_cast<HANDLE>(h); }

AppendingFile::AppendingFile(const std::string& path, bool mustBeNew)
    : handle_(reinterpret_cast<intptr_t>(
          (mustBeNew ? CreateNewForWriting(path) : OpenForWriting(path, true)).Take())) {}

AppendingFile::~AppendingFile() {
  if (IsOpen()) ::CloseHandle(AsHandle(handle_));
}

bool AppendingFile::Write(const void* data, size_t n) {
  const char* next = static_cast<const char*>(data);
  while (IsOpen() && n > 0) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<size_t>(n, 0x40000000));
    if (!::WriteFile(AsHandle(handle_), next, want, &written, nullptr) || written == 0) return false;
    next += written;
    n -= written;
  }
  return IsOpen();
}

void AppendingFile::SetDate(uint32_t dosDate) {
  if (IsOpen() && dosDate != 0) SetDosDate(AsHandle(handle_), dosDate);
}

bool HeldFile::Write(const std::string& path, const std::string& data) {
  Release();
  // Readers only may share it: from the open on, no other program writes it.
  ScopedFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  // Emptied through the handle, not on opening: a file that cannot be held is left as it was.
  if (!file || !::SetEndOfFile(file.Get()) || WriteInChunks(file.Get(), data) != data.size())
    return false;
  handle_ = reinterpret_cast<intptr_t>(file.Take());
  return true;
}

void HeldFile::Release() {
  if (handle_ != kInvalid) ::CloseHandle(AsHandle(handle_));
  handle_ = kInvalid;
}

uint32_t FileAge(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  FILETIME local{};
  WORD dosDate = 0, dosTime = 0;
  if (!::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !::FileTimeToDosDateTime(&local, &dosDate, &dosTime))
    return 0;
  return (static_cast<uint32_t>(dosDate) << 16) | dosTime;
}

uint64_t GetFileSizeByName(const std::string& path) {
  WIN32_FIND_DATAA found{};
  ScopedFindHandle search(::FindFirstFileA(path.c_str(), &found));
  if (!search) return 0;
  return (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

uint64_t FileSize64(HANDLE file) {
  LARGE_INTEGER size{};
  return ::GetFileSizeEx(file, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

int64_t FileSeek64(HANDLE file, int64_t distance, SeekOrigin origin) {
  static const DWORD kMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  LARGE_INTEGER move{}, position{};
  move.QuadPart = distance;
  if (!::SetFilePointerEx(file, move, &position, kMethods[static_cast<int>(origin)])) return -1;
  return position.QuadPart;
}

}  // namespace sys
