#include "driver/job_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/job_store_reset.h"
#include "support/record_testing.h"

namespace {

using ::bendpost::testing::DifferingFields;
using ::bendpost::testing::FillEveryField;
using ::bendpost::testing::ScopedJobStoreReset;
using ::testing::IsEmpty;

class JobStoreTest : public ::testing::Test {
 protected:
  ScopedJobStoreReset reset_;
};

CPPTool NamedTool(const char* name, double v_width) {
  CPPTool tool;
  tool.SetToolName(name);
  tool.SetVWidth(v_width);
  return tool;
}

TEST_F(JobStoreTest, InstanceIsCreatedOnceEmptyAndWithZeroSettings) {
  JobStore* store = JobStore::Instance();
  ASSERT_NE(nullptr, store);
  EXPECT_EQ(store, JobStore::Instance());
  EXPECT_EQ(0, store->Steps.GetSize());
  EXPECT_EQ(0, store->Tools.GetSize());
  EXPECT_EQ(0, store->Setups.GetSize());
  EXPECT_EQ(0, store->Machines.GetSize());
  EXPECT_EQ(0, store->BackGauges.GetSize());
  EXPECT_STREQ("", store->ProgramPath);
  EXPECT_STREQ("", store->DataPath);
  EXPECT_STREQ("", store->ToolNameTablePath);
  EXPECT_EQ(0, store->Unit);
  EXPECT_EQ(0.0f, store->Thickness);
  EXPECT_EQ(0.0f, store->MaterialTensile);
  EXPECT_EQ(0, store->MaterialCode);
}

TEST_F(JobStoreTest, ResetForTestingRestoresTheCreationValuesInPlace) {
  JobStore* store = JobStore::Instance();
  store->Unit = 1;
  store->Tools.Add(CPPTool());
  store->Machines.SetSize(2);
  store->DataPath = "C:\\data";
  store->MaterialCode = 5;
  store->ResetForTesting();
  EXPECT_EQ(store, JobStore::Instance());
  EXPECT_EQ(0, store->Unit);
  EXPECT_EQ(0, store->Tools.GetSize());
  EXPECT_EQ(0, store->Machines.GetSize());
  EXPECT_STREQ("", store->DataPath);
  EXPECT_EQ(0, store->MaterialCode);
}

TEST_F(JobStoreTest, FailedCreationIsNotRememberedAndIsRetried) {
  JobStore::SimulateAllocationFailureForTesting(true);
  EXPECT_EQ(nullptr, JobStore::Instance());
  EXPECT_EQ(nullptr, JobStore::Instance());
  JobStore::SimulateAllocationFailureForTesting(false);
  EXPECT_NE(nullptr, JobStore::Instance());
}

TEST_F(JobStoreTest, FindToolByNameTakesTheFirstOfEqualNames) {
  JobStore& store = *JobStore::Instance();
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

TEST_F(JobStoreTest, FindToolByNameComparesEveryByteAndCase) {
  JobStore& store = *JobStore::Instance();
  store.Tools.Add(NamedTool("P88", 2));
  CPPTool found = NamedTool("unchanged", 7);
  for (const char* name : {"p88", "P88 ", " P88", "P8", "", "P88\xA0"}) {
    EXPECT_FALSE(store.FindToolByName(found, name)) << name;
  }
  EXPECT_STREQ("unchanged", found.GetToolName());
  EXPECT_EQ(7.0, found.GetVWidth());
}

TEST_F(JobStoreTest, FindToolByNameInAnEmptyStoreFindsNothing) {
  CPPTool found;
  EXPECT_FALSE(JobStore::Instance()->FindToolByName(found, ""));
}

TEST_F(JobStoreTest, FindMachineByNameMatchesUserMachineNameExactly) {
  JobStore& store = *JobStore::Instance();
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

}  // namespace
