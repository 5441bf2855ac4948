// What the setup sheet of one program shows, gathered from the program's
// control file (what the machine receives) and the job it was made from
// (tools, machine, setup): every number on the sheet comes from one of the
// two, and each step's warning from the driver's own calculation of that
// step (generation/step_bend_data.h), run with the control file's header
// values and the job's records as the generation gathers them.
//
// The control file's hardness is a whole number; the generation's
// calculation used the header's hardness before rounding, which in an inch
// job differs from it by less than 0.5. The sheet's calculation uses the
// whole number, so only a step within that margin of a force limit can get
// a different warning.
#ifndef BENDPOST_PAGES_SHEET_MODEL_H_
#define BENDPOST_PAGES_SHEET_MODEL_H_

#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "documents/job_file.h"
#include "formats/control_file.h"
#include "platform/file.h"

namespace bendpost::pages {

using documents::JobFile;

// A tool slot of the program: the host's names of the tools its steps use
// in that slot (usually one), the control's name from the control file and
// the reversed flag ("" where the control file has none, as for the
// spacer).
struct SheetTool {
  std::string role;        // "Punch", "Die", "Die holder", "Spacer"
  std::string host_names;  // ", "-separated; "" for none
  std::string control_name;
  std::string reversed;  // "yes", "no" or ""
};

struct SheetStep {
  ControlFileStep step;  // as the control file holds it
  // From the job's tools of this step (0 when the job has no such tool).
  double v_width = 0, die_angle = 0, die_radius = 0;
  double punch_radius = 0, punch_angle = 0;
  // Force limits for this step's bend length, in tons: the machine's
  // tonnage and the weaker of punch and die resistance x length (0: none).
  double machine_tons = 0, tool_limit_tons = 0;
  int warning = 0;           // the calculation's code, 0 for none
  std::string warning_text;  // its message, "" for none
};

struct SheetModel {
  std::string control_file_name;  // the file's name, without folders
  size_t control_file_size = 0;
  ControlFileHeader header;
  // The header's creation date as "yy-mm-dd"; "" for a stamp that holds
  // no date.
  std::string created;
  bool inch = false;       // the job's unit: lengths get inches beside them
  bool preview = false;    // of a control file made by a preview run only
  int program_number = 0;  // 1-based, among the job's programs
  std::string setup_name, machine_name;
  double machine_tonnage = 0, max_bending_length = 0;
  std::vector<SheetTool> tools;
  std::vector<SheetStep> steps;
};

// Builds the sheet of the control file `bytes` (read from `path`) made
// from `job`; the calculation reads the material data files through
// `files`. `program_number` (1-based) names the job's program the file
// was made from; without it the program is found by its steps (count,
// sequence order and bend length of each). Fails with a message for a file
// that is not a sound control file, and for a job that has no program
// matching it, saying what does not match.
Status BuildSheetModel(FileSystem& files, const std::string& path,
                       const std::string& bytes, const JobFile& job,
                       std::optional<int> program_number, SheetModel* model);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_SHEET_MODEL_H_
