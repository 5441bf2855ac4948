#include "cli/calc_command.h"

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "base/numeric.h"
#include "base/text.h"
#include "bendcalc/bend_calculator.h"
#include "bendcalc/bend_warnings.h"
#include "documents/json_text.h"
#include "documents/program_json.h"
#include "generation/step_bend_data.h"

namespace bendpost::cli {

using documents::FloatToJson;
using documents::ordered_json;
using documents::ParseJsonText;
using documents::Problem;

namespace {

// x 10 on a 32-bit value, as the tooling lookup scales forces.
float ScaleByTen(double value) {
  const float narrowed = static_cast<float>(value);
  return narrowed * 10.0f;
}

// The message of a warning code ("" for none).
std::string WarningText(int code) {
  WarningCodes codes{};
  codes[0] = code;
  const std::string text = ComposeBendWarnings(0, codes.data());
  const size_t first_line_end = text.find('\n');
  if (first_line_end == std::string::npos) return std::string();
  return std::string(TrimRightView(text.substr(first_line_end + 1)));
}

bool ReadBlock(const nlohmann::json& j, float (&values)[8]) {
  if (!j.is_array() || j.size() != 8) return false;
  for (size_t i = 0; i < 8; ++i) {
    if (!j[i].is_number()) return false;
    values[i] = static_cast<float>(j[i].get<double>());
  }
  return true;
}

// calc's numeric options: all but the defaulted ones are required, unless
// the values come line by line (--batch).
struct CalcNumber {
  const char* name;
  double CalcOptions::*value;
  const char* help;
  bool required;
};
constexpr CalcNumber kCalcNumbers[] = {
    {"--material", &CalcOptions::material, "material number 1..4 (0: none)",
     true},
    {"--thickness", &CalcOptions::thickness, "sheet thickness, mm", true},
    {"--v-width", &CalcOptions::v_width, "die V width, mm", true},
    {"--die-angle", &CalcOptions::die_angle, "die angle, degrees", true},
    {"--die-radius", &CalcOptions::die_radius, "die radius, mm (default 0)",
     false},
    {"--length", &CalcOptions::length_mm, "bend length, mm", true},
    {"--strength", &CalcOptions::strength, "tensile strength (the hardness)",
     true},
    {"--angle", &CalcOptions::angle, "bend angle, degrees", true},
    {"--tonnage", &CalcOptions::tonnage, "machine tonnage", true},
    {"--min-tonnage", &CalcOptions::min_tonnage,
     "machine minimum tonnage (default 0)", false},
    {"--max-length", &CalcOptions::max_length,
     "machine maximum bending length, mm", true},
    {"--frame-tightness", &CalcOptions::frame_tightness,
     "machine frame tightness (default 0)", false},
    {"--bending-coefficient", &CalcOptions::bending_coefficient,
     "setup bending coefficient (default 0)", false},
    {"--punch-resistance", &CalcOptions::punch_resistance,
     "punch resistance, tons per metre", true},
    {"--die-resistance", &CalcOptions::die_resistance,
     "die resistance, tons per metre", true},
    {"--offset", &CalcOptions::offset,
     "the bend's offset from the machine centre, mm (default 0)", false},
};

struct CalcCommand {
  CalcOptions options;
  std::vector<std::pair<const CalcNumber*, CLI::Option*>> numbers;

  // The required numbers not given, each after a space ("" for none).
  std::string Missing() const {
    std::string missing;
    for (const auto& [n, option] : numbers) {
      if (n->required && option->count() == 0)
        missing += " " + std::string(n->name);
    }
    return missing;
  }
};

}  // namespace

Runner SetUpCalc(CLI::App& calc_app, Services& services) {
  auto calc = std::make_shared<CalcCommand>();
  calc_app
      .add_option("--data", calc->options.data_dir,
                  "folder of the material data files f_1..f_4")
      ->capture_default_str();
  for (const CalcNumber& n : kCalcNumbers) {
    calc->numbers.emplace_back(
        &n, calc_app.add_option(n.name, calc->options.*n.value, n.help));
  }
  calc_app
      .add_option("--frame-flag", calc->options.frame_flag,
                  "1 adds the frame term to the depth (default 0; the "
                  "driver gives 0 for the Operateur and BandR controls)")
      ->check(CLI::IsMember({0, 1}));
  calc_app.add_flag("--json", calc->options.json,
                    "print {\"depth\", \"force\", \"tonnage\", \"warning\"}");
  calc_app.add_flag("--batch", calc->options.batch,
                    "read JSON lines {\"data\", \"material\": [8], "
                    "\"machine\": [8], \"offset\"} from stdin, write one "
                    "result line each");
  return [calc, &services](CommandIo& io) {
    if (!calc->options.batch) {
      if (const std::string missing = calc->Missing(); !missing.empty()) {
        io.err << "bendpost calc: missing" << missing << " (or give --batch)\n";
        return kExitUsage;
      }
    }
    return RunCalc(services.files, calc->options, io);
  };
}

CalcOutcome CalculateStep(FileSystem& files, const std::string& data_dir,
                          const BendMaterialData& material,
                          const BendMachineData& machine, float offset) {
  // The generation's own calculation, on the machine of the block's
  // maximum bending length.
  const StepBendData data =
      CalculateStepBendData(files, CString(data_dir), material, machine, offset,
                            machine.MaxBendingLength);
  CalcOutcome outcome;
  outcome.depth = data.depth;
  outcome.force = data.force;
  outcome.tonnage = data.tonnage;
  outcome.warning = data.warnings[0];
  if (WarningText(outcome.warning).empty()) outcome.warning = 0;
  return outcome;
}

BendMaterialData MaterialBlock(const CalcOptions& o) {
  BendMaterialData m;
  m.MaterialNumber = static_cast<float>(o.material);
  m.Thickness = static_cast<float>(o.thickness);
  m.VWidth = static_cast<float>(o.v_width);
  m.DieAngle = static_cast<float>(o.die_angle);
  m.DieRadius = static_cast<float>(o.die_radius);
  m.BendLength = static_cast<float>(o.length_mm * 0.001);
  m.TensileStrength = static_cast<float>(o.strength);
  m.BendAngle = static_cast<float>(o.angle);
  return m;
}

BendMachineData MachineBlock(const CalcOptions& o) {
  BendMachineData m;
  m.FrameFlag = static_cast<float>(o.frame_flag);
  m.FrameTightness = static_cast<float>(o.frame_tightness);
  m.MaxTonnage = ScaleByTen(o.tonnage);
  m.MinTonnage = ScaleByTen(o.min_tonnage);
  m.MaxBendingLength = static_cast<float>(o.max_length);
  m.BendingCoefficient = static_cast<float>(o.bending_coefficient);
  m.PunchLimit = ScaleByTen(o.punch_resistance);
  m.DieLimit = ScaleByTen(o.die_resistance);
  return m;
}

std::string CalcOutcomeJson(const CalcOutcome& outcome) {
  ordered_json j = ordered_json::object();
  j["depth"] = FloatToJson(outcome.depth);
  j["force"] = FloatToJson(outcome.force);
  j["tonnage"] = FloatToJson(outcome.tonnage);
  j["warning"] = outcome.warning;
  return j.dump();
}

bool CalcBatchLine(FileSystem& files, const std::string& line,
                   const std::string& default_data, std::string* result) {
  auto error = [&](const std::string& what) {
    *result = nlohmann::json({{"error", what}}).dump();
    return false;
  };
  nlohmann::json j;
  std::vector<Problem> problems;
  if (!ParseJsonText(line, &j, &problems)) {
    return error(problems.empty() ? "not JSON" : problems[0].text);
  }
  if (!j.is_object()) return error("expected a JSON object");
  for (const auto& [key, value] : j.items()) {
    if (key != "data" && key != "material" && key != "machine" &&
        key != "offset") {
      return error("unknown field \"" + key + "\"");
    }
  }
  std::string data = default_data;
  if (j.contains("data")) {
    if (!j["data"].is_string()) return error("\"data\" must be a string");
    data = j["data"].get<std::string>();
  }
  float material[8];
  float machine[8];
  if (!j.contains("material") || !ReadBlock(j["material"], material)) {
    return error("\"material\" must be an array of 8 numbers");
  }
  if (!j.contains("machine") || !ReadBlock(j["machine"], machine)) {
    return error("\"machine\" must be an array of 8 numbers");
  }
  float offset = 0;
  if (j.contains("offset")) {
    if (!j["offset"].is_number()) return error("\"offset\" must be a number");
    offset = static_cast<float>(j["offset"].get<double>());
  }
  *result = CalcOutcomeJson(
      CalculateStep(files, data, BendMaterialData::FromArray(material),
                    BendMachineData::FromArray(machine), offset));
  return true;
}

int RunCalc(FileSystem& files, const CalcOptions& options, CommandIo& io) {
  if (options.batch) {
    int exit_code = kExitOk;
    std::string line;
    while (std::getline(io.in, line)) {
      if (TrimView(line).empty()) continue;
      std::string result;
      if (!CalcBatchLine(files, line, options.data_dir, &result)) {
        exit_code = kExitIncomplete;
      }
      io.out << result << "\n";
      io.out.flush();
    }
    return exit_code;
  }

  const BendMaterialData material = MaterialBlock(options);
  const BendMachineData machine = MachineBlock(options);
  const CalcOutcome outcome =
      CalculateStep(files, options.data_dir, material, machine,
                    static_cast<float>(options.offset));
  if (options.json) {
    io.out << CalcOutcomeJson(outcome) << "\n";
    return kExitOk;
  }
  const std::string warning = WarningText(outcome.warning);
  io.out << "depth    " << FormatFloat(outcome.depth)
         << " mm  (Y1 = Y2 = " << FormatFloat(-outcome.depth) << ")\n";
  io.out << "force    " << FormatFloat(outcome.force) << "\n";
  io.out << "tonnage  " << FormatFloat(outcome.tonnage)
         << "  (the program holds " << TruncToInt16Bits(outcome.tonnage)
         << ")\n";
  io.out << "warning  " << outcome.warning << "  "
         << (warning.empty() ? "(none)" : warning) << "\n";
  const int n = TruncToInt32(material.MaterialNumber);
  if (n >= 1 && n <= 4) {
    BendCalculator names{files, CString(options.data_dir)};
    if (!files.Exists(names.FileName(n).str())) {
      io.err << "note: there is no material data file "
             << names.FileName(n).str() << " (see --data)\n";
    }
  }
  return kExitOk;
}

}  // namespace bendpost::cli
