// JobContext: what the generation of a job's programs works with, passed
// down from the export (driver/exports.cc) or a host that composes its own:
// the job and the four platform services. Nothing below the exports looks
// up the job store or the platform's defaults; it uses what it is given.
#ifndef BENDPOST_DIALOG_JOB_CONTEXT_H_
#define BENDPOST_DIALOG_JOB_CONTEXT_H_

#include "platform/clock.h"
#include "platform/file.h"
#include "platform/settings_store.h"
#include "platform/ui.h"
#include "records/job.h"

namespace bendpost {

struct JobContext {
  Job& job;
  FileSystem& files;
  Clock& clock;
  SettingsStore& settings;
  UserInterface& ui;
};

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_JOB_CONTEXT_H_
