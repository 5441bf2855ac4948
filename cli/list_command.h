// `bendpost list FOLDER [--part TEXT] [--json] [--html FILE]`: the control
// files of a program folder (formats/program_catalogue.h), newest first.
//
// Output: one row per control file (file, program name, part reference,
// creation date and time, material name, number and hardness, thickness,
// steps, the control's punch and die names, steps whose depth is 0, and
// for a damaged file its problems), then "N control files, M other files".
// --part keeps the files whose part reference contains TEXT (ASCII case
// ignored). --json prints the rows as an array (documents/library_json.h);
// --html writes them as a page (pages/program_list_page.h), each file
// linked to its setup sheet where one lies beside it (SheetPathFor).
//
// Exit code 0; 2 for a folder that does not exist or cannot be read, or a
// page that cannot be written.
#ifndef BENDPOST_CLI_LIST_COMMAND_H_
#define BENDPOST_CLI_LIST_COMMAND_H_

#include <string>

#include "cli/command.h"
#include "cli/command_io.h"
#include "platform/file.h"

namespace bendpost::cli {

struct ListOptions {
  std::string folder;
  std::string part;
  bool json = false;
  std::string html_path;  // --html; "" for none
};

int RunList(const ListOptions& options, CommandIo& io, FileSystem& files);

// Declares the command's options on `command`; the runner reads through
// services.files.
Runner SetUpList(CLI::App& command, Services& services);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_LIST_COMMAND_H_
