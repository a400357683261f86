// The agent's signature and checksum checks. This file must contain only Win32 code.
#include "agent/UpdateVerify.h"

#include "agent/AgentBoxes.h"
#include "agent/AgentHost.h"
#include "agent/AgentVars.h"
#include "agent/UpdateDownload.h"
#include "agent/UpdateFiles.h"
#include "agent/UpdateKeyRule.h"
#include "net/ErrorPage.h"
#include "net/InetHTTP.h"
#include "pack/GFileInfo.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"

namespace au {
namespace {

// A DER signature of P-256 is at most 72 bytes; anything much longer is no signature.
constexpr size_t kLongestSignatureFile = 1024;

std::string PublicKey() {
  const TGFileInfo* own = AgentPackage();
  return own ? own->GetUpdatePublicKey() : std::string();
}

// The signature file beside Source; false when there is none (a web server's error page
// included).
bool FetchSignature(const std::string& Source, bool FromWeb, std::string& Signature) {
  const std::string where = Source + ".sig";
  if (!FromWeb) {
    if (!sys::FileExists(where)) return false;
    Signature = sys::ReadFileToString(where, kLongestSignatureFile);
    return true;
  }
  std::string error;
  inethttp::HTTP_DownloadFile_Incremental(0, where, "", nullptr, Signature, error);
  if (error.empty()) inethttp::ErrorPageMessage("", Signature, where, error, "");
  return error.empty();
}

}  // namespace

pack::CheckVerdict VerifyInfoContent(const std::string& Content, const std::string& Source,
                                     bool FromWeb) {
  const std::string key = PublicKey();
  if (key.empty()) return pack::CheckVerdict::kNotRequired;
  std::string signature;
  const bool fetched = FetchSignature(Source, FromWeb, signature);
  return pack::VerifySignedContent(key, Content, fetched ? &signature : nullptr);
}

pack::CheckVerdict VerifyFetchedFile(int Kind, const pack::ByteSource& File) {
  const std::string key = PublicKey();
  if (key.empty()) return pack::CheckVerdict::kNotRequired;
  const std::string published =
      Kind == kInformDownload ? info::InformFileSHA256() : info::UpdateFileSHA256();
  const pack::CheckVerdict verdict = pack::CheckPublishedChecksum(true, published, File);
  if (!pack::Passes(verdict) || Kind != kUpdateDownload) return verdict;
  // The update installs the next agent, which checks with its own package's key.
  TGFileInfo update;
  update.Create(File);
  return CheckUpdateKeyContinuity(key, update.GetUpdatePublicKey(), info::UpdatePublicKeyNew());
}

std::string UnverifiedText() { return ReadAUText("s36"); }

void LogUnverified(pack::CheckVerdict Verdict, const std::string& What) {
  kodebug::DebugLog("ERROR: " + What + " not verified: " + pack::CheckVerdictText(Verdict));
  kodebug::ConsoleProcessLine(" Unverified: " + What + " (" + pack::CheckVerdictText(Verdict) +
                              ")");
}

void ReportUnverified(pack::CheckVerdict Verdict, const std::string& What) {
  LogUnverified(Verdict, What);
  if (Agent().userCheckMode == 1 || info::RequestConfirmationBeforeDownload())
    AgentErrorBox(kBoxWithHeading, UnverifiedText());
}

}  // namespace au
