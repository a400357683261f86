// This file must contain only truly operating-system independent code.
#include "PackPlan.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "DosDateTime.h"
#include "HeaderStrings.h"
#include "PackSources.h"
#include "PackTotals.h"

namespace fs = std::filesystem;

namespace stubpack {
namespace {

constexpr uint8_t kAuthorFlags =
    pack::kNotifyTempDrive | pack::kSpanCdCopy | pack::kShowActivityBar | pack::kAgentDebugLog;
// A stub is a small program; anything this large is a wrong argument.
constexpr uint64_t kMaxStubSize = 256u << 20;

bool CheckSettings(const PackOptions& options, std::string& error) {
  if (options.outPath.empty())
    error = "no output file given";
  else if (options.version != 2 && options.version != 3)
    error = "the package version must be 2 or 3";
  else if (options.level < 0 || options.level > 9)
    error = "the compression level must be 0 to 9";
  else if (options.entrySize == 0 || options.entrySize > kMaxEntrySize)
    error = "the entry size must be 1 to " + std::to_string(kMaxEntrySize) + " bytes";
  else if ((options.flags & ~kAuthorFlags) != 0)
    error = "only NotifyTempDrive, SpanCdCopy, ShowActivityBar and AgentDebugLog may be asked for";
  else
    return true;
  return false;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(fs::path(a), fs::path(b), ec) && !ec;
}

bool CheckOutputIsNoInput(const PackOptions& options, std::string& error) {
  bool clash = !options.stubPath.empty() && SameFile(options.outPath, options.stubPath);
  for (const PackFile& file : options.files)
    clash = clash || SameFile(options.outPath, file.source);
  if (!clash) return true;
  error = options.outPath + " is also an input; choose another output file";
  return false;
}

bool ReadStub(const PackOptions& options, PackPlan& plan, std::string& error) {
  if (options.stubPath.empty()) {
    if (options.signatureTail == 0) return true;
    error = "a signature tail needs a program stub (--stub) to hold PackageEnd";
    return false;
  }
  std::error_code ec;
  const uint64_t size = fs::file_size(fs::path(options.stubPath), ec);
  std::ifstream in(options.stubPath, std::ios::binary);
  if (ec || !in || size > kMaxStubSize) {
    error = options.stubPath + ": cannot read the stub program";
    return false;
  }
  plan.stubImage.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  const auto* head = reinterpret_cast<const uint8_t*>(plan.stubImage.data());
  plan.stubIsPE = pack::IsPEImage(head, plan.stubImage.size());
  if (!plan.stubIsPE && options.signatureTail > 0) {
    error = options.stubPath + ": a signature tail needs a program file stub to hold PackageEnd";
    return false;
  }
  // The stub may come from an earlier package; its PackageEnd must not point into this one.
  if (plan.stubIsPE) plan.stubImage.replace(pack::kPackageEndHighOffset, 8, 8, '\0');
  return true;
}

bool PlanFiles(const PackOptions& options, PackPlan& plan, PackTotals& totals, std::string& error) {
  for (const PackFile& file : options.files) {
    PlannedFile planned{file, 0, options.dosDate};
    std::error_code ec;
    planned.size = fs::file_size(fs::path(file.source), ec);
    if (ec) {
      error = file.source + ": " + ec.message();
      return false;
    }
    if (!options.fixedDate && !FileDosDate(file.source, planned.dosDate, error)) return false;
    totals.AddFile(planned.size);
    plan.files.push_back(planned);
  }
  return true;
}

void FillCommonTrailer(const PackOptions& options, PackPlan& plan) {
  pack::TPackTrailer& t = plan.trailer;
  t.bytes[pack::at::Version] = options.version;
  t.SetWord(pack::at::FilesCount, static_cast<uint32_t>(plan.files.size()));
  t.SetWord(pack::at::Magic, pack::kMagic);
  t.bytes[pack::at::Flags] = options.flags;
  t.bytes[pack::at::IsWebSetup] = options.isWebSetup ? 1 : 0;
  t.bytes[pack::at::ConfirmDownload] = options.confirmDownload ? 1 : 0;
  t.bytes[pack::at::MakeAgentCopy] = options.makeAgentCopy ? 1 : 0;
  t.bytes[pack::at::ThisIs_AutoUpdateProg] = options.autoUpdateProg ? 1 : 0;
  t.SetWord(pack::at::TrailerSize, pack::kTrailerSize);
}

}  // namespace

bool PlanPackage(const PackOptions& options, PackPlan& plan, std::string& error) {
  plan = PackPlan{};
  PackTotals totals;
  if (!CheckSettings(options, error) || !ValidatePackFiles(options.files, error) ||
      !CheckOutputIsNoInput(options, error) || !ReadStub(options, plan, error) ||
      !SerializeHeaderStrings(options, plan.headerBytes, error) ||
      !PlanFiles(options, plan, totals, error) || !totals.StoreInto(plan.trailer, error))
    return false;
  if (plan.stubImage.size() + plan.headerBytes.size() > UINT32_MAX) {
    error = "the stub and header strings are too large for PackageStart";
    return false;
  }
  FillCommonTrailer(options, plan);
  return true;
}

}  // namespace stubpack
