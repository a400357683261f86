// This file must contain only truly operating-system independent code.
#include "pack/GFileInfo.h"

#include <algorithm>

#include "lang/LangStrings.h"
#include "pack/Scramble.h"
#include "sys/UtilsText.h"
#include "sys/KoSUB.h"

using pack::ByteSource;
using pack::TPackTrailer;

namespace {


bool ReadWord(const ByteSource& file, uint64_t offset, uint32_t& value) {
  uint8_t raw[4];
  if (!file.ReadAt(offset, raw, sizeof raw)) return false;
  value = pack::ReadLE32(raw);
  return true;
}

// The file-name part of a path: what follows the last "\" or ":".
std::string FileNamePart(const std::string& path) {
  size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string WithoutAllExtensions(std::string name) {
  for (size_t dot; (dot = name.rfind('.')) != std::string::npos;) name.erase(dot);
  return name;
}

}  // namespace

void TGFileInfo::Clear() {
  trailer_.Clear();
  LangData_.clear();
  UpdateInfo_.clear();
  WebSetupInfo_.clear();
}

bool TGFileInfo::IsPEFile(const ByteSource& file) {
  uint8_t mz[2], pe[2];
  return file.ReadAt(0, mz, 2) && file.ReadAt(pack::kPEHeaderOffset, pe, 2) && mz[0] == 'M' &&
         mz[1] == 'Z' && pe[0] == 'P' && pe[1] == 'E';
}

uint64_t TGFileInfo::ReadPackageEnd(const ByteSource& file) {
  uint32_t high = 0, low = 0;
  if (!ReadWord(file, pack::kPackageEndHighOffset, high) ||
      !ReadWord(file, pack::kPackageEndLowOffset, low))
    return 0;
  return static_cast<uint64_t>(high) << 32 | low;
}

bool TGFileInfo::ReadTrailer(const std::string& FileName, TPackTrailer& Trailer) {
  Trailer.Clear();
  pack::FileSource file(FileName);
  return file.IsOpen() && ReadTrailer(file, Trailer);
}

bool TGFileInfo::ReadTrailer(const ByteSource& file, TPackTrailer& Trailer) {
  uint64_t trailerStart = 0;
  return ReadTrailerAt(file, Trailer, trailerStart);
}

bool TGFileInfo::ReadTrailerAt(const ByteSource& file, TPackTrailer& Trailer, uint64_t& trailerStart) {
  Trailer.Clear();
  uint64_t end = 0;
  if (!file.Size(end)) return false;
  // A signed program file keeps other data after the package; PackageEnd says where it stops.
  if (IsPEFile(file)) {
    uint64_t packageEnd = ReadPackageEnd(file);
    if (packageEnd > end) return false;
    if (packageEnd > 0) end = packageEnd;
  }
  // The trailer's last 4 bytes hold its length.
  uint32_t length = 0;
  if (end < 4 || !ReadWord(file, end - 4, length)) return false;
  if (length < 5 || length > end) return false;
  trailerStart = end - length;
  // A shorter trailer of an older layout fills only its leading fields.
  const uint32_t n = std::min(pack::kTrailerSize, length);
  if (!file.ReadAt(trailerStart, Trailer.bytes, n - 4)) {
    Trailer.Clear();
    return false;
  }
  Trailer.SetWord(pack::at::TrailerSize, n);
  if (Trailer.Version() == 0) Trailer.bytes[pack::at::Version] = 2;
  return true;
}

void TGFileInfo::Create(const std::string& FileName) {
  Clear();
  pack::FileSource file(FileName);
  if (file.IsOpen()) Create(file);
}

void TGFileInfo::Create(const ByteSource& file) {
  Clear();
  uint64_t trailerStart = 0;
  if (!ReadTrailerAt(file, trailer_, trailerStart) || trailer_.Magic() != pack::kMagic) {
    trailer_.Clear();
    return;
  }
  // Header strings must lie between PackageStart and the trailer and be no longer than header
  // strings are; anything else is damage.
  if (!ReadHeaderStrings(file, trailerStart)) Clear();
}

bool TGFileInfo::ReadHeaderStrings(const ByteSource& file, uint64_t headerLimit) {
  uint64_t pos = trailer_.PackageStart();
  auto readString = [&](std::string& text) {
    uint32_t length = 0;
    if (pos + 4 > headerLimit || !ReadWord(file, pos, length)) return false;
    if (length > headerLimit - pos - 4 || length > pack::kLongestHeaderString) return false;
    text.resize(length);
    if (length > 0 && !file.ReadAt(pos + 4, &text[0], length)) return false;
    pos += 4 + static_cast<uint64_t>(length);
    return true;
  };
  if (!readString(LangData_) || !readString(UpdateInfo_)) return false;
  if (trailer_.Version() >= 3 && !readString(WebSetupInfo_)) return false;
  // From now on PackageStart is where the entry stream begins.
  trailer_.SetWord(pack::at::PackageStart, static_cast<uint32_t>(pos));
  return true;
}

uint32_t TGFileInfo::GetClusterSize(const std::string& Path) { return sys::ClusterSizeOf(Path); }

std::string TGFileInfo::Descramble(const std::string& Text) { return pack::Descramble(Text); }

double TGFileInfo::SpaceRequiredForCluster(uint32_t ClusterSize) const {
  double required = trailer_.TotalSize();
  for (int i = 1; i <= 8; ++i)
    if (ClusterSize >= pack::SizeClass(i)) required = trailer_.SizeOnDisk(i);
  return required;
}

double TGFileInfo::GetSpaceRequired(const std::string& Path) const {
  return SpaceRequiredForCluster(GetClusterSize(Path));
}

std::string TGFileInfo::GetUpdateInfoURL() const { return sys::SUB::GetItem(UpdateInfo_, 0); }
std::string TGFileInfo::GetInfoFileName() const { return FileNamePart(sys::SUB::GetItem(UpdateInfo_, 1)); }
std::string TGFileInfo::GetOriginalFileName() const {
  return WithoutAllExtensions(GetInfoFileName()) + ".original";
}
std::string TGFileInfo::GetProgramExeName() const { return sys::SUB::GetItem(UpdateInfo_, 2); }
std::string TGFileInfo::GetProductToken(bool Descrambled) const {
  std::string token = sys::SUB::GetItem(UpdateInfo_, 3);
  return Descrambled ? Descramble(token) : token;
}
bool TGFileInfo::GetHideSetup() const { return sys::SUB::GetItem(UpdateInfo_, 4) == "1"; }
std::string TGFileInfo::GetUpdatePublicKey() const { return sys::SUB::GetItem(UpdateInfo_, 5); }

std::string TGFileInfo::GetWebSetupURL() const { return sys::SUB::GetItem(WebSetupInfo_, 0); }
std::string TGFileInfo::GetWebSetupFileName() const { return sys::SUB::GetItem(WebSetupInfo_, 1); }
bool TGFileInfo::GetAlwaysDownload() const { return sys::SUB::GetItem(WebSetupInfo_, 2) == "1"; }
std::string TGFileInfo::GetWebSetupToken(bool Descrambled) const {
  std::string token = sys::SUB::GetItem(WebSetupInfo_, 3);
  return Descrambled ? Descramble(token) : token;
}
std::string TGFileInfo::GetWebSetupSize() const { return sys::SUB::GetItem(WebSetupInfo_, 4); }
std::string TGFileInfo::GetWebSetupSHA256() const { return sys::SUB::GetItem(WebSetupInfo_, 5); }
bool TGFileInfo::SameWebSetupToken(const TGFileInfo& Other) const {
  return GetWebSetupToken(true) == Other.GetWebSetupToken(true);
}

std::string TGFileInfo::GetLangString(const std::string& Key, const std::string& Default) const {
  return lang::LookupLangString(lang::LangSection(LangData_), Key, Default);
}

static int LangNumber(const TGFileInfo& info, const char* key, const char* fallback, int whenNotNumber) {
  int64_t value = 0;
  return sys::TryParseInt64(info.GetLangString(key, fallback), value) ? static_cast<int>(value)
                                                                      : whenNotNumber;
}

int TGFileInfo::GetCharset() const { return LangNumber(*this, "Charset", "0", 0); }
int TGFileInfo::GetFontSize() const { return LangNumber(*this, "FontSize", "8", 8); }
std::string TGFileInfo::GetFontName() const { return GetLangString("FontName", "Tahoma"); }
