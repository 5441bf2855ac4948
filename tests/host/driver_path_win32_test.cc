// The Windows host hands the driver its paths with "\" only: the driver
// cuts a path at its last "\", and a path typed with "/" would leave it
// no folder for the programs.
#include <gtest/gtest.h>

#include <string>

#include "host/driver_calls.h"

namespace bendpost::cli {

using namespace bendpost::host;
namespace {

TEST(DriverPathTest, SlashesBecomeBackslashesInThePathsTheDriverGets) {
  DriverCalls calls;
  calls.create_instance = [] { return true; };
  calls.set_unit = [](int) {};
  calls.set_material_1 = [](float, float, int) {};
  calls.set_material_2 = [](float, float, CString) {};
  calls.init_steps = [](CArray<CPPStepInfo>*) {};
  calls.init_tools = [](CArray<CPPTool>*) {};
  calls.init_setups = [](CArray<CPPSetup>*) {};
  calls.init_machines = [](CArray<CPPMachine>*) {};
  calls.init_back_gauges = [](CArray<CPPBGauge>*) {};
  std::string program, data, table;
  calls.set_path_names = [&](CString p, CString d, CString t) {
    program = p.str();
    data = d.str();
    table = t.str();
  };
  calls.generate = [](char*) { return true; };
  calls.destroy_instance = [] {};

  JobFile job;
  job.data_path = "C:/shop/data";
  job.tool_name_table_path = "C:\\shop/tools.txt";
  RunHostSequence(job, "C:/jobs/bracket.bmf", calls);
  EXPECT_EQ(program, "C:\\jobs\\bracket.bmf");
  EXPECT_EQ(data, "C:\\shop\\data");
  EXPECT_EQ(table, "C:\\shop\\tools.txt");
}

}  // namespace
}  // namespace bendpost::cli
