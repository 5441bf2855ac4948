// bendpost: the command-line host of the driver.
//
// One table of commands: each names itself, says what it does and sets up
// its options (in its own cli/X_command.cc), giving back what runs it once
// the command line is parsed.
#include <iostream>

#include "cli/calc_command.h"
#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/diff_command.h"
#include "cli/generate_command.h"
#include "cli/inspect_command.h"
#include "cli/list_command.h"
#include "cli/material_command.h"
#include "cli/sheet_command.h"
#include "cli/tools_command.h"
#include "host/driver_calls.h"
#include "platform/platform.h"

namespace {

using namespace bendpost::cli;

constexpr Command kCommands[] = {
    {"generate",
     "Generate the programs of a job: the host's calling sequence on the "
     "driver, with the program dialog for every program.",
     SetUpGenerate},
    {"inspect",
     "Show what a control file (12,664 bytes) or a record file "
     "holds.",
     SetUpInspect},
    {"list",
     "The control files of a program folder, newest first: name, part, "
     "date, material, tooling, damaged files.",
     SetUpList},
    {"diff",
     "What differs between two control files or two record files, field "
     "by field.",
     SetUpDiff},
    {"sheet",
     "The operator's setup sheet of a program (self-contained HTML): "
     "tooling, every step with its side view, the bed and the forces.",
     SetUpSheet},
    {"calc",
     "One bend calculation with the driver's calculator: depth, "
     "force, tonnage and warning.",
     SetUpCalc},
    {"material", "Material data files: build, show, plot, chart.",
     SetUpMaterial},
    {"tools", "Tool name conversion tables: check, convert.", SetUpTools},
};

}  // namespace

int main(int argc, char** argv) {
  PrepareStandardStreams();
  CommandIo io{std::cin, std::cout, std::cerr, StandardInputIsTerminal()};
  // The process's real services, taken here once and handed down.
  const bendpost::Platform& platform = bendpost::CurrentPlatform();
  const bendpost::host::DriverCalls driver = bendpost::host::RealDriverCalls();
  Services services{bendpost::RealFileSystem(), *platform.clock, *platform.ui,
                    driver};
  return RunCommandLine(kCommands, argc, argv, services, io);
}
