// bendpost: the command-line host of the driver.
//
// One table of commands: each names itself, says what it does and sets up
// its options, giving back what runs it once the command line is parsed.
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "cli/calc_command.h"
#include "cli/command_io.h"
#include "cli/console.h"
#include "cli/diff_command.h"
#include "cli/generate_command.h"
#include "cli/inspect_command.h"
#include "cli/list_command.h"
#include "cli/material_command.h"
#include "cli/sheet_command.h"
#include "cli/tools_command.h"
#include "host/driver_calls.h"
#include "pages/bending_chart.h"

namespace {

using namespace bendpost::cli;
using bendpost::host::RealDriverCalls;

// Runs a parsed command; returns its exit code.
using Runner = std::function<int(CommandIo&)>;

Runner SetUpGenerate(CLI::App& gen) {
  auto generate = std::make_shared<GenerateOptions>();
  gen.add_option("JOB", generate->job_path, "the job file (JSON)")->required();
  gen.add_option("--out", generate->out_dir,
                 "the program folder (replaces the folder of the job's "
                 "ProgramPath; made if missing)");
  gen.add_flag("--yes", generate->yes,
               "confirm every dialog with its defaults");
  gen.add_option("--answers", generate->answers_path,
                 "dialog answers (JSON), one object per dialog");
  gen.add_option("--date", generate->date,
                 "YYYY-MM-DD: the date for program names and creation dates");
  gen.add_option("--settings", generate->settings_dir,
                 "folder of the per-user serial counter (default: the "
                 "user's store: the registry on Windows, "
                 "$XDG_CONFIG_HOME/bendpost/registry elsewhere)");
  gen.add_option("--data", generate->data_dir,
                 "folder of the material data files (replaces the job's "
                 "DataPath)");
  gen.add_flag("--json", generate->json, "print the summary as JSON");
  gen.add_flag("--sheet", generate->sheet,
               "write each created program's setup sheet beside its "
               "control file (extension .html)");
  gen.add_flag("--interactive", generate->interactive,
               "use the terminal dialog even when the input is not a "
               "terminal");
  return [generate](CommandIo& io) {
    return RunGenerate(*generate, io, RealDriverCalls());
  };
}

Runner SetUpInspect(CLI::App& insp) {
  auto inspect = std::make_shared<InspectOptions>();
  insp.add_option("FILE", inspect->path, "the file")->required();
  insp.add_flag("--json", inspect->json, "every field of every block as JSON");
  insp.add_flag("--raw", inspect->raw, "add every field with its offset");
  return [inspect](CommandIo& io) { return RunInspect(*inspect, io); };
}

Runner SetUpList(CLI::App& list_app) {
  auto list = std::make_shared<ListOptions>();
  list_app.add_option("FOLDER", list->folder, "the program folder")->required();
  list_app.add_option("--part", list->part,
                      "only part references containing TEXT (case ignored)");
  list_app.add_flag("--json", list->json, "the rows as a JSON array");
  list_app.add_option("--html", list->html_path,
                      "also write the list as a page (HTML)");
  return [list](CommandIo& io) {
    return RunList(*list, io, bendpost::RealFileSystem());
  };
}

Runner SetUpDiff(CLI::App& diff_app) {
  auto diff = std::make_shared<DiffOptions>();
  diff_app.add_option("A", diff->a_path, "the first file")->required();
  diff_app.add_option("B", diff->b_path, "the second file")->required();
  diff_app.add_flag("--json", diff->json, "the differences as JSON");
  return [diff](CommandIo& io) {
    return RunDiff(*diff, io, bendpost::RealFileSystem());
  };
}

Runner SetUpSheet(CLI::App& sheet_app) {
  auto sheet = std::make_shared<SheetOptions>();
  sheet_app.add_option("CONTROL_FILE", sheet->control_path, "the control file")
      ->required();
  sheet_app.add_option("--job", sheet->job_path, "the job it was made from")
      ->required();
  sheet_app.add_option("--data", sheet->data_dir,
                       "folder of the material data files (replaces the "
                       "job's DataPath)");
  sheet_app.add_option("-o,--output", sheet->output_path,
                       "the page (default: stdout)");
  return [sheet](CommandIo& io) { return RunSheet(*sheet, io); };
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

Runner SetUpCalc(CLI::App& calc_app) {
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
  return [calc](CommandIo& io) {
    if (!calc->options.batch) {
      if (const std::string missing = calc->Missing(); !missing.empty()) {
        io.err << "bendpost calc: missing" << missing << " (or give --batch)\n";
        return kExitUsage;
      }
    }
    return RunCalc(calc->options, io);
  };
}

struct MaterialArgs {
  std::string in, out;
  bool json = false;
};

Runner SetUpMaterial(CLI::App& material) {
  material.require_subcommand(1);
  auto args = std::make_shared<MaterialArgs>();
  CLI::App* build = material.add_subcommand(
      "build", "Build a material data file from its description (JSON).");
  build->add_option("DESC", args->in, "the description")->required();
  build->add_option("-o,--output", args->out, "the material data file")
      ->required();
  CLI::App* show =
      material.add_subcommand("show", "Show a material data file's models.");
  show->add_option("FILE", args->in, "the material data file")->required();
  show->add_flag("--json", args->json,
                 "print the description (input of build)");
  CLI::App* plot = material.add_subcommand(
      "plot", "Chart each model over the bend angle for several V/T ratios.");
  plot->add_option("FILE", args->in, "the material data file")->required();
  plot->add_option("-o,--output", args->out, "the chart (SVG)")->required();
  auto chart = std::make_shared<ChartOptions>();
  CLI::App* chart_app = material.add_subcommand(
      "chart",
      "The shop's bending chart (HTML): force per metre, inner radius and "
      "ram depth of a 90-degree bend for each thickness and die opening.");
  chart_app
      ->add_option("--data", chart->data_dir,
                   "folder of the material data files f_1..f_4")
      ->required();
  chart_app->add_option("--material", chart->material, "material number 1..4")
      ->required();
  chart_app->add_option("--thickness", chart->thickness_list,
                        "thicknesses, mm, comma-separated (default 0.5 to "
                        "12)");
  chart_app->add_option("--v-width", chart->v_width_list,
                        "die openings, mm, comma-separated (default 4 to 100)");
  chart_app->add_option("--die-angle", chart->die_angle, "die angle, degrees")
      ->capture_default_str();
  chart_app
      ->add_option("--die-radius", chart->die_radius, "die shoulder radius, mm")
      ->capture_default_str();
  chart_app->add_option("--strength", chart->strength,
                        "tensile strength (default: the material's hardness "
                        "at the BandR control)");
  chart_app->add_option("-o,--output", chart->output_path,
                        "the page (default: stdout)");
  return [args, build, show, plot, chart, chart_app](CommandIo& io) {
    if (chart_app->parsed()) return RunMaterialChart(*chart, io);
    if (build->parsed()) return RunMaterialBuild(args->in, args->out, io);
    if (show->parsed()) return RunMaterialShow(args->in, args->json, io);
    if (plot->parsed()) return RunMaterialPlot(args->in, args->out, io);
    return kExitUsage;
  };
}

struct ToolsArgs {
  std::string table, tool_name, job;
  bool sectional = false;
};

Runner SetUpTools(CLI::App& tools) {
  tools.require_subcommand(1);
  auto args = std::make_shared<ToolsArgs>();
  CLI::App* check = tools.add_subcommand(
      "check",
      "Report table lines that never match or are never read, "
      "targets too long for the control, and, with a job, tools "
      "without an entry.");
  check->add_option("TABLE", args->table, "the conversion table")->required();
  check->add_option("--job", args->job, "a job file whose tools to look up");
  CLI::App* convert = tools.add_subcommand(
      "convert", "Print the control's name the driver would use for a tool.");
  convert->add_option("TABLE", args->table, "the conversion table")->required();
  convert->add_option("NAME", args->tool_name, "the host's tool name")
      ->required();
  convert->add_flag("--sectional", args->sectional, "the tool is sectional");
  return [args, check, convert](CommandIo& io) {
    if (check->parsed()) return RunToolsCheck(args->table, args->job, io);
    if (convert->parsed()) {
      return RunToolsConvert(args->table, args->tool_name, args->sectional, io);
    }
    return kExitUsage;
  };
}

struct Command {
  const char* name;
  const char* help;
  Runner (*set_up)(CLI::App& command);
};

constexpr Command kCommands[] = {
    {"generate",
     "Generate the programs of a job: the host's calling sequence on the "
     "driver, with the program dialog for every program.",
     SetUpGenerate},
    {"inspect",
     "Show what a control file (12,664 bytes) or a record file "
     "holds.",
     SetUpInspect},
    {"list",
     "The control files of a program folder, newest first: name, part, "
     "date, material, tooling, damaged files.",
     SetUpList},
    {"diff",
     "What differs between two control files or two record files, field "
     "by field.",
     SetUpDiff},
    {"sheet",
     "The operator's setup sheet of a program (self-contained HTML): "
     "tooling, every step with its side view, the bed and the forces.",
     SetUpSheet},
    {"calc",
     "One bend calculation with the driver's calculator: depth, "
     "force, tonnage and warning.",
     SetUpCalc},
    {"material", "Material data files: build, show, plot, chart.",
     SetUpMaterial},
    {"tools", "Tool name conversion tables: check, convert.", SetUpTools},
};

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
  // Arguments are paths: on Windows, CLI11 would take "/work/x" for an
  // option "/work".
  app.allow_windows_style_options(false);
  app.footer(
      "Exit codes: 0 done; 1 done, but not everything (a program not "
      "created, problems in a file, findings); 2 bad options or input.");

  std::vector<std::pair<CLI::App*, Runner>> commands;
  for (const Command& command : kCommands) {
    CLI::App* sub = app.add_subcommand(command.name, command.help);
    commands.emplace_back(sub, command.set_up(*sub));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kExitOk : kExitUsage;
  }

  for (const auto& [sub, run] : commands) {
    if (sub->parsed()) return run(io);
  }
  return kExitUsage;
}
