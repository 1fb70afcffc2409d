// The C library's text rules, on wide text.

#include <gtest/gtest.h>

#include <climits>

#include "ui/DuiString.h"
#include "ui/Win32.h"

using DuiLib::CDuiString;

TEST(WideTextTest, WtoiFollowsTheCLibraryRules)
{
    struct Case {
        const char16_t* text;
        int value;
    } cases[] = {
        {u"1000", 1000}, {u"  42", 42},  {u"\t\n 7", 7},      {u"+5", 5},        {u"-12", -12},
        {u"12ab", 12},   {u"abc", 0},    {u"   ", 0},         {u"", 0},          {u"- 3", 0},
        {u"--3", 0},     {u"٣", 0},      {u"2147483647", INT_MAX}, {u"-2147483648", INT_MIN},
        {u"99999999999999999999", INT_MAX}, {u"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(_wtoi(c.text), c.value) << CDuiString(c.text).GetLength();
    EXPECT_EQ(_wtoi(nullptr), 0);
}

TEST(WideTextTest, FormattingNeverOverrunsTheBuffer)
{
    WCHAR tip[12];
    int n = wsprintfW(tip, u"Orvel直播-%d", 123456789);
    EXPECT_EQ(n, 11);
    EXPECT_EQ(std::u16string(tip), u"Orvel直播-123");
    WCHAR small[8];
    wsprintfW(small, u"%s|%u|%%|%", u"ab", 7u);
    EXPECT_EQ(std::u16string(small), u"ab|7|%|");

    CDuiString s;
    s.Format(u"%d.png", -3);
    EXPECT_EQ(s, u"-3.png");
    s.Format(u"%d", INT_MIN);
    EXPECT_EQ(s, u"-2147483648");
}
