#pragma once

#include <string>

class CLog;

// The program's log file: "orvel-helper_<n>.log" in the XDG state folder
// ($XDG_STATE_HOME/orvel-helper, else ~/.local/state/orvel-helper), at most
// kLogFiles files of about kLogFileBytes each, so a feed that keeps
// changing its state costs a fixed amount of disk.
constexpr int kLogFileBytes = 256 * 1024;
constexpr int kLogFiles = 2;

// Opens the file; -1 when the folder or the file cannot be made (the
// program then runs without a log).
int OpenProgramLog(CLog& log);

// Where WriteLogLine goes; null (the default) drops the lines. Any thread. The log's
// writer thread starts with the first line, so a run whose feed never
// changes state wakes no thread for it.
void SetProgramLog(CLog* log);

// One line with the local time in front. Any thread.
void WriteLogLine(const std::string& text);
