// The readable description of a material data file: the four material
// models as JSON, which `bendpost material build` turns into the binary
// file and `bendpost material show --json` gives back.
//
//   {
//     "Name": "Mild steel",                       (optional, not stored)
//     "Springback": {
//       "Type": "polynomial",
//       "Constant": 1.8,
//       "Terms": [{"Term": "w", "Coefficient": 1.2},
//                 {"Code": 2, "Coefficient": -0.6}]
//     },
//     "NeutralFactor": {...},
//     "InnerRadius": {...},
//     "DepthCorrection": {
//       "Type": "table",
//       "Ratios": [h1, ..., h10],                 (ten V/T ratios, ascending)
//       "Rows": [{"Angle": 30, "Values": [v1, ..., v10]}, ...]  (16 rows,
//                                                  angles ascending)
//     }
//   }
//
// A model's "Type" is "polynomial", "table" or "none". A polynomial has a
// constant and up to ten terms, each named by "Term" (x, x^2 .. x^5, w,
// w^2 .. w^5, x*w, x*w^2, x^2*w, x^2*w^2, x*w^3, x^3*w, x^2*w^3, x^3*w^2,
// x^4*w, x*w^4, with x the normalised bend angle (angle - 90) / 90 and w
// the normalised ratio (V/T - 10) / 10) or by its "Code" (2 to 21, the
// same terms in that order). All four models must be given.
#ifndef BENDPOST_DOCUMENTS_MATERIAL_DESCRIPTION_H_
#define BENDPOST_DOCUMENTS_MATERIAL_DESCRIPTION_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bendcalc/material_model.h"
#include "documents/record_fields.h"

namespace bendpost::documents {

// The four models' names in file order.
const char* ModelName(int index);
// The name of a term code ("x^2*w"), "" for a code outside 2..21.
std::string TermName(int code);

bool BuildMaterialModels(const nlohmann::json& doc, MaterialModelSet* models,
                         std::vector<Problem>* problems);

// The description of `models` (a model of an unknown ModelType keeps its
// number as "ModelType").
nlohmann::ordered_json DescribeMaterialModels(const MaterialModelSet& models);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_MATERIAL_DESCRIPTION_H_
