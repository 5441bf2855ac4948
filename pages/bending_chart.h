// The shop's bending chart from its own
// material data file, computed with the driver's own calculation: for each
// thickness and die opening, the force per metre of an air bend to 90
// degrees, the inner radius and the ram depth, and the cells where the
// calculation warns. One self-contained page (pages/html.h).
#ifndef BENDPOST_PAGES_BENDING_CHART_H_
#define BENDPOST_PAGES_BENDING_CHART_H_

#include <string>
#include <vector>

#include "base/status.h"
#include "platform/file.h"

namespace bendpost::pages {

// What a chart is computed for.
struct ChartInput {
  std::string data_dir;   // the folder of the material data files
  int material = 0;       // 1..4: the file f_N of data_dir
  double die_angle = 88;  // degrees
  double die_radius = 0;  // millimetres
  double strength = 0;    // tensile strength; 0: the material's default
};

// The defaults: thicknesses 0.5 to 12 mm, V openings 4 to 100 mm.
const std::vector<double>& DefaultChartThicknesses();
const std::vector<double>& DefaultChartVWidths();

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

// Computes the chart, reading the material data file through `files`;
// fails when the material number is not 1..4 or its material data file
// cannot be read.
Status ComputeChart(FileSystem& files, const ChartInput& input,
                    const std::vector<double>& thicknesses,
                    const std::vector<double>& v_widths, Chart* chart);

std::string ChartPage(const Chart& chart);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_BENDING_CHART_H_
