// The standard streams of the process as the commands expect them.
#ifndef BENDPOST_CLI_CONSOLE_H_
#define BENDPOST_CLI_CONSOLE_H_

namespace bendpost::cli {

// Output goes out byte for byte: "\n" stays "\n" on every system, so that
// redirected output and the files written from it are the same everywhere.
void PrepareStandardStreams();

// True when standard input is an interactive terminal (or console).
bool StandardInputIsTerminal();

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_CONSOLE_H_
