// The program folder's catalogue and the comparison of two program files
// as JSON, for `list --json` and `diff --json`. Fields of the files keep
// the names of their field tables (as in documents/program_json.h), values
// the representation described there.
//
// Catalogue: an array, one object per control file: "file", "damaged",
// "problems" (texts), "ProgramName", "PartReference", "CreationStamp",
// "created" ("yy-mm-dd hh:mm" or null), "MaterialName", "MaterialNumber",
// "Hardness", "HeaderThickness", "StepCount", "PunchTargetName",
// "DieTargetName", "zero_depth_steps".
//
// Comparison: {"same": bool, "kind": "control" | "record", "header":
// [change...], "steps": [{"step": n, "change": "changed" | "added" |
// "removed", "fields": [change...]}]} where a change is {"field", "a", "b"}
// and, for a number, "difference" (b - a, as the text report rounds it).
#ifndef BENDPOST_DOCUMENTS_LIBRARY_JSON_H_
#define BENDPOST_DOCUMENTS_LIBRARY_JSON_H_

#include "documents/program_json.h"
#include "formats/program_catalogue.h"
#include "formats/program_diff.h"

namespace bendpost::documents {

ordered_json CatalogueToJson(const ProgramCatalogue& catalogue);
ordered_json DifferenceToJson(const ProgramDifference& difference);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_LIBRARY_JSON_H_
