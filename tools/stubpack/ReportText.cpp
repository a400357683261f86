// This file must contain only truly operating-system independent code.
#include "ReportText.h"

#include <sstream>

#include "DosDateTime.h"
#include "Printable.h"
#include "ProgramMachine.h"

namespace stubpack {
namespace {

std::string Quoted(const std::string& text) { return "\"" + Printable(text) + "\""; }

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string DateText(uint32_t dosDate) {
  return std::to_string(dosDate) + (dosDate != 0 ? " (" + DosDateText(dosDate) + ")" : "");
}

void WriteChecksum(std::ostream& out, const VolumeReport& v) {
  out << "  VolumeChecksum: " << v.trailer.VolumeChecksum();
  if (v.trailer.VolumeChecksum() == pack::kNoChecksum) out << " (not checksummed)";
  out << "\n  Checksum: ";
  if (v.checksummed)
    out << "computed " << v.computedChecksum << ", ";
  else
    out << "volume larger than " << pack::kChecksumLimit << " bytes, ";
  out << (v.checksumPasses ? "passes" : "FAILS") << "\n";
}

void WriteVolume(std::ostream& out, const VolumeReport& v) {
  const pack::TPackTrailer& t = v.trailer;
  out << "Volume " << v.number << ": " << Printable(v.path) << " (" << v.fileSize << " bytes"
      << (v.isPE ? ", program file for " + MachineName(v.machine) : "") << ")\n";
  out << "  Version: " << int{t.Version()} << "\n";
  out << "  PackageStart: " << t.PackageStart() << " (first entry at " << v.firstEntryOffset
      << ")\n";
  out << "  FilesCount: " << t.FilesCount() << "\n";
  out << "  Magic: " << Hex32(t.Magic()) << "\n";
  WriteChecksum(out, v);
  out << "  TotalSize: " << t.TotalSize() << "\n";
  for (int i = 1; i <= 8; ++i)
    out << "  SizeOnDisk " << i << " (" << pack::SizeClass(i) << "): " << t.SizeOnDisk(i) << "\n";
  out << "  Flags: " << int{t.Flags()} << " " << FlagNames(t.Flags()) << "\n";
  out << "  IsWebSetup: " << int{t.bytes[pack::at::IsWebSetup]} << "\n";
  out << "  ConfirmDownload: " << int{t.bytes[pack::at::ConfirmDownload]} << "\n";
  out << "  MakeAgentCopy: " << int{t.bytes[pack::at::MakeAgentCopy]} << "\n";
  out << "  ThisIs_AutoUpdateProg: " << int{t.bytes[pack::at::ThisIs_AutoUpdateProg]} << "\n";
  out << "  TrailerSize: " << t.TrailerSize() << " (trailer at " << v.trailerOffset << ")\n";
  out << "  PackageEnd: " << v.packageEnd << "\n";
}

void WriteHeader(std::ostream& out, const HeaderReport& h) {
  out << "UpdateInfo: " << Quoted(h.updateInfo) << "\n";
  out << "  UpdateInfoURL: " << Quoted(h.updateInfoURL) << "\n";
  out << "  InfoFile: " << Quoted(h.infoFile) << " (original file " << Quoted(h.originalFile)
      << ")\n";
  out << "  ProgramExeName: " << Quoted(h.agentExe) << "\n";
  out << "  ProductToken: " << Quoted(h.productToken) << " (stored " << Quoted(h.productTokenStored)
      << ")\n";
  out << "  HideSetup: " << YesNo(h.hideSetup) << "\n";
  out << "  UpdatePublicKey: " << Quoted(h.updatePublicKey)
      << (h.updatePublicKey.empty() ? " (updates are not signed)" : "") << "\n";
  out << "WebSetupInfo: " << Quoted(h.webSetupInfo) << "\n";
  out << "  WebSetupURL: " << Quoted(h.webSetupURL) << "\n";
  out << "  WebSetupFileName: " << Quoted(h.webSetupFile) << "\n";
  out << "  AlwaysDownload: " << YesNo(h.alwaysDownload) << "\n";
  out << "  WebSetupToken: " << Quoted(h.webToken) << " (stored " << Quoted(h.webTokenStored)
      << ")\n";
  out << "  WebSetupSize: " << Quoted(h.webSetupSize) << "\n";
  out << "  WebSetupSHA256: " << Quoted(h.webSetupSHA256)
      << (h.webSetupSHA256.empty() ? " (not checked)" : "") << "\n";
  out << "LangData: " << h.langData.size() << " bytes, " << h.sections.size()
      << " sections, separator " << Quoted(std::string(1, h.langSeparator)) << "\n";
  for (const LangSection& section : h.sections) {
    out << "  [" << Printable(section.name) << "] separator "
        << Quoted(std::string(1, section.separator)) << "\n";
    for (const std::string& pair : section.pairs) out << "    " << Printable(pair) << "\n";
  }
}

void WriteEntry(std::ostream& out, size_t index, const EntryReport& e) {
  out << "  #" << index << " volume " << e.volume << " offset " << e.offset << " "
      << (e.zlib ? "zlib " : "stored ") << e.bodySize << " bytes: ";
  if (e.skipped) {
    out << "(empty name list, skipped)";
  } else {
    out << Quoted(e.name);
    if (e.isRun) out << " run " << Quoted(e.runParams);
    out << " date "
        << (e.dosDate != 0 || e.dateItem.empty() ? DateText(e.dosDate) : Quoted(e.dateItem));
  }
  out << " data " << e.dataSize << "\n";
}

void WriteFile(std::ostream& out, const FileReport& f) {
  out << "  " << Quoted(f.name) << " " << f.size << " bytes, crc32 " << Hex32(f.crc) << ", "
      << f.entries << (f.entries == 1 ? " entry" : " entries") << ", volume " << f.firstVolume;
  if (f.lastVolume != f.firstVolume) out << "-" << f.lastVolume;
  if (f.isRun) out << ", run " << Quoted(f.runParams);
  out << ", date " << DateText(f.dosDate) << "\n";
}

}  // namespace

std::string FlagNames(uint8_t flags) {
  static const char* const kNames[] = {"NotifyTempDrive", "HasNextVolume", "SpanCdCopy",
                                       "ShowActivityBar", "AgentDebugLog"};
  std::string names;
  for (int bit = 0; bit < 8; ++bit) {
    if ((flags >> bit & 1) == 0) continue;
    if (!names.empty()) names += ' ';
    names += bit < 5 ? kNames[bit] : "bit" + std::to_string(bit);
  }
  return names.empty() ? "(none)" : names;
}

std::string FormatReport(const PackageReport& report) {
  std::ostringstream out;
  out << "Volumes: " << report.volumes.size() << "\n";
  for (const VolumeReport& volume : report.volumes) WriteVolume(out, volume);
  WriteHeader(out, report.header);
  out << "Entries: " << report.entries.size() << "\n";
  for (size_t i = 0; i < report.entries.size(); ++i) WriteEntry(out, i + 1, report.entries[i]);
  out << "Files: " << report.files.size() << ", " << report.CountedTotalSize() << " bytes\n";
  for (const FileReport& file : report.files) WriteFile(out, file);
  return out.str();
}

}  // namespace stubpack
