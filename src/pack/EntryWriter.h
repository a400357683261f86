// Writes the entries of the stream into the destination folder: appends each entry's data to its
// target file, steps the progress for every new file, keeps the run entry and reports the first
// failed write of the process.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "pack/EntryStream.h"
#include "pack/UnPackHost.h"
#include "ui/KoProgBar.h"

namespace pack {

// The files that the entries of one extraction named, by EntryFileKey, each with whether the
// extraction created it. Only those are written to, and the program a setup starts must be one
// of them.
using ExtractedFiles = std::map<std::string, bool>;

struct EntryWriterSetup {
  UnPackHost* host = nullptr;
  sys::LeadBytePredicate leadBytes = nullptr;  // the rule names are read with
  std::string destFolder;
  const koprogbar::ProgressSink* progress = nullptr;
  int charset = 0;
  std::string buttonTexts;
  uint32_t* failedWrites = nullptr;  // counts failed writes; the box shows only for the first
  ExtractedFiles* files = nullptr;   // filled over all volumes
};

class EntryWriter final : public EntryTextHandler {
 public:
  EntryWriter(const EntryWriterSetup& setup, std::string& runEntry)
      : setup_(setup), runEntry_(runEntry) {}

  bool NameList(const std::string& nameList) override;
  bool Data(const char* data, size_t n) override;
  bool End() override;

 private:
  // The entry's file: created anew for the first entry of that name, appended to by later ones.
  void OpenTarget(const std::string& fileName, bool createdByThisExtraction);
  void ReportFailedWrite();

  const EntryWriterSetup& setup_;
  std::string& runEntry_;
  std::string target_;
  std::unique_ptr<UnPackTargetFile> file_;
  uint32_t dosDate_ = 0;
  uint64_t dataSize_ = 0;
  bool failed_ = false;
  std::string errorText_;
};

// The size report of a failed write (mark-up text).
std::string SaveFailureReport(const std::string& errorText, uint64_t dataSize, uint64_t fileSize,
                              double freeBytes);

}  // namespace pack
