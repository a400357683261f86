// Delimited lists: most structured values of the stub (package header strings, language data,
// button captions, entry names, override lists, the command-line switches) are kept in one
// string whose first character is its delimiter, as in "|&OK|&Cancel|".
//
// Items are the texts between consecutive delimiters, counted from 0, and a list ends with its
// delimiter: "|a||c|" holds "a", "" and "c". A text shorter than 2 characters, or one that does
// not end with its first character, holds no items. Lists read from a package are untrusted, so
// every operation accepts any text and never reads outside it; nothing fails, a missing item
// gives the caller's default.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

class SUB {
 public:
  SUB() = delete;

  static int ItemCount(const std::string& List);
  // Item I, or the last item for I = -1; Default when the item is missing or empty.
  static std::string GetItem(const std::string& List, int I, const std::string& Default = "");
  // Item I read by TryParseInt64; Default when the item is missing or no number.
  static int64_t GetItemInt64(const std::string& List, int I, int64_t Default);
  // Index of the first item equal to Item without regard to case (with Prefix: the first item
  // that begins with Item). The list is trimmed first; Item is tried as given and then trimmed.
  static int IndexOfItem(const std::string& List, const std::string& Item, int Default = -1,
                         bool Prefix = false);
  // Whether some item equals Item; Trim trims both the list and Item first.
  static bool HasItem(const std::string& List, const std::string& Item, bool Trim = false,
                      bool IgnoreCase = false);
  // Value of the first item written Name=Value, names compared without regard to case; a blank
  // may precede the name and blanks may follow it. EmptyValue when the value is empty, Default
  // when no item has that name.
  static std::string GetValue(const std::string& List, const std::string& Name,
                              const std::string& EmptyValue = "", const std::string& Default = "");

  // The part before (NamesOf) or after (ValuesOf) the first "=" of each item, both empty for an
  // item without "="; the delimiter is chosen afresh.
  static std::string NamesOf(const std::string& List);
  static std::string ValuesOf(const std::string& List);
  // Items Name=Value from item i of both lists, for every i below the larger count, a missing
  // partner being empty. TrimEmpty first drops trailing empty items from both lists.
  static std::string PairLists(const std::string& Names, const std::string& Values,
                               bool TrimEmpty = false);

  // List without item I; List itself when there is no item I.
  static std::string DeleteItem(const std::string& List, int I);
  // List with item I set to Value, extended with empty items when I lies beyond the end. An
  // empty List starts as "|"; a text that holds no items keeps only its delimiter. The delimiter
  // changes only when Value contains it. A negative I leaves List unchanged.
  static std::string SetItem(const std::string& List, int I, const std::string& Value);
  static std::string BuildList(const std::vector<std::string>& Strings, bool Distinct = false);
  // List with Strings appended, keeping its delimiter unless a new item contains it. An empty
  // List gives BuildList; a text that holds no items keeps only its delimiter.
  static std::string AddItems(const std::string& List, const std::vector<std::string>& Strings,
                              bool Distinct = false);
  static std::string ReverseList(const std::string& List);
  // List without empty items and without items equal (trimmed, without regard to case) to an
  // earlier one, in the order of their first occurrence.
  static std::string DistinctItems(const std::string& List);
  // List without its trailing (AtEnd) and/or leading (AtStart) empty items; a result that is only
  // a delimiter becomes empty.
  static std::string TrimEmptyItems(const std::string& List, bool AtEnd = true,
                                    bool AtStart = false);

  // List with its delimiter replaced by the first of "|*~^!@#$&" and the byte 0xFF that occurs in
  // no item, or by the byte 0 when all of them occur; a result of one character becomes empty.
  static std::string ChooseDelimiter(const std::string& List);
  // Every occurrence of the list's delimiter replaced by C. C should occur in no item.
  static std::string SetDelimiter(const std::string& List, char C);
};

}  // namespace sys
