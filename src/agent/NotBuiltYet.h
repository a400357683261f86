// Routines whose work arrives with later parts of the stub say so on the console and in the
// debug log, so that a test (or a developer with the viewer open) sees which branch ran.
#pragma once

#include <string>

#include "sys/KoDebug.h"

inline void NotBuiltYet(const std::string& routine) {
  kodebug::ConsoleProcessLine(" [not built yet] " + routine);
  kodebug::DebugLog("[not built yet] " + routine);
}
