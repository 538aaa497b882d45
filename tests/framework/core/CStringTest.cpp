// CString: extraction, searching, changing, comparing and formatting,
// including double-byte text and the printf conventions the program relies on.
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <mbctype.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Runs the body with the C library's multibyte code page set to Shift-JIS,
// where 0x95 0x5C is one character whose trail byte is a backslash.
class ShiftJisCodePage
{
public:
    ShiftJisCodePage() : m_old(_getmbcp()) { m_ok = _setmbcp(932) == 0; }
    ~ShiftJisCodePage() { _setmbcp(m_old); }
    bool ok() const { return m_ok; }

private:
    int m_old;
    bool m_ok;
};

const char kSjisWithBackslashTrail[] = "A\x95\x5C" "B\\C"; // A, U+8868, B, \, C

TEST(CString, ConstructionAndAttributes)
{
    EXPECT_EQ(CString().GetLength(), 0);
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_STREQ(CString("abc", 2), "ab");
    EXPECT_STREQ(CString('x', 3), "xxx");
    EXPECT_STREQ(CString('x', 0), "");
    CString s("hello");
    EXPECT_EQ(s.GetLength(), 5);
    EXPECT_EQ(s[1], 'e');
    EXPECT_EQ(s.GetAt(4), 'o');
    EXPECT_THROW(s.GetAt(5), CInvalidArgException);
    EXPECT_THROW(s.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(s.SetAt(5, 'x'), CInvalidArgException);
}

TEST(CString, CopiesAreIndependent)
{
    CString a("shared text");
    CString b = a;
    const char* before = static_cast<const char*>(a);
    EXPECT_EQ(before, static_cast<const char*>(b)); // shared until changed
    b.SetAt(0, 'S');
    b += "!";
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(b, "Shared text!");
    CString c = a;
    c.MakeUpper();
    EXPECT_STREQ(a, "shared text");
    char* buf = c.GetBuffer(40);
    buf[0] = 'x';
    c.ReleaseBuffer();
    EXPECT_STREQ(a, "shared text");
    EXPECT_STREQ(c, "xHARED TEXT");
}

struct ExtractCase
{
    const char* op;
    int a;
    int b;
    const char* expected;
};

TEST(CString, LeftMidRight)
{
    const CString s("abcdef");
    const ExtractCase cases[] = {
        {"Left", 3, 0, "abc"},   {"Left", 0, 0, ""},      {"Left", 10, 0, "abcdef"},
        {"Left", -1, 0, ""},     {"Right", 2, 0, "ef"},   {"Right", 9, 0, "abcdef"},
        {"Right", -2, 0, ""},    {"Mid", 2, -1, "cdef"},  {"Mid", 2, 2, "cd"},
        {"Mid", 6, 2, ""},       {"Mid", 9, 2, ""},       {"Mid", -3, 2, "ab"},
        {"Mid", 4, 100, "ef"},   {"Mid", 0, -1, "abcdef"},
    };
    for (const ExtractCase& c : cases) {
        CString r;
        if (std::string(c.op) == "Left")
            r = s.Left(c.a);
        else if (std::string(c.op) == "Right")
            r = s.Right(c.a);
        else if (c.b < 0)
            r = s.Mid(c.a);
        else
            r = s.Mid(c.a, c.b);
        EXPECT_STREQ(r, c.expected) << c.op << "(" << c.a << ", " << c.b << ")";
    }
}

TEST(CString, FindAndReverseFind)
{
    const CString s("a\\b\\c.mp3");
    EXPECT_EQ(s.Find('\\'), 1);
    EXPECT_EQ(s.Find('\\', 2), 3);
    EXPECT_EQ(s.Find('\\', 4), -1);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find(".mp3"), 5);
    EXPECT_EQ(s.Find("b", 3), -1);
    EXPECT_EQ(s.Find("a", 0), 0);
    EXPECT_EQ(s.Find("", 2), 2);
    EXPECT_EQ(s.Find('a', 100), -1);
    EXPECT_EQ(s.ReverseFind('\\'), 3);
    EXPECT_EQ(s.ReverseFind('q'), -1);
    EXPECT_EQ(s.FindOneOf(".\\"), 1);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
}

struct ChangeCase
{
    const char* input;
    const char* oldText;
    const char* newText;
    int count;
    const char* expected;
};

TEST(CString, ReplaceReturnsCount)
{
    const ChangeCase cases[] = {
        {"a.b.c", ".", "", 2, "abc"},
        {"aaaa", "aa", "b", 2, "bb"},
        {"abc", "x", "y", 0, "abc"},
        {"abc", "", "y", 0, "abc"},
        {"one two", "two", "three", 1, "one three"},
        {"&&&", "&", "&amp;", 3, "&amp;&amp;&amp;"},
    };
    for (const ChangeCase& c : cases) {
        CString s(c.input);
        EXPECT_EQ(s.Replace(c.oldText, c.newText), c.count) << c.input;
        EXPECT_STREQ(s, c.expected) << c.input;
    }
    CString t("x-y-z");
    EXPECT_EQ(t.Replace('-', '+'), 2);
    EXPECT_STREQ(t, "x+y+z");
}

TEST(CString, RemoveInsertDelete)
{
    CString s("1.2.3");
    EXPECT_EQ(s.Remove('.'), 2);
    EXPECT_STREQ(s, "123");
    EXPECT_EQ(s.Insert(0, "00"), 5);
    EXPECT_STREQ(s, "00123");
    EXPECT_EQ(s.Insert(3, '.'), 6);
    EXPECT_STREQ(s, "001.23");
    EXPECT_EQ(s.Insert(100, "!"), 7);
    EXPECT_STREQ(s, "001.23!");
    EXPECT_EQ(s.Delete(6), 6);
    EXPECT_STREQ(s, "001.23");
    EXPECT_EQ(s.Delete(1, 100), 1);
    EXPECT_STREQ(s, "0");
    EXPECT_EQ(s.Delete(5, 1), 1);
}

TEST(CString, TrimAndTokenize)
{
    CString s("  \t padded \r\n");
    EXPECT_STREQ(CString(s).Trim(), "padded");
    EXPECT_STREQ(CString(s).TrimLeft(), "padded \r\n");
    EXPECT_STREQ(CString(s).TrimRight(), "  \t padded");
    EXPECT_STREQ(CString("xxaxx").Trim('x'), "a");
    EXPECT_STREQ(CString("ab-cd-ba").Trim("ab"), "-cd-");
    EXPECT_STREQ(CString("    ").Trim(), "");

    const CString list(";a;;bc;d;");
    std::vector<std::string> tokens;
    int pos = 0;
    for (CString t = list.Tokenize(";", pos); pos != -1; t = list.Tokenize(";", pos))
        tokens.push_back(t.GetString());
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "bc", "d"}));
    int end = 10;
    EXPECT_STREQ(list.Tokenize(";", end), "");
    EXPECT_EQ(end, -1);
}

TEST(CString, ComparisonAndOperators)
{
    CString a("Apple");
    EXPECT_TRUE(a == "Apple");
    EXPECT_TRUE("Apple" == a);
    EXPECT_TRUE(a != "apple");
    EXPECT_EQ(a.CompareNoCase("aPPLE"), 0);
    EXPECT_LT(a.Compare("Banana"), 0);
    EXPECT_GT(a.Compare("Aardvark"), 0);
    EXPECT_TRUE(a < CString("Banana"));
    EXPECT_FALSE(CString("b") < "a");
    CString s = a + " " + CString("pie") + '!';
    EXPECT_STREQ(s, "Apple pie!");
    EXPECT_STREQ("[" + a, "[Apple");
    s += 'x';
    s += CString("y");
    EXPECT_STREQ(s, "Apple pie!xy");
    EXPECT_STREQ(CString("Mixed Case 123").MakeLower(), "mixed case 123");
    EXPECT_STREQ(CString("Mixed Case 123").MakeUpper(), "MIXED CASE 123");
}

TEST(CString, CaseBlindFollowsTheCLibrary)
{
    // Letters beyond ASCII fold as the C library's locale says: not in the
    // "C" locale, but in a Western one.
    int old = _getmbcp();
    ASSERT_EQ(_setmbcp(1252), 0);
    EXPECT_NE(CString("\xC9t\xE9").CompareNoCase("\xE9T\xC9"), 0); // Été / éTÉ
    EXPECT_EQ(CString("\xC9t\xE9").CompareNoCase("\xC9T\xE9"), 0);
    std::string oldLocale = setlocale(LC_ALL, nullptr);
    ASSERT_NE(setlocale(LC_ALL, "English_United States.1252"), nullptr);
    {
        EXPECT_EQ(CString("\xC9t\xE9").CompareNoCase("\xE9T\xC9"), 0);
        EXPECT_STREQ(CString("\xC9t\xE9").MakeLower(), "\xE9t\xE9");
        EXPECT_STREQ(CString("\xC9t\xE9").MakeUpper(), "\xC9T\xC9");
    }
    setlocale(LC_ALL, oldLocale.c_str());
    _setmbcp(old);
}

TEST(CString, MultibyteTrailByteIsNotACharacter)
{
    ShiftJisCodePage cp;
    if (!cp.ok())
        GTEST_SKIP() << "code page 932 not available";
    const CString s(kSjisWithBackslashTrail);
    EXPECT_EQ(s.GetLength(), 6);
    EXPECT_EQ(s.Find('\\'), 4);            // not the trail byte at 2
    EXPECT_EQ(s.ReverseFind('\\'), 4);
    EXPECT_EQ(CString("\x95\x5C").ReverseFind('\\'), -1);
    CString r(s);
    EXPECT_EQ(r.Replace('\\', '/'), 1);
    EXPECT_STREQ(r, "A\x95\x5C" "B/C");
    CString t(s);
    EXPECT_EQ(t.Remove('\\'), 1);
    EXPECT_STREQ(t, "A\x95\x5C" "BC");
    EXPECT_STREQ(CString("\x95\x5C").TrimRight('\\'), "\x95\x5C");
    int pos = 0;
    EXPECT_STREQ(s.Tokenize("\\", pos), "A\x95\x5C" "B");
    // Double-byte letters have no case; ASCII letters beside them fold.
    EXPECT_STREQ(CString("ab\x95\x5C").MakeUpper(), "AB\x95\x5C");
    EXPECT_EQ(CString("AB\x95\x5C").CompareNoCase("ab\x95\x5C"), 0);
}

struct FormatCase
{
    const char* expected;
    std::string (*make)();
};

template <typename... Args>
std::string Fmt(const char* format, Args... args)
{
    CString s;
    s.Format(format, args...);
    return s.GetString();
}

TEST(CString, FormatFollowsMicrosoftPrintf)
{
    const FormatCase cases[] = {
        // Tempo text: integer part zero-padded as a string.
        {"120.00", [] { return Fmt("%03s.%s", "120", "00"); }},
        {"098.50", [] { return Fmt("%03s.%s", "98", "50"); }},
        {"005.25", [] { return Fmt("%03s.%s", "5", "25"); }},
        {"1234.00", [] { return Fmt("%03s.%s", "1234", "00"); }},
        {"ab   |", [] { return Fmt("%-05s|", "ab"); }},
        {"   ab", [] { return Fmt("%5s", "ab"); }},
        {"ab", [] { return Fmt("%.2s", "abc"); }},
        {"0000x", [] { return Fmt("%05c", 'x'); }},
        {"(null)", [] { return Fmt("%s", static_cast<const char*>(nullptr)); }},
        {"120.03", [] { return Fmt("%3.2f", 120.03); }},
        {"98.50", [] { return Fmt("%3.2f", 98.5); }},
        // Halfway values round away from zero, as Microsoft's printf does.
        {"120.13", [] { return Fmt("%3.2f", 120.125); }},
        {"0.3|-0.3", [] { return Fmt("%.1f|%.1f", 0.25, -0.25); }},
        {"2", [] { return Fmt("%.0f", 1.5); }},
        {"  1.50", [] { return Fmt("%6.2f", 1.5f); }},
        // A CString argument is passed as its text.
        {"[name]", [] { return Fmt("[%s]", CString("name")); }},
        {"007.25", [] { return Fmt("%03s.%s", CString("7"), CString("25")); }},
        {"9876543210", [] { return Fmt("%I64d", 9876543210LL); }},
        {"-9876543210", [] { return Fmt("%I64d", -9876543210LL); }},
        {"18446744073709551615", [] { return Fmt("%I64u", 18446744073709551615ULL); }},
        {"42", [] { return Fmt("%I32d", 42); }},
        {"-7|4294967289", [] { return Fmt("%d|%u", -7, -7); }},
        {"00042", [] { return Fmt("%05d", 42); }},
        {"  -42", [] { return Fmt("%5ld", -42L); }},
        {"ff|FF|0x1f", [] { return Fmt("%x|%X|%#x", 255, 255, 31); }},
        {"07:05", [] { return Fmt("%02d:%02d", 7, 5); }},
        {"100%", [] { return Fmt("%d%%", 100); }},
        {"[  12]", [] { return Fmt("[%*d]", 4, 12); }},
        {"[12  ]", [] { return Fmt("[%-*d]", 4, 12); }},
        {"3.1", [] { return Fmt("%.*f", 1, 3.14159); }},
        {"Header shows 5 records, our counter shows 0 records.",
         [] { return Fmt("Header shows %d records, our counter shows %d records.", 5, 0); }},
        {"Unable to save library, error: x",
         [] { return Fmt("Unable to save library, error: %s", "x"); }},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(c.make(), c.expected);
}

TEST(CString, FormatLongResultAndAppendFormat)
{
    std::string big(5000, 'q');
    CString s;
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 5002);
    s.Format("%d", 1);
    s.AppendFormat("-%s", "two");
    EXPECT_STREQ(s, "1-two");
}

TEST(CString, BufferAccess)
{
    CString s;
    char* p = s.GetBuffer(10);
    std::strcpy(p, "written");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 7);
    p = s.GetBuffer(3);
    EXPECT_STREQ(p, "written");
    s.ReleaseBuffer(3);
    EXPECT_STREQ(s, "wri");
    p = s.GetBufferSetLength(2);
    s.ReleaseBuffer();
    EXPECT_STREQ(s, "wr");
}

} // namespace
