// The command line as main() parses it: a command's own checks of its
// options, after CLI11's, on a real argument list.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cli/calc_command.h"
#include "cli_test_support.h"
#include "testing/mem_file_system.h"

namespace bendpost::cli {
namespace {

constexpr Command kCalcOnly[] = {{"calc", "One bend calculation.", SetUpCalc}};

struct Ran {
  int code;
  std::string out;
  std::string err;
};

Ran RunBendpost(std::vector<const char*> argv) {
  MemFileSystem files;
  const host::DriverCalls driver = host::RealDriverCalls();
  Services services{files, *CurrentPlatform().clock, *CurrentPlatform().ui,
                    driver};
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  const int code = RunCommandLine(kCalcOnly, static_cast<int>(argv.size()),
                                  argv.data(), services, io);
  return {code, out.str(), err.str()};
}

TEST(CommandLineTest, CalcWithoutItsRequiredNumbersNamesThem) {
  const Ran r =
      RunBendpost({"bendpost", "calc", "--thickness", "2", "--angle", "90"});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_EQ(r.err,
            "bendpost calc: missing --material --v-width --die-angle "
            "--length --strength --tonnage --max-length --punch-resistance "
            "--die-resistance (or give --batch)\n");
  EXPECT_EQ(r.out, "");
}

TEST(CommandLineTest, CalcWithEveryRequiredNumberCalculates) {
  const Ran r = RunBendpost({"bendpost",
                             "calc",
                             "--material",
                             "0",
                             "--thickness",
                             "2",
                             "--v-width",
                             "16",
                             "--die-angle",
                             "88",
                             "--length",
                             "1000",
                             "--strength",
                             "40",
                             "--angle",
                             "90",
                             "--tonnage",
                             "100",
                             "--max-length",
                             "3000",
                             "--punch-resistance",
                             "100",
                             "--die-resistance",
                             "100",
                             "--json"});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.out.rfind("{\"depth\":", 0), 0u) << r.out;
}

}  // namespace
}  // namespace bendpost::cli
