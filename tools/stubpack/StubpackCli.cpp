// This file must contain only truly operating-system independent code.
#include "StubpackCli.h"

#include <vector>

#include "BuildArgs.h"
#include "CliExit.h"
#include "PackReadout.h"
#include "PackWriter.h"
#include "ReportText.h"
#include "SignCommands.h"

namespace stubpack {
namespace {

const char kMainHelp[] =
    "usage: stubpack build [options] --out FILE [SRC | SRC=TARGET]...\n"
    "       stubpack inspect FILE\n"
    "       stubpack keygen --out NAME\n"
    "       stubpack sign-update --key KEY --info FILE.info [--update FILE] [--inform FILE]\n"
    "                            [--new-public-key NEWKEY]\n"
    "\n"
    "build    writes a setup package: a stub program followed by header strings, packed\n"
    "         files and a trailer, optionally over several volume files\n"
    "inspect  shows every trailer field, header item, language section, entry and file of a\n"
    "         package and whether each volume passes its checksum\n"
    "keygen   makes the key that signs a product's updates (its public half goes into the\n"
    "         package with build --update-public-key)\n"
    "sign-update  writes the update's SHA-256 into its .info file and signs that file\n"
    "\n"
    "stubpack COMMAND --help tells more of each command.\n"
    "Exit codes: 0 success, 1 the work failed, 2 bad usage.\n";

const char kInspectHelp[] =
    "usage: stubpack inspect FILE\n"
    "\n"
    "Reads the package FILE and its further volumes (FILE without a final \".001\", then\n"
    "\".002\", ...) and prints the trailer of each volume, the header items (tokens also in\n"
    "plain form), the language sections, every entry and every file.\n"
    "Exit codes: 0 the package is sound, 1 it is damaged or a volume fails its checksum (the\n"
    "report is still printed when the package could be read), 2 bad usage.\n";

std::string BuildSummary(const PackResult& result) {
  std::string summary = "wrote " + std::to_string(result.filesCount) + " files (" +
                        std::to_string(result.totalSize) + " bytes) in " +
                        std::to_string(result.entryCount) + " entries:\n";
  for (const std::string& path : result.volumePaths) summary += "  " + path + "\n";
  if (!result.launcherPath.empty()) summary += "started by:\n  " + result.launcherPath + "\n";
  return summary;
}

int RunBuild(const std::vector<std::string>& args, std::string& out, std::string& err) {
  BuildRequest request;
  std::string error;
  if (!ParseBuildArgs(args, request, error)) return Fail(kBadUsage, error, err);
  if (request.help) {
    out = BuildHelp();
    return kOk;
  }
  PackResult result;
  if (!ResolveBuildRequest(request, error) || !WritePackage(request.options, result, error))
    return Fail(kFailed, error, err);
  out = BuildSummary(result);
  return kOk;
}

int RunInspect(const std::vector<std::string>& args, std::string& out, std::string& err) {
  if (IsHelpRequest(args)) {
    out = kInspectHelp;
    return kOk;
  }
  if (args.size() != 1)
    return Fail(kBadUsage, "inspect takes one package file (see stubpack inspect --help)", err);
  const std::string& path = args[0];
  PackageReport report;
  std::string error;
  if (!InspectPackage(path, report, error)) return Fail(kFailed, path + ": " + error, err);
  out = FormatReport(report);
  const VolumeReport* failing = report.FirstFailingVolume();
  if (failing == nullptr) return kOk;
  return Fail(kFailed,
              path + ": volume " + std::to_string(failing->number) + " (" + failing->path +
                  ") fails its checksum",
              err);
}

}  // namespace

int StubpackMain(int argc, char** argv, std::string& out, std::string& err) {
  out.clear();
  err.clear();
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  if (args.empty()) return Fail(kBadUsage, "no command (see stubpack --help)", err);
  const std::string command = args[0];
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    out = kMainHelp;
    return kOk;
  }
  if (command == "build") return RunBuild(args, out, err);
  if (command == "inspect") return RunInspect(args, out, err);
  if (command == "keygen") return RunKeygen(args, out, err);
  if (command == "sign-update") return RunSignUpdate(args, out, err);
  return Fail(kBadUsage, "unknown command " + command + " (see stubpack --help)", err);
}

}  // namespace stubpack
