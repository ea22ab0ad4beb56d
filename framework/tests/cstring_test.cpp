#include "framework/cstring.h"

#include <gtest/gtest.h>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Puts LC_NUMERIC back to "C" even when an expectation fails half-way.
struct NumericLocale {
    explicit NumericLocale(const char* name) { ok = std::setlocale(LC_NUMERIC, name) != nullptr; }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, "C"); }
    bool ok;
};

// True when the environment asks for a locale with a decimal comma.
bool EnvironmentWantsComma()
{
    auto comma = [](const char* v) { return v && (!std::strncmp(v, "sv_SE", 5) || !std::strncmp(v, "de_DE", 5)); };
    const char* all = std::getenv("LC_ALL");
    return (all && *all) ? comma(all) : comma(std::getenv("LANG"));
}

CString Fmt(const char* fmt, double v)
{
    CString s;
    s.Format(fmt, v);
    return s;
}

} // namespace

TEST(CStringFormat, UsesTheWindowsRuntimeFlavour)
{
    EXPECT_STREQ("1.23457e+006", Fmt("%g", 1234567.0));
    EXPECT_STREQ("1.5e-007", Fmt("%g", 1.5e-7));
    EXPECT_STREQ("1.000000e+000", Fmt("%e", 1.0));
    EXPECT_STREQ("0.1", Fmt("%g", 0.1));
    EXPECT_STREQ("2.35", Fmt("%.2f", 2.345000001));

    CString s;
    s.Format("%d|%5s|%-4d|%05.1f|%x|%c", -42, "ab", 7, 3.14159, 255u, 'Z');
    EXPECT_STREQ("-42|   ab|7   |003.1|ff|Z", s);
    s.Format("%I64d", static_cast<long long>(-1234567890123LL));
    EXPECT_STREQ("-1234567890123", s);
}

TEST(CStringFormat, LongResultsAndAppend)
{
    std::string big(5000, 'x');
    CString s;
    s.Format("<%s>", big.c_str());
    ASSERT_EQ(5002, s.GetLength());
    EXPECT_EQ('<', s[0]);
    EXPECT_EQ('>', s[5001]);

    s = "a";
    s.AppendFormat("%d", 12);
    s.AppendFormat("%s", "");
    s.AppendFormat("-%s", "b");
    EXPECT_STREQ("a12-b", s);

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

// Registered again under sv_SE.UTF-8: the decimal separator must follow the user's locale once the
// program has called setlocale(LC_NUMERIC, "").
TEST(CStringLocale, DecimalSeparatorFollowsSetlocale)
{
    char sep[8] = {};
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep), 0);
    EXPECT_STREQ(EnvironmentWantsComma() ? "," : ".", sep)
        << "Wine did not take the locale from the environment; without the glibc locale it reads LC_ALL, not LANG";
    {
        NumericLocale user("");
        ASSERT_TRUE(user.ok);
        EXPECT_EQ(std::string("2") + sep + "5", std::string(Fmt("%.1f", 2.5)));
        EXPECT_EQ(std::string("1") + sep + "5e+006", std::string(Fmt("%g", 1.5e6)));
    }
    EXPECT_STREQ("2.5", Fmt("%.1f", 2.5));   // back in "C"
}

TEST(CStringLocale, SwedishGivesADecimalComma)
{
    NumericLocale swedish("Swedish_Sweden.1252");
    ASSERT_TRUE(swedish.ok);
    EXPECT_STREQ("0,25", Fmt("%.2f", 0.25));
    EXPECT_STREQ("1,23457e+006", Fmt("%g", 1234567.0));
}

TEST(CString, ConstructionAndAccess)
{
    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_EQ(5, CString("ab\0cd", 5).GetLength());
    EXPECT_STREQ("---", CString('-', 3));
    EXPECT_TRUE(CString('-', -1).IsEmpty());

    CString s("abc");
    EXPECT_EQ('\0', s.GetAt(3));
    EXPECT_EQ('\0', s.GetAt(-1));
    s.SetAt(1, 'X');
    s.SetAt(9, 'Y');
    EXPECT_STREQ("aXc", s);

    CString t = s + "d" + 'e' + CString("f");
    EXPECT_STREQ("aXcdef", t);
    EXPECT_STREQ("zaXc", 'z' + s);
    EXPECT_TRUE(t == "aXcdef");
    EXPECT_TRUE("aXcdef" == t);
    EXPECT_TRUE(t != s);
    EXPECT_TRUE(CString("B") < CString("a"));   // case-sensitive byte order
}

TEST(CString, CompareNoCase)
{
    EXPECT_EQ(0, CString("Label").CompareNoCase("lABEL"));
    EXPECT_EQ(0, CString("\xE5\xE4\xF6").CompareNoCase("\xC5\xC4\xD6"));   // cp1252 a-ring, a/o-umlaut
    EXPECT_LT(CString("a").CompareNoCase("B"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    EXPECT_LT(CString("").CompareNoCase("a"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABCD"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);   // compared folded to lower case
    EXPECT_EQ(0, CString("").CompareNoCase(nullptr));
    EXPECT_NE(0, CString("abc").Compare("ABC"));
}

TEST(CString, MidLeftRightClampToTheString)
{
    CString s("abcdef");
    EXPECT_STREQ("cdef", s.Mid(2));
    EXPECT_STREQ("cd", s.Mid(2, 2));
    EXPECT_STREQ("ab", s.Mid(-3, 2));
    EXPECT_STREQ("ef", s.Mid(4, 100));
    EXPECT_STREQ("", s.Mid(6));
    EXPECT_STREQ("", s.Mid(60, 2));
    EXPECT_STREQ("", s.Mid(1, -1));
    EXPECT_STREQ("abc", s.Left(3));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("abcdef", s.Left(99));
    EXPECT_STREQ("ef", s.Right(2));
    EXPECT_STREQ("abcdef", s.Right(99));
    EXPECT_STREQ("", s.Right(-2));
}

TEST(CString, FindAndReverseFind)
{
    CString s("a.b.c");
    EXPECT_EQ(1, s.Find('.'));
    EXPECT_EQ(3, s.Find('.', 2));
    EXPECT_EQ(-1, s.Find('.', 4));
    EXPECT_EQ(-1, s.Find('.', 99));
    EXPECT_EQ(-1, s.Find('.', -1));
    EXPECT_EQ(2, s.Find("b.c"));
    EXPECT_EQ(-1, s.Find("b.c", 3));
    EXPECT_EQ(-1, s.Find(static_cast<const char*>(nullptr)));
    EXPECT_EQ(3, s.ReverseFind('.'));
    EXPECT_EQ(-1, s.ReverseFind('x'));
    EXPECT_EQ(1, s.FindOneOf("x.b"));
    EXPECT_EQ(-1, CString().Find('a'));
}

TEST(CString, ReplaceRemoveInsertDelete)
{
    CString s("aaaa");
    EXPECT_EQ(2, s.Replace("aa", "a"));      // left to right, never rescanning what was inserted
    EXPECT_STREQ("aa", s);
    EXPECT_EQ(2, s.Replace("a", "aa"));
    EXPECT_STREQ("aaaa", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(4, s.Replace("a", nullptr));
    EXPECT_TRUE(s.IsEmpty());

    s = "1;2;3";
    EXPECT_EQ(2, s.Replace(';', ','));
    EXPECT_STREQ("1,2,3", s);
    EXPECT_EQ(2, s.Remove(','));
    EXPECT_STREQ("123", s);

    EXPECT_EQ(4, s.Insert(0, 'x'));
    EXPECT_EQ(6, s.Insert(99, "yz"));
    EXPECT_EQ(7, s.Insert(-5, '<'));
    EXPECT_STREQ("<x123yz", s);
    EXPECT_EQ(5, s.Delete(1, 2));
    EXPECT_STREQ("<23yz", s);
    EXPECT_EQ(3, s.Delete(3, 99));
    EXPECT_EQ(3, s.Delete(7));
    EXPECT_EQ(3, s.Delete(0, 0));
    EXPECT_STREQ("<23", s);
}

TEST(CString, TrimAndCase)
{
    CString s(" \t x y \r\n");
    EXPECT_STREQ("x y", s.Trim());
    s = "--x--";
    EXPECT_STREQ("x--", CString(s).TrimLeft('-'));
    EXPECT_STREQ("--x", CString(s).TrimRight('-'));
    EXPECT_STREQ("x", CString("-+x+-").Trim("+-"));
    EXPECT_STREQ("", CString("   ").Trim());
    EXPECT_STREQ("\xC5SA", CString("\xE5sa").MakeUpper());
    EXPECT_STREQ("\xE5sa", CString("\xC5SA").MakeLower());
    EXPECT_STREQ("cba", CString("abc").MakeReverse());
}

TEST(CString, GetBufferAndReleaseBuffer)
{
    CString s("old");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "hello");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ("hello", s);

    p = s.GetBuffer(0);
    p[0] = 'j';
    s.ReleaseBuffer(3);
    EXPECT_STREQ("jel", s);

    p = s.GetBufferSetLength(2);
    s.ReleaseBuffer(-1);
    EXPECT_STREQ("je", s);
}

TEST(CString, LoadString)
{
    CString s("keep me?");
    EXPECT_FALSE(s.LoadString(64999));
    EXPECT_TRUE(s.IsEmpty());

    ASSERT_TRUE(s.LoadString(100));
    EXPECT_EQ(0, s.Find("OLE initialization failed"));
}
