// Job: looking up the job's tools and machines by name.
#include "records/job.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "records/record_lookup.h"
#include "support/record_testing.h"

namespace bendpost {
namespace {

using ::bendpost::testing::DifferingFields;
using ::bendpost::testing::FillEveryField;
using ::testing::IsEmpty;

CPPTool NamedTool(const char* name, double v_width) {
  CPPTool tool;
  tool.SetToolName(name);
  tool.SetVWidth(v_width);
  return tool;
}

TEST(JobTest, FindToolByNameTakesTheFirstOfEqualNames) {
  Job store;
  store.Tools.Add(NamedTool("D16", 1));
  store.Tools.Add(NamedTool("P88", 2));
  store.Tools.Add(NamedTool("P88", 3));
  CPPTool found;
  ASSERT_TRUE(store.FindToolByName(found, "P88"));
  EXPECT_EQ(2.0, found.GetVWidth());
  // The whole record is copied out, not only the name.
  CPPTool full;
  FillEveryField(full, 6);
  full.SetToolName("FULL");
  store.Tools.Add(full);
  ASSERT_TRUE(store.FindToolByName(found, "FULL"));
  EXPECT_THAT(DifferingFields(found, full), IsEmpty());
}

TEST(JobTest, FindToolByNameComparesEveryByteAndCase) {
  Job store;
  store.Tools.Add(NamedTool("P88", 2));
  CPPTool found = NamedTool("unchanged", 7);
  for (const char* name : {"p88", "P88 ", " P88", "P8", "", "P88\xA0"}) {
    EXPECT_FALSE(store.FindToolByName(found, name)) << name;
  }
  EXPECT_STREQ("unchanged", found.GetToolName());
  EXPECT_EQ(7.0, found.GetVWidth());
}

TEST(JobTest, FindToolByNameInAnEmptyStoreFindsNothing) {
  CPPTool found;
  EXPECT_FALSE(Job().FindToolByName(found, ""));
}

TEST(JobTest, FindMachineByNameMatchesUserMachineNameExactly) {
  Job store;
  auto machine = std::make_unique<CPPMachine>();
  machine->SetMachineName("PB-100");
  machine->SetUserMachineName("Press 1");
  machine->SetTonnage(100);
  store.Machines.Add(*machine);
  machine->SetUserMachineName("Press 1");
  machine->SetTonnage(200);
  store.Machines.Add(*machine);

  auto found = std::make_unique<CPPMachine>();
  found->SetTonnage(-1);
  EXPECT_FALSE(store.FindMachineByName(*found, "PB-100"));  // not the key
  EXPECT_FALSE(store.FindMachineByName(*found, "press 1"));
  EXPECT_EQ(-1.0, found->GetTonnage());
  ASSERT_TRUE(store.FindMachineByName(*found, "Press 1"));
  EXPECT_EQ(100.0, found->GetTonnage());
}

// The job's members and the sheet share these: the first exact match, read
// in place.
TEST(JobTest, LookupsOverTheArraysPointAtTheFirstExactMatch) {
  CArray<CPPTool> tools;
  tools.Add(NamedTool("D16", 1));
  tools.Add(NamedTool("P88", 2));
  tools.Add(NamedTool("P88", 3));
  const CArray<CPPTool>& read_only = tools;
  EXPECT_EQ(FindToolNamed(read_only, "P88"), &tools[1]);
  EXPECT_EQ(FindToolNamed(read_only, "p88"), nullptr);
  CArray<CPPMachine> machines;
  auto machine = std::make_unique<CPPMachine>();
  machine->SetUserMachineName("Press 1");
  machines.Add(*machine);
  machines.Add(*machine);
  EXPECT_EQ(FindMachineNamed(machines, "Press 1"), &machines[0]);
  EXPECT_EQ(FindMachineNamed(machines, "Press"), nullptr);
}

}  // namespace
}  // namespace bendpost
