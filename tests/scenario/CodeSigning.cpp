#include "CodeSigning.h"

#include "Processes.h"
#include "sys/Platform.h"

namespace scenario {
namespace {

// A new folder of /tmp, reached as Z:, so that its Unix path is plain. Test programs running
// side by side in prefixes of their own may have the same process id: the folder is the first
// of its names that this program could create.
std::string MakeUnixScratch() {
  static unsigned counter = 0;
  const std::string base = "/tmp/stubsign_" + std::to_string(::GetCurrentProcessId()) + "_";
  for (;;) {
    const std::string unixDir = base + std::to_string(++counter);
    if (::CreateDirectoryA(testkit::HostPathToWindows(unixDir).c_str(), nullptr)) return unixDir;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return unixDir;
  }
}

// Makes the certificate (and the chain's further ones, from the same key: only their bytes
// matter), signs in.exe into out.exe (renamed into place only when complete) and has osslsigncode
// verify it; "failed" with the tools' messages otherwise.
std::string SigningScript(const std::string& dir, unsigned chainCertificates) {
  const std::string chain = std::to_string(chainCertificates);
  return "export PATH=/usr/local/bin:/usr/bin:/bin\n"
         "cd '" + dir + "' || exit 1\n"
         "trap '[ -e out.exe ] || touch failed' EXIT\n"
         "set -e\n"
         "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=StubTest"
         " -addext extendedKeyUsage=codeSigning -keyout cert.key -out cert.pem >log.txt 2>&1\n"
         ": >chain.pem\n"
         "i=0\n"
         "while [ $i -lt " + chain + " ]; do i=$((i + 1))\n"
         "  openssl req -x509 -key cert.key -days 2 -subj \"/CN=StubTest Chain $i\""
         " >>chain.pem 2>>log.txt\n"
         "done\n"
         "osslsigncode sign -certs cert.pem -key cert.key -h sha256 -n StubTest"
         + std::string(chainCertificates > 0 ? " -ac chain.pem" : "") +
         " -in in.exe -out out.tmp >>log.txt 2>&1\n"
         "osslsigncode verify -CAfile cert.pem -in out.tmp >>log.txt 2>&1\n"
         "mv out.tmp out.exe\n";
}

}  // namespace

bool AuthenticodeSign(const std::string& program, const std::string& signedPath,
                      std::string& why, unsigned chainCertificates) {
  const std::string unixDir = MakeUnixScratch();
  const std::string dir = testkit::HostPathToWindows(unixDir);
  bool done = testkit::CopyFileTo(program, dir + "\\in.exe") &&
              testkit::WriteWholeFile(dir + "\\sign.sh", SigningScript(unixDir, chainCertificates));
  std::string line = testkit::HostPathToWindows("/bin/sh") + " " + unixDir + "/sign.sh";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  done = done && ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &si, &pi);
  done = done && testkit::BecomesTrue([&] {
           return testkit::PathExists(dir + "\\out.exe") || testkit::PathExists(dir + "\\failed");
         });
  done = done && testkit::PathExists(dir + "\\out.exe") &&
         testkit::CopyFileTo(dir + "\\out.exe", signedPath);
  if (!done) why = "signing failed: " + testkit::ReadWholeFile(dir + "\\log.txt");
  testkit::DeleteTree(dir);
  return done;
}

}  // namespace scenario
