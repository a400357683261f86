// The text of the batch file that removes a program file once its process has ended: it loops
// until the file can be deleted, removes the file's folder when asked (RD removes only an empty
// folder), then deletes itself.
#pragma once

#include <string>

namespace sys {

// Written into the temporary folder, replacing any earlier one.
constexpr const char kSelfDeleteBatchName[] = "_DEL_ME_.BAT";

struct SelfDeleteBatch {
  std::string exePath;    // the program file to remove
  std::string exeFolder;  // its folder, without closing backslash
  std::string batchPath;  // the batch file itself
  bool removeFolder = false;
  // Paths between double quotes. Without, short (8.3) paths are expected; a path that would
  // still break the command line (blank, &, | ...) is quoted all the same.
  bool quoteNames = true;
};

// Folder part of a file path without closing backslash; empty when the path has no folder.
std::string FolderOfFile(const std::string& path);

// A path as one argument of a batch command line. "%" is doubled, since cmd expands variables
// inside quotes as well and would otherwise turn the path into another one.
std::string BatchArgument(const std::string& path, bool quote);

// The batch text, every line ending with CR LF:
//   :START / DEL exe / IF exist exe GOTO START / [RD folder] / DEL batch
// The RD line is left out for a folder that is empty or a drive root: "RD C:" would act on the
// current folder of drive C:, not on the root.
std::string SelfDeleteBatchText(const SelfDeleteBatch& batch);

}  // namespace sys
