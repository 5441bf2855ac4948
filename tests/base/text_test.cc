#include "base/text.h"

#include <gtest/gtest.h>

#include "bendpost/cstring.h"

namespace bendpost {
namespace {

TEST(CStringTest, TrimsOnlyTheSixCLocaleWhiteSpaceBytes) {
  CString s(" \t\n\v\f\rAB\xA0 \r");
  s.Trim();
  EXPECT_STREQ("AB\xA0", s);
}

TEST(CStringTest, UpperCaseTouchesAsciiLettersOnly) {
  CString s("ab\xE9z1~");
  s.MakeUpper();
  EXPECT_STREQ("AB\xE9Z1~", s);
  EXPECT_EQ(0, CString("p88").CompareNoCase("P88"));
  EXPECT_NE(0, CString("\xE9").CompareNoCase("\xC9"));
}

TEST(CStringTest, SubstringsAndSearchClampToTheText) {
  CString s("C:\\jobs\\bracket.bmf");
  EXPECT_EQ(7, s.ReverseFind('\\'));
  EXPECT_EQ(-1, s.ReverseFind('/'));
  EXPECT_STREQ("C:\\jobs\\", s.Left(8));
  EXPECT_STREQ("bmf", s.Right(3));
  EXPECT_STREQ("bracket", s.Mid(8, 7));
  EXPECT_STREQ("", s.Mid(100));
  EXPECT_STREQ("", s.Left(-1));
  EXPECT_EQ(s.GetLength(), s.Right(1000).GetLength());
  EXPECT_EQ(-1, s.Find('x'));
  EXPECT_EQ(15, s.Find(".bmf"));
}

TEST(CStringTest, ComparesBytesAsUnsigned) {
  EXPECT_LT(CString("a").Compare("\xE9"), 0);
  EXPECT_TRUE(CString("Aluminium") == "Aluminium");
  EXPECT_FALSE(CString("Aluminium ") == "Aluminium");
}

TEST(TextTest, FloatsFormatShortestWithADot) {
  EXPECT_EQ("57.84", FormatFloat(40.0f * 1.446f));
  EXPECT_EQ("0.1", FormatFloat(0.1f));
  EXPECT_EQ("3", FormatFloat(3.0f));
  EXPECT_EQ("-12.7", FormatFloat(-12.7f));
}

TEST(TextTest, ParsesNumbersWithoutLocale) {
  EXPECT_EQ(1.5, ParseDouble(" 1.5 "));
  EXPECT_EQ(std::nullopt, ParseDouble("1,5"));
  EXPECT_EQ(std::nullopt, ParseDouble(""));
  EXPECT_EQ(std::nullopt, ParseDouble("12abc"));
  EXPECT_EQ(-7, ParseInt("-7"));
  EXPECT_EQ(std::nullopt, ParseInt("99999999999"));
  EXPECT_EQ(42, LeadingDigitsValue("42x"));
  EXPECT_EQ(0, LeadingDigitsValue(" 4"));
}

}  // namespace
}  // namespace bendpost
