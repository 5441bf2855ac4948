#include "cli/inspect_command.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>

#include "base/text.h"
#include "documents/problem.h"
#include "formats/program_kind.h"
#include "pages/text_table.h"

namespace bendpost::cli {

using documents::ordered_json;
using documents::ProblemCount;
using documents::ToJson;
using pages::Printable;
using pages::TextTable;

namespace {

using FileKind = ProgramFileKind;
using Identified = ProgramFileIdentity;
using RecordFile = DecodedRecordFile;

std::string F(float v) { return FormatFloat(v); }
std::string I(long long v) { return std::to_string(v); }
std::string Q(const std::string& text) { return "\"" + Printable(text) + "\""; }
std::string YesNo(int v) { return v ? "yes" : "no"; }

void ReportControl(std::ostream& out, const DecodedControlFile& f) {
  const ControlFileHeader& h = f.header;
  const uint32_t yymmdd = h.CreationStamp / 10000;
  char date[16];
  std::snprintf(date, sizeof date, "%02u-%02u-%02u", (yymmdd / 10000) % 100,
                (yymmdd / 100) % 100, yymmdd % 100);
  TextTable header({"Header", ""});
  header.AddRow({"Program name", Q(h.ProgramName) + "  (name prefix digit " +
                                     I(h.NamePrefixDigit) + ")"});
  header.AddRow({"Part reference", Q(h.PartReference)});
  header.AddRow(
      {"Created", std::string(date) + "  (stamp " + I(h.CreationStamp) + ")"});
  header.AddRow({"Thickness", F(h.HeaderThickness) + " mm"});
  header.AddRow({"Material", Q(h.MaterialName) + "  number " +
                                 I(h.MaterialNumber) + ", hardness " +
                                 I(h.Hardness)});
  header.AddRow(
      {"Punch", Q(h.PunchTargetName) + "  reversed " + YesNo(h.PunchReversed)});
  header.AddRow(
      {"Die", Q(h.DieTargetName) + "  reversed " + YesNo(h.DieReversed)});
  header.AddRow({"Die holder", Q(h.DieHolderTargetName) + "  reversed " +
                                   YesNo(h.DieHolderReversed)});
  header.AddRow({"Spacer", Q(h.SpacerTargetName)});
  header.AddRow({"Steps", I(h.StepCount)});
  header.Print(out, 2);

  TextTable steps({">Step", ">Seq", ">Angle", ">Length", ">Y1", ">Y2",
                   ">Tonnage", ">X1", ">X2", ">R1", ">R2", ">Z1", ">Z2",
                   ">Speed", ">Return", ">Dwell", "Aux", "Coin"});
  for (size_t k = 0; k < f.steps.size(); ++k) {
    const ControlFileStep& s = f.steps[k];
    steps.AddRow({I(static_cast<long long>(k) + 1), I(s.SequenceOrder),
                  F(s.BendAngle), I(s.BendLength), F(s.Y1), F(s.Y2),
                  F(s.TonnageValue), F(s.Gauge1X), F(s.Gauge2X), F(s.Gauge1Y),
                  F(s.Gauge2Y), F(s.Gauge1Z), F(s.Gauge2Z), I(s.BendingSpeed),
                  I(s.ReturnSpeed), F(s.DwellEndBend), Printable(s.AuxFunc),
                  s.Coining ? "yes" : "no"});
  }
  out << "\n";
  steps.Print(out, 2);
}

void ReportRecord(std::ostream& out, const RecordFileHeader& h,
                  const std::vector<RecordFileStep>& list) {
  auto rev = [](char c) {
    return c == 0 ? std::string("(none)") : Q(std::string(1, c));
  };
  char date[16];
  std::snprintf(date, sizeof date, "%02u-%02u-%02u", h.CreationYear,
                h.CreationMonth, h.CreationDay);
  TextTable header({"Header", ""});
  header.AddRow({"Program name", Q(h.ProgramName) + "  (name prefix digit " +
                                     I(h.NamePrefixDigit) + ")"});
  header.AddRow({"Part reference", Q(h.PartReference)});
  header.AddRow({"Created", date});
  header.AddRow({"Thickness", F(h.HeaderThickness) + " mm"});
  header.AddRow({"Material", Q(h.MaterialName) + "  number " +
                                 I(h.MaterialNumber) + ", hardness " +
                                 I(h.Hardness)});
  header.AddRow({"Punch", Q(h.PunchTargetName) + "  rev " + rev(h.PunchRev)});
  header.AddRow({"Die", Q(h.DieTargetName) + "  rev " + rev(h.DieRev)});
  header.AddRow({"Die holder",
                 Q(h.DieHolderTargetName) + "  rev " + rev(h.DieHolderRev)});
  header.AddRow({"Spacer", Q(h.SpacerTargetName)});
  header.AddRow({"Records", I(h.RecordCount) + "  (" + I(h.RecordCount - 1) +
                                " steps and the closing default record)"});
  header.Print(out, 2);

  TextTable steps({">Step", ">Seq", ">Angle", ">Length", ">Y1", ">Y2",
                   ">Tonnage", ">X1", ">X2", ">R1", ">R2", ">Z1", ">Z2",
                   ">Speed", ">Return", ">Dwell", "Aux", ">Coining"});
  for (size_t k = 0; k < list.size(); ++k) {
    const RecordFileStep& s = list[k];
    std::string aux(s.AuxFunc.begin(), s.AuxFunc.end());
    while (!aux.empty() && aux.back() == 0) aux.pop_back();
    steps.AddRow({I(static_cast<long long>(k) + 1), I(s.SequenceOrder),
                  F(s.BendAngle), I(s.BendLength), F(s.Y1), F(s.Y2),
                  I(s.TonnageValue), F(s.Gauge1X), F(s.Gauge2X), F(s.Gauge1Y),
                  F(s.Gauge2Y), F(s.Gauge1Z), F(s.Gauge2Z), I(s.BendingSpeed),
                  I(s.ReturnSpeed), F(s.DwellEndBend), Printable(aux),
                  I(s.CoiningFlag)});
  }
  out << "\n";
  steps.Print(out, 2);
}

}  // namespace

ordered_json InspectJson(const std::string& bytes) {
  const Identified id = IdentifyProgramFile(bytes);
  ordered_json j = ordered_json::object();
  j["size"] = bytes.size();
  if (id.kind == FileKind::kUnknown) {
    j["kind"] = nullptr;
    j["error"] = id.error;
    return j;
  }
  ordered_json steps = ordered_json::array();
  if (id.kind == FileKind::kControl) {
    DecodedControlFile f;
    // A file of the control file's size is never refused; what is wrong
    // with it is in f.problems.
    (void)DecodeControlFile(bytes, &f);
    j["kind"] = "control";
    j["header"] = ToJson(f.header);
    for (const ControlFileStep& s : f.steps) steps.push_back(ToJson(s));
    j["steps"] = steps;
    j["problems"] = f.problems;
  } else {
    const RecordFile f = DecodeRecordFileBytes(bytes, id);
    j["kind"] = "record";
    j["layout"] = id.layout == RecordLayout::kCompact ? "compact" : "padded";
    j["header"] = ToJson(f.header);
    for (const RecordFileStep& s : f.steps) steps.push_back(ToJson(s));
    j["steps"] = steps;
    j["problems"] = ordered_json::array();
  }
  return j;
}

namespace {

// The report as JSON on io.out; returns the problems it lists.
std::vector<std::string> PrintJsonReport(const InspectOptions& options,
                                         const std::string& bytes,
                                         const Identified& id, CommandIo& io) {
  ordered_json j = ordered_json::object();
  j["file"] = options.path;
  const ordered_json decoded = InspectJson(bytes);
  for (const auto& [key, value] : decoded.items()) j[key] = value;
  if (options.raw) {
    // The byte listing, one line per field with its offset.
    std::istringstream dump(id.kind == FileKind::kControl
                                ? DumpControlFile(bytes)
                                : DumpRecordFile(bytes, id.layout));
    ordered_json lines = ordered_json::array();
    for (std::string line; std::getline(dump, line);) lines.push_back(line);
    j["raw"] = lines;
  }
  io.out << j.dump(2) << "\n";
  return j["problems"].get<std::vector<std::string>>();
}

// The readable report on io.out: the fields, the problems, with --raw the
// byte listing; returns the problems.
std::vector<std::string> PrintTextReport(const InspectOptions& options,
                                         const std::string& bytes,
                                         const Identified& id, CommandIo& io) {
  std::vector<std::string> problems;
  if (id.kind == FileKind::kControl) {
    DecodedControlFile f;
    (void)DecodeControlFile(bytes, &f);  // the problems are in f.problems
    problems = f.problems;
    io.out << "Control file " << options.path << " ("
           << GroupedThousands(bytes.size()) << " bytes, " << f.steps.size()
           << " of 25 step slots used)\n\n";
    ReportControl(io.out, f);
  } else {
    const RecordFile f = DecodeRecordFileBytes(bytes, id);
    io.out << "Record file " << options.path << " ("
           << GroupedThousands(bytes.size()) << " bytes, "
           << (id.layout == RecordLayout::kCompact ? "compact" : "padded")
           << " layout)\n\n";
    ReportRecord(io.out, f.header, f.steps);
  }
  if (!problems.empty()) {
    io.out << "\nProblems:\n";
    for (const std::string& p : problems) io.out << "  - " << p << "\n";
  }
  if (options.raw) {
    io.out << "\nBytes:\n"
           << (id.kind == FileKind::kControl
                   ? DumpControlFile(bytes)
                   : DumpRecordFile(bytes, id.layout));
  }
  return problems;
}

}  // namespace

Runner SetUpInspect(CLI::App& insp, Services& services) {
  auto inspect = std::make_shared<InspectOptions>();
  insp.add_option("FILE", inspect->path, "the file")->required();
  insp.add_flag("--json", inspect->json, "every field of every block as JSON");
  insp.add_flag("--raw", inspect->raw, "add every field with its offset");
  return [inspect, &services](CommandIo& io) {
    return RunInspect(services.files, *inspect, io);
  };
}

int RunInspect(FileSystem& files, const InspectOptions& options,
               CommandIo& io) {
  std::string bytes;
  if (!ReadWholeFile(files, options.path, &bytes).ok()) {
    io.err << "bendpost inspect: cannot read " << options.path << "\n";
    return kExitUsage;
  }
  const Identified id = IdentifyProgramFile(bytes);
  if (id.kind == FileKind::kUnknown) {
    io.err << "bendpost inspect: " << options.path << ": " << id.error << "\n";
    return kExitUsage;
  }
  const std::vector<std::string> problems =
      options.json ? PrintJsonReport(options, bytes, id, io)
                   : PrintTextReport(options, bytes, id, io);
  if (!problems.empty()) {
    // The problems are in the report on io.out; here only their count.
    io.err << "bendpost inspect: " << options.path << ": "
           << ProblemCount(problems.size()) << " (see the report)\n";
    return kExitIncomplete;
  }
  return kExitOk;
}

}  // namespace bendpost::cli
