// This file must contain only truly operating-system independent code.
#include "SignCommands.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "CliExit.h"
#include "IniText.h"
#include "PublicKeyArg.h"
#include "SigningKey.h"
#include "WholeFile.h"
#include "agent/UpdateKeyRule.h"
#include "sys/Sha256.h"

namespace stubpack {
namespace {

const char kKeygenHelp[] =
    "usage: stubpack keygen --out NAME\n"
    "\n"
    "Makes an ECDSA P-256 key for signing updates. The private key goes to NAME (PKCS#8 PEM,\n"
    "mode 0600; an existing file is never replaced): keep it off the update server. The public\n"
    "key text goes to NAME.pub and to standard output; give it (or NAME.pub) to\n"
    "stubpack build --update-public-key.\n";

const char kSignUpdateHelp[] =
    "usage: stubpack sign-update --key KEY --info FILE.info [--update FILE] [--inform FILE]\n"
    "                            [--new-public-key NEWKEY]\n"
    "\n"
    "Writes the SHA-256 of FILE into FILE.info: with --update as UpdateFileSHA256 in [NewSetup],\n"
    "with --inform as InformFileSHA256 in [AutoInform]; every other line stays as it is. With\n"
    "--new-public-key (a key text, or keygen's NAME.pub) it names the key of the next updates as\n"
    "UpdatePublicKeyNew in [NewSetup]: a signed installation accepts an update built with\n"
    "another key only when the .info file signed with its own key names that key. Then\n"
    "signs FILE.info with the private key KEY into FILE.info.sig (DER ECDSA-SHA256, the form of\n"
    "openssl dgst -sha256 -sign). Publish FILE.info and FILE.info.sig beside the update; sign\n"
    "again after every change to FILE.info.\n";

// "--name value" or "--name=value" pairs, each name one of allowed and given once.
bool ParseValues(const std::vector<std::string>& args, const std::vector<std::string>& allowed,
                 std::map<std::string, std::string>& values, std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const size_t equals = args[i].find('=');
    const std::string name = args[i].substr(0, equals);
    bool known = false;
    for (const std::string& option : allowed) known = known || option == name;
    if (!known) {
      error = "unknown option or argument " + name;
      return false;
    }
    if (values.count(name) != 0) {
      error = name + " is given twice";
      return false;
    }
    if (equals == std::string::npos && i + 1 >= args.size()) {
      error = name + " needs a value";
      return false;
    }
    values[name] = equals != std::string::npos ? args[i].substr(equals + 1) : args[++i];
  }
  return true;
}

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

// The file's checksum written into the .info text under section and key.
bool PublishChecksum(const std::string& file, const char* section, const char* key,
                     std::string& info, std::string& out, std::string& error) {
  std::string bytes;
  if (!ReadWholeFile(file, bytes, error)) return false;
  const std::string checksum = sys::Sha256Text(sys::Sha256Of(bytes));
  info = SetIniValue(info, section, key, checksum);
  out += std::string(key) + "=" + checksum + " in [" + section + "]\n";
  return true;
}

// The key that signs the next updates named in the .info text, for a change of keys.
bool NameNewKey(const std::string& given, std::string& info, std::string& out,
                std::string& error) {
  std::string keyText;
  if (given.empty()) {
    error = "--new-public-key needs a key text or a file with it";
    return false;
  }
  if (!ResolvePublicKey(given, keyText, error)) return false;
  info = SetIniValue(info, "NewSetup", au::kUpdatePublicKeyNew, keyText);
  out += std::string(au::kUpdatePublicKeyNew) + "=" + keyText + " in [NewSetup]\n";
  return true;
}

}  // namespace

int RunKeygen(const std::vector<std::string>& args, std::string& out, std::string& err) {
  if (IsHelpRequest(args)) {
    out = kKeygenHelp;
    return kOk;
  }
  std::map<std::string, std::string> values;
  std::string error;
  if (!ParseValues(args, {"--out"}, values, error)) return Fail(kBadUsage, error, err);
  if (values["--out"].empty()) return Fail(kBadUsage, "no key file: give --out NAME", err);
  const std::string name = values["--out"], publicName = name + ".pub";
  for (const std::string& path : {name, publicName})
    if (Exists(path)) return Fail(kFailed, path + " exists; a key is never replaced", err);
  std::string privatePem;
  sys::EcdsaPublicKey publicKey;
  if (!MakeSigningKey(privatePem, publicKey, error) ||
      !WritePrivateFile(name, privatePem, error))
    return Fail(kFailed, error, err);
  const std::string publicText = sys::EcdsaPublicKeyText(publicKey);
  if (!WriteWholeFile(publicName, publicText + "\n", error)) return Fail(kFailed, error, err);
  out = publicText + "\n";
  return kOk;
}

int RunSignUpdate(const std::vector<std::string>& args, std::string& out, std::string& err) {
  if (IsHelpRequest(args)) {
    out = kSignUpdateHelp;
    return kOk;
  }
  std::map<std::string, std::string> values;
  std::string error;
  if (!ParseValues(args, {"--key", "--info", "--update", "--inform", "--new-public-key"}, values,
                   error))
    return Fail(kBadUsage, error, err);
  if (values["--key"].empty() || values["--info"].empty())
    return Fail(kBadUsage, "sign-update needs --key KEY and --info FILE.info", err);
  const std::string infoPath = values["--info"];
  std::string pem, info, signature;
  if (!ReadWholeFile(values["--key"], pem, error) || !ReadWholeFile(infoPath, info, error))
    return Fail(kFailed, error, err);
  if ((values.count("--update") != 0 &&
       !PublishChecksum(values["--update"], "NewSetup", "UpdateFileSHA256", info, out, error)) ||
      (values.count("--inform") != 0 &&
       !PublishChecksum(values["--inform"], "AutoInform", "InformFileSHA256", info, out, error)))
    return Fail(kFailed, error, err);
  if (values.count("--new-public-key") != 0 &&
      !NameNewKey(values["--new-public-key"], info, out, error))
    return Fail(values["--new-public-key"].empty() ? kBadUsage : kFailed, error, err);
  // Signed before anything is written, so that a key that cannot sign leaves the .info as it was.
  sys::EcdsaPublicKey publicKey;
  if (!SignWithKey(pem, info, signature, publicKey, error))
    return Fail(kFailed, values["--key"] + ": " + error, err);
  if (!WriteWholeFile(infoPath, info, error) ||
      !WriteWholeFile(infoPath + ".sig", signature, error))
    return Fail(kFailed, error, err);
  out += "signed " + infoPath + " into " + infoPath + ".sig with the key " +
         sys::EcdsaPublicKeyText(publicKey) + "\n";
  return kOk;
}

}  // namespace stubpack
