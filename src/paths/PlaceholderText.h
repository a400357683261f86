// The text work of placeholder expansion: replacing a folder placeholder with the backslash rule,
// collapsing the doubled backslashes that replacing leaves behind, and resolving ".." parts.
// All of it is plain text work; the full-path resolution is handed in by the caller.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "sys/LeadBytes.h"

namespace paths {

// No expansion makes a text longer than the longest command line Windows accepts. A text read
// from a file or the registry may be built to multiply itself with every placeholder; such a
// replacement is refused and the placeholder stays.
constexpr size_t kMaxExpandedLength = 32767;

// Every occurrence of Placeholder (letter case ignored) replaced by Value in one pass; the
// inserted values are not searched again. Text unchanged when the result would grow beyond
// kMaxExpandedLength.
std::string ReplacePlaceholder(const std::string& Text, const std::string& Placeholder,
                               const std::string& Value);

// Whether Text is a list delimited by C: its first and last characters are both C, and C is
// neither "<" nor a letter, so that it cannot be the edge of a placeholder or a word.
bool IsListSeparator(const std::string& Text, char C);

// Every occurrence of Placeholder replaced by Value followed by Suffix, or by Value alone when
// the first occurrence ends the text, is followed by a blank or a double quote, or is followed
// by the separator of the list that Text is. With Suffix "\" a folder placeholder followed by a
// file name and one followed by "\" and the file name both give the folder, one backslash and
// the name once backslashes are collapsed. An empty Value takes no Suffix: a lone "\" in front
// of the rest of the text would turn it into a path from the drive's root, or a network path.
std::string ReplaceFolderPlaceholder(const std::string& Text, const std::string& Placeholder,
                                     const std::string& Value, const std::string& Suffix);

// Every run of backslashes reduced to one, except a pair that begins the text (a network path),
// a pair right after the separator of the list that Text is, a "\" that is the second byte of a
// double-byte character, and the text's last two characters. Texts of 2 characters or fewer
// stay as they are.
std::string CollapseBackslashes(const std::string& Text,
                                sys::LeadBytePredicate IsLeadByte = nullptr);

// Resolves the path of Text to its full form, "." and ".." parts resolved; the caller's rule.
using FullPathFunction = std::function<std::string(const std::string&)>;

// Text with its ".." parts resolved by FullPath. A text that begins with "," or "|" and holds
// at least one list item has each item that contains "\.." or "..\" resolved on its own;
// otherwise the whole text is resolved. Text without "\.." and "..\" is returned as it is, and
// so is an item whose resolution fails (FullPath gives an empty text).
std::string ExpandRelativePaths(const std::string& Text, const FullPathFunction& FullPath);

}  // namespace paths
