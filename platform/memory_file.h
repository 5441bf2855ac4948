// A file held in memory: the bytes are shared with whoever holds them, so
// a handle keeps writing to the bytes it opened even after the name they
// are kept under changes. For file systems that keep files in memory (the
// overlay of a preview run, the test doubles).
#ifndef BENDPOST_PLATFORM_MEMORY_FILE_H_
#define BENDPOST_PLATFORM_MEMORY_FILE_H_

#include <memory>
#include <string>

#include "platform/file.h"

namespace bendpost {

// A file over `data`, open for reading and, when `writable`, writing; the
// position starts at 0.
std::unique_ptr<File> NewMemoryFile(std::shared_ptr<std::string> data,
                                    bool writable);

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_MEMORY_FILE_H_
