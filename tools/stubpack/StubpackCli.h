// The stubpack command line, callable in-process so that tests need no child process:
//
//   stubpack build [options] --out FILE [FILES...]   write a package
//   stubpack inspect FILE                            show everything a package holds
//   stubpack keygen | sign-update ...                sign updates (SignCommands.h)
//   stubpack --help | COMMAND --help
//
// Exit codes: 0 success, 1 the work failed (a damaged package, a file that cannot be read),
// 2 bad usage. On failure err holds one line: "stubpack: " and the reason.
#pragma once

#include <string>

namespace stubpack {

int StubpackMain(int argc, char** argv, std::string& out, std::string& err);

}  // namespace stubpack
