// The material plot: a material data file's four models drawn as one SVG
// picture, each model's value over the bend angle for a set of V/T ratios.
#ifndef BENDPOST_PAGES_MATERIAL_PLOT_H_
#define BENDPOST_PAGES_MATERIAL_PLOT_H_

#include <string>
#include <vector>

#include "bendcalc/material_model.h"

namespace bendpost::pages {

// The V/T ratios the plot draws one curve for.
const std::vector<float>& PlotRatios();

// The plot: one panel per model, each model's value over the bend angle
// (20 to 180 degrees) for every ratio of PlotRatios(), evaluated with the
// driver's own model evaluation (Springback always as a polynomial, as the
// calculation does; the others by their type).
std::string MaterialPlotSvg(const MaterialModelSet& models,
                            const std::string& title);

}  // namespace bendpost::pages

#endif  // BENDPOST_PAGES_MATERIAL_PLOT_H_
