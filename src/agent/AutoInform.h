// The notice that a publication can announce instead of an update: fetched at the agent's check
// and shown once. Win32 (AutoInform_win32.cpp).
#pragma once

namespace au {

// Fetches the inform file named by the .info file ("NameOfInformFile" from "DownloadURL_UPDATE",
// by the download rules, with its token check) and shows its body in the inform window with
// the .info file's "DownloadURL_INFORM" behind its button; a notice without body opens that
// address at once. When the notice counts as shown (ShowInform), the installed version
// ("VersionOriginal") becomes the announced one ("VersionNew"), so it is not offered again.
// The listener hears code 41 with 1 before and 2 after the fetch; the agent's state is 2 from
// the fetch on (the caller puts it back). Runs on the agent's thread, inside its check: the
// window's loop serves the agent's other windows and timers until the user closes it.
// True when the notice counts as shown. FetchFailed, when given, tells whether the inform file
// could not be fetched or failed its checks: the publication then does not count as handled.
bool PerformAutoInform(bool* FetchFailed = nullptr);

}  // namespace au
