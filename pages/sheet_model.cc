#include "pages/sheet_model.h"

#include <algorithm>
#include <filesystem>

#include "base/text.h"
#include "bendcalc/bend_warnings.h"
#include "dialog/program_header.h"
#include "dialog/tool_names.h"
#include "formats/creation_stamp.h"
#include "generation/step_bend_data.h"
#include "generation/tooling_lookup.h"
#include "host/summary.h"
#include "pages/html.h"
#include "records/control_type.h"
#include "records/job.h"

namespace bendpost::pages {

using documents::JobFile;
using host::CutPrograms;  // FIXME: layer
using host::ProgramRun;

namespace {

std::string ToolNameOf(const CPPStepInfo& step, int slot) {
  char names[6][32] = {};
  step.GetToolID(names);
  return ToolNameFromId(names[slot]).str();
}

// The first tool of the job with this name, as the driver's store finds
// it; a new record when none has it.
CPPTool FindTool(const JobFile& job, const std::string& name) {
  for (int i = 0; i < job.tools.GetSize(); ++i) {
    CPPTool tool = job.tools[i];
    if (tool.GetToolName().str() == name) return tool;
  }
  return CPPTool();
}

// The first machine of the job with this name, read in place (a machine
// record is large); null when none has it. (The records' text getters are
// not const; they only read.)
const CPPMachine* FindMachine(const JobFile& job, const std::string& name) {
  for (int i = 0; i < job.machines.GetSize(); ++i) {
    CPPMachine& machine = const_cast<CPPMachine&>(job.machines[i]);
    if (machine.GetUserMachineName().str() == name) return &job.machines[i];
  }
  return nullptr;
}

// The message lines of a warning code, "" for none.
std::string WarningText(const WarningCodes& warnings) {
  const std::string text = ComposeBendWarnings(0, warnings.data());
  const size_t first_line_end = text.find('\n');
  if (first_line_end == std::string::npos) return std::string();
  std::string lines(TrimRightView(text.substr(first_line_end + 1)));
  std::replace(lines.begin(), lines.end(), '\n', ' ');
  return lines;
}

struct JobProgram {
  ProgramRun run;
  int first_step = 0;  // index into the job's steps
};

std::vector<JobProgram> JobPrograms(const JobFile& job) {
  std::vector<JobProgram> programs;
  int first = 0;
  for (const ProgramRun& run : CutPrograms(job)) {
    programs.push_back({run, first});
    first += run.steps;
  }
  return programs;
}

// "" when the program's steps are those of the control file, else what
// differs first.
std::string Mismatch(const JobFile& job, const JobProgram& program,
                     const DecodedControlFile& file) {
  const std::string which = "program " + std::to_string(program.run.number);
  if (program.run.steps != static_cast<int>(file.steps.size())) {
    return which + " of the job has " + std::to_string(program.run.steps) +
           " steps, the control file " + std::to_string(file.steps.size());
  }
  for (size_t k = 0; k < file.steps.size(); ++k) {
    const CPPStepInfo& step =
        job.steps[program.first_step + static_cast<int>(k)];
    const ControlFileStep& s = file.steps[k];
    const std::string at = which + " step " + std::to_string(k + 1) + ": ";
    if (step.GetSequenceOrder() != s.SequenceOrder) {
      return at + "sequence order " + std::to_string(step.GetSequenceOrder()) +
             " in the job, " + std::to_string(s.SequenceOrder) +
             " in the control file";
    }
    if (step.GetBendLength() != s.BendLength) {
      return at + "bend length " + std::to_string(step.GetBendLength()) +
             " mm in the job, " + std::to_string(s.BendLength) +
             " mm in the control file";
    }
  }
  return std::string();
}

// The job's program the file was made from, or the reason there is none.
Status FindProgram(const JobFile& job, const DecodedControlFile& file,
                   std::optional<int> number, JobProgram* found) {
  const std::vector<JobProgram> programs = JobPrograms(job);
  if (number) {
    if (*number < 1 || *number > static_cast<int>(programs.size())) {
      return Status::Error("the job has no program " + std::to_string(*number));
    }
    *found = programs[static_cast<size_t>(*number - 1)];
    const std::string why = Mismatch(job, *found, file);
    if (!why.empty()) return Status::Error("the job does not match: " + why);
    return Status::OK();
  }
  std::string first_reason;
  for (const JobProgram& program : programs) {
    const std::string why = Mismatch(job, program, file);
    if (why.empty()) {
      *found = program;
      return Status::OK();
    }
    // A program of the right length says more than one of another length.
    if (first_reason.empty() ||
        (program.run.steps == static_cast<int>(file.steps.size()) &&
         first_reason.find(" steps, ") != std::string::npos)) {
      first_reason = why;
    }
  }
  if (programs.empty()) return Status::Error("the job has no steps");
  return Status::Error("the job does not match: " + first_reason);
}

// The distinct host names of the tools in `slot` over the program's steps.
std::string HostNames(const JobFile& job, const JobProgram& program, int slot) {
  std::vector<std::string> names;
  for (int k = 0; k < program.run.steps; ++k) {
    const std::string name =
        ToolNameOf(job.steps[program.first_step + k], slot);
    if (!name.empty() &&
        std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(name);
    }
  }
  std::string text;
  for (const std::string& name : names) {
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

std::string YesNo(uint8_t flag) { return flag != 0 ? "yes" : "no"; }

// The generation lowers the steps' setup index by one and takes the first
// setup with that index; a new record stands in when none has it.
CPPSetup ProgramSetup(const JobFile& job, const JobProgram& program) {
  for (int i = 0; i < job.setups.GetSize(); ++i) {
    if (job.setups[i].GetSetupIndex() == program.run.setup_index - 1) {
      return job.setups[i];
    }
  }
  return CPPSetup();
}

// The generation's view of the program: its header values as the control
// file holds them, its setup, the job's tools, machines and data folder.
struct ProgramView {
  ProgramHeader header;
  CPPSetup setup;
  bendpost::Job records;
};

ProgramView ViewOf(const JobFile& job, const ControlFileHeader& h,
                   const CPPSetup& setup) {
  ProgramView view;
  view.setup = setup;
  view.header.Control = ControlTypeOf(view.setup.GetControlType());
  view.header.MaterialNumber = h.MaterialNumber;
  view.header.HeaderThickness = h.HeaderThickness;
  view.header.Hardness = h.Hardness;
  view.records.Tools = job.tools;
  view.records.Machines = job.machines;
  view.records.Setups = job.setups;
  view.records.DataPath = CString(job.data_path);
  return view;
}

// The row of one step: the control file's values, the geometry and force
// limits of the job's tools.
SheetStep RowOf(const JobFile& job, const CPPStepInfo& step,
                const ControlFileStep& values, double machine_tonnage) {
  const CPPTool punch = FindTool(job, ToolNameOf(step, tool_slot::kPunch));
  const CPPTool die = FindTool(job, ToolNameOf(step, tool_slot::kDie));
  SheetStep row;
  row.step = values;
  row.v_width = die.GetVWidth();
  row.die_angle = die.GetAngle();
  row.die_radius = die.GetRadius();
  row.punch_radius = punch.GetTipRadius();
  row.punch_angle = punch.GetTipAngle();
  const double metres = step.GetBendLength() * 0.001;
  row.machine_tons = machine_tonnage;
  const double punch_limit = punch.GetPunchResistance() * metres;
  const double die_limit = die.GetDieResistance() * metres;
  row.tool_limit_tons = std::min(punch_limit, die_limit);
  return row;
}

// The warning of the generation's own calculation of `step`, which
// calculates only the steps of mode 0.
void TakeWarning(FileSystem& files, ProgramView& view,
                 const std::string& machine_name, const CPPStepInfo& step,
                 SheetStep* row) {
  if (step.GetMode() != 0) return;
  BendMaterialData material;
  BendMachineData machine_data;
  GatherMaterialData(view.header, view.records, step, material);
  GatherMachineData(view.header, view.records, view.setup, step, machine_data);
  const StepBendData data = CalculateStepBendData(
      files, view.records.DataPath, material, machine_data, step.GetOffset(),
      view.records.MachineNamed(CString(machine_name)));
  row->warning_text = WarningText(data.warnings);
  if (!row->warning_text.empty()) row->warning = data.warnings[0];
}

}  // namespace

Status BuildSheetModel(FileSystem& files, const std::string& path,
                       const std::string& bytes, const JobFile& job,
                       std::optional<int> program_number, SheetModel* model) {
  *model = SheetModel();
  DecodedControlFile file;
  if (Status s = DecodeControlFile(bytes, &file); !s.ok()) return s;
  JobProgram program;
  if (Status s = FindProgram(job, file, program_number, &program); !s.ok())
    return s;

  SheetModel& m = *model;
  m.control_file_name = std::filesystem::path(path).filename().string();
  m.control_file_size = bytes.size();
  m.header = file.header;
  m.created = CreationDate(file.header.CreationStamp);
  m.inch = job.unit == 1;
  m.program_number = program.run.number;
  CPPSetup setup = ProgramSetup(job, program);
  m.setup_name = setup.GetSetupName().str();
  m.machine_name = setup.GetUserMachineName().str();
  const CPPMachine* machine = FindMachine(job, m.machine_name);
  const CPPMachine no_machine;
  const CPPMachine& machine_record = machine ? *machine : no_machine;
  m.machine_tonnage = machine_record.GetTonnage();
  m.max_bending_length = machine_record.GetMaxBendingLength();

  const ControlFileHeader& h = file.header;
  m.tools = {
      {"Punch", HostNames(job, program, tool_slot::kPunch), h.PunchTargetName,
       YesNo(h.PunchReversed)},
      {"Die", HostNames(job, program, tool_slot::kDie), h.DieTargetName,
       YesNo(h.DieReversed)},
      {"Die holder", HostNames(job, program, tool_slot::kDieHolder),
       h.DieHolderTargetName, YesNo(h.DieHolderReversed)},
      {"Spacer", HostNames(job, program, tool_slot::kSpacer),
       h.SpacerTargetName, ""},
  };

  ProgramView view = ViewOf(job, h, setup);
  for (size_t k = 0; k < file.steps.size(); ++k) {
    const CPPStepInfo& step =
        job.steps[program.first_step + static_cast<int>(k)];
    SheetStep row = RowOf(job, step, file.steps[k], m.machine_tonnage);
    TakeWarning(files, view, m.machine_name, step, &row);
    m.steps.push_back(std::move(row));
  }
  return Status::OK();
}

}  // namespace bendpost::pages
