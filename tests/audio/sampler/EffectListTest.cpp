// The sound-effects list file's text and the list edits.
#include <gtest/gtest.h>

#include "audio/sampler/EffectList.h"
#include "foundation/xml/XmlToken.h"

namespace {

SoundEffectEntry Effect(int id, const char* display, const char* filename, int length)
{
    SoundEffectEntry e;
    e.id = id;
    e.display = display;
    e.filename = filename;
    e.length = length;
    return e;
}

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::vector<CString> Paths(const SoundEffectList& list)
{
    std::vector<CString> paths;
    for (const SoundEffectEntry& e : list)
        paths.push_back(e.filename);
    return paths;
}

} // namespace

TEST(EffectList, EmptyListWritesOnlyTheDeclaration)
{
    const CString text = BuildEffectListText(SoundEffectList(), "12/11/26", "5.00");
    EXPECT_STREQ(kDeclaration, text);
    EXPECT_TRUE(ParseEffectList(JoinEffectListLines(text)).empty());
}

TEST(EffectList, WrittenFileHasTheRootAttributesInOrder)
{
    SoundEffectList list = {Effect(7, "Air horn", "C:\\fx\\horn.mp3", 3), Effect(9, "Drop", "#drop.wav", 12)};
    const CString text = BuildEffectListText(list, "12/11/26", "5.00");
    const CString expected = CString(kDeclaration) +
        "<SoundEffects name=\"Tavrix Sound Effects\" version=\"5.00\" date=\"12/11/26\" tracks=\"2\">";
    EXPECT_EQ(expected, text.Left(expected.GetLength()));
    EXPECT_NE(-1, text.Find("<file display=\"Air horn\" filename=\"C:\\fx\\horn.mp3\" len=\"3\"/>"));
    EXPECT_NE(-1, text.Find("<file display=\"Drop\" filename=\"#drop.wav\" len=\"12\"/>"));
    EXPECT_LT(text.Find("Air horn"), text.Find("Drop"));
}

TEST(EffectList, RoundTripRenumbersInFileOrder)
{
    SoundEffectList list = {Effect(3, "Horn & \"siren\" <1>", "C:\\fx\\horn.mp3", 3),
                            Effect(3, "", "#drop.wav", 12), Effect(1, "Ünïcode-ish ÿ", "D:\\a b\\c.wav", 0)};
    const SoundEffectList back = ParseEffectList(JoinEffectListLines(BuildEffectListText(list, "01/02/03", "5.00")));
    ASSERT_EQ(3u, back.size());
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(static_cast<int>(i) + 1, back[i].id);
        EXPECT_EQ(list[i].display, back[i].display);
        EXPECT_EQ(list[i].filename, back[i].filename);
        EXPECT_EQ(list[i].length, back[i].length);
    }
}

TEST(EffectList, ReadingToleratesMissingAttributesAndOtherRoots)
{
    struct Case { const char* text; size_t count; const char* display; const char* filename; int length; } cases[] = {
        {"<SoundEffects><file len=\"4\"/></SoundEffects>", 1, "", "", 4},
        {"<SoundEffects><file display=\"a\" filename=\"b\" len=\"x9\"/></SoundEffects>", 1, "a", "b", 0},
        {"<SoundEffects><file display=\"a\" filename=\"b\" len=\"12s\"/></SoundEffects>", 1, "a", "b", 12},
        {"<SoundEffects><file display=\"a\" filename=\"b\" len=\"99999999999\"/></SoundEffects>", 1, "a", "b", 2147483647},
        {"<SoundEffects><other/><file display=\"a\" filename=\"b\"/></SoundEffects>", 1, "a", "b", 0},
        {"<Effects><file display=\"a\" filename=\"b\" len=\"1\"/></Effects>", 0, "", "", 0},
        {"not xml at all", 0, "", "", 0},
        {"", 0, "", "", 0},
    };
    for (const auto& c : cases) {
        const SoundEffectList list = ParseEffectList(c.text);
        ASSERT_EQ(c.count, list.size()) << c.text;
        if (c.count) {
            EXPECT_STREQ(c.display, list[0].display) << c.text;
            EXPECT_STREQ(c.filename, list[0].filename) << c.text;
            EXPECT_EQ(c.length, list[0].length) << c.text;
        }
    }
}

TEST(EffectList, ValuesEndAtANulByte)
{
    const char text[] = "<SoundEffects><file display=\"po\0\0x\" filename=\"a\0b.mp3\" len=\"2\"/></SoundEffects>";
    const SoundEffectList list = ParseEffectList(CString(text, static_cast<int>(sizeof(text) - 1)));
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(2, list[0].display.GetLength());
    EXPECT_STREQ("po", list[0].display);
    EXPECT_EQ(1, list[0].filename.GetLength());
    const SoundEffectList back = ParseEffectList(JoinEffectListLines(BuildEffectListText(list, "01/02/03", "5.00")));
    ASSERT_EQ(1u, back.size());
    EXPECT_EQ(list[0].display, back[0].display);
    EXPECT_EQ(list[0].filename, back[0].filename);
}

// The double-byte code page is chosen only in the native build.
#ifndef _WIN32
TEST(EffectList, HalfADoubleByteCharacterEndsAValue)
{
    XmlSetNativeCodePage(932);
    // The lead byte of the display value has no second byte.
    const SoundEffectList half = ParseEffectList("<SoundEffects><file display=\"\x92/></SoundEffects>");
    const SoundEffectList whole =
        ParseEffectList("<SoundEffects><file display=\"a\x82\xa0\" filename=\"b\"/></SoundEffects>");
    const SoundEffectList back = ParseEffectList(BuildEffectListText(half, "01/02/03", "5.00"));
    XmlSetNativeCodePage(0);
    ASSERT_EQ(1u, half.size());
    EXPECT_STREQ("", half[0].display);
    ASSERT_EQ(1u, back.size());
    EXPECT_EQ(half[0].display, back[0].display);
    ASSERT_EQ(1u, whole.size());
    EXPECT_STREQ("a\x82\xa0", whole[0].display); // a whole character stays
}
#endif

TEST(EffectList, LinesAreJoinedWithoutTheirEnds)
{
    const CString text = "<SoundEffects>\r\n<file display=\"a\"\r\n filename=\"b\" len=\"2\"/>\n</SoundEffects>\r\n";
    EXPECT_STREQ("<SoundEffects><file display=\"a\" filename=\"b\" len=\"2\"/></SoundEffects>", JoinEffectListLines(text));
    EXPECT_EQ(1u, ParseEffectList(JoinEffectListLines(text)).size());
}

TEST(EffectList, HashPathsLieInTheEffectsFolder)
{
    EXPECT_STREQ("C:\\Effects\\horn.mp3", ResolveEffectPath("#horn.mp3", "C:\\Effects"));
    EXPECT_STREQ("C:\\x\\horn.mp3", ResolveEffectPath("C:\\x\\horn.mp3", "C:\\Effects"));
    EXPECT_STREQ("", ResolveEffectPath("", "C:\\Effects"));
}

TEST(EffectList, IdsPickTheEffectsToPlay)
{
    SoundEffectList list = {Effect(1, "a", "a", 1), Effect(2, "b", "b", 1), Effect(2, "c", "c", 1)};
    EXPECT_EQ((std::vector<size_t>{1, 2}), EffectsWithId(list, 2));
    EXPECT_TRUE(EffectsWithId(list, 3).empty()); // "fx-3" with fewer effects plays nothing
}

TEST(EffectList, DeleteMatchesCaseSensitivelySwapIgnoresCase)
{
    SoundEffectList list = {Effect(1, "a", "C:\\A.mp3", 1), Effect(2, "b", "c:\\a.mp3", 1),
                            Effect(3, "c", "C:\\B.mp3", 1)};
    SoundEffectList del = list;
    EXPECT_TRUE(DeleteEffectByPath(del, "c:\\a.mp3"));
    EXPECT_EQ((std::vector<CString>{"C:\\A.mp3", "C:\\B.mp3"}), Paths(del));
    EXPECT_FALSE(DeleteEffectByPath(del, "C:\\b.mp3"));

    SoundEffectList swap = list;
    // "c:\a.mp3" ignoring case finds the first entry.
    EXPECT_TRUE(SwapEffects(swap, "c:\\a.mp3", "c:\\b.mp3"));
    EXPECT_EQ((std::vector<CString>{"C:\\B.mp3", "c:\\a.mp3", "C:\\A.mp3"}), Paths(swap));
    EXPECT_EQ(3, swap[0].id);
    EXPECT_FALSE(SwapEffects(swap, "C:\\A.mp3", "C:\\none.mp3"));

    // Two effects of the same file: both searches find the same entry.
    SoundEffectList same = {Effect(1, "x", "p", 1), Effect(2, "y", "p", 2)};
    EXPECT_TRUE(SwapEffects(same, "p", "p"));
    EXPECT_STREQ("x", same[0].display);
    EXPECT_STREQ("y", same[1].display);
    EXPECT_EQ((std::vector<size_t>{0, 1}), EffectsWithPath(same, "p"));
}
