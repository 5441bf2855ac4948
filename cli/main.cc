// bendpost: the command-line host of the driver.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/calc_command.h"
#include "cli/command_io.h"
#include "cli/console.h"
#include "cli/decode_command.h"
#include "cli/driver_calls.h"
#include "cli/generate_command.h"
#include "cli/material_command.h"
#include "cli/tools_command.h"

namespace {

using namespace bendpost::cli;

}  // namespace

int main(int argc, char** argv) {
  PrepareStandardStreams();
  CommandIo io{std::cin, std::cout, std::cerr, StandardInputIsTerminal()};

  CLI::App app{
      "bendpost: press brake programs from a job file, and the tools around "
      "them (control files, bend calculations, material data, tool tables)."};
  app.set_version_flag("--version",
                       std::string("bendpost ") + BENDPOST_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit codes: 0 done; 1 done, but not everything (a program not "
      "created, problems in a file, findings); 2 bad options or input.");

  // generate
  GenerateOptions generate;
  CLI::App* gen = app.add_subcommand(
      "generate",
      "Generate the programs of a job: the host's calling sequence on the "
      "driver, with the program dialog for every program.");
  gen->add_option("JOB", generate.job_path, "the job file (JSON)")->required();
  gen->add_option("--out", generate.out_dir,
                  "the program folder (replaces the folder of the job's "
                  "ProgramPath; made if missing)");
  gen->add_flag("--yes", generate.yes,
                "confirm every dialog with its defaults");
  gen->add_option("--answers", generate.answers_path,
                  "dialog answers (JSON), one object per dialog");
  gen->add_option("--date", generate.date,
                  "YYYY-MM-DD: the date for program names and creation dates");
  gen->add_option("--settings", generate.settings_dir,
                  "folder of the per-user serial counter (default: the "
                  "user's store: the registry on Windows, "
                  "$XDG_CONFIG_HOME/bendpost/registry elsewhere)");
  gen->add_option("--data", generate.data_dir,
                  "folder of the material data files (replaces the job's "
                  "DataPath)");
  gen->add_flag("--json", generate.json, "print the summary as JSON");
  gen->add_flag("--interactive", generate.interactive,
                "use the terminal dialog even when the input is not a "
                "terminal");

  // inspect
  InspectOptions inspect;
  CLI::App* insp = app.add_subcommand(
      "inspect",
      "Show what a control file (12,664 bytes) or a record file "
      "holds.");
  insp->add_option("FILE", inspect.path, "the file")->required();
  insp->add_flag("--json", inspect.json, "every field of every block as JSON");
  insp->add_flag("--raw", inspect.raw, "add every field with its offset");

  // calc
  CalcOptions calc;
  CLI::App* calc_app = app.add_subcommand(
      "calc",
      "One bend calculation with the driver's calculator: depth, "
      "force, tonnage and warning.");
  calc_app
      ->add_option("--data", calc.data_dir,
                   "folder of the material data files f_1..f_4")
      ->capture_default_str();
  struct Named {
    const char* name;
    double* value;
    const char* help;
    bool required;
  };
  const Named named[] = {
      {"--material", &calc.material, "material number 1..4 (0: none)", true},
      {"--thickness", &calc.thickness, "sheet thickness, mm", true},
      {"--v-width", &calc.v_width, "die V width, mm", true},
      {"--die-angle", &calc.die_angle, "die angle, degrees", true},
      {"--die-radius", &calc.die_radius, "die radius, mm (default 0)", false},
      {"--length", &calc.length_mm, "bend length, mm", true},
      {"--strength", &calc.strength, "tensile strength (the hardness)", true},
      {"--angle", &calc.angle, "bend angle, degrees", true},
      {"--tonnage", &calc.tonnage, "machine tonnage", true},
      {"--min-tonnage", &calc.min_tonnage,
       "machine minimum tonnage (default 0)", false},
      {"--max-length", &calc.max_length, "machine maximum bending length, mm",
       true},
      {"--frame-tightness", &calc.frame_tightness,
       "machine frame tightness (default 0)", false},
      {"--bending-coefficient", &calc.bending_coefficient,
       "setup bending coefficient (default 0)", false},
      {"--punch-resistance", &calc.punch_resistance,
       "punch resistance, tons per metre", true},
      {"--die-resistance", &calc.die_resistance,
       "die resistance, tons per metre", true},
      {"--offset", &calc.offset,
       "the bend's offset from the machine centre, mm (default 0)", false},
  };
  std::vector<std::pair<const Named*, CLI::Option*>> calc_options;
  for (const Named& n : named) {
    calc_options.emplace_back(&n,
                              calc_app->add_option(n.name, *n.value, n.help));
  }
  calc_app
      ->add_option("--frame-flag", calc.frame_flag,
                   "1 adds the frame term to the depth (default 0; the "
                   "driver gives 0 for the Operateur and BandR controls)")
      ->check(CLI::IsMember({0, 1}));
  calc_app->add_flag("--json", calc.json,
                     "print {\"depth\", \"force\", \"tonnage\", \"warning\"}");
  calc_app->add_flag("--batch", calc.batch,
                     "read JSON lines {\"data\", \"material\": [8], "
                     "\"machine\": [8], \"offset\"} from stdin, write one "
                     "result line each");

  // material
  CLI::App* material =
      app.add_subcommand("material", "Material data files: build, show, plot.");
  material->require_subcommand(1);
  std::string material_in, material_out;
  bool material_json = false;
  CLI::App* build = material->add_subcommand(
      "build", "Build a material data file from its description (JSON).");
  build->add_option("DESC", material_in, "the description")->required();
  build->add_option("-o,--output", material_out, "the material data file")
      ->required();
  CLI::App* show =
      material->add_subcommand("show", "Show a material data file's models.");
  show->add_option("FILE", material_in, "the material data file")->required();
  show->add_flag("--json", material_json,
                 "print the description (input of build)");
  CLI::App* plot = material->add_subcommand(
      "plot", "Chart each model over the bend angle for several V/T ratios.");
  plot->add_option("FILE", material_in, "the material data file")->required();
  plot->add_option("-o,--output", material_out, "the chart (SVG)")->required();

  // tools
  CLI::App* tools = app.add_subcommand(
      "tools", "Tool name conversion tables: check, convert.");
  tools->require_subcommand(1);
  std::string table, tool_name, tools_job;
  bool sectional = false;
  CLI::App* check = tools->add_subcommand(
      "check",
      "Report table lines that never match or are never read, "
      "targets too long for the control, and, with a job, tools "
      "without an entry.");
  check->add_option("TABLE", table, "the conversion table")->required();
  check->add_option("--job", tools_job, "a job file whose tools to look up");
  CLI::App* convert = tools->add_subcommand(
      "convert", "Print the control's name the driver would use for a tool.");
  convert->add_option("TABLE", table, "the conversion table")->required();
  convert->add_option("NAME", tool_name, "the host's tool name")->required();
  convert->add_flag("--sectional", sectional, "the tool is sectional");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }

  if (gen->parsed()) return RunGenerate(generate, io, RealDriverCalls());
  if (insp->parsed()) return RunInspect(inspect, io);
  if (calc_app->parsed()) {
    if (!calc.batch) {
      std::string missing;
      for (const auto& [n, option] : calc_options) {
        if (n->required && option->count() == 0)
          missing += " " + std::string(n->name);
      }
      if (!missing.empty()) {
        std::cerr << "bendpost calc: missing" << missing
                  << " (or give --batch)\n";
        return kExitUsage;
      }
    }
    return RunCalc(calc, io);
  }
  if (build->parsed()) return RunMaterialBuild(material_in, material_out, io);
  if (show->parsed()) return RunMaterialShow(material_in, material_json, io);
  if (plot->parsed()) return RunMaterialPlot(material_in, material_out, io);
  if (check->parsed()) return RunToolsCheck(table, tools_job, io);
  if (convert->parsed())
    return RunToolsConvert(table, tool_name, sectional, io);
  return kExitUsage;
}
