// What the agent needs of the program that runs it. The program hands over the descriptor of
// the running agent file and the services of its main window at start-up; the agent's code
// reaches them only through this interface and so never depends on the program's own units.
// Until something is handed over there is no package and the window services do nothing,
// which is what tools and native tests see.
#pragma once

#include <cstdint>
#include <string>

class TGFileInfo;

namespace pack {
class ByteSource;
}

namespace au {

// The descriptor of the running agent file: its package names the description files and
// carries the product token. Null until set; the caller keeps it alive while it is set.
const TGFileInfo* AgentPackage();
void SetAgentPackage(const TGFileInfo* package);

// The main window of the running program as the agent uses it.
class AgentHost {
 public:
  virtual ~AgentHost() = default;
  // The window's handle, or null while there is none.
  virtual uintptr_t MainWindow() const { return 0; }
  virtual void ShowMainWindow(bool /*visible*/) {}
  // The caption line above the progress bars, in the given font.
  virtual void SetCaption(const std::string& /*text*/, const std::string& /*fontName*/,
                          int /*charset*/, int /*fontSize*/) {}
  // Moves the window's progress bars (the events of koprogbar::TProgBar).
  virtual void Progress(int32_t /*kind*/, int32_t /*max*/, const std::string& /*text*/,
                        int32_t /*step*/, int32_t /*position*/) {}
  // Posts a notification to the product's registered listener.
  virtual void NotifyListener(unsigned /*code*/, intptr_t /*value*/) {}
  // Runs an update program the way a setup runs: extracted into the work folder, its engine
  // started with Arguments and awaited, the work folder removed afterwards. Held is the file as
  // the caller checked it and holds it open. True when the engine reported success.
  virtual bool RunUpdate(const pack::ByteSource& /*held*/, const std::string& /*file*/,
                         bool /*foreground*/, const std::string& /*arguments*/) {
    return false;
  }
};

// Codes of the notifications posted to the product's registered listener (wParam), with their
// lParam.
enum ListenerCode : unsigned {
  kNotifyInfoDownload = 40,    // 1 at the start, 2 at the end
  kNotifyFileDownload = 41,    // 1 at the start, 2 at the end
  kNotifyUpdateRun = 42,       // 1 at the start, 2 at the end
  kNotifyLoopEnded = 43,       // 0
  kNotifyMainWindow = 50,      // the main window's handle
  kNotifyAgentMessage = 51,    // the number of wm_AgentMsg
};

AgentHost& Host();
// Host becomes the agent's host (null: the one that does nothing); the previous one is returned.
AgentHost* SetHost(AgentHost* host);

}  // namespace au
