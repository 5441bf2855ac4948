// Program files (control file, record file) as JSON: every field of every
// block under its own name, reserved fields included, so that the JSON
// holds all the file says and the file can be made again from it.
//
// Representation: integers as JSON integers; 32-bit floats as the shortest
// decimal that reads back as the same float (non-finite values as the
// strings "nan", "inf", "-inf"); texts as strings whose characters U+0000
// to U+00FF stand for the bytes 0x00 to 0xFF; a record file's "Rev" bytes
// as one-character strings ("" for a 0 byte) and its AuxFunc as six byte
// values.
#ifndef BENDPOST_DOCUMENTS_PROGRAM_JSON_H_
#define BENDPOST_DOCUMENTS_PROGRAM_JSON_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/status.h"
#include "formats/control_file.h"
#include "formats/record_file.h"

namespace bendpost::documents {

using ordered_json = nlohmann::ordered_json;

// A 32-bit float as JSON (see above) and back.
ordered_json FloatToJson(float value);
bool FloatFromJson(const ordered_json& j, float* value);

ordered_json ToJson(const ControlFileHeader& header);
ordered_json ToJson(const ControlFileStep& step);
ordered_json ToJson(const RecordFileHeader& header);
ordered_json ToJson(const RecordFileStep& step);

// The reverse; an error naming the field that is missing or does not fit
// (the record then unchanged).
Status FromJson(const ordered_json& j, ControlFileHeader* header);
Status FromJson(const ordered_json& j, ControlFileStep* step);
Status FromJson(const ordered_json& j, RecordFileHeader* header);
Status FromJson(const ordered_json& j, RecordFileStep* step);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_PROGRAM_JSON_H_
