#include "pages/sheet_model.h"

#include <algorithm>
#include <filesystem>

#include "base/text.h"
#include "bendcalc/bend_warnings.h"
#include "dialog/program_header.h"
#include "dialog/tool_names.h"
#include "documents/job_records.h"
#include "formats/creation_stamp.h"
#include "generation/record_file_writer.h"
#include "generation/step_bend_data.h"
#include "generation/tooling_lookup.h"
#include "pages/html.h"
#include "records/control_type.h"
#include "records/job.h"
#include "records/program_cut.h"
#include "records/record_lookup.h"

namespace bendpost::pages {

using documents::JobFile;

namespace {

std::string ToolNameOf(const CPPStepInfo& step, int slot) {
  char names[6][32] = {};
  step.GetToolID(names);
  return ToolNameFromId(names[slot]).str();
}

// The first tool of the job with this name, as the driver's store finds
// it; a new record when none has it.
CPPTool FindTool(const JobFile& job, const std::string& name) {
  const CPPTool* tool = FindToolNamed(job.tools, CString(name));
  return tool != nullptr ? *tool : CPPTool();
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
  int number = 0;  // 1-based, among the job's programs
  ProgramCut cut;
};

std::vector<JobProgram> JobPrograms(const JobFile& job) {
  std::vector<JobProgram> programs;
  for (const ProgramCut& cut : CutIntoPrograms(job.steps)) {
    programs.push_back({static_cast<int>(programs.size()) + 1, cut});
  }
  return programs;
}

// "" when the program's steps are those of the control file, else what
// differs first.
std::string Mismatch(const JobFile& job, const JobProgram& program,
                     const DecodedControlFile& file) {
  const std::string which = "program " + std::to_string(program.number);
  if (program.cut.step_count != static_cast<int>(file.steps.size())) {
    return which + " of the job has " + std::to_string(program.cut.step_count) +
           " steps, the control file " + std::to_string(file.steps.size());
  }
  for (size_t k = 0; k < file.steps.size(); ++k) {
    const CPPStepInfo& step =
        job.steps[program.cut.first_step + static_cast<int>(k)];
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
        (program.cut.step_count == static_cast<int>(file.steps.size()) &&
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
  for (int k = 0; k < program.cut.step_count; ++k) {
    const std::string name =
        ToolNameOf(job.steps[program.cut.first_step + k], slot);
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

// The setup the generation finds for the program; a new record stands in
// when none has it.
CPPSetup ProgramSetup(const JobFile& job, const JobProgram& program) {
  const CPPSetup* setup =
      FindSetupByKey(job.setups, SetupKeyOf(program.cut.setup_index));
  return setup != nullptr ? *setup : CPPSetup();
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
  view.records = documents::JobRecords(job);
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

// The warning of the generation's own calculation of `step`, step `index`
// of `step_count`, for a step the generation calculates.
void TakeWarning(FileSystem& files, ProgramView& view,
                 const std::string& machine_name, const CPPStepInfo& step,
                 int index, int step_count, SheetStep* row) {
  if (!CalculatesStep(step, index, step_count)) return;
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

// The program's tool slots: the job's names of its steps' tools and the
// control file's names and reversed flags.
std::vector<SheetTool> ToolsOf(const JobFile& job, const JobProgram& program,
                               const ControlFileHeader& h) {
  return {
      {"Punch", HostNames(job, program, tool_slot::kPunch), h.PunchTargetName,
       YesNo(h.PunchReversed)},
      {"Die", HostNames(job, program, tool_slot::kDie), h.DieTargetName,
       YesNo(h.DieReversed)},
      {"Die holder", HostNames(job, program, tool_slot::kDieHolder),
       h.DieHolderTargetName, YesNo(h.DieHolderReversed)},
      {"Spacer", HostNames(job, program, tool_slot::kSpacer),
       h.SpacerTargetName, ""},
  };
}

// The setup's names and its machine's limits (a new record's when the job
// has no machine of that name).
void TakeSetup(const JobFile& job, const CPPSetup& setup, SheetModel& m) {
  CPPSetup program_setup = setup;
  m.setup_name = program_setup.GetSetupName().str();
  m.machine_name = program_setup.GetUserMachineName().str();
  const CPPMachine* machine =
      FindMachineNamed(job.machines, CString(m.machine_name));
  const CPPMachine no_machine;
  const CPPMachine& machine_record = machine ? *machine : no_machine;
  m.machine_tonnage = machine_record.GetTonnage();
  m.max_bending_length = machine_record.GetMaxBendingLength();
}

// One row per step of the control file, with the generation's warning.
void TakeSteps(FileSystem& files, const JobFile& job, const JobProgram& program,
               const DecodedControlFile& file, const CPPSetup& setup,
               SheetModel& m) {
  ProgramView view = ViewOf(job, file.header, setup);
  const int step_count = static_cast<int>(file.steps.size());
  for (int k = 0; k < step_count; ++k) {
    const CPPStepInfo& step = job.steps[program.cut.first_step + k];
    SheetStep row =
        RowOf(job, step, file.steps[static_cast<size_t>(k)], m.machine_tonnage);
    TakeWarning(files, view, m.machine_name, step, k, step_count, &row);
    m.steps.push_back(std::move(row));
  }
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
  m.program_number = program.number;
  const CPPSetup setup = ProgramSetup(job, program);
  TakeSetup(job, setup, m);
  m.tools = ToolsOf(job, program, file.header);
  TakeSteps(files, job, program, file, setup, m);
  return Status::OK();
}

}  // namespace bendpost::pages
