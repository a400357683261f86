// TGFileInfo: the descriptor of a program file that may carry a package: its trailer, its header
// strings (LangData, UpdateInfo, WebSetupInfo) and the flags and items read from them.
#pragma once

#include <cstdint>
#include <string>

#include "pack/ByteSource.h"
#include "pack/PackFormat.h"

class TGFileInfo {
 public:
  TGFileInfo() = default;
  explicit TGFileInfo(const std::string& FileName) { Create(FileName); }

  // Builds the descriptor of FileName. Never fails: a missing file, a file without a package or a
  // damaged one gives an empty descriptor (all flags false, every item its default).
  void Create(const std::string& FileName);
  // The same, from bytes already open or in memory.
  void Create(const pack::ByteSource& file);

  // Locates and reads the trailer; false (and a cleared record) when the file has none that fits.
  static bool ReadTrailer(const std::string& FileName, pack::TPackTrailer& Trailer);
  static bool ReadTrailer(const pack::ByteSource& file, pack::TPackTrailer& Trailer);
  // The PackageEnd words of the DOS stub area (high at 248, low at 252); 0 when absent.
  static uint64_t ReadPackageEnd(const pack::ByteSource& file);
  // "MZ" at 0 and "PE" at the fixed offset 256.
  static bool IsPEFile(const pack::ByteSource& file);
  static uint32_t GetClusterSize(const std::string& Path);
  static std::string Descramble(const std::string& Text);

  const pack::TPackTrailer& Trailer() const { return trailer_; }
  // Offset of the first entry of the stream (just past the header strings read).
  uint32_t PackageStart() const { return trailer_.PackageStart(); }
  const std::string& LangData() const { return LangData_; }
  const std::string& UpdateInfo() const { return UpdateInfo_; }
  const std::string& WebSetupInfo() const { return WebSetupInfo_; }
  bool HasPackage() const { return trailer_.Magic() == pack::kMagic; }

  bool NotifyTempDrive() const { return trailer_.Flag(pack::kNotifyTempDrive); }
  bool HasNextVolume() const { return trailer_.Flag(pack::kHasNextVolume); }
  bool SpanCdCopy() const { return trailer_.Flag(pack::kSpanCdCopy); }
  bool ShowActivityBar() const { return trailer_.Flag(pack::kShowActivityBar); }
  bool AgentDebugLog() const { return trailer_.Flag(pack::kAgentDebugLog); }
  bool IsWebSetup() const { return trailer_.Byte(pack::at::IsWebSetup); }
  bool ConfirmDownload() const { return trailer_.Byte(pack::at::ConfirmDownload); }
  bool MakeAgentCopy() const { return trailer_.Byte(pack::at::MakeAgentCopy); }
  bool ThisIs_AutoUpdateProg() const { return trailer_.Byte(pack::at::ThisIs_AutoUpdateProg); }

  // Bytes the packed files need on the volume holding Path.
  double GetSpaceRequired(const std::string& Path) const;
  // The same for a known cluster size (0 when unknown).
  double SpaceRequiredForCluster(uint32_t ClusterSize) const;

  std::string GetUpdateInfoURL() const;
  std::string GetInfoFileName() const;
  std::string GetOriginalFileName() const;
  std::string GetProgramExeName() const;
  std::string GetProductToken(bool Descrambled) const;
  bool GetHideSetup() const;
  // Public key (text of an ECDSA P-256 point) that signs the update descriptions; empty in a
  // package whose updates are not signed.
  std::string GetUpdatePublicKey() const;
  std::string GetWebSetupURL() const;
  std::string GetWebSetupFileName() const;
  bool GetAlwaysDownload() const;
  std::string GetWebSetupToken(bool Descrambled) const;
  std::string GetWebSetupSize() const;
  // SHA-256 (64 hexadecimal digits) the setup file must have; empty when not checked.
  std::string GetWebSetupSHA256() const;
  bool SameWebSetupToken(const TGFileInfo& Other) const;

  std::string GetLangString(const std::string& Key, const std::string& Default) const;
  int GetCharset() const;
  int GetFontSize() const;
  std::string GetFontName() const;

 private:
  void Clear();
  static bool ReadTrailerAt(const pack::ByteSource& file, pack::TPackTrailer& Trailer,
                            uint64_t& trailerStart);
  bool ReadHeaderStrings(const pack::ByteSource& file, uint64_t headerLimit);

  pack::TPackTrailer trailer_;
  std::string LangData_;
  std::string UpdateInfo_;
  std::string WebSetupInfo_;
};
