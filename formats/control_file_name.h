// Where a program's control file goes: the rule the conversion names the
// file by, for the converter that writes it and for everyone who has to
// tell afterwards where it went (the host's summary), from the program's
// working file name and its name as the operator confirmed it.
#ifndef BENDPOST_FORMATS_CONTROL_FILE_NAME_H_
#define BENDPOST_FORMATS_CONTROL_FILE_NAME_H_

#include <string>
#include <string_view>

namespace bendpost {

// A name the operator confirmed as the control shows it: trailing white
// space removed, ASCII capitals. The generation stores ProgramName and
// PartReference this way before it writes the record file.
std::string ControlShownName(std::string_view confirmed);

// The ProgramName a control file holds when its record file was written
// with `record_name`: the record file keeps 6 bytes of it (cut, padded with
// spaces, a 0 byte stored as a space) and the conversion takes them as the
// record file holds them.
std::string ControlProgramName(std::string_view record_name);

// The control file's full name: folder + prefix + name + extension, where
//   prefix    = `prefix_digit` as an unsigned decimal number;
//   name      = `program_name` (as the control file holds it) with white
//               space removed at both ends;
//   folder    = target up to and including the separator where the
//               platform's folder part ends (FolderEnd, platform/path.h: on
//               POSIX the last "/", a "\" being part of a name; on Windows
//               the last "\" when that is after the first character, else
//               the last "/"), else empty;
//   extension = target from its last "." to the end, but only when that "."
//               comes after the last "\" or "/" (so a "." in a folder name is
//               never taken); else empty.
// On Windows C:\Jobs\P1.NMB, prefix 2 and "AB    " give C:\Jobs\2AB.NMB.
std::string ControlFileName(const std::string& target, unsigned prefix_digit,
                            std::string_view program_name);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_CONTROL_FILE_NAME_H_
