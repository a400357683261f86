// stubpack: builds and inspects setup packages. All the work is in StubpackMain, which tests
// call in-process; this only hands its texts to the standard streams.
#include <cstdio>
#include <string>

#include "StubpackCli.h"

int main(int argc, char** argv) {
  std::string out, err;
  const int code = stubpack::StubpackMain(argc, argv, out, err);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fwrite(err.data(), 1, err.size(), stderr);
  return code;
}
