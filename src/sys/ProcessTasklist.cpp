// This file must contain only truly operating-system independent code.
#include "sys/ProcessTasklist.h"

#include "sys/ProcessSearch.h"
#include "sys/UtilsText.h"

namespace sys {
namespace {

// Reads the rows field by field; Quoted is set while inside double quotes.
class CsvReader {
 public:
  std::vector<std::vector<std::string>> Read(const std::string& Text) {
    for (size_t i = 0; i < Text.size(); ++i) {
      char c = Text[i];
      if (quoted_) {
        if (c != '"') field_ += c;
        else if (i + 1 < Text.size() && Text[i + 1] == '"') field_ += Text[++i];
        else quoted_ = false;
      } else if (c == '"') {
        quoted_ = true;
        wasQuoted_ = true;
      } else if (c == ',') {
        EndField();
      } else if (c == '\r' || c == '\n') {
        if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        EndRow();
      } else {
        field_ += c;
      }
    }
    EndRow();
    return std::move(rows_);
  }

 private:
  void EndField() {
    // Only unquoted fields lose their blanks: inside quotes the text is exactly what was meant.
    row_.push_back(wasQuoted_ ? field_ : Trim(field_));
    field_.clear();
    wasQuoted_ = false;
  }
  void EndRow() {
    bool empty = row_.empty() && !wasQuoted_ && Trim(field_).empty();
    if (!empty) {
      EndField();
      rows_.push_back(std::move(row_));
    }
    row_.clear();
    field_.clear();
    wasQuoted_ = false;
  }

  std::vector<std::vector<std::string>> rows_;
  std::vector<std::string> row_;
  std::string field_;
  bool quoted_ = false;
  bool wasQuoted_ = false;
};

// A process id written in decimal digits only, above 0 and within 32 bits; 0 otherwise.
uint32_t ProcessIdField(const std::string& Field) {
  std::string digits = Trim(Field);
  if (digits.empty() || digits.size() > 10) return 0;
  uint64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value <= 0xFFFFFFFFu ? static_cast<uint32_t>(value) : 0;
}

}  // namespace

std::vector<std::vector<std::string>> ParseCsvRows(const std::string& Text) {
  return CsvReader().Read(Text);
}

std::vector<TasklistRow> ParseTasklistCsv(const std::string& Output) {
  std::vector<TasklistRow> rows;
  for (const auto& fields : ParseCsvRows(Output)) {
    if (fields.size() < 2) continue;
    uint32_t id = ProcessIdField(fields[1]);
    if (id > 0) rows.push_back(TasklistRow{Trim(fields[0]), id});
  }
  return rows;
}

uint32_t FindPidInTasklist(const std::string& Output, const std::string& Path) {
  const std::string name = ProcessFileName(Trim(Path));
  for (const TasklistRow& row : ParseTasklistCsv(Output))
    if (ProcessNamesMatch(name, row.ImageName)) return row.ProcessId;
  return 0;
}

}  // namespace sys
