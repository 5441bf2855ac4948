// The record file writer: one program's record file (formats/record_file.h)
// from the confirmed program header and the program's step list, with each
// step's bend data calculated just before its record is written.
#ifndef BENDPOST_GENERATION_RECORD_FILE_WRITER_H_
#define BENDPOST_GENERATION_RECORD_FILE_WRITER_H_

#include <string>

#include "base/status.h"
#include "bendpost/bendpost.h"
#include "dialog/job_context.h"
#include "dialog/program_header.h"

namespace bendpost {

// Whether the writer calculates the bend data of record `index` (0-based)
// of a program of `step_count` steps: a step of the program's own (the
// final default record never is) whose Mode is 0. Steps of other modes go
// into the file as the job gives them.
bool CalculatesStep(const CPPStepInfo& step, int index, int step_count);

// Writes the record file under header.FileName. `steps` must hold the
// header's RecordCount records (the program's steps and the final default
// step). Converts HeaderThickness and Hardness to their millimetre form
// and trims the four target names in place first; the steps' bend data are
// calculated into `steps`. When the file cannot be opened, shows 51006 and
// fails; any later I/O error fails and deletes the partly written file.
Status WriteRecordFile(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                       const JobContext& context);
// The same, written under `path` instead of FileName.
Status WriteRecordFile(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                       const JobContext& context, const std::string& path);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_RECORD_FILE_WRITER_H_
