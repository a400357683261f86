// Whole files as byte strings, with the path in every error text.
#pragma once

#include <string>

namespace stubpack {

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);
// Creates or replaces path with exactly bytes.
bool WriteWholeFile(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace stubpack
