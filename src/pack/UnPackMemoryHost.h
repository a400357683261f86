// An UnPackHost that keeps its files in memory and records every box, prompt and call to the
// user interface. It lets the extraction run without a disk or a window: in tests, under the
// fuzzer, or to check a downloaded package before it is written anywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "pack/UnPackHost.h"

namespace pack {

class UnPackMemoryHost : public UnPackHost {
 public:
  struct File {
    std::string data;  // empty when keepData is off
    uint64_t size = 0;
    uint32_t dosDate = 0;
  };
  struct Prompt {
    std::string text, caption;
  };

  // ---- set up by the caller ----
  std::map<std::string, File> files;
  std::set<std::string> folders;  // a file can be created only in a folder listed here
  bool keepData = true;           // false: only sizes are kept, for unbounded output
  std::set<std::string> failingWrites;  // paths whose writes fail
  uint64_t writeLimit = UINT64_MAX;     // total bytes that fit "the disk"
  std::set<std::string> failingFolders;
  double freeBytes = 1.0e9;
  // The code page names are read in, as the lead-byte rule of sys::LeadBytesOfCodePage.
  sys::LeadBytePredicate leadBytes = nullptr;
  // Answer to disk prompt number n (from 0); may add the volume file. Unset: decline.
  std::function<bool(int n)> answerPrompt;

  // ---- recorded ----
  std::vector<std::string> errorBoxes;
  std::vector<Prompt> prompts;
  std::vector<std::string> ejected;
  std::vector<std::string> log;
  int autoPlayRegistrations = 0;
  int pumps = 0;
  uint64_t clock = 0;

  void AddFile(const std::string& path, const std::string& data, uint32_t dosDate = 0);
  // The parent folder of path ("" for a path without "\"), read with leadBytes.
  std::string ParentOf(const std::string& path) const;

  bool FileExists(const std::string& path) override;
  std::unique_ptr<ByteSource> OpenRead(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
  std::unique_ptr<UnPackTargetFile> CreateNew(const std::string& path) override;
  std::unique_ptr<UnPackTargetFile> OpenAppend(const std::string& path) override;
  bool WriteNewFile(const std::string& path, const std::string& data, uint32_t dosDate) override;
  uint32_t FileDate(const std::string& path) override;
  uint64_t FileSize(const std::string& path) override;
  double FreeBytes(const std::string& path) override;
  std::string LastErrorText() override { return lastError_; }
  sys::LeadBytePredicate NameLeadBytes() override { return leadBytes; }

  void Pump() override { ++pumps; }
  void DelayPumping(uint32_t ms) override { clock += ms; }
  void ErrorBox(const std::string& text, int charset, const std::string& buttonTexts) override;
  bool ConfirmOkCancel(const std::string& text, const std::string& caption, int charset,
                       const std::string& buttonTexts) override;
  void EjectCD(const std::string& path) override { ejected.push_back(path); }
  void RegisterQueryCancelAutoPlay() override { ++autoPlayRegistrations; }
  void Log(const std::string& line) override { log.push_back(line); }
  uint64_t Milliseconds() override { return clock; }

  // Used by the open target files.
  bool Append(const std::string& path, const void* data, size_t n);

 private:
  std::string lastError_;
  uint64_t written_ = 0;
};

}  // namespace pack
