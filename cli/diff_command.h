// `bendpost diff A B [--json]`: what differs between two control files or
// two record files (the kind told as `inspect` tells it,
// formats/program_kind.h), field by field under the names of
// `inspect --json` (formats/program_diff.h).
//
// Output: one line per header field that differs,
//   header  PartReference  "BRACKET" → "BRACKET-2"
// then one per step field, with b - a for numbers,
//   step 3  Y1  -7.315662 → -7.4012  (−0.085538)
// and "step N  added" / "step N  removed" for a step only B / only A has;
// or the one line "A and B are the same". --json: documents/library_json.h.
//
// Exit code 0 when the files are the same, 1 when they differ, 2 for a file
// that cannot be read or is neither kind of program file (the message
// `inspect` gives) and for two files of different kinds.
#ifndef BENDPOST_CLI_DIFF_COMMAND_H_
#define BENDPOST_CLI_DIFF_COMMAND_H_

#include <string>

#include "cli/command.h"
#include "cli/command_io.h"
#include "platform/file.h"

namespace bendpost::cli {

struct DiffOptions {
  std::string a_path;
  std::string b_path;
  bool json = false;
};

int RunDiff(const DiffOptions& options, CommandIo& io, FileSystem& files);

// Declares the command's options on `command`; the runner reads through
// services.files.
Runner SetUpDiff(CLI::App& command, Services& services);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_DIFF_COMMAND_H_
