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
  bool help = false;
};

// false with a usage error (unknown option, missing or malformed value).
bool ParseBuildArgs(const std::vector<std::string>& args, BuildRequest& request,
                    std::string& error);

// Fills request.options.files and langData; false when a source, the language file or the run
// entry cannot be used.
bool ResolveBuildRequest(BuildRequest& request, std::string& error);

std::string BuildHelp();

}  // namespace stubpack
