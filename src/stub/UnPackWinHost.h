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
  // A dispatch per 64 KiB piece costs a Wine server round trip each, a fifth of the extraction's
  // speed. Paced at 5 ms on the performance counter, a window waits 5 ms plus the time between
  // two steps of the extraction for its messages: 6 to 15 ms under Wine, idle or busy, on both
  // builds. On the tick count, which moves in steps of 16 ms or more under Wine, waits reached
  // 20 to 30 ms. A read of the counter costs about 0.1 us under Wine, a dispatch 10 to 15 us;
  // 10 or 20 ms instead of 5 measured no faster.
  sys::PacedPump pump_{5};
};

}  // namespace stubwin
