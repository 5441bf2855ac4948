// The fit check of field tables catches the faults a table can have: a gap
// where none may be, an overlap, a width that is not the member's, a name
// used twice, a block too short. (The program files' own tables are checked
// where they are declared.) Also: a zero-terminated text keeps its 0, and
// a byte of a block is named by its field.
#include "formats/field_table.h"

#include <gtest/gtest.h>

namespace bendpost::fields {
namespace {

struct Block {
  int16_t a = 0;
  float b = 0;
  std::string t;
  std::array<int32_t, 10> r{};
};

constexpr Field<Block> kGood[] = {
    Num("a", 0, &Block::a), Num("b", 2, &Block::b), Text("t", 6, 3, &Block::t),
    Num("r", 9, &Block::r)};
static_assert(FitsBlock(kGood, 49, true));
static_assert(FitsBlock(kGood, 50, false) && !FitsBlock(kGood, 50, true));
static_assert(!FitsBlock(kGood, 48, false));
static_assert(OffsetOf(kGood, "t") == 6 && WidthOf(kGood, "r") == 40);

constexpr Field<Block> kGap[] = {Num("a", 0, &Block::a),
                                 Num("b", 3, &Block::b)};
static_assert(FitsBlock(kGap, 7, false) && !FitsBlock(kGap, 7, true));

constexpr Field<Block> kOverlap[] = {Num("a", 0, &Block::a),
                                     Num("b", 1, &Block::b)};
static_assert(!FitsBlock(kOverlap, 8, false));

constexpr Field<Block> kTwice[] = {Num("a", 0, &Block::a),
                                   Num("a", 2, &Block::b)};
static_assert(!FitsBlock(kTwice, 6, true));

constexpr Field<Block> kTooWide[] = {{"a", 0, 4, &Block::a}};
static_assert(!FitsBlock(kTooWide, 4, true));

// A zero-terminated field keeps its terminating 0 however long the text:
// the decoder tells an unterminated name by re-encoding it.
TEST(FieldTableTest, ATooLongTextKeepsTheTerminatorOfAZeroTerminatedField) {
  uint8_t p[9];
  std::memset(p, 'x', sizeof p);
  PutText(p + 1, "ABCDEFGH", 7, TextStyle::kZeroTerminated);
  EXPECT_EQ(std::string("xABCDEF\0x", 9),
            std::string(reinterpret_cast<const char*>(p), sizeof p));
}

TEST(FieldTableTest, AByteIsNamedByTheFieldThatHoldsIt) {
  EXPECT_EQ("in a", WhereInBlock(kGap, 0));
  EXPECT_EQ("in a", WhereInBlock(kGap, 1));
  EXPECT_EQ("outside every field", WhereInBlock(kGap, 2));
  EXPECT_EQ("in b", WhereInBlock(kGap, 3));
  EXPECT_EQ("in b", WhereInBlock(kGap, 6));
  EXPECT_EQ("outside every field", WhereInBlock(kGap, 7));
}

}  // namespace
}  // namespace bendpost::fields
