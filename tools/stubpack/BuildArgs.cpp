// This file must contain only truly operating-system independent code.
#include "BuildArgs.h"

#include <cstdio>

#include "DosDateTime.h"
#include "LangFile.h"
#include "PackSources.h"
#include "PublicKeyArg.h"
#include "WholeFile.h"
#include "pack/ByteSource.h"
#include "pack/PackFormat.h"
#include "pack/PublishedCheck.h"
#include "sys/Sha256.h"

namespace stubpack {
namespace {

using Apply = bool (*)(BuildRequest&, const std::string&, std::string&);

struct OptionSpec {
  const char* name;
  const char* valueName;  // null for a switch without value
  const char* help;
  Apply apply;
};

// Decimal, optionally followed by K, M or G (binary multiples).
bool ParseCount(const std::string& text, uint64_t max, uint64_t& value) {
  size_t digits = 0;
  value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    value = value * 10 + static_cast<uint64_t>(text[digits] - '0');
    if (++digits > 15) return false;
  }
  const std::string suffix = text.substr(digits);
  const int shift = suffix.empty()                   ? 0
                    : suffix == "K" || suffix == "k" ? 10
                    : suffix == "M" || suffix == "m" ? 20
                    : suffix == "G" || suffix == "g" ? 30
                                                     : -1;
  if (digits == 0 || shift < 0) return false;
  value <<= shift;
  return value <= max;
}

bool BadValue(const std::string& what, const std::string& value, std::string& error) {
  error = "invalid " + what + ": \"" + value + "\"";
  return false;
}

bool ParseDateOption(const std::string& text, uint32_t& dosDate) {
  CalendarTime t;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                  &t.minute, &t.second, &tail) == 6) {
    dosDate = DosDateFromCalendar(t);
    return t.year >= 1980 && t.year <= 2107 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= 31 && t.hour <= 23 && t.minute <= 59 && t.second <= 59;
  }
  return ParseDosDate(text, dosDate);
}

bool SetFlag(BuildRequest& r, uint8_t flag) {
  r.options.flags |= flag;
  return true;
}

bool SetTrue(bool& option) {
  option = true;
  return true;
}

const OptionSpec kOptions[] = {
    {"--out", "FILE", "the package to write (the first volume)",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.outPath = v;
       return true;
     }},
    {"--stub", "FILE", "the stub program in front of the package; without it a bare package",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.stubPath = v;
       return true;
     }},
    {"--dir", "DIR", "pack every file below DIR, named relative to it (repeatable)",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.sources.push_back(SourceArg{true, v});
       return true;
     }},
    {"--run", "NAME[*PARAMS]", "the packed file the stub starts after extracting, with PARAMS",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.runSpec = v;
       return true;
     }},
    {"--lang", "FILE", "translations: [Language] sections of Key=Value lines",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.langFile = v;
       return true;
     }},
    {"--lang-raw", "TEXT", "store TEXT as the language data exactly as given",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.hasLangRaw = true;
       r.langRaw = v;
       return true;
     }},
    {"--version", "2|3", "package layout; 3 (default) adds the web setup items",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       if (v != "2" && v != "3") return BadValue("package version", v, e);
       r.options.version = static_cast<uint8_t>(v[0] - '0');
       return true;
     }},
    {"--volume-size", "BYTES", "span volume files of at most BYTES each (K, M, G allowed)",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       return ParseCount(v, UINT64_MAX >> 2, r.options.volumeSize) || BadValue("volume size", v, e);
     }},
    {"--entry-size", "BYTES", "split files into entries of at most BYTES (default 1M, max 64M)",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       uint64_t n = 0;
       if (!ParseCount(v, kMaxEntrySize, n) || n == 0) return BadValue("entry size", v, e);
       r.options.entrySize = static_cast<uint32_t>(n);
       return true;
     }},
    {"--store", nullptr, "store entries without compression",
     [](BuildRequest& r, const std::string&, std::string&) {
       r.options.compression = Compression::Store;
       return true;
     }},
    {"--zlib", nullptr, "compress every entry, even when that does not make it smaller",
     [](BuildRequest& r, const std::string&, std::string&) {
       r.options.compression = Compression::Zlib;
       return true;
     }},
    {"--level", "N", "zlib compression level 0 to 9 (default 9)",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       if (v.size() != 1 || v[0] < '0' || v[0] > '9') return BadValue("compression level", v, e);
       r.options.level = v[0] - '0';
       return true;
     }},
    {"--notify-temp-drive", nullptr, "tell the user that files are extracted to the temp drive",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetFlag(r, pack::kNotifyTempDrive);
     }},
    {"--span-cd-copy", nullptr, "disk set: the stub runs from a copy so that disks can be changed",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetFlag(r, pack::kSpanCdCopy);
     }},
    {"--show-activity-bar", nullptr, "show the activity bar while extracting",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetFlag(r, pack::kShowActivityBar);
     }},
    {"--agent-debug-log", nullptr, "an auto-update agent writes its debug log",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetFlag(r, pack::kAgentDebugLog);
     }},
    {"--web-setup", nullptr, "a web installer: download the setup file instead of extracting",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.isWebSetup);
     }},
    {"--confirm-download", nullptr, "ask the user before the web download",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.confirmDownload);
     }},
    {"--make-agent-copy", nullptr, "leave an auto-update agent copy named by --agent-exe",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.makeAgentCopy);
     }},
    {"--auto-update-agent", nullptr, "the package is an auto-update agent, not a setup",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.autoUpdateProg);
     }},
    {"--update-url", "URL", "URL of the update info file the agent downloads",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.updateInfo.url = v;
       return true;
     }},
    {"--info-file", "NAME", "name of the product's .info file",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.updateInfo.infoFile = v;
       return true;
     }},
    {"--agent-exe", "NAME", "file name of the auto-update agent program",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.updateInfo.agentExe = v;
       return true;
     }},
    {"--product-token", "TOKEN", "the product's identity token (stored scrambled)",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.updateInfo.productToken = v;
       return true;
     }},
    {"--hide-setup", nullptr, "run the setup hidden",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.updateInfo.hideSetup);
     }},
    {"--web-url", "URL", "URL folder from which the web installer downloads",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.webSetupInfo.url = v;
       return true;
     }},
    {"--web-file", "NAME", "file name of the setup file to download",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.webSetupInfo.fileName = v;
       return true;
     }},
    {"--always-download", nullptr, "always download, never use a setup file found beside the stub",
     [](BuildRequest& r, const std::string&, std::string&) {
       return SetTrue(r.options.webSetupInfo.alwaysDownload);
     }},
    {"--web-token", "TOKEN", "identity token of the setup file (stored scrambled)",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.options.webSetupInfo.token = v;
       return true;
     }},
    {"--web-size", "BYTES", "size of the setup file, shown to the user before downloading",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       uint64_t n = 0;
       if (v.empty() || v.find_first_not_of("0123456789") != std::string::npos ||
           !ParseCount(v, UINT64_MAX >> 2, n))
         return BadValue("web setup size", v, e);
       r.options.webSetupInfo.size = v;
       return true;
     }},
    {"--update-public-key", "KEY",
     "the key that signs the updates: its text, or a file with it (keygen's NAME.pub)",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.updatePublicKey = v;
       return true;
     }},
    {"--web-sha256-of", "FILE", "the web installer runs only a setup file with FILE's SHA-256",
     [](BuildRequest& r, const std::string& v, std::string&) {
       r.webSha256Of = v;
       return true;
     }},
    {"--checksum", "none|N", "volume checksum: N as given, or none (1234), not the sum",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       uint64_t n = 0;
       if (v == "none") {
         r.options.checksum.mode = ChecksumPolicy::Mode::None;
       } else if (v.find_first_not_of("0123456789") == std::string::npos &&
                  ParseCount(v, UINT32_MAX, n)) {
         r.options.checksum = ChecksumPolicy{ChecksumPolicy::Mode::Fixed, static_cast<uint32_t>(n)};
       } else {
         return BadValue("checksum", v, e);
       }
       return true;
     }},
    {"--signature-tail", "BYTES", "append BYTES after the package, as a code signature would",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       return ParseCount(v, 1u << 30, r.options.signatureTail) ||
              BadValue("signature tail size", v, e);
     }},
    {"--date", "DATE", "date of every entry: a DOS date-time number or \"YYYY-MM-DD hh:mm:ss\"",
     [](BuildRequest& r, const std::string& v, std::string& e) {
       r.options.fixedDate = true;
       return ParseDateOption(v, r.options.dosDate) || BadValue("date", v, e);
     }},
};

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& wanted : kOptions)
    if (name == wanted.name) return &wanted;
  return nullptr;
}

// "--name=value" or "--name value"; i moves past what was used.
bool ApplyOption(const std::vector<std::string>& args, size_t& i, BuildRequest& request,
                 std::string& error) {
  const std::string& arg = args[i];
  const size_t equals = arg.find('=');
  const std::string name = arg.substr(0, equals);
  const OptionSpec* wanted = FindOption(name);
  if (wanted == nullptr) {
    error = "unknown option " + name + " (see stubpack build --help)";
    return false;
  }
  std::string value;
  if (wanted->valueName == nullptr) {
    if (equals != std::string::npos) {
      error = name + " takes no value";
      return false;
    }
  } else if (equals != std::string::npos) {
    value = arg.substr(equals + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    error = name + " needs a value: " + wanted->valueName;
    return false;
  }
  return wanted->apply(request, value, error);
}

bool ResolveSetupChecksum(const std::string& path, std::string& checksum, std::string& error) {
  if (path.empty()) return true;
  sys::Sha256Digest digest;
  if (!pack::Sha256OfSource(pack::FileSource(path), digest)) {
    error = path + ": cannot read the setup file";
    return false;
  }
  checksum = sys::Sha256Text(digest);
  return true;
}

bool ResolveLangData(const BuildRequest& request, std::string& langData, std::string& error) {
  if (request.hasLangRaw && !request.langFile.empty()) {
    error = "--lang and --lang-raw exclude each other";
    return false;
  }
  if (request.hasLangRaw) {
    langData = request.langRaw;
    return true;
  }
  if (request.langFile.empty()) {
    langData = kNoLangData;
    return true;
  }
  std::string text;
  return ReadWholeFile(request.langFile, text, error) && LangDataFromIni(text, langData, error);
}

}  // namespace

bool ParseBuildArgs(const std::vector<std::string>& args, BuildRequest& request,
                    std::string& error) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      request.help = true;
    } else if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
      if (!ApplyOption(args, i, request, error)) return false;
    } else {
      request.sources.push_back(SourceArg{false, arg});
    }
  }
  if (!request.help && request.options.outPath.empty()) {
    error = "no output file: give --out FILE";
    return false;
  }
  return true;
}

bool ResolveBuildRequest(BuildRequest& request, std::string& error) {
  std::vector<PackFile>& files = request.options.files;
  files.clear();
  for (const SourceArg& source : request.sources) {
    PackFile file;
    if (source.isFolder ? !CollectFolder(source.text, files, error)
                        : !ParseFileArgument(source.text, file, error))
      return false;
    if (!source.isFolder) files.push_back(file);
  }
  if (!request.runSpec.empty() && !MarkRunEntry(request.runSpec, files, error)) return false;
  return ResolveLangData(request, request.options.langData, error) &&
         ResolvePublicKey(request.updatePublicKey, request.options.updateInfo.publicKey, error) &&
         ResolveSetupChecksum(request.webSha256Of, request.options.webSetupInfo.sha256, error);
}

std::string BuildHelp() {
  std::string help =
      "usage: stubpack build [options] --out FILE [SRC | SRC=TARGET]...\n"
      "\n"
      "Writes a setup package: the stub program (--stub), the header strings, the packed files\n"
      "and the trailer. SRC is packed under its file name, SRC=TARGET under TARGET, a name\n"
      "relative to the folder the stub extracts into (\"\\\" or \"/\" between sub-folders).\n"
      "Files are packed in command-line order; --dir adds a folder's files sorted by name.\n"
      "\n"
      "options:\n";
  for (const OptionSpec& wanted : kOptions) {
    std::string left =
        std::string("  ") + wanted.name + (wanted.valueName ? std::string(" ") + wanted.valueName : "");
    if (left.size() < 30)
      left.resize(30, ' ');
    else
      left += "\n" + std::string(30, ' ');
    help += left + wanted.help + "\n";
  }
  help +=
      "\n"
      "Volumes after the first are named like the stub expects: FILE without a final \".001\",\n"
      "then \".002\", \".003\" and so on. With --span-cd-copy and a FILE not ending in \".001\",\n"
      "FILE is the program the user starts (the stub and the header strings) and the volumes are\n"
      "FILE.001, FILE.002 and so on.\n"
      "Exit codes: 0 written, 1 the package could not be built, 2 bad usage.\n";
  return help;
}

}  // namespace stubpack
