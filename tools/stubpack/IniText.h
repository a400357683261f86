// One value of an INI text (an update's ".info" file) set the way an author would set it by hand:
// every other byte stays as it was, line endings included, so that what is signed afterwards is
// the file the author knows.
#pragma once

#include <string>

namespace stubpack {

// Sets Key=Value in [Section]. Section and key names compare without regard to case or to the
// blanks around them, as the system's INI functions do. Every line of the key in a section of
// that name keeps its text up to the "=" and the blanks after it, and gets Value after them.
// Without such a line the key becomes the last line of the first section of that name; without
// the section, the section and the key are added at the end. Added lines end as the text's lines
// do (CRLF in a text that has none).
//   "[A]\r\nK = old\r\n"  ->  "[A]\r\nK = new\r\n"
//   "[B]\nX=1\n"          ->  "[B]\nX=1\n[A]\nK=new\n"
//   ""                    ->  "[A]\r\nK=new\r\n"
std::string SetIniValue(const std::string& text, const std::string& section,
                        const std::string& key, const std::string& value);

}  // namespace stubpack
