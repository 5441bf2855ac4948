// The C exports, called as the host calls them, checked in the job store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "bendpost/bendpost.h"
#include "driver/job_store.h"
#include "support/job_store_reset.h"
#include "support/record_testing.h"

namespace {

using ::bendpost::testing::DifferingFields;
using ::bendpost::testing::FillEveryField;
using ::bendpost::testing::ScopedJobStoreReset;
using ::testing::IsEmpty;

class ExportsTest : public ::testing::Test {
 protected:
  JobStore& Store() { return *JobStore::Instance(); }
  ScopedJobStoreReset reset_;
};

TEST_F(ExportsTest, GetDriverIdWritesFiveWithoutTheStore) {
  JobStore::SimulateAllocationFailureForTesting(true);
  int id = -1;
  GetDriverID(&id);
  EXPECT_EQ(5, id);
  GetDriverID(nullptr);  // writes nothing, no crash
}

TEST_F(ExportsTest, CreateReportsWhetherTheStoreExists) {
  JobStore::SimulateAllocationFailureForTesting(true);
  EXPECT_FALSE(CreatePPDBInstance());
  JobStore::SimulateAllocationFailureForTesting(false);
  EXPECT_TRUE(CreatePPDBInstance());
  JobStore* first = JobStore::Instance();
  EXPECT_TRUE(CreatePPDBInstance());
  EXPECT_EQ(first, JobStore::Instance());
}

TEST_F(ExportsTest, WithoutAStoreEveryExportReturnsQuietly) {
  JobStore::SimulateAllocationFailureForTesting(true);
  CArray<CPPStepInfo> steps;
  steps.Add(CPPStepInfo());
  InitPPSequence(&steps);
  CArray<CPPTool> tools;
  InitToolInfo(&tools);
  CArray<CPPSetup> setups;
  InitSetupInfo(&setups);
  CArray<CPPMachine> machines;
  InitMachineInfo(&machines);
  CArray<CPPBGauge> gauges;
  InitBkGaugeInfo(&gauges);
  SetUnit(1);
  SetMaterial_1(1, 2, 3);
  SetMaterial_2(1, 2, "Aluminium");
  SetPathNames("a", "b", "c");
  DestroyPPDBInstance();
  EXPECT_EQ(nullptr, JobStore::Instance());
}

// ---- Loading: one rule for the five record types.

template <typename Record>
struct Loader;
template <>
struct Loader<CPPStepInfo> {
  static void Load(CArray<CPPStepInfo>* a) { InitPPSequence(a); }
  static CArray<CPPStepInfo>& Of(JobStore& s) { return s.Steps; }
};
template <>
struct Loader<CPPTool> {
  static void Load(CArray<CPPTool>* a) { InitToolInfo(a); }
  static CArray<CPPTool>& Of(JobStore& s) { return s.Tools; }
};
template <>
struct Loader<CPPSetup> {
  static void Load(CArray<CPPSetup>* a) { InitSetupInfo(a); }
  static CArray<CPPSetup>& Of(JobStore& s) { return s.Setups; }
};
template <>
struct Loader<CPPMachine> {
  static void Load(CArray<CPPMachine>* a) { InitMachineInfo(a); }
  static CArray<CPPMachine>& Of(JobStore& s) { return s.Machines; }
};
template <>
struct Loader<CPPBGauge> {
  static void Load(CArray<CPPBGauge>* a) { InitBkGaugeInfo(a); }
  static CArray<CPPBGauge>& Of(JobStore& s) { return s.BackGauges; }
};

template <typename Record>
CArray<Record> HostArray(std::initializer_list<int> seeds) {
  CArray<Record> array;
  for (int seed : seeds) {
    auto record = std::make_unique<Record>();
    FillEveryField(*record, seed);
    array.Add(*record);
  }
  return array;
}

// Field differences between the store's array and the host's, record by
// record; a count mismatch is reported as one entry.
template <typename Record>
std::vector<std::string> Differences(CArray<Record>& store,
                                     CArray<Record>& host) {
  if (store.GetSize() != host.GetSize()) return {"count"};
  std::vector<std::string> out;
  for (int i = 0; i < host.GetSize(); ++i) {
    for (const std::string& f : DifferingFields(store[i], host[i])) {
      out.push_back(std::to_string(i) + "." + f);
    }
  }
  return out;
}

template <typename Record>
class LoadingTest : public ExportsTest {};
using RecordTypes =
    ::testing::Types<CPPStepInfo, CPPTool, CPPSetup, CPPMachine, CPPBGauge>;
TYPED_TEST_SUITE(LoadingTest, RecordTypes);

TYPED_TEST(LoadingTest, LoadingCopiesEveryRecordInOrder) {
  using L = Loader<TypeParam>;
  CArray<TypeParam> host = HostArray<TypeParam>({1, 2, 3});
  L::Load(&host);
  EXPECT_THAT(Differences(L::Of(this->Store()), host), IsEmpty());
  // The store's copies no longer depend on the host's array.
  CArray<TypeParam> before = host;
  FillEveryField(host[0], 9);
  host.RemoveAt(2);
  EXPECT_THAT(Differences(L::Of(this->Store()), before), IsEmpty());
}

TYPED_TEST(LoadingTest, LoadingReplacesAndAnEmptyArrayEmpties) {
  using L = Loader<TypeParam>;
  CArray<TypeParam> first = HostArray<TypeParam>({1, 2, 3});
  CArray<TypeParam> second = HostArray<TypeParam>({4});
  L::Load(&first);
  L::Load(&second);
  EXPECT_THAT(Differences(L::Of(this->Store()), second), IsEmpty());
  CArray<TypeParam> empty;
  L::Load(&empty);
  EXPECT_EQ(0, L::Of(this->Store()).GetSize());
}

TYPED_TEST(LoadingTest, NullArrayChangesNothing) {
  using L = Loader<TypeParam>;
  CArray<TypeParam> host = HostArray<TypeParam>({1, 2});
  L::Load(&host);
  L::Load(nullptr);
  EXPECT_THAT(Differences(L::Of(this->Store()), host), IsEmpty());
}

TEST_F(ExportsTest, LoadingOneArrayLeavesTheOthersAlone) {
  CArray<CPPTool> tools = HostArray<CPPTool>({1, 2});
  InitToolInfo(&tools);
  CArray<CPPSetup> setups = HostArray<CPPSetup>({3});
  InitSetupInfo(&setups);
  CArray<CPPStepInfo> steps = HostArray<CPPStepInfo>({1, 2});
  InitPPSequence(&steps);
  CArray<CPPStepInfo> steps2 = HostArray<CPPStepInfo>({5});
  InitPPSequence(&steps2);
  EXPECT_EQ(1, Store().Steps.GetSize());
  EXPECT_THAT(Differences(Store().Tools, tools), IsEmpty());
  EXPECT_THAT(Differences(Store().Setups, setups), IsEmpty());
}

// ---- Destroy

TEST_F(ExportsTest, DestroyEmptiesTheArraysAndKeepsTheSettings) {
  CreatePPDBInstance();
  JobStore* store = JobStore::Instance();
  SetUnit(1);
  SetMaterial_1(0.5f, 40, 4);
  SetPathNames("C:\\out\\part.bmf", "C:\\data", "C:\\tools.txt");
  CArray<CPPStepInfo> steps = HostArray<CPPStepInfo>({1, 2});
  InitPPSequence(&steps);
  CArray<CPPTool> tools = HostArray<CPPTool>({1});
  InitToolInfo(&tools);
  CArray<CPPSetup> setups = HostArray<CPPSetup>({1});
  InitSetupInfo(&setups);
  CArray<CPPMachine> machines = HostArray<CPPMachine>({1});
  InitMachineInfo(&machines);
  CArray<CPPBGauge> gauges = HostArray<CPPBGauge>({1});
  InitBkGaugeInfo(&gauges);

  DestroyPPDBInstance();
  EXPECT_TRUE(CreatePPDBInstance());
  EXPECT_EQ(store, JobStore::Instance());
  EXPECT_EQ(0, store->Steps.GetSize());
  EXPECT_EQ(0, store->Tools.GetSize());
  EXPECT_EQ(0, store->Setups.GetSize());
  EXPECT_EQ(0, store->Machines.GetSize());
  EXPECT_EQ(0, store->BackGauges.GetSize());
  EXPECT_EQ(1, store->Unit);
  EXPECT_EQ(12.7f, store->Thickness);
  EXPECT_EQ(40.0f, store->MaterialTensile);
  EXPECT_EQ(4, store->MaterialCode);
  EXPECT_STREQ("C:\\out\\part.bmf", store->ProgramPath);
  EXPECT_STREQ("C:\\data", store->DataPath);
  EXPECT_STREQ("C:\\tools.txt", store->ToolNameTablePath);
}

TEST_F(ExportsTest, DestroyAsTheFirstCallCreatesAnEmptyStore) {
  DestroyPPDBInstance();
  JobStore* store = JobStore::Instance();
  ASSERT_NE(nullptr, store);
  EXPECT_EQ(0, store->Steps.GetSize());
  EXPECT_EQ(0, store->Unit);
}

TEST_F(ExportsTest, EveryExportCreatesTheStoreOnFirstUse) {
  SetUnit(2);
  EXPECT_EQ(2, Store().Unit);
}

// ---- Unit, material and paths

TEST_F(ExportsTest, ThicknessIsConvertedWithTheUnitInForce) {
  SetUnit(1);
  SetMaterial_1(0.5f, 40, 1);
  EXPECT_EQ(12.7f, Store().Thickness);
  EXPECT_EQ(40.0f, Store().MaterialTensile);  // strength never converted
  SetUnit(0);
  SetMaterial_1(0.5f, 40, 1);
  EXPECT_EQ(0.5f, Store().Thickness);
}

TEST_F(ExportsTest, ChangingTheUnitLaterDoesNotConvertAgain) {
  SetUnit(1);
  SetMaterial_1(2, 40, 1);
  SetUnit(0);
  EXPECT_EQ(50.8f, Store().Thickness);
  SetUnit(1);
  EXPECT_EQ(50.8f, Store().Thickness);
}

TEST_F(ExportsTest, UnitsOtherThanOneAreMillimetres) {
  for (int unit : {0, 2, -1, 25}) {
    SetUnit(unit);
    SetMaterial_2(1.5f, 30, "Aluminium");
    EXPECT_EQ(1.5f, Store().Thickness) << unit;
    EXPECT_EQ(unit, Store().Unit);
  }
}

TEST_F(ExportsTest, MaterialOneStoresAnyValuesUnchecked) {
  SetUnit(0);
  SetMaterial_1(-1.0f, -5.0f, 42);
  EXPECT_EQ(-1.0f, Store().Thickness);
  EXPECT_EQ(-5.0f, Store().MaterialTensile);
  EXPECT_EQ(42, Store().MaterialCode);
}

TEST_F(ExportsTest, MaterialNamesGiveTheirCodesByExactMatch) {
  const struct {
    const char* name;
    int code;
  } cases[] = {
      {"Aluminium", 3},
      {"Hot Rolled Steel", 7},
      {"Cold Rolled Steel", 1},
      {"Stainless Steel", 5},
      {"Copper", 1},
      {"", 1},
      {"aluminium", 1},
      {"Aluminium ", 1},
      {"Stainless steel", 1},
      {"Hot Rolled Steel\t", 1},
  };
  for (const auto& c : cases) {
    SetMaterial_1(1, 1, 99);
    SetMaterial_2(1.5f, 30, c.name);
    EXPECT_EQ(c.code, Store().MaterialCode) << '"' << c.name << '"';
    EXPECT_EQ(30.0f, Store().MaterialTensile);
  }
}

TEST_F(ExportsTest, PathNamesReplaceAllThreeUnchanged) {
  SetPathNames("C:\\a\\p.bmf", "C:\\data", "C:\\t.txt");
  SetPathNames(" relative/part ", "", "x");
  EXPECT_STREQ(" relative/part ", Store().ProgramPath);
  EXPECT_STREQ("", Store().DataPath);
  EXPECT_STREQ("x", Store().ToolNameTablePath);
}

}  // namespace
