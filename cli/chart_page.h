// `bendpost material chart`: the shop's bending chart from its own
// material data file, computed with the driver's own calculation: for each
// thickness and die opening, the force per metre of an air bend to 90
// degrees, the inner radius and the ram depth, and the cells where the
// calculation warns. One self-contained page (cli/html.h).
#ifndef BENDPOST_CLI_CHART_PAGE_H_
#define BENDPOST_CLI_CHART_PAGE_H_

#include <string>
#include <vector>

#include "base/status.h"
#include "cli/command_io.h"

namespace bendpost::cli {

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

// The defaults: thicknesses 0.5 to 12 mm, V openings 4 to 100 mm.
const std::vector<double>& DefaultChartThicknesses();
const std::vector<double>& DefaultChartVWidths();

// "0.5, 1,2" -> {0.5, 1, 2}: numbers with "." as the decimal mark, each
// above 0, separated by commas. False with `error` otherwise.
bool ParseNumberList(const std::string& text, std::vector<double>* values,
                     std::string* error);

struct ChartCell {
  float force_per_metre = 0;  // tons per metre
  float inner_radius = 0;     // millimetres
  float depth = 0;            // millimetres
  int warning = 0;            // the calculation's code, 0 for none
};

struct Chart {
  int material = 0;
  std::string material_name;  // the BandR control's name of the material
  double strength = 0;
  double die_angle = 0, die_radius = 0;
  std::vector<double> thicknesses, v_widths;
  std::vector<std::vector<ChartCell>> cells;  // [thickness][v width]
};

// Computes the chart; fails when the material number is not 1..4 or its
// material data file cannot be read.
Status ComputeChart(const ChartOptions& options,
                    const std::vector<double>& thicknesses,
                    const std::vector<double>& v_widths, Chart* chart);

std::string ChartPage(const Chart& chart);

int RunMaterialChart(const ChartOptions& options, CommandIo& io);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_CHART_PAGE_H_
