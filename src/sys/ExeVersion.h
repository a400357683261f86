// The version of a program file, read from its version resource.
#pragma once

#include <string>

namespace sys {

// The fixed file version as "major.minor.release.build" ("%d.%d.%d.%d"). File defaults to the
// running program. With Width above 1 or Parts below 4 the text goes through NormalizeVersion
// (so GetExeVersion(f, 3, 2) gives "001.002"). An empty text, with a console line labelled
// "Utils.GetExeVersion()", when the file has no readable version resource.
std::string GetExeVersion(const std::string& File = "", int Width = 1, int Parts = 4);

// The "ProductVersion" text of the file's first language and code page, with every "," turned
// into "."; normalised under the same condition. Empty, with a console line labelled
// "Utils.GetProductVersion()", when it cannot be read.
std::string GetProductVersion(const std::string& File = "", int Width = 1, int Parts = 4);

}  // namespace sys
