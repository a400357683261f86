// Engine.exe: the setup engine that packages carry in this project's tests and demos. The stub
// extracts a package into a work folder and starts
//   <work folder>\Engine.exe [package arguments] [stub arguments] /TH_ID=_<thread id>
//       /OriginExe="<stub path>" [/AutoUpdateProg]
// and expects back: the global atom "AutoUpdateAtomTokenByKarst" + token deleted on success,
// optionally a window of class ".SDialog_Class_Name." + token that outlives the engine, and the
// exit code it passes on as its own. Switches the engine does not know are ignored.
//
// A run:
//  1. reads section [Engine] of the configuration file beside it, named after the program with
//     ".ini" ("Engine.ini"); switches on the command line win over its keys:
//       TargetDir=<folder>     /Target=<folder>   where to install; empty: copy nothing
//       ExitCode=<n>           /ExitCode=<n>      exit code of the run (default 0)
//       Fail=1                 /Fail              keep the atom: the setup failed on purpose
//       DialogMs=<ms>          /DialogMs=<ms>     leave the dialog window for that long
//       Record=<file>          /Record=<file>     append "CommandLine=", "CurrentFolder=" and
//                                                 "CodePage=" (the system's ANSI code page)
//       OriginalFile=<name>                       the product's ".original" among the files
//     Folders and files may hold environment variables (%TEMP%); a relative path is taken from
//     the current folder, which the stub hands on from its own.
//  2. appends its command line, current folder and code page to the record file, when one is
//     named;
//  3. copies every file and folder beside it, sub-folders included, into the target folder,
//     except itself and its configuration file. An agent copy that the stub wrote into the work
//     folder is copied like any other file, so an install followed by an update shows the whole
//     round;
//  4. writes [Directories] TargetDir=<target> into "<target>\<OriginalFile>". The rest of that
//     file travels in the package as an ordinary file; an update package usually leaves it out,
//     so that the time stamps the agent wrote into the installed one stay;
//  5. starts a hidden copy of itself with "/EngineDialog=<ms> /TH_ID=<token>" that only keeps
//     the dialog window (a window dies with its process, and the engine has to end first), and
//     waits until that window exists;
//  6. deletes the atom, unless told to fail or a file could not be copied, and ends with the
//     exit code; a failed copy ends with 1.
// The engine shows no window and never waits for the user.
#include "EngineRun.h"
#include "sys/Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return engine::RunEngine(); }
