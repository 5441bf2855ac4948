// The C runtime opens stdout and stderr in text mode, which turns every
// "\n" into "\r\n"; binary mode keeps the bytes as the commands write them
// (the console shows "\n" as a line end all the same). Standard input stays
// in text mode: answers typed at the console end in "\r\n".
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include "cli/console.h"

namespace bendpost::cli {

void PrepareStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool StandardInputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

}  // namespace bendpost::cli
