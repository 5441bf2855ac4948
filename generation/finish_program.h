// Finishing a confirmed program: record file, staging, control file.
#ifndef BENDPOST_GENERATION_FINISH_PROGRAM_H_
#define BENDPOST_GENERATION_FINISH_PROGRAM_H_

#include "base/status.h"
#include "bendpost/bendpost.h"
#include "dialog/job_context.h"
#include "dialog/program_header.h"

namespace bendpost {

// After "Create...", turns the confirmed header into the control file.
// Normalises ProgramName and PartReference (trailing white space removed,
// upper case), refuses any control type but "BandR" before touching a file,
// stores the serial counter, writes the record file (record_file_writer.h)
// under the staging name (replacing a stale file of that name; never under
// FileName, which may be the control file's own name), converts it into the
// control file and deletes the staging file. Fails with the reason; shows no
// message of its own (the writer may show 51006). No record or staging file is
// left behind by a failure that happened after the write.
Status FinishProgram(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                     const JobContext& context);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_FINISH_PROGRAM_H_
