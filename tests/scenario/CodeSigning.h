// Authenticode signing for the scenarios: the build machine's osslsigncode signs a copy of a
// program with a throw-away self-signed certificate that openssl makes for it. Wine starts Unix
// programs like its own, without a process handle to wait on, so the result is awaited as a file.
#pragma once

#include <string>

namespace scenario {

// Writes the signed form of program to signedPath after osslsigncode accepted its signature.
// chainCertificates further certificates go into the signature block, as a certificate chain
// does: 16 of them make a signature of more than 10000 bytes. False, with why, when the tools
// are missing or fail.
bool AuthenticodeSign(const std::string& program, const std::string& signedPath,
                      std::string& why, unsigned chainCertificates = 0);

}  // namespace scenario
