// The inform file: a notice published for the product. A text whose first field (after the
// first "|") is the product token in its scrambled form, then two fields the agent skips, then
// the body, which may itself hold "|". A file beginning with "Scrambled=01" is unscrambled first.
#pragma once

#include <string>

namespace au {

struct InformParts {
  std::string token;  // plain form
  std::string body;
};

// Missing fields are empty.
InformParts SplitInformFile(const std::string& Text);

}  // namespace au
