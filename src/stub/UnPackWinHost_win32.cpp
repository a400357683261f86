// This file must contain only Win32 code.
#include "stub/UnPackWinHost.h"

#include "stub/StubWin.h"
#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/KoDebug.h"
#include "sys/Pumping.h"
#include "sys/SysError.h"
#include "ui/KoMsgBox.h"

namespace stubwin {
namespace {

// Boxes of the extraction carry their caption as a heading and sit over the active window.
constexpr uintptr_t kBoxOwner = 0;

class FileTarget final : public pack::UnPackTargetFile {
 public:
  FileTarget(const std::string& path, bool mustBeNew) : file_(path, mustBeNew) {}
  bool IsOpen() const { return file_.IsOpen(); }
  bool Write(const void* data, size_t n) override {
    complete_ = file_.Write(data, n) && complete_;
    return complete_;
  }
  // The date tells when the whole entry arrived, so a file that lost bytes keeps today's.
  void Close(uint32_t dosDate) override {
    if (complete_) file_.SetDate(dosDate);
  }

 private:
  sys::AppendingFile file_;
  bool complete_ = true;
};

}  // namespace

bool UnPackWinHost::FileExists(const std::string& path) { return sys::FileExists(path); }

std::unique_ptr<pack::ByteSource> UnPackWinHost::OpenRead(const std::string& path) {
  std::unique_ptr<pack::FileSource> file(
      new pack::FileSource(path, sys::ReadSharing::kReadersOnly));
  if (!file->IsOpen()) return nullptr;
  return file;
}

bool UnPackWinHost::CreateFolders(const std::string& path) { return sys::ForceDirectories(path); }

std::unique_ptr<pack::UnPackTargetFile> UnPackWinHost::CreateNew(const std::string& path) {
  std::unique_ptr<FileTarget> file(new FileTarget(path, true));
  if (!file->IsOpen()) return nullptr;
  return file;
}

std::unique_ptr<pack::UnPackTargetFile> UnPackWinHost::OpenAppend(const std::string& path) {
  std::unique_ptr<FileTarget> file(new FileTarget(path, false));
  if (!file->IsOpen()) return nullptr;
  return file;
}

bool UnPackWinHost::WriteNewFile(const std::string& path, const std::string& data,
                                 uint32_t dosDate) {
  return sys::SaveFile(path, data, dosDate, false);
}

uint32_t UnPackWinHost::FileDate(const std::string& path) { return sys::FileAge(path); }

uint64_t UnPackWinHost::FileSize(const std::string& path) { return sys::GetFileSizeByName(path); }

double UnPackWinHost::FreeBytes(const std::string& path) { return sys::DiskFree(path); }

std::string UnPackWinHost::LastErrorText() { return sys::SysErrorText(); }

// The "A" file calls read names in the ANSI code page.
sys::LeadBytePredicate UnPackWinHost::NameLeadBytes() { return sys::IsLeadByteOfActiveCodePage; }

void UnPackWinHost::Pump() { pump_.Pump(); }

void UnPackWinHost::DelayPumping(uint32_t ms) { sys::DelayPumping(ms); }

void UnPackWinHost::ErrorBox(const std::string& text, int charset,
                             const std::string& buttonTexts) {
  komsgbox::ErrorBox(kBoxOwner, text, "", charset, buttonTexts);
}

bool UnPackWinHost::ConfirmOkCancel(const std::string& text, const std::string& caption,
                                    int charset, const std::string& buttonTexts) {
  return komsgbox::ConfirmOkCancel(kBoxOwner, text, caption, charset, buttonTexts);
}

void UnPackWinHost::EjectCD(const std::string& path) { sys::EjectCD(path); }

void UnPackWinHost::RegisterQueryCancelAutoPlay() { stubwin::RegisterQueryCancelAutoPlay(true); }

void UnPackWinHost::Log(const std::string& line) { kodebug::ConsoleLine(line); }

uint64_t UnPackWinHost::Milliseconds() { return static_cast<uint64_t>(sys::MillisecondClock()); }

}  // namespace stubwin
