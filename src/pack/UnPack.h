// Extraction of a package's entry stream into a destination folder, over one or more volume
// files: volume checksums, header blocks, stored and zlib blocks, entry files, the run entry,
// disk prompts for further volumes and the auto-update agent copy. Portable: the operating
// system and the user interface come in through UnPackHost.
#pragma once

#include <cstdint>
#include <string>

#include "pack/UnPackHost.h"
#include "ui/KoProgBar.h"

namespace pack {

struct ExtractArgs {
  std::string PackagePath;   // the first volume
  // The first volume as its caller holds it open, or null to have the host open PackagePath.
  // A caller that checked the file before (its token, say) passes the file it checked, so that
  // what is extracted is what was checked, not whatever bears the name by now.
  const ByteSource* FirstVolume = nullptr;
  std::string DestFolder;    // created with its missing parents
  std::string AgentExeName;  // file name of the agent copy; empty for none
  bool ForcePrompt = false;  // ask for every further disk, even when its volume is present
  int Charset = 0;           // font character set, button texts, caption and text of the boxes
  std::string ButtonTexts;
  std::string Caption;
  std::string DiskPrompt;  // "<DISK_NUM>" stands for the volume number
  koprogbar::ProgressSink Progress;
  // Failed writes so far; the error box shows only for the first. Null: the process-wide count.
  uint32_t* FailedWrites = nullptr;
};

struct ExtractResult {
  // Item 0 of the entry marked with "*" (or its whole name list when the "*" stands in a later
  // item), or empty. Its program, the text before the "*", is a file this extraction wrote.
  std::string RunEntry;
  bool Ok = false;       // the last volume examined passed its checksum and was read whole
  // A volume's stream was damaged, or the run entry names no file of the extraction (Ok is
  // false then).
  bool Damaged = false;
  // zlib's message when it reported a compressed block as damaged: the extraction ended there
  // (Damaged is true then). Empty otherwise.
  std::string ZlibError;
};

ExtractResult ExtractPackage(UnPackHost& Host, const ExtractArgs& Args);

// The same with every argument on its own.
void ExtractPackage(UnPackHost& Host, const std::string& PackagePath,
                    const std::string& DestFolder, const std::string& AgentExeName,
                    std::string& RunEntry, bool ForcePrompt, int Charset,
                    const std::string& ButtonTexts, const std::string& Caption,
                    const std::string& DiskPrompt, const koprogbar::ProgressSink& Progress,
                    bool& Ok);

}  // namespace pack
