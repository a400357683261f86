// The extraction's view of Windows: real files, the stub's message boxes, message pumping while
// blocks are read, CD eject, the main window's AutoPlay answer and the console channel.
#pragma once

#include "pack/UnPackHost.h"
#include "sys/Pumping.h"

namespace stubwin {

class UnPackWinHost : public pack::UnPackHost {
 public:
  bool FileExists(const std::string& path) override;
  std::unique_ptr<pack::ByteSource> OpenRead(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  std::unique_ptr<pack::UnPackTargetFile> CreateNew(const std::string& path) override;
  std::unique_ptr<pack::UnPackTargetFile> OpenAppend(const std::string& path) override;
  bool WriteNewFile(const std::string& path, const std::string& data, uint32_t dosDate) override;
  uint32_t FileDate(const std::string& path) override;
  uint64_t FileSize(const std::string& path) override;
  double FreeBytes(const std::string& path) override;
  std::string LastErrorText() override;
  sys::LeadBytePredicate NameLeadBytes() override;

  void Pump() override;
  void DelayPumping(uint32_t ms) override;
  void ErrorBox(const std::string& text, int charset, const std::string& buttonTexts) override;
  bool ConfirmOkCancel(const std::string& text, const std::string& caption, int charset,
                       const std::string& buttonTexts) override;
  void EjectCD(const std::string& path) override;
  void RegisterQueryCancelAutoPlay() override;

  void Log(const std::string& line) override;
  uint64_t Milliseconds() override;

 private:
  // 10 ms on a tick count that moves in steps of about 16 ms: the window's messages are
  // dispatched at least every 20 ms or so, while a dispatch per 64 KiB piece would cost a Wine
  // server round trip each.
  sys::PacedPump pump_{10};
};

}  // namespace stubwin
