// `bendpost material build | show | plot | chart`: material data files
// from their readable description (documents/material_description.h), back
// to text, drawn as the material plot (pages/material_plot.h), and the
// shop's bending chart from one of them (pages/bending_chart.h).
#ifndef BENDPOST_CLI_MATERIAL_COMMAND_H_
#define BENDPOST_CLI_MATERIAL_COMMAND_H_

#include <string>
#include <vector>

#include "bendcalc/material_model.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "platform/file.h"

namespace bendpost::cli {

// Declares `material` and its four subcommands on `command`.
Runner SetUpMaterial(CLI::App& command, Services& services);

// build DESC.json -o FILE: the file is published atomically
// (WriteFileAtomically); one that cannot be written leaves the file before
// it.
int RunMaterialBuild(FileSystem& files, const std::string& description_path,
                     const std::string& output_path, CommandIo& io);
// show FILE [--json]
int RunMaterialShow(FileSystem& files, const std::string& path, bool json,
                    CommandIo& io);
// plot FILE -o CHART.svg, published as build publishes.
int RunMaterialPlot(FileSystem& files, const std::string& path,
                    const std::string& output_path, CommandIo& io);

// chart --data DIR --material N [...]
struct ChartOptions {
  std::string data_dir;
  int material = 0;            // 1..4: the file f_N of data_dir
  std::string thickness_list;  // "0.5,1,2"; empty: the defaults
  std::string v_width_list;    // likewise
  double die_angle = 88;       // degrees
  double die_radius = 0;       // millimetres
  double strength = 0;         // tensile strength; 0: the material's default
  std::string output_path;     // -o; without it the page goes to stdout
};

// "0.5, 1,2" -> {0.5, 1, 2}: numbers with "." as the decimal mark, each
// above 0, separated by commas. False with `error` otherwise.
bool ParseNumberList(const std::string& text, std::vector<double>* values,
                     std::string* error);

int RunMaterialChart(FileSystem& files, const ChartOptions& options,
                     CommandIo& io);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_MATERIAL_COMMAND_H_
