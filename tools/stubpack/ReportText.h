// The inspector's report as text for people: one "Name: value" line per field, the volumes
// first, then the header items, the language sections, the entries and the files.
#pragma once

#include <string>

#include "PackReport.h"

namespace stubpack {

std::string FormatReport(const PackageReport& report);

// Names of the set Flags bits, blank separated, "(none)" when no bit is set.
std::string FlagNames(uint8_t flags);

}  // namespace stubpack
