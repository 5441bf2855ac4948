#include "driver/job_store.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>

#include "support/job_store_reset.h"

namespace {

using ::bendpost::testing::ScopedJobStoreReset;

class JobStoreTest : public ::testing::Test {
 protected:
  ScopedJobStoreReset reset_;
};

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

// A record whose copy throws on the copy numbered `throw_at` (counted over
// all copies since the count was reset).
struct CopyCounted {
  static inline int copies = 0;
  static inline int throw_at = -1;
  int value = 0;
  explicit CopyCounted(int v = 0) : value(v) {}
  CopyCounted(const CopyCounted& other) : value(other.value) {
    if (++copies == throw_at) throw std::bad_alloc();
  }
  CopyCounted& operator=(const CopyCounted&) = default;
};

TEST(ReplaceRecordsTest, ACopyThatThrowsPartWayLeavesTheArrayEmpty) {
  CArray<CopyCounted> host;
  for (int v : {1, 2, 3, 4}) host.Add(CopyCounted(v));
  CArray<CopyCounted> store;
  store.Add(CopyCounted(9));
  CopyCounted::copies = 0;
  CopyCounted::throw_at = 5;  // the third record's copy (two per record)
  EXPECT_THROW(ReplaceRecords(store, &host), std::bad_alloc);
  EXPECT_EQ(0, store.GetSize());
  CopyCounted::throw_at = -1;
  ReplaceRecords(store, &host);
  ASSERT_EQ(4, store.GetSize());
  EXPECT_EQ(4, store[3].value);
}

}  // namespace
