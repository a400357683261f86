// Reading the output of "tasklist.exe /FO csv", the process list of Windows 8 and later:
//   "Image Name","PID","Session Name","Session#","Mem Usage"
//   "Tool.exe","1234","Console","1","12,345 K"
// The header row is in the language of the system, and numbers such as the memory column may
// hold commas inside their quotes, so rows are read as real CSV: a row counts only when its
// second field is a process id, whatever the header says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sys {

// The fields of each row of Text. Fields are separated by ","; a field in double quotes may
// hold "," and line ends, and "" inside it stands for one double quote. Rows end at CR LF, LF
// or CR; empty rows are dropped. Blanks around an unquoted field are removed.
// 'a,"b,c",d' gives the row {"a", "b,c", "d"}.
std::vector<std::vector<std::string>> ParseCsvRows(const std::string& Text);

struct TasklistRow {
  std::string ImageName;
  uint32_t ProcessId = 0;
};

// The rows of Output whose second field is a decimal process id above 0, in their order; the
// header row, notes such as "INFO: No tasks are running" and damaged rows are skipped.
std::vector<TasklistRow> ParseTasklistCsv(const std::string& Output);

// The id of the first row whose image name matches the file-name part of Path (trimmed, without
// regard to case); 0 when none does.
uint32_t FindPidInTasklist(const std::string& Output, const std::string& Path);

}  // namespace sys
