// `bendpost tools check | convert`: the tool name conversion table as the
// driver reads it (dialog/tool_table.h describes the format).
#ifndef BENDPOST_CLI_TOOLS_COMMAND_H_
#define BENDPOST_CLI_TOOLS_COMMAND_H_

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_io.h"
#include "documents/job_file.h"
#include "platform/file.h"

namespace bendpost::cli {

using documents::JobFile;

// Declares `tools` and its subcommands check and convert on `command`.
Runner SetUpTools(CLI::App& command, Services& services);

struct TableFinding {
  int line = 0;  // 1-based line of the table; 0 for a finding about the job
  std::string message;
};

// What in `lines` (the table's lines) can never work as meant:
//   - lines that never match: no space or tab after the name, or nothing
//     after it;
//   - lines whose name an earlier matching line already has (letter case
//     ignored): the driver never reads them;
//   - target names longer than the control's 6 characters;
// and, given a job, for the punch, die, die holder and spacer names its
// steps use: names the table has no entry for (and names with a space or
// tab, which no line can match), and die targets that the die's size
// suffix makes longer than 6 characters.
std::vector<TableFinding> CheckToolTable(const std::vector<std::string>& lines,
                                         const JobFile* job);

// tools check TABLE [--job JOB.json]: exit 1 when there are findings.
int RunToolsCheck(FileSystem& files, const std::string& table_path,
                  const std::string& job_path, CommandIo& io);
// tools convert TABLE NAME [--sectional]: prints what the driver would use.
int RunToolsConvert(FileSystem& files, const std::string& table_path,
                    const std::string& name, bool sectional, CommandIo& io);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_TOOLS_COMMAND_H_
