// bendpost: the command-line host of the driver.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
  CLI::App app{
      "bendpost: press brake programs from a job file, and tools "
      "for control files, bend calculations, material data and "
      "tool tables."};
  app.set_version_flag("--version",
                       std::string("bendpost ") + BENDPOST_VERSION);
  app.require_subcommand(1);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
