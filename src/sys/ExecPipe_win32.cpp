// This file must contain only Win32 code.
#include "sys/ExecPipe.h"

#include <vector>

#include "sys/Platform.h"
#include "sys/Pumping.h"
#include "sys/ScopedHandle.h"
#include "sys/SysError.h"

namespace sys {
namespace {

constexpr DWORD kReadChunk = 30000;
// Bounds the last reads after the end, in case a program the command started in turn keeps
// writing into the inherited pipe.
constexpr int kMaxFinalReads = 1000;

// One anonymous pipe. The child inherits one end; the other end stays with this process only.
struct Pipe {
  ScopedKernelHandle Read;
  ScopedKernelHandle Write;
};

bool OpenPipe(Pipe& P, bool ChildReads) {
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!::CreatePipe(&read, &write, &inheritable, 0)) return false;
  P.Read.Reset(read);
  P.Write.Reset(write);
  // A child that inherited the writing end of its own input would never see that input end.
  HANDLE ownEnd = ChildReads ? write : read;
  return ::SetHandleInformation(ownEnd, HANDLE_FLAG_INHERIT, 0) != 0;
}

// Where the text of one stream goes.
struct Stream {
  HANDLE Pipe;
  std::string& Text;
};

struct Listener {
  CaptureCallback Callback;
  void* Data;
  bool Stop = false;
  bool OutputSeen = false;
};

// Reads what waits in the pipe, up to kReadChunk bytes. True when more was waiting than this
// read took.
bool ReadWaiting(const Stream& From, Listener& To) {
  DWORD waiting = 0;
  if (!::PeekNamedPipe(From.Pipe, nullptr, 0, nullptr, &waiting, nullptr) || waiting == 0)
    return false;
  std::vector<char> buffer(waiting < kReadChunk ? waiting : kReadChunk);
  DWORD read = 0;
  if (!::ReadFile(From.Pipe, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) ||
      read == 0)
    return false;
  // Console programs write in the OEM code page; the rest of the program works in ANSI. The
  // buffer form also converts zero bytes and everything after them.
  ::OemToCharBuffA(buffer.data(), buffer.data(), read);
  std::string chunk(buffer.data(), read);
  From.Text += chunk;
  To.OutputSeen = true;
  if (To.Callback) To.Callback(To.Data, chunk, To.Stop);
  return waiting > read;
}

bool ReportStartFailure(const std::string& CommandLine, const std::string& SystemMessage,
                        const Listener& To, std::string& Errors, uint32_t& ExitCode) {
  ExitCode = kCaptureStartFailed;
  Errors = CaptureStartFailure(CommandLine, SystemMessage);
  if (To.Callback) {
    bool ignored = false;
    To.Callback(To.Data, Errors + "\r\n", ignored);
  }
  return false;
}

// Polls until the process has ended and both pipes are read, ending the process when the
// listener asks to stop.
void PollUntilEnd(HANDLE Process, const Stream& Out, const Stream& Err, Listener& To) {
  uint32_t interval = FirstPollInterval(To.Callback != nullptr);
  bool terminated = false;
  for (;;) {
    // The wait result, not the exit code, tells the end: a program may well exit with 259,
    // the code that otherwise means "still active".
    bool ended = ::WaitForSingleObject(Process, interval) == WAIT_OBJECT_0;
    bool more = ReadWaiting(Out, To);
    more = ReadWaiting(Err, To) || more;
    if (To.Stop && !terminated) terminated = ::TerminateProcess(Process, kCaptureStopped) != 0;
    interval = NextPollInterval(interval, To.OutputSeen);
    if (ended && !more) return;
  }
}

void ReadRest(const Stream& From, Listener& To) {
  for (int i = 0; i < kMaxFinalReads && ReadWaiting(From, To); ++i) {
  }
}

}  // namespace

bool RunAndCapture(const std::string& Program, const std::string& Params, int Show,
                   CaptureCallback Callback, void* CallbackData, uint32_t SettleMs,
                   std::string& Output, std::string& Errors, uint32_t& ExitCode) {
  Output.clear();
  Errors.clear();
  Listener listener{Callback, CallbackData};
  const std::string commandLine = CaptureCommandLine(Program, Params);
  if (commandLine.size() > kMaxCommandLine)
    return ReportStartFailure(commandLine, "", listener, Errors, ExitCode);

  Pipe input, output, errors;
  if (!OpenPipe(input, true) || !OpenPipe(output, false) || !OpenPipe(errors, false))
    return ReportStartFailure(commandLine, SysErrorText(), listener, Errors, ExitCode);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEOFFFEEDBACK | STARTF_USESTDHANDLES;
  startup.wShowWindow = static_cast<WORD>(Show);
  startup.hStdInput = input.Read.Get();
  startup.hStdOutput = output.Write.Get();
  startup.hStdError = errors.Write.Get();
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, IDLE_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &started))
    return ReportStartFailure(commandLine, SysErrorText(), listener, Errors, ExitCode);
  ScopedKernelHandle process(started.hProcess);
  ScopedKernelHandle thread(started.hThread);

  // The child holds its own copies now. Closing ours lets it see the end of its input at once,
  // so a command that reads its input cannot wait for ever.
  input.Read.Reset();
  input.Write.Reset();
  output.Write.Reset();
  errors.Write.Reset();

  Stream out{output.Read.Get(), Output};
  Stream err{errors.Read.Get(), Errors};
  PollUntilEnd(process.Get(), out, err, listener);
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  ExitCode = code;

  DelayPumping(SettleMs);
  ReadRest(out, listener);
  ReadRest(err, listener);
  return ExitCode == 0;
}

}  // namespace sys
