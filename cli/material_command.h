// `bendpost material build | show | plot`: material data files from their
// readable description (cli/material_description.h), back to text, and as
// a chart.
#ifndef BENDPOST_CLI_MATERIAL_COMMAND_H_
#define BENDPOST_CLI_MATERIAL_COMMAND_H_

#include <string>
#include <vector>

#include "bendcalc/material_model.h"
#include "cli/command_io.h"

namespace bendpost::cli {

// build DESC.json -o FILE
int RunMaterialBuild(const std::string& description_path,
                     const std::string& output_path, CommandIo& io);
// show FILE [--json]
int RunMaterialShow(const std::string& path, bool json, CommandIo& io);
// plot FILE -o CHART.svg
int RunMaterialPlot(const std::string& path, const std::string& output_path,
                    CommandIo& io);

// The V/T ratios the chart draws one curve for.
const std::vector<float>& PlotRatios();

// The chart: one panel per model, each model's value over the bend angle
// (20 to 180 degrees) for every ratio of PlotRatios(), evaluated with the
// driver's own model evaluation (Springback always as a polynomial, as the
// calculation does; the others by their type).
std::string MaterialChartSvg(const MaterialModelSet& models,
                             const std::string& title);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_MATERIAL_COMMAND_H_
