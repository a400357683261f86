// This file must contain only Win32 code.
#include "stub/StubAgentHost.h"

#include "agent/AgentHost.h"
#include "pack/GFileInfo.h"
#include "stub/StubGlob.h"
#include "stub/StubSetup.h"
#include "stub/WorkFolder.h"
#include "stub/ProgressSink.h"
#include "stub/StubWin.h"
#include "sys/Platform.h"

namespace stubwin {
namespace {

class MainWindowHost : public au::AgentHost {
 public:
  uintptr_t MainWindow() const override {
    return reinterpret_cast<uintptr_t>(MainWindowHandle());
  }
  void ShowMainWindow(bool visible) override {
    HWND wnd = static_cast<HWND>(MainWindowHandle());
    if (wnd) ::ShowWindow(wnd, visible ? SW_SHOW : SW_HIDE);
  }
  void SetCaption(const std::string& text, const std::string& fontName, int charset,
                  int fontSize) override {
    stubwin::SetCaption(text, fontName, charset, fontSize);
  }
  void Progress(int32_t kind, int32_t max, const std::string& text, int32_t step,
                int32_t position) override {
    MainProgressSink(kind, max, text, step, position);
  }
  void NotifyListener(unsigned code, intptr_t value) override {
    stubwin::NotifyListener(code, value);
  }
  // The update leaves an agent copy named like this agent for the engine to install.
  bool RunUpdate(const pack::ByteSource& held, const std::string& file, bool foreground,
                 const std::string& arguments) override {
    const bool succeeded = stubsetup::ExtractAndLaunch(
        stubglob::GetWorkFolder(), file, stubglob::OwnFileInfo->GetProgramExeName(), foreground,
        arguments, &held);
    stubglob::RemoveWorkFolder();
    return succeeded;
  }
};

}  // namespace

au::AgentHost& MainWindowAgentHost() {
  static MainWindowHost host;
  return host;
}

}  // namespace stubwin
