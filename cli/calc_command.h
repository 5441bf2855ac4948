// `bendpost calc`: one bend calculation with the driver's own calculator,
// as the driver makes it for a step of a program: the depth and force of
// the calculation, then the tonnage corrected for an off-centre bend, then
// the warning the operator would see (the minimum-tonnage warning is
// withdrawn when the corrected tonnage reaches the minimum).
//
// Named options give the values as the job's records hold them (machine
// tonnages and tool resistances in tons, the bend length in millimetres);
// they are put into the calculation's two blocks as the driver's tooling
// lookup does (x 10 for forces, x 0.001 for the length). --batch instead
// reads the two blocks as they are, one JSON object per input line.
#ifndef BENDPOST_CLI_CALC_COMMAND_H_
#define BENDPOST_CLI_CALC_COMMAND_H_

#include <nlohmann/json.hpp>
#include <string>

#include "bendcalc/bend_data.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "platform/file.h"

namespace bendpost::cli {

struct CalcOptions {
  std::string data_dir = ".";
  // Material and step.
  double material = 0;
  double thickness = 0;
  double v_width = 0;
  double die_angle = 0;
  double die_radius = 0;
  double length_mm = 0;
  double strength = 0;
  double angle = 0;
  // Machine, setup and tools.
  double tonnage = 0;
  double min_tonnage = 0;
  double max_length = 0;
  double frame_tightness = 0;
  double bending_coefficient = 0;
  double punch_resistance = 0;
  double die_resistance = 0;
  int frame_flag = 0;
  // The step's offset from the machine centre, millimetres.
  double offset = 0;
  bool json = false;
  bool batch = false;
};

struct CalcOutcome {
  float depth = 0;    // as the calculation returned it
  float force = 0;    // as the calculation returned it
  float tonnage = 0;  // after the off-centre correction
  int warning = 0;    // after the withdrawal rule; 0 for none
};

// The calculation of one step, as the driver makes it.
CalcOutcome CalculateStep(FileSystem& files, const std::string& data_dir,
                          const BendMaterialData& material,
                          const BendMachineData& machine, float offset);

// The blocks of the named options.
BendMaterialData MaterialBlock(const CalcOptions& options);
BendMachineData MachineBlock(const CalcOptions& options);

// {"depth": ..., "force": ..., "tonnage": ..., "warning": ...}; the
// numbers read back as the same 32-bit floats.
std::string CalcOutcomeJson(const CalcOutcome& outcome);

// Declares the options of `calc` on `command`. Its runner refuses a
// command line without every required number unless --batch is given.
Runner SetUpCalc(CLI::App& command, Services& services);

int RunCalc(FileSystem& files, const CalcOptions& options, CommandIo& io);

// One line of --batch: the result line, or {"error": ...}. False for an
// error.
bool CalcBatchLine(FileSystem& files, const std::string& line,
                   const std::string& default_data, std::string* result);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_CALC_COMMAND_H_
