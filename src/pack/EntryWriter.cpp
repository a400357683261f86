// This file must contain only truly operating-system independent code.
#include "pack/EntryWriter.h"

#include "pack/EntryTarget.h"

namespace pack {
namespace {

// The fraction is dropped; an unknown amount reads -1.
int64_t WholeBytes(double bytes) {
  return bytes >= 0 && bytes < 9.0e18 ? static_cast<int64_t>(bytes) : -1;
}

}  // namespace

bool EntryWriter::NameList(const std::string& nameList) {
  target_.clear();
  file_.reset();
  dataSize_ = 0;
  failed_ = false;
  if (nameList.empty()) return true;  // an entry without a name is read and skipped
  const EntryTarget entry = ReadEntryTarget(nameList);
  if (entry.setsRunEntry) runEntry_ = entry.runEntry;
  if (!IsSafeEntryName(entry.fileName, setup_.leadBytes)) return false;
  dosDate_ = entry.dosDate;
  bool& created = (*setup_.files)[EntryFileKey(entry.fileName, setup_.leadBytes)];
  OpenTarget(entry.fileName, created);
  created = created || file_ != nullptr;
  return true;
}

void EntryWriter::OpenTarget(const std::string& fileName, bool createdByThisExtraction) {
  UnPackHost& host = *setup_.host;
  target_ = setup_.destFolder + "\\" + fileName;
  if (!host.FileExists(target_) && *setup_.progress) (*setup_.progress)(1, 0, "", 0, 0);
  const size_t folderEnd = LastPathSeparator(fileName, setup_.leadBytes);
  if (folderEnd != std::string::npos)
    host.CreateFolders(setup_.destFolder + "\\" + fileName.substr(0, folderEnd));
  // A file that was there before this extraction is never written to: whoever left it there,
  // its bytes must not become part of what the setup runs.
  file_ = createdByThisExtraction ? host.OpenAppend(target_) : host.CreateNew(target_);
  if (!file_) {
    failed_ = true;
    errorText_ = host.LastErrorText();
  }
}

bool EntryWriter::Data(const char* data, size_t n) {
  dataSize_ += n;
  // One piece of a highly compressible block inflates to many stretches of output: the window
  // gets its turn between them too.
  setup_.host->Pump();
  if (target_.empty() || failed_) return true;
  if (!file_->Write(data, n)) {
    failed_ = true;
    errorText_ = setup_.host->LastErrorText();
    // The rest of this entry is lost; a partly written file stays as it is.
    file_->Close(0);
    file_.reset();
  }
  return true;
}

bool EntryWriter::End() {
  if (target_.empty()) return true;
  if (file_) file_->Close(dosDate_);
  file_.reset();
  if (failed_) ReportFailedWrite();
  target_.clear();
  return true;
}

void EntryWriter::ReportFailedWrite() {
  if ((*setup_.failedWrites)++ > 0) return;
  UnPackHost& host = *setup_.host;
  const std::string report =
      SaveFailureReport(errorText_, dataSize_, host.FileSize(target_), host.FreeBytes(target_));
  host.ErrorBox(target_ + "<P><P>Unable to save Extracted File!<P><P>" + report, setup_.charset,
                setup_.buttonTexts);
}

std::string SaveFailureReport(const std::string& errorText, uint64_t dataSize, uint64_t fileSize,
                              double freeBytes) {
  return errorText + "<P>" + "  Data Size: <T>" + std::to_string(dataSize) + " Bytes<P>" +
         "  File Size:  <T>" + std::to_string(fileSize) + " Bytes<P>" + "  Bytes Free: <T>" +
         std::to_string(WholeBytes(freeBytes)) + " Bytes";
}

}  // namespace pack
