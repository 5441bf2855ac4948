#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <string>
#include <utility>
#include <vector>

namespace bendpost::cli {

int RunCommandLine(std::span<const Command> commands, int argc,
                   const char* const* argv, Services& services, CommandIo& io) {
  CLI::App app{
      "bendpost: press brake programs from a job file, and the tools around "
      "them (control files, bend calculations, material data, tool tables)."};
  app.set_version_flag("--version",
                       std::string("bendpost ") + BENDPOST_VERSION);
  app.require_subcommand(1);
  // Arguments are paths: on Windows, CLI11 would take "/work/x" for an
  // option "/work".
  app.allow_windows_style_options(false);
  app.footer(
      "Exit codes: 0 done; 1 done, but not everything (a program not "
      "created, problems in a file, findings); 2 bad options or input.");

  std::vector<std::pair<CLI::App*, Runner>> runners;
  for (const Command& command : commands) {
    CLI::App* sub = app.add_subcommand(command.name, command.help);
    runners.emplace_back(sub, command.set_up(*sub, services));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e, io.out, io.err);
    return code == 0 ? kExitOk : kExitUsage;
  }

  for (const auto& [sub, run] : runners) {
    if (sub->parsed()) return run(io);
  }
  return kExitUsage;
}

}  // namespace bendpost::cli
