#include "platform/dialog_field_store.h"

#include <gtest/gtest.h>

#include "resources/dialog_ids.h"

namespace bendpost {
namespace {

// A negative typing limit is no limit, as 0 is: the window's edit control
// takes the count unsigned. Reading a field never set creates nothing.
TEST(DialogFieldStoreTest, NegativeLimitIsNoLimitAndReadsCreateNoField) {
  DialogFieldStore store;
  store.SetLimit(IDC_PROGRAM_NAME, 6);
  store.SetLimit(IDC_PROGRAM_NAME, -1);
  EXPECT_EQ(0, store.Limit(IDC_PROGRAM_NAME));

  EXPECT_EQ("", store.GetText(IDC_HARDNESS));
  EXPECT_EQ(-1, store.ListSelection(IDC_HARDNESS));
  EXPECT_TRUE(store.Visible(IDC_HARDNESS));
  EXPECT_EQ(0u, store.fields().count(IDC_HARDNESS));
}

TEST(DialogFieldStoreTest, ListSelectionStaysInsideTheList) {
  DialogFieldStore store;
  store.FillList(IDC_MATERIAL_LIST, {"A", "B"});
  store.SelectListEntry(IDC_MATERIAL_LIST, 5);
  EXPECT_EQ(-1, store.ListSelection(IDC_MATERIAL_LIST));
  store.SelectListEntry(IDC_MATERIAL_LIST, 1);
  EXPECT_EQ("B", store.ListEntry(IDC_MATERIAL_LIST, 1));
  EXPECT_EQ("", store.ListEntry(IDC_MATERIAL_LIST, 2));
  store.FillList(IDC_MATERIAL_LIST, {"C"});
  EXPECT_EQ(-1, store.ListSelection(IDC_MATERIAL_LIST));
}

}  // namespace
}  // namespace bendpost
