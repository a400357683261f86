// The agent's checks of what it fetches when its package carries the publisher's public key:
// the .info file against its detached signature (fetched beside it as .info.sig by the same
// source rule), and the update and inform files against the checksums the signed .info file
// publishes, and an update's package for the key it hands on. Without a key nothing is checked
// and everything behaves as before.
// Windows only (UpdateVerify_win32.cpp).
#pragma once

#include <string>

#include "pack/ByteSource.h"
#include "pack/PublishedCheck.h"

namespace au {

// The .info file's fetched Content against the signature beside Source (a local path, or a web
// address when FromWeb), checked before any value of the new file is read.
pack::CheckVerdict VerifyInfoContent(const std::string& Content, const std::string& Source,
                                     bool FromWeb);

// A fetched update (kUpdateDownload) or inform file (kInformDownload) against its published
// checksum; an update's package must also carry the installation's key or the new one that the
// .info file names (UpdateKeyRule.h).
pack::CheckVerdict VerifyFetchedFile(int Kind, const pack::ByteSource& File);

// What a user is told of a failed check.
std::string UnverifiedText();
// The debug log and the console say which check of What failed.
void LogUnverified(pack::CheckVerdict Verdict, const std::string& What);
// The same, and the user of an interactive check (or of a download asked for) sees the text.
void ReportUnverified(pack::CheckVerdict Verdict, const std::string& What);

}  // namespace au
