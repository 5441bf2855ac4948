#include <unistd.h>

#include "cli/console.h"

namespace bendpost::cli {

void PrepareStandardStreams() {}

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

}  // namespace bendpost::cli
