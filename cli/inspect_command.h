// `bendpost inspect FILE`: what a control file or a record file holds.
//
// The kind of file is told by its size: a control file always has 12,664
// bytes; a record file has a header and RecordCount records of its layout
// (125 + 145 x RecordCount bytes padded, 124 + 144 x RecordCount compact).
// Any other size is refused with what was expected. A control file whose
// blocks do not look like the driver's (block kinds and sizes, step count,
// unused slots, texts without their 0 byte, bytes in the gaps) is still
// reported, with the problems listed, and the exit code is 1.
//
// Output: the header's fields, then one row per step with what matters at
// the machine (angle, depth Y1/Y2, tonnage, back gauge X/R/Z of both
// fingers, speeds, dwell, aux functions). --json prints every field of
// every block (cli/program_json.h); --raw adds the byte-by-byte listing
// with offsets.
#ifndef BENDPOST_CLI_INSPECT_COMMAND_H_
#define BENDPOST_CLI_INSPECT_COMMAND_H_

#include <string>

#include "cli/command.h"
#include "cli/command_io.h"
#include "documents/program_json.h"
#include "platform/file.h"

namespace bendpost::cli {

using documents::ordered_json;

struct InspectOptions {
  std::string path;
  bool json = false;
  bool raw = false;
};

// Declares the options of `inspect` on `command`.
Runner SetUpInspect(CLI::App& command, Services& services);

int RunInspect(FileSystem& files, const InspectOptions& options, CommandIo& io);

// The JSON document of `inspect --json` for the bytes of a file; an object
// with "error" when the bytes are neither kind of file.
ordered_json InspectJson(const std::string& bytes);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_INSPECT_COMMAND_H_
