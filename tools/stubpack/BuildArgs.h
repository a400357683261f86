// The command line of "stubpack build": options named for what a setup author wants, turned into
// PackOptions. Parsing only checks the form of each value; ResolveBuildRequest then reads the
// folders, the language file and the run entry.
#pragma once

#include <string>
#include <vector>

#include "PackOptions.h"

namespace stubpack {

struct SourceArg {
  bool isFolder = false;  // --dir DIR, else a file argument SRC or SRC=TARGET
  std::string text;
};

struct BuildRequest {
  PackOptions options;
  std::vector<SourceArg> sources;  // in command-line order, which is the packing order
  std::string runSpec;             // NAME or NAME*PARAMS, empty for none
  std::string langFile;
  bool hasLangRaw = false;
  std::string langRaw;
  std::string updatePublicKey;  // the key text, or a file holding it
  std::string webSha256Of;      // the setup file whose checksum the web installer keeps
  bool help = false;
};

// false with a usage error (unknown option, missing or malformed value).
bool ParseBuildArgs(const std::vector<std::string>& args, BuildRequest& request,
                    std::string& error);

// Fills request.options.files and langData, the update key and the setup file's checksum; false
// when a source, the language file, the run entry, the key or the setup file cannot be used.
bool ResolveBuildRequest(BuildRequest& request, std::string& error);

std::string BuildHelp();

}  // namespace stubpack
