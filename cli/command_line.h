// The command line of `bendpost`: the commands of a table as subcommands,
// one of them required, parsed and run.
#ifndef BENDPOST_CLI_COMMAND_LINE_H_
#define BENDPOST_CLI_COMMAND_LINE_H_

#include <span>

#include "cli/command.h"

namespace bendpost::cli {

struct Command {
  const char* name;
  const char* help;  // one line
  SetUp set_up;
};

// Parses `argv` against `commands` and runs the chosen one; returns the
// exit code. --help, --version and what CLI11 refuses are printed on
// io.out / io.err as CLI11 prints them: --help and --version exit with
// kExitOk, a refused command line with kExitUsage.
int RunCommandLine(std::span<const Command> commands, int argc,
                   const char* const* argv, Services& services, CommandIo& io);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_COMMAND_LINE_H_
