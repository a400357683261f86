// Running a console command and capturing what it writes: standard output and standard error
// each come through a pipe, converted from the OEM to the ANSI code page. The command line, the
// failure text and the poll rhythm are plain rules (ExecPipe.cpp); the run itself is Win32
// (ExecPipe_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace sys {

// Exit code reported when the process could not be started.
constexpr uint32_t kCaptureStartFailed = 21;
// Exit code of a process ended because the callback asked to stop.
constexpr uint32_t kCaptureStopped = 255;
// The longest command line the system accepts.
constexpr size_t kMaxCommandLine = 32766;

// Sees each piece of output as it arrives (standard output and standard error alike); setting
// Stop ends the process.
using CaptureCallback = void (*)(void* CallbackData, const std::string& Chunk, bool& Stop);

// Program, in double quotes when it holds a blank and no double quote, then a blank and Params
// when Params is not empty: ("C:\My Tools\t.exe", "/x") gives "\"C:\My Tools\t.exe\" /x".
std::string CaptureCommandLine(const std::string& Program, const std::string& Params);

// What Errors holds when the process could not be started: the first 256 characters of
// CommandLine, " --- " and the system's message; "Command line is too long" for a command line
// longer than kMaxCommandLine.
std::string CaptureStartFailure(const std::string& CommandLine, const std::string& SystemMessage);

// The first poll interval: 1 ms when a callback waits for the output, 100 ms otherwise.
uint32_t FirstPollInterval(bool HasCallback);
// Once output has arrived, an interval above 10 ms shrinks by 10 ms per poll, so a command
// that has begun to talk is read more often.
uint32_t NextPollInterval(uint32_t Interval, bool OutputSeen);

// Win32. Runs CaptureCommandLine(Program, Params) at idle priority, shown as the ShowWindow
// command Show asks (0 hides it), with standard input at its end. Output and Errors receive the
// two streams; after the process has ended, SettleMs (dispatching messages) pass before the
// last read. True when the process ran and ExitCode is 0. When it cannot start, ExitCode is
// kCaptureStartFailed, Errors says why and Callback (when given) receives Errors with CR LF.
bool RunAndCapture(const std::string& Program, const std::string& Params, int Show,
                   CaptureCallback Callback, void* CallbackData, uint32_t SettleMs,
                   std::string& Output, std::string& Errors, uint32_t& ExitCode);

}  // namespace sys
