// The fit check of field tables catches the faults a table can have: a gap
// where none may be, an overlap, a width that is not the member's, a name
// used twice, a block too short. (The program files' own tables are checked
// where they are declared.)
#include "formats/field_table.h"

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

}  // namespace
}  // namespace bendpost::fields
