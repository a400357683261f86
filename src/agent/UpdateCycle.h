// The update cycle: once a check has decided that an update is due, ask or tell the user as the
// .info file demands, fetch the update program, stop the running product, run the update, record
// the new version, tell the user and start the product again; then the agent replaces itself.
#pragma once

namespace au {

// True when the update ran and its engine reported success. FetchFailed, when given, tells
// whether the update file could not be fetched or failed its checks (the publication then does
// not count as handled); a user who declined is an answer, not a failure.
bool PerformAutoUpdate(bool* FetchFailed = nullptr);

// Starts the plain agent with the restart switches (a new transient copy in ten seconds, with
// this one's override bytes) and ends this agent; nothing when a stop countdown is running.
void ReStartAutoUpdateExe();

}  // namespace au
