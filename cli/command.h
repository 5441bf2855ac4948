// What every command is made of: its set-up, which declares the command's
// options on its CLI11 subcommand and gives back what runs it once the
// command line is parsed, and the services it runs with. main() hands in
// the process's real services; the tests hand in their own.
#ifndef BENDPOST_CLI_COMMAND_H_
#define BENDPOST_CLI_COMMAND_H_

#include <functional>

#include "cli/command_io.h"
#include "host/driver_calls.h"
#include "platform/clock.h"
#include "platform/file.h"
#include "platform/ui.h"

namespace CLI {
class App;
}  // namespace CLI

namespace bendpost::cli {

// Everything a command reaches beyond its streams. Every file a command
// reads or writes goes through `files`.
struct Services {
  FileSystem& files;
  // The clock of a run without --date.
  Clock& clock;
  // The platform's own user interface: it tells the operator when the
  // Windows test of the serial counter's key fails.
  UserInterface& ui;
  const host::DriverCalls& driver;
};

// Runs a parsed command; returns its exit code (command_io.h).
using Runner = std::function<int(CommandIo&)>;

// Declares a command's options on `command` and returns its runner. The
// runner may be called only after the command line was parsed with
// `command` chosen; `services` outlives it.
using SetUp = Runner (*)(CLI::App& command, Services& services);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_COMMAND_H_
