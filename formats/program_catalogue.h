// The catalogue of a program folder: one entry per control file in it, the
// rest counted. A file is taken for a control file by its contents, not by
// its name: it has the control file's 12,664 bytes, and it is sound when it
// decodes without problems; a file of that size that does not is listed as
// damaged, with what DecodeControlFile found wrong, and its header's fields
// as far as they could be read. Files of any other size are "other files";
// files that cannot be read are listed by name with the reason.
//
// Entries are sorted by their creation stamp, newest first (a stamp that
// holds no date counts as the oldest), equal stamps by file name.
#ifndef BENDPOST_FORMATS_PROGRAM_CATALOGUE_H_
#define BENDPOST_FORMATS_PROGRAM_CATALOGUE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "formats/control_file.h"
#include "platform/file.h"

namespace bendpost {

struct CatalogueEntry {
  std::string file;  // the name in the folder
  std::string path;  // folder and name
  ControlFileHeader header;
  std::string created;  // "yy-mm-dd hh:mm", "" for a stamp without a date
  uint64_t created_order = 0;         // the unwrapped stamp; 0 without a date
  size_t steps = 0;                   // decoded step slots
  size_t zero_depth_steps = 0;        // steps whose Y1 and Y2 are both 0
  std::vector<std::string> problems;  // none for a sound control file

  bool damaged() const { return !problems.empty(); }
};

struct ProgramCatalogue {
  std::vector<CatalogueEntry> programs;
  size_t other_files = 0;
  std::vector<std::string> unreadable;  // "name: reason"
};

// The entry of a control file's bytes (12,664 of them).
CatalogueEntry CatalogueEntryOf(std::string file, std::string path,
                                std::string_view bytes);

// Reads every file of `folder`. Fails only when the folder cannot be listed.
Status ReadProgramCatalogue(FileSystem& files, const std::string& folder,
                            ProgramCatalogue* catalogue);

// Keeps the entries whose part reference contains `text`, ASCII letters
// compared without regard to case; an empty text keeps all.
void KeepPartReference(std::string_view text, ProgramCatalogue* catalogue);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_PROGRAM_CATALOGUE_H_
