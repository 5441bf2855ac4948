// GeneratePrograms: the generation of a job's programs, run by the export
// GenerateMachineCodeFile.
//
// One call:
//   1. lowers the SetupIndex of every step of the job by one (permanently:
//      a second call without loading the steps again lowers them again);
//   2. cuts the steps into programs: a program is a run of adjacent steps
//      with equal SetupIndex (steps of one setup that are not adjacent make
//      separate programs);
//   3. for each program, with a program counter from 0 that grows by one
//      for every program, skipped, cancelled or created, so that a program
//      keeps its group number and ".S{K}P{G}" name whatever happened to the
//      programs before it:
//        - more than 25 steps: the control cannot hold it; the operator is
//          told how many steps it has, and it is skipped without a dialog;
//        - no setup of its SetupIndex: the operator is told, and it is
//          skipped without a dialog;
//        - otherwise its dialog runs; "Cancel" skips it; "Create..."
//          finishes it: on success the operator sees 51008 and the host's
//          buffer receives the job's ProgramPath; on failure the operator
//          sees 51010 (error icon) and no further program is offered.
#ifndef BENDPOST_GENERATION_PROGRAM_GENERATOR_H_
#define BENDPOST_GENERATION_PROGRAM_GENERATOR_H_

#include <cstddef>

#include "bendpost/cstring.h"
#include "dialog/job_context.h"
#include "platform/ui.h"

namespace bendpost {

// Size of the host's program path buffer, terminator included.
inline constexpr size_t kHostPathBufferSize = 260;
// The most steps one program (one control file) can hold.
inline constexpr int kMaxProgramSteps = 25;

// Copies `path` with its terminator into the host's buffer of
// kHostPathBufferSize bytes when it fits (at most 259 characters); a longer
// path leaves an empty string and tells the operator through `ui`. A null
// buffer receives nothing. Never writes past the buffer's size.
void CopyProgramPathToHost(const CString& path, char* buffer,
                           UserInterface& ui);

// Runs the generation described above on `context.job`. `programPath` is
// the host's buffer of kHostPathBufferSize bytes, or null. Always true.
// Failures of a program are reported to the operator; the only exceptions
// that leave are those of memory exhaustion and the like (the export
// catches them).
bool GeneratePrograms(const JobContext& context, char* programPath);

}  // namespace bendpost

#endif  // BENDPOST_GENERATION_PROGRAM_GENERATOR_H_
