#include "documents/material_description.h"

#include <limits>

#include "documents/json_text.h"
#include "documents/program_json.h"

namespace bendpost::documents {
namespace {

using nlohmann::json;

constexpr const char* kModelNames[] = {"Springback", "NeutralFactor",
                                       "InnerRadius", "DepthCorrection"};
constexpr const char* kTermNames[] = {
    "x",     "x^2",   "x^3",     "x^4",     "x^5",   "w",     "w^2",
    "w^3",   "w^4",   "w^5",     "x*w",     "x*w^2", "x^2*w", "x^2*w^2",
    "x*w^3", "x^3*w", "x^2*w^3", "x^3*w^2", "x^4*w", "x*w^4"};
constexpr int kFirstCode = 2;
constexpr int kLastCode = 21;
static_assert(std::size(kTermNames) == kLastCode - kFirstCode + 1);

bool CheckKeys(const json& object, const std::string& path,
               const std::vector<std::string>& known,
               std::vector<Problem>* problems) {
  bool ok = true;
  for (const auto& [key, value] : object.items()) {
    if (std::find(known.begin(), known.end(), key) == known.end()) {
      problems->push_back(UnknownField(path, key, known));
      ok = false;
    }
  }
  return ok;
}

// A number that fits a 32-bit float.
bool GetFloat(const json& j, const std::string& path, float* out,
              std::vector<Problem>* problems) {
  if (!j.is_number()) {
    problems->push_back({path, "expected a number, found " + JsonTypeName(j)});
    return false;
  }
  const double v = j.get<double>();
  if (v > std::numeric_limits<float>::max() ||
      v < -std::numeric_limits<float>::max()) {
    problems->push_back({path, "out of the range of a 32-bit float"});
    return false;
  }
  *out = static_cast<float>(v);
  return true;
}

// A term's code from its "Term" name or its "Code"; exactly one is given.
void ReadTermCode(const json& t, const std::string& at, int32_t* code_out,
                  std::vector<Problem>* problems) {
  const bool has_term = t.contains("Term");
  const bool has_code = t.contains("Code");
  if (has_term == has_code) {
    problems->push_back({at, "give the term by \"Term\" or by \"Code\""});
  } else if (has_term) {
    const std::string name =
        t["Term"].is_string() ? t["Term"].get<std::string>() : "";
    int code = 0;
    for (int c = kFirstCode; c <= kLastCode; ++c) {
      if (name == kTermNames[c - kFirstCode]) code = c;
    }
    if (code == 0) {
      problems->push_back({JsonPathKey(at, "Term"),
                           "unknown term " + t["Term"].dump() +
                               " (x, x^2 .. x^5, w .. w^5, x*w, x*w^2, "
                               "x^2*w, x^2*w^2, x*w^3, x^3*w, x^2*w^3, "
                               "x^3*w^2, x^4*w, x*w^4)"});
    }
    *code_out = code;
  } else {
    const json& c = t["Code"];
    if (!c.is_number_integer() || c.get<int64_t>() < INT16_MIN ||
        c.get<int64_t>() > INT16_MAX) {
      problems->push_back({JsonPathKey(at, "Code"),
                           "expected a term code (an integer, 2 to 21)"});
    } else {
      *code_out = c.get<int32_t>();
    }
  }
}

// Term `i` of a polynomial: its code and its coefficient.
void ReadTerm(const json& t, const std::string& at, size_t i,
              MaterialModel* model, std::vector<Problem>* problems) {
  if (!t.is_object()) {
    problems->push_back({at, "expected an object, found " + JsonTypeName(t)});
    return;
  }
  CheckKeys(t, at, {"Term", "Code", "Coefficient"}, problems);
  ReadTermCode(t, at, &model->TermCodes[i], problems);
  if (!t.contains("Coefficient")) {
    problems->push_back({at, "missing \"Coefficient\""});
  } else {
    GetFloat(t["Coefficient"], JsonPathKey(at, "Coefficient"),
             &model->Coefficients[i + 1], problems);
  }
}

void BuildPolynomial(const json& m, const std::string& path,
                     MaterialModel* model, std::vector<Problem>* problems) {
  model->ModelType = MaterialModel::kPolynomial;
  CheckKeys(m, path, {"Type", "Constant", "Terms"}, problems);
  if (m.contains("Constant")) {
    GetFloat(m["Constant"], JsonPathKey(path, "Constant"),
             &model->Coefficients[0], problems);
  }
  if (!m.contains("Terms")) return;
  const json& terms = m["Terms"];
  const std::string terms_path = JsonPathKey(path, "Terms");
  if (!terms.is_array()) {
    problems->push_back(
        {terms_path, "expected an array, found " + JsonTypeName(terms)});
    return;
  }
  if (terms.size() > MaterialModel::kMaxTerms) {
    problems->push_back(
        {terms_path,
         "too many terms: " + std::to_string(terms.size()) + ", at most 10"});
    return;
  }
  model->TermCount = static_cast<int32_t>(terms.size());
  for (size_t i = 0; i < terms.size(); ++i) {
    ReadTerm(terms[i], JsonPathIndex(terms_path, i), i, model, problems);
  }
}

void BuildTable(const json& m, const std::string& path, MaterialModel* model,
                std::vector<Problem>* problems) {
  model->ModelType = MaterialModel::kTable;
  CheckKeys(m, path, {"Type", "Ratios", "Rows"}, problems);
  constexpr int kColumns = MaterialModel::kTableColumns - 1;  // 10
  constexpr int kRows = MaterialModel::kTableRows - 1;        // 16
  auto cell = [model](int row, int column) -> float& {
    return model->ModelTable[row * MaterialModel::kTableColumns + column];
  };
  const std::string ratios_path = JsonPathKey(path, "Ratios");
  const json ratios = m.value("Ratios", json());
  if (!ratios.is_array() || ratios.size() != kColumns) {
    problems->push_back({ratios_path, "expected an array of 10 V/T ratios"});
  } else {
    for (int c = 0; c < kColumns; ++c) {
      GetFloat(ratios[c], JsonPathIndex(ratios_path, c), &cell(0, c + 1),
               problems);
      if (c > 0 && !(cell(0, c + 1) > cell(0, c))) {
        problems->push_back(
            {JsonPathIndex(ratios_path, c), "the ratios must ascend"});
      }
    }
  }
  const std::string rows_path = JsonPathKey(path, "Rows");
  const json rows = m.value("Rows", json());
  if (!rows.is_array() || rows.size() != kRows) {
    problems->push_back(
        {rows_path, "expected an array of 16 rows {\"Angle\", \"Values\"}"});
    return;
  }
  for (int r = 0; r < kRows; ++r) {
    const std::string at = JsonPathIndex(rows_path, r);
    const json& row = rows[r];
    if (!row.is_object()) {
      problems->push_back(
          {at, "expected an object, found " + JsonTypeName(row)});
      continue;
    }
    CheckKeys(row, at, {"Angle", "Values"}, problems);
    if (!row.contains("Angle")) {
      problems->push_back({at, "missing \"Angle\""});
    } else if (GetFloat(row["Angle"], JsonPathKey(at, "Angle"), &cell(r + 1, 0),
                        problems) &&
               r > 0 && !(cell(r + 1, 0) > cell(r, 0))) {
      problems->push_back(
          {JsonPathKey(at, "Angle"), "the row angles must ascend"});
    }
    const json values = row.value("Values", json());
    if (!values.is_array() || values.size() != kColumns) {
      problems->push_back(
          {JsonPathKey(at, "Values"), "expected an array of 10 numbers"});
      continue;
    }
    for (int c = 0; c < kColumns; ++c) {
      GetFloat(values[c], JsonPathIndex(JsonPathKey(at, "Values"), c),
               &cell(r + 1, c + 1), problems);
    }
  }
}

}  // namespace

const char* ModelName(int index) { return kModelNames[index]; }

std::string TermName(int code) {
  if (code < kFirstCode || code > kLastCode) return std::string();
  return kTermNames[code - kFirstCode];
}

bool BuildMaterialModels(const json& doc, MaterialModelSet* models,
                         std::vector<Problem>* problems) {
  const size_t before = problems->size();
  if (!doc.is_object()) {
    problems->push_back(
        {"$", "a material description is a JSON object, found " +
                  JsonTypeName(doc)});
    return false;
  }
  CheckKeys(
      doc, "$",
      {"Name", "Springback", "NeutralFactor", "InnerRadius", "DepthCorrection"},
      problems);
  if (doc.contains("Name") && !doc["Name"].is_string()) {
    problems->push_back({"$.Name", "expected a string"});
  }
  MaterialModelSet built{};
  for (int i = 0; i < kMaterialModelCount; ++i) {
    const std::string path = JsonPathKey("$", kModelNames[i]);
    if (!doc.contains(kModelNames[i])) {
      problems->push_back(
          {"$", std::string("missing the model \"") + kModelNames[i] + "\""});
      continue;
    }
    const json& m = doc[kModelNames[i]];
    if (!m.is_object()) {
      problems->push_back(
          {path, "expected an object, found " + JsonTypeName(m)});
      continue;
    }
    const std::string type = m.contains("Type") && m["Type"].is_string()
                                 ? m["Type"].get<std::string>()
                                 : "";
    if (type == "polynomial") {
      BuildPolynomial(m, path, &built[i], problems);
    } else if (type == "table") {
      BuildTable(m, path, &built[i], problems);
    } else if (type == "none") {
      CheckKeys(m, path, {"Type", "ModelType"}, problems);
      if (m.contains("ModelType")) {
        const json& t = m["ModelType"];
        if (!t.is_number_integer() || t.get<int64_t>() < INT16_MIN ||
            t.get<int64_t>() > INT16_MAX || t.get<int64_t>() == 1 ||
            t.get<int64_t>() == 2) {
          problems->push_back({JsonPathKey(path, "ModelType"),
                               "expected a 16-bit integer other than 1 and 2"});
        } else {
          built[i].ModelType = t.get<int32_t>();
        }
      }
    } else {
      problems->push_back({JsonPathKey(path, "Type"),
                           "expected \"polynomial\", \"table\" or \"none\""});
    }
  }
  if (problems->size() != before) return false;
  *models = built;
  return true;
}

nlohmann::ordered_json DescribeMaterialModels(const MaterialModelSet& models) {
  ordered_json doc = ordered_json::object();
  for (int i = 0; i < kMaterialModelCount; ++i) {
    const MaterialModel& m = models[i];
    ordered_json d = ordered_json::object();
    if (m.ModelType == MaterialModel::kPolynomial) {
      d["Type"] = "polynomial";
      d["Constant"] = FloatToJson(m.Coefficients[0]);
      ordered_json terms = ordered_json::array();
      for (int t = 0; t < m.TermCount; ++t) {
        ordered_json term = ordered_json::object();
        const std::string name = TermName(m.TermCodes[t]);
        if (name.empty()) {
          term["Code"] = m.TermCodes[t];
        } else {
          term["Term"] = name;
        }
        term["Coefficient"] = FloatToJson(m.Coefficients[t + 1]);
        terms.push_back(term);
      }
      d["Terms"] = terms;
    } else if (m.ModelType == MaterialModel::kTable) {
      d["Type"] = "table";
      ordered_json ratios = ordered_json::array();
      for (int c = 1; c < MaterialModel::kTableColumns; ++c) {
        ratios.push_back(FloatToJson(m.TableAt(0, c)));
      }
      d["Ratios"] = ratios;
      ordered_json rows = ordered_json::array();
      for (int r = 1; r < MaterialModel::kTableRows; ++r) {
        ordered_json values = ordered_json::array();
        for (int c = 1; c < MaterialModel::kTableColumns; ++c) {
          values.push_back(FloatToJson(m.TableAt(r, c)));
        }
        rows.push_back(
            {{"Angle", FloatToJson(m.TableAt(r, 0))}, {"Values", values}});
      }
      d["Rows"] = rows;
    } else {
      d["Type"] = "none";
      if (m.ModelType != 0) d["ModelType"] = m.ModelType;
    }
    doc[kModelNames[i]] = d;
  }
  return doc;
}

}  // namespace bendpost::documents
