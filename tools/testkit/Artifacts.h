// Files that a test leaves for a person to look at (pictures of windows, not compared by tests):
// next to the build trees, in build/artifacts.
#pragma once

#include <string>

namespace testkit {

// The full path of Name in the artifacts folder, which is made when missing.
std::string ArtifactPath(const std::string& name);

}  // namespace testkit
