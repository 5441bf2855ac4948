// The streams a command reads and writes, so that every command runs the
// same way from main() and from the tests.
#ifndef BENDPOST_CLI_COMMAND_IO_H_
#define BENDPOST_CLI_COMMAND_IO_H_

#include <istream>
#include <ostream>

namespace bendpost::cli {

struct CommandIo {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool in_is_terminal = false;
};

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitIncomplete = 1;  // generate: a program not created
inline constexpr int kExitUsage = 2;       // bad input or options

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_COMMAND_IO_H_
