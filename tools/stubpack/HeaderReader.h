// Turns the header strings of a package descriptor into named items: the UpdateInfo and
// WebSetupInfo items (tokens also in plain form) and the language sections of LangData.
#pragma once

#include "PackReport.h"
#include "pack/GFileInfo.h"

namespace stubpack {

HeaderReport DescribeHeader(const TGFileInfo& info);

}  // namespace stubpack
