// This file must contain only truly operating-system independent code.
#include "pack/UnPack.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "pack/EntryStream.h"
#include "pack/EntryTarget.h"
#include "pack/EntryWriter.h"
#include "pack/GFileInfo.h"
#include "pack/UnPackAgentCopy.h"
#include "pack/UnPackVolume.h"
#include "pack/UnPackVolumeNames.h"
#include "sys/Host.h"
#include "sys/UtilsText.h"

namespace pack {
namespace {

// Block bodies are read in pieces of this size, with the window given its turn after each.
constexpr size_t kReadPiece = 65536;

// Failed writes of this process; the save error box shows only once.
uint32_t processFailedWrites = 0;

class Extraction {
 public:
  Extraction(UnPackHost& host, const ExtractArgs& args, ExtractResult& result)
      : host_(host), args_(args), result_(result) {
    writerSetup_.host = &host;
    writerSetup_.leadBytes = host.NameLeadBytes();
    writerSetup_.destFolder = args.DestFolder;
    writerSetup_.progress = &args.Progress;
    writerSetup_.charset = args.Charset;
    writerSetup_.buttonTexts = args.ButtonTexts;
    writerSetup_.failedWrites = args.FailedWrites ? args.FailedWrites : &processFailedWrites;
    writerSetup_.files = &files_;
  }

  void Run();

 private:
  void Progress(int32_t kind, int32_t max) const {
    if (args_.Progress) args_.Progress(kind, max, "", kind == 0 ? 1 : 0, 0);
  }
  bool VolumeExists(const std::string& path);
  const ByteSource* OpenVolume(const std::string& path, std::unique_ptr<ByteSource>& opened);
  bool ReadVolume(const std::string& path);
  bool ReadStream(const ByteSource& volume, uint64_t length);
  void CreateDestFolder();
  bool ReadBlock(const ByteSource& volume, uint64_t limit, EntryWriter& writer);
  bool ReadBody(const ByteSource& volume, uint64_t start, uint64_t size, bool zlib,
                EntryWriter& writer);
  bool WriteAgentCopy(const ByteSource& volume);
  bool AskForVolume(std::string& path);
  void CheckRunEntry();

  UnPackHost& host_;
  const ExtractArgs& args_;
  ExtractResult& result_;
  EntryWriterSetup writerSetup_;
  ExtractedFiles files_;
  TPackTrailer trailer_;
  int k_ = 1;
  uint64_t offset_ = 0;
  uint32_t blocks_ = 0;
  uint64_t headerEnd_ = 0;
  std::vector<uint8_t> piece_;
  std::vector<char> inflated_;
};

void Extraction::Run() {
  const uint64_t start = host_.Milliseconds();
  const std::string base = UnPackBaseName(args_.PackagePath);
  std::string path = args_.PackagePath;
  trailer_.Clear();
  result_ = ExtractResult{};
  bool confirmed = true;
  Progress(0, 0);
  for (;;) {
    // A missing volume keeps the record of the one before.
    if (VolumeExists(path) && !ReadVolume(path)) break;
    if (!trailer_.Flag(kHasNextVolume)) break;
    host_.RegisterQueryCancelAutoPlay();
    path = UnPackVolumePath(base, ++k_);
    confirmed = AskForVolume(path);
    Progress(1, 0);
    if (!confirmed) break;
  }
  // A damaged compressed block ends the extraction at once; its caller reports it.
  if (!result_.ZlibError.empty()) {
    result_.RunEntry.clear();
    return;
  }
  CheckRunEntry();
  // Nothing may be started from a package that was not extracted whole.
  if (!confirmed || result_.Damaged) result_.RunEntry.clear();
  host_.Log("UnCompressTime: " + std::to_string(host_.Milliseconds() - start) + " MS");
  host_.Log("");
  host_.DelayPumping(500);
}

bool Extraction::VolumeExists(const std::string& path) {
  return (k_ == 1 && args_.FirstVolume) || host_.FileExists(path);
}

// The first volume as the caller holds it, or the volume the host opens into opened; null when
// it cannot be opened. Each volume is opened once: its checksum, trailer and stream are read
// from the same open file.
const ByteSource* Extraction::OpenVolume(const std::string& path,
                                         std::unique_ptr<ByteSource>& opened) {
  if (k_ == 1 && args_.FirstVolume) return args_.FirstVolume;
  opened = host_.OpenRead(path);
  return opened.get();
}

// False when the volume loop must end here.
bool Extraction::ReadVolume(const std::string& path) {
  std::unique_ptr<ByteSource> opened;
  const ByteSource* volume = OpenVolume(path, opened);
  trailer_.Clear();
  if (!volume) {
    result_.Ok = false;
    return false;
  }
  TGFileInfo::ReadTrailer(*volume, trailer_);
  offset_ = trailer_.PackageStart();
  if (k_ == 1) host_.Log("FileInfo.FilesCount=" + std::to_string(trailer_.FilesCount()));
  result_.Ok = VolumePassesChecksum(*volume, trailer_);
  if (!result_.Ok) return false;
  const uint64_t length = EffectiveVolumeLength(*volume);
  host_.Log("FileLen=" + std::to_string(length));
  if (trailer_.Magic() != kMagic) return true;
  if (ReadStream(*volume, length)) return true;
  result_.Ok = false;
  result_.Damaged = true;
  return false;
}

bool Extraction::ReadStream(const ByteSource& volume, uint64_t length) {
  if (k_ == 1) Progress(0, static_cast<int32_t>(trailer_.FilesCount()));
  CreateDestFolder();
  // Blocks end where the trailer begins.
  const uint64_t limit = length > trailer_.TrailerSize() ? length - trailer_.TrailerSize() : 0;
  EntryWriter writer(writerSetup_, result_.RunEntry);
  while (length > offset_ && length - offset_ > kTrailerSize) {
    host_.Pump();
    if (!ReadBlock(volume, limit, writer)) return false;
  }
  if (k_ == 1 && !PathFileName(args_.AgentExeName, writerSetup_.leadBytes).empty() &&
      IsAgentCarrierPath(args_.PackagePath))
    return WriteAgentCopy(volume);
  return true;
}

void Extraction::CreateDestFolder() {
  if (host_.CreateFolders(args_.DestFolder)) return;
  host_.ErrorBox(args_.DestFolder + "<P><P>Unable to create Directory!<P><P>" +
                     host_.LastErrorText(),
                 args_.Charset, args_.ButtonTexts);
}

// False when the block does not fit the volume or its entry text is damaged.
bool Extraction::ReadBlock(const ByteSource& volume, uint64_t limit, EntryWriter& writer) {
  uint8_t word[4];
  if (offset_ > limit || limit - offset_ < 4 || !volume.ReadAt(offset_, word, 4)) return false;
  const int32_t length = static_cast<int32_t>(ReadLE32(word));
  const uint64_t size = length < 0 ? uint64_t{0} - static_cast<uint64_t>(int64_t{length})
                                   : static_cast<uint64_t>(length);
  const uint64_t start = offset_ + 4;
  if (size > limit - start) return false;
  offset_ = start + size;
  // The first Version blocks of the call are the header strings.
  if (++blocks_ <= trailer_.Version()) {
    if (size > kLongestHeaderString) return false;
    if (blocks_ == trailer_.Version()) headerEnd_ = offset_;
    return true;
  }
  return ReadBody(volume, start, size, length > 0, writer);
}

bool Extraction::ReadBody(const ByteSource& volume, uint64_t start, uint64_t size, bool zlib,
                          EntryWriter& writer) {
  EntrySplitter splitter(writer);
  std::unique_ptr<BlockInflater> inflater(zlib ? new BlockInflater(inflated_) : nullptr);
  piece_.resize(kReadPiece);
  for (uint64_t done = 0; done < size;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kReadPiece, size - done));
    if (!volume.ReadAt(start + done, piece_.data(), n)) return false;
    done += n;
    host_.Pump();
    if (!inflater) {
      if (!splitter.Text(reinterpret_cast<const char*>(piece_.data()), n)) return false;
      continue;
    }
    const BlockInflater::Fed fed = inflater->Feed(piece_.data(), n, splitter);
    if (fed == BlockInflater::Fed::kDamaged) result_.ZlibError = inflater->ZlibError();
    if (fed != BlockInflater::Fed::kTaken) return false;
  }
  // A zlib stream cut short is damage, not a zlib error.
  if (inflater && !inflater->Ended()) return false;
  return splitter.Finish();
}

// False when the stub and its header strings are too long to be a program: the package is
// damaged. A name that would leave the destination only costs the copy.
bool Extraction::WriteAgentCopy(const ByteSource& volume) {
  const std::string name = PathFileName(args_.AgentExeName, writerSetup_.leadBytes);
  if (headerEnd_ + kTrailerSize > kLongestAgentCopy) {
    host_.Log("No AU-Agent: " + name + " (" + std::to_string(headerEnd_) + " bytes)");
    return false;
  }
  std::string image;
  if (!IsSafeEntryName(name, writerSetup_.leadBytes) ||
      !BuildAgentCopy(volume, headerEnd_, image)) {
    host_.Log("No AU-Agent: " + name);
    return true;
  }
  const std::string path = args_.DestFolder + "\\" + name;
  host_.WriteNewFile(path, image, host_.FileDate(args_.PackagePath));
  host_.Log(std::to_string(sys::ProcessId()) + " New AU-Agent: " + path);
  return true;
}

// Waits for volume k_ unless it is present and no prompt is forced. False when the user declined.
bool Extraction::AskForVolume(std::string& path) {
  if (!args_.ForcePrompt && host_.FileExists(path)) return true;
  host_.EjectCD(path);
  bool confirmed = true;
  do {
    const std::string text =
        sys::ReplaceText(args_.DiskPrompt, "<DISK_NUM>", std::to_string(k_), true);
    confirmed = host_.ConfirmOkCancel(text, args_.Caption, args_.Charset, args_.ButtonTexts);
    host_.DelayPumping(500);
  } while (confirmed && !host_.FileExists(path));
  return confirmed;
}

// The program a setup starts must be a file that this extraction wrote into the destination
// folder; a run entry naming anything else (a folder above, a system program, a file left there
// before) is damage. A program whose file could not be opened for writing is not started
// either; that is a failed write, reported as such, not damage.
void Extraction::CheckRunEntry() {
  if (result_.RunEntry.empty()) return;
  const std::string program = RunEntryProgram(result_.RunEntry);
  const auto file = files_.find(EntryFileKey(program, writerSetup_.leadBytes));
  if (file == files_.end()) {
    host_.Log("Run entry names no extracted file: " + program);
    result_.Ok = false;
    result_.Damaged = true;
  } else if (!file->second) {
    result_.RunEntry.clear();
  }
}

}  // namespace

ExtractResult ExtractPackage(UnPackHost& Host, const ExtractArgs& Args) {
  ExtractResult result;
  Extraction(Host, Args, result).Run();
  return result;
}

void ExtractPackage(UnPackHost& Host, const std::string& PackagePath,
                    const std::string& DestFolder, const std::string& AgentExeName,
                    std::string& RunEntry, bool ForcePrompt, int Charset,
                    const std::string& ButtonTexts, const std::string& Caption,
                    const std::string& DiskPrompt, const koprogbar::ProgressSink& Progress,
                    bool& Ok) {
  ExtractArgs args;
  args.PackagePath = PackagePath;
  args.DestFolder = DestFolder;
  args.AgentExeName = AgentExeName;
  args.ForcePrompt = ForcePrompt;
  args.Charset = Charset;
  args.ButtonTexts = ButtonTexts;
  args.Caption = Caption;
  args.DiskPrompt = DiskPrompt;
  args.Progress = Progress;
  RunEntry.clear();
  Ok = false;
  const ExtractResult result = ExtractPackage(Host, args);
  RunEntry = result.RunEntry;
  Ok = result.Ok;
}

}  // namespace pack
