#include "documents/program_json.h"

#include <gtest/gtest.h>

namespace bendpost::documents {
namespace {

TEST(ProgramJsonTest, FromJsonNamesTheFieldThatDoesNotFit) {
  ControlFileHeader header;
  header.StepCount = 3;
  ordered_json j = ToJson(header);
  j["StepCount"] = "three";
  ControlFileHeader back;
  EXPECT_EQ(FromJson(j, &back).message(),
            "field StepCount does not fit its type");
  EXPECT_EQ(back.StepCount, ControlFileHeader().StepCount);  // unchanged

  j.erase("StepCount");
  EXPECT_EQ(FromJson(j, &back).message(), "field StepCount is missing");
  j["StepCount"] = 3;
  EXPECT_TRUE(FromJson(j, &back).ok());
  EXPECT_EQ(back.StepCount, 3);
}

}  // namespace
}  // namespace bendpost::documents
