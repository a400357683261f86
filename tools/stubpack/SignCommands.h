// The publisher's commands of stubpack:
//
//   stubpack keygen --out NAME
//       makes an ECDSA P-256 key: the private key to NAME (PKCS#8 PEM, readable by its owner
//       only; an existing file is never replaced), the public key text ("04" and 128 hexadecimal
//       digits) to NAME.pub and to standard output, for "stubpack build --update-public-key".
//   stubpack sign-update --key KEY --info FILE.info [--update FILE] [--inform FILE]
//                        [--new-public-key NEWKEY]
//       writes the SHA-256 of the update file (UpdateFileSHA256 in [NewSetup]) and of the inform
//       file (InformFileSHA256 in [AutoInform]) into FILE.info, and the key of a change of keys
//       (UpdatePublicKeyNew in [NewSetup]), then signs FILE.info's final bytes with KEY into
//       FILE.info.sig (DER ECDSA-SHA256, as "openssl dgst -sha256 -sign KEY" makes it).
//
// Exit codes as for the other commands: 0 done, 1 the work failed, 2 bad usage.
#pragma once

#include <string>
#include <vector>

namespace stubpack {

int RunKeygen(const std::vector<std::string>& args, std::string& out, std::string& err);
int RunSignUpdate(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace stubpack
