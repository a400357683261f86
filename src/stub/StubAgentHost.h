// The main window's services as the auto-update agent uses them.
#pragma once

namespace au {
class AgentHost;
}

namespace stubwin {

// The one host of the process, backed by the main window (alive for the whole process).
au::AgentHost& MainWindowAgentHost();

}  // namespace stubwin
