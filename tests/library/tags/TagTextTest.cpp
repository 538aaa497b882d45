// The genre reference and tempo text rules of the tag readers.
#include "library/tags/TagReadingText.h"

#include <gtest/gtest.h>

#include <string>

TEST(TagText, OnlyALeadingNumberInParenthesesIsAGenreReference)
{
    struct Case { const char* text; bool reference; long number; };
    const Case cases[] = {
        {"(17)", true, 17},
        {"(13)Pop", true, 13},
        {"  (126)", true, 126},
        {"(-3)", true, -3},
        {"(0)", true, 0},
        {"Rock (live)", false, 0},
        {"Trip-Hop", false, 0},
        {"(RX)", false, 0},
        {"()", false, 0},
        {"(17", false, 0},
        {"", false, 0},
        {"(99999999999999999999)", true, 100009}, // stops growing; outside the list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        long number = -1;
        EXPECT_EQ(c.reference, tagtext::GenreReference(c.text, &number));
        if (c.reference && c.number < 100000) {
            EXPECT_EQ(c.number, number);
        }
        if (c.reference && c.number >= 100000) {
            EXPECT_GT(number, 125);
        }
    }
}

TEST(TagText, TempoBecomesFiveDigitsOfHundredths)
{
    struct Case { const char* text; const char* normal; int whole; };
    const Case cases[] = {
        {"120", "12000", 120},
        {"98.5", "09850", 98},
        {"128.50", "12850", 128},
        {"128.505", "12851", 128},
        {"99.999", "10000", 99},
        {" 75", "07500", 75},
        {".5", "00050", 0},
        {"", "00000", 0},
        {"fast", "00000", 0},
        {"1200", "120000", 1200},
        {"140bpm", "14000", 140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int whole = -1;
        EXPECT_EQ(c.normal, tagtext::NormaliseTempo(c.text, &whole));
        EXPECT_EQ(c.whole, whole);
    }
}

// Every source buffer holds bytes past the count given, so a read past the
// bound shows in the result.
TEST(TagText, BigEndianUtf16StaysWithinItsBytes)
{
    struct Case { const char* name; std::string bytes; size_t count; size_t max; std::u16string units; };
    const Case cases[] = {
        {"whole text", std::string("\0A\0B\0C", 6), 4, 10, u"AB"},
        {"odd last byte", std::string("\0A\0B", 4), 3, 10, u"A"},
        {"ends at zero unit", std::string("\0A\0\0\0B", 6), 6, 10, u"A"},
        {"zero byte in a unit", std::string("\0A\x01\0", 4), 4, 10, u"A\x0100"},
        {"cut to max", std::string("\0A\0B\0C", 6), 6, 2, u"AB"},
        {"latin letter", std::string("\0\xE9\0x", 4), 2, 10, u"\u00E9"},
        {"surrogate pair", std::string("\xD8\x3C\xDF\xB5\0B", 6), 6, 10, u"\xD83C\xDFB5" u"B"},
        {"pair kept whole", std::string("\xD8\x3C\xDF\xB5\0B", 6), 6, 2, u"\xD83C\xDFB5"},
        {"half pair dropped", std::string("\0A\xD8\x3C\xDF\xB5", 6), 6, 2, u"A"},
        {"empty", std::string("\0A", 2), 0, 10, u""},
        {"max zero", std::string("\0A", 2), 2, 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(c.units, tagtext::BigEndianUtf16(bytes, c.count, c.max));
    }
    EXPECT_TRUE(tagtext::BigEndianUtf16(nullptr, 4, 4).empty());
}

TEST(TagText, BoundedTextStaysWithinItsBytes)
{
    struct Case { const char* name; std::string bytes; size_t count; size_t max; const char* text; };
    const Case cases[] = {
        {"whole text", "abcdef", 3, 10, "abc"},
        {"ends at zero", std::string("ab\0cd", 5), 5, 10, "ab"},
        {"cut to max", "abcdef", 6, 4, "abcd"},
        {"empty", "abc", 0, 10, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, tagtext::BoundedText(c.bytes.data(), c.count, c.max));
    }
    EXPECT_EQ("", tagtext::BoundedText(nullptr, 4, 4));
}
