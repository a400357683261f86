// This file must contain only truly operating-system independent code.
#include "sys/KoSUB.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

#include "sys/UtilsText.h"

namespace sys {
namespace {

// A string of the view's characters. Built from pointer and length, not from the view itself:
// the library keeps its constructor from a view in an object file that also holds the whole
// wide-character string, some 25 KB of the 64-bit stub.
std::string Text(std::string_view View) { return std::string(View.data(), View.size()); }

using Items = std::vector<std::string>;

// In order of preference: characters that are rare in captions, names and paths.
constexpr std::array<char, 10> kDelimiterCandidates = {
    '|', '*', '~', '^', '!', '@', '#', '$', '&', static_cast<char>(0xFF)};

bool HoldsItems(const std::string& List) {
  return List.size() >= 2 && List.back() == List.front();
}

// Calls Matches with each item in order until it returns true; gives that item's index, or -1.
// The list ends with its delimiter, so every search for the end of an item succeeds.
template <class Predicate>
int FindItem(const std::string& List, Predicate Matches) {
  if (!HoldsItems(List)) return -1;
  std::string_view list(List);
  int index = 0;
  for (size_t begin = 1; begin < list.size(); ++index) {
    size_t end = list.find(List[0], begin);
    if (Matches(list.substr(begin, end - begin))) return index;
    begin = end + 1;
  }
  return -1;
}

Items ItemsOf(const std::string& List) {
  Items items;
  FindItem(List, [&items](std::string_view item) {
    items.push_back(Text(item));
    return false;
  });
  return items;
}

// Offsets of item I (I = -1: the last item), found in one walk over the list.
bool ItemSpan(const std::string& List, int I, size_t& Begin, size_t& End) {
  if (!HoldsItems(List) || I < -1) return false;
  const char delimiter = List[0];
  const size_t last = List.size() - 1;
  if (I == -1) {
    Begin = List.rfind(delimiter, last - 1) + 1;
    End = last;
    return true;
  }
  size_t open = 0;
  for (int k = 0; k < I; ++k) {
    open = List.find(delimiter, open + 1);
    if (open == last) return false;
  }
  Begin = open + 1;
  End = List.find(delimiter, Begin);
  return true;
}

std::string JoinItems(const Items& List, char Delimiter) {
  std::string result(1, Delimiter);
  for (const std::string& item : List) result.append(item).push_back(Delimiter);
  return result;
}

using CharSet = std::array<bool, 256>;

void AddChars(std::string_view Text, CharSet& Present) {
  for (char c : Text) Present[static_cast<unsigned char>(c)] = true;
}

// The first candidate that is not present; the byte 0 when every one of them is.
char FirstAbsentCandidate(const CharSet& Present) {
  for (char candidate : kDelimiterCandidates)
    if (!Present[static_cast<unsigned char>(candidate)]) return candidate;
  return '\0';
}

char FreeDelimiter(const Items& List) {
  CharSet present{};
  for (const std::string& item : List) AddChars(item, present);
  return FirstAbsentCandidate(present);
}

std::string JoinWithFreeDelimiter(const Items& List) {
  return List.empty() ? std::string() : JoinItems(List, FreeDelimiter(List));
}

bool AnyContains(const Items& List, char C) {
  return std::any_of(List.begin(), List.end(),
                     [C](const std::string& item) { return item.find(C) != std::string::npos; });
}

Items WithoutEmptyAndRepeated(const Items& List) {
  Items kept;
  std::unordered_set<std::string> seen;
  for (const std::string& item : List)
    if (!item.empty() && seen.insert(UpperCase(Trim(item))).second) kept.push_back(item);
  return kept;
}

void DropTrailingEmpty(Items& List) {
  while (!List.empty() && List.back().empty()) List.pop_back();
}

void DropLeadingEmpty(Items& List) {
  auto first = std::find_if(List.begin(), List.end(),
                            [](const std::string& item) { return !item.empty(); });
  List.erase(List.begin(), first);
}

// The items an edit starts from. A text that holds no items contributes none, but its first
// character stays the delimiter, the one its writer chose.
Items ItemsToEdit(const std::string& List) { return HoldsItems(List) ? ItemsOf(List) : Items(); }

std::string NameOfPair(const std::string& Item) { return TextBefore(Item, "="); }
std::string ValueOfPair(const std::string& Item) { return TextAfter(Item, "="); }

template <class Part>
std::string MapItems(const std::string& List, Part PartOf) {
  Items parts = ItemsOf(List);
  std::transform(parts.begin(), parts.end(), parts.begin(), PartOf);
  return JoinWithFreeDelimiter(parts);
}

// The value of Item when it reads Name=Value, with one blank allowed before the name and any
// number of blanks between the name and "=", as hand-edited lists are written.
bool ValueIfNamed(std::string_view Item, std::string_view Name, std::string_view& Value) {
  if (!Item.empty() && Item[0] == ' ') Item.remove_prefix(1);
  if (!StartsWith(Item, Name, true)) return false;
  Item.remove_prefix(Name.size());
  size_t equals = Item.find_first_not_of(' ');
  if (equals == std::string_view::npos || Item[equals] != '=') return false;
  Value = Item.substr(equals + 1);
  return true;
}

}  // namespace

int SUB::ItemCount(const std::string& List) {
  if (!HoldsItems(List)) return 0;
  return static_cast<int>(std::count(List.begin() + 1, List.end(), List[0]));
}

std::string SUB::GetItem(const std::string& List, int I, const std::string& Default) {
  size_t begin = 0, end = 0;
  if (!ItemSpan(List, I, begin, end) || begin == end) return Default;
  return List.substr(begin, end - begin);
}

int64_t SUB::GetItemInt64(const std::string& List, int I, int64_t Default) {
  int64_t value = Default;
  return TryParseInt64(GetItem(List, I), value) ? value : Default;
}

int SUB::IndexOfItem(const std::string& List, const std::string& Item, int Default,
                     bool Prefix) {
  const std::string list = Trim(List);
  auto indexOf = [&](std::string_view wanted) {
    return FindItem(list, [&](std::string_view item) {
      return Prefix ? StartsWith(item, wanted, true) : EqualsNoCase(item, wanted);
    });
  };
  int index = indexOf(Item);
  const std::string trimmed = Trim(Item);
  if (index < 0 && trimmed != Item) index = indexOf(trimmed);
  return index < 0 ? Default : index;
}

bool SUB::HasItem(const std::string& List, const std::string& Item, bool Trim,
                  bool IgnoreCase) {
  const std::string list = Trim ? sys::Trim(List) : List;
  const std::string wanted = Trim ? sys::Trim(Item) : Item;
  return FindItem(list, [&](std::string_view item) {
           return IgnoreCase ? EqualsNoCase(item, wanted) : item == wanted;
         }) >= 0;
}

std::string SUB::GetValue(const std::string& List, const std::string& Name,
                          const std::string& EmptyValue, const std::string& Default) {
  if (List.size() <= 2) return Default;
  std::string_view name(Name);
  if (EndsWith(name, "=")) name.remove_suffix(1);
  std::string_view value;
  if (FindItem(List, [&](std::string_view item) { return ValueIfNamed(item, name, value); }) < 0)
    return Default;
  return value.empty() ? EmptyValue : Text(value);
}

std::string SUB::NamesOf(const std::string& List) { return MapItems(List, NameOfPair); }

std::string SUB::ValuesOf(const std::string& List) { return MapItems(List, ValueOfPair); }

std::string SUB::PairLists(const std::string& Names, const std::string& Values, bool TrimEmpty) {
  Items names = ItemsOf(Names), values = ItemsOf(Values);
  if (TrimEmpty) {
    DropTrailingEmpty(names);
    DropTrailingEmpty(values);
  }
  size_t count = std::max(names.size(), values.size());
  names.resize(count);
  values.resize(count);
  Items pairs;
  for (size_t i = 0; i < count; ++i) pairs.push_back(names[i] + '=' + values[i]);
  return JoinWithFreeDelimiter(pairs);
}

std::string SUB::DeleteItem(const std::string& List, int I) {
  size_t begin = 0, end = 0;
  if (I < 0 || !ItemSpan(List, I, begin, end)) return List;
  return List.substr(0, begin) + List.substr(end + 1);
}

std::string SUB::SetItem(const std::string& List, int I, const std::string& Value) {
  if (I < 0) return List;
  const char delimiter = List.empty() ? '|' : List[0];
  Items items = ItemsToEdit(List);
  if (items.size() <= static_cast<size_t>(I)) items.resize(static_cast<size_t>(I) + 1);
  items[static_cast<size_t>(I)] = Value;
  bool clash = Value.find(delimiter) != std::string::npos;
  return clash ? JoinWithFreeDelimiter(items) : JoinItems(items, delimiter);
}

std::string SUB::BuildList(const std::vector<std::string>& Strings, bool Distinct) {
  return JoinWithFreeDelimiter(Distinct ? WithoutEmptyAndRepeated(Strings) : Strings);
}

std::string SUB::AddItems(const std::string& List, const std::vector<std::string>& Strings,
                          bool Distinct) {
  if (List.empty()) return BuildList(Strings, Distinct);
  const char delimiter = List[0];
  Items items = ItemsToEdit(List);
  items.insert(items.end(), Strings.begin(), Strings.end());
  if (Distinct) items = WithoutEmptyAndRepeated(items);
  // The old items cannot contain the delimiter, so a clash comes from a new one.
  return AnyContains(items, delimiter) ? JoinWithFreeDelimiter(items)
                                       : JoinItems(items, delimiter);
}

std::string SUB::ReverseList(const std::string& List) {
  if (!HoldsItems(List)) return List;
  Items items = ItemsOf(List);
  std::reverse(items.begin(), items.end());
  return JoinItems(items, List[0]);
}

std::string SUB::DistinctItems(const std::string& List) {
  if (!HoldsItems(List)) return List;
  return JoinItems(WithoutEmptyAndRepeated(ItemsOf(List)), List[0]);
}

std::string SUB::TrimEmptyItems(const std::string& List, bool AtEnd, bool AtStart) {
  std::string result = List;
  if (HoldsItems(List)) {
    Items items = ItemsOf(List);
    if (AtEnd) DropTrailingEmpty(items);
    if (AtStart) DropLeadingEmpty(items);
    result = JoinItems(items, List[0]);
  }
  return result.size() == 1 ? std::string() : result;
}

std::string SUB::ChooseDelimiter(const std::string& List) {
  if (List.size() <= 1) return std::string();
  // Every delimiter becomes the byte 0 first, so that the list's own delimiter is a candidate
  // again, and a list assembled with the byte 0 gets a readable one.
  std::string text = ReplaceChar(List, List[0], '\0');
  CharSet present{};
  AddChars(text, present);
  return ReplaceChar(text, '\0', FirstAbsentCandidate(present));
}

std::string SUB::SetDelimiter(const std::string& List, char C) {
  return List.empty() ? List : ReplaceChar(List, List[0], C);
}

}  // namespace sys
