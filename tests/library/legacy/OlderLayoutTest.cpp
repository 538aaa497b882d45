// The older XML layout: the text written for a set of records, and the
// records and count read back from it.
#include "ArchiveBytes.h"

#include "foundation/xml/XmlMarkup.h"
#include "library/legacy/OlderLayout.h"

#include <gtest/gtest.h>

using legacy_test::FullRecord;

namespace {

using Tracks = CArray<CTrackRecord, CTrackRecord&>;

const char* const kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

int ReadBack(const std::string& text, Tracks* tracks)
{
    XmlMarkup xml;
    EXPECT_TRUE(xml.SetDocument(CString(text))) << text;
    return legacy::ReadOlderLayoutRecords(xml, tracks);
}

} // namespace

TEST(OlderLayout, AnEmptyLibraryIsTheRootAlone)
{
    Tracks none;
    EXPECT_EQ(std::string(kProlog) +
                  "<KelvaneMusicLibrary Version=\"5.00\" Date=\"12/31/26\" Tracks=\"0\"/>\r\n",
              legacy::BuildOlderLayoutText(none, "5.00", "12/31/26"));
}

TEST(OlderLayout, EveryFieldAChildElementInOrder)
{
    Tracks tracks;
    CTrackRecord a = FullRecord(1);
    a.m_Title = "Rock & <Roll>";
    tracks.Add(a);
    CTrackRecord b;
    b.m_FileName = "C:\\b.wav";
    tracks.Add(b);
    const std::string text = legacy::BuildOlderLayoutText(tracks, "5.00", "01/02/03");
    const std::string expected =
        std::string(kProlog) +
        "<KelvaneMusicLibrary Version=\"5.00\" Date=\"01/02/03\" Tracks=\"2\">\r\n"
        "<TRK>\r\n"
        "<FN>C:\\Music\\track1.mp3</FN>\r\n<AR>Artist 1</AR>\r\n<AL>Album 1</AL>\r\n"
        "<TI>Rock &amp; &lt;Roll&gt;</TI>\r\n<GE>Rock</GE>\r\n<FT>MP3</FT>\r\n<BP>120.00</BP>\r\n"
        "<YR>1999</YR>\r\n<ID>101</ID>\r\n<LE>102</LE>\r\n<PC>103</PC>\r\n<RS>113</RS>\r\n"
        "</TRK>\r\n"
        "<TRK>\r\n"
        "<FN>C:\\b.wav</FN>\r\n<AR/>\r\n<AL/>\r\n<TI/>\r\n<GE/>\r\n<FT/>\r\n<BP/>\r\n<YR/>\r\n"
        "<ID>0</ID>\r\n<LE>0</LE>\r\n<PC>0</PC>\r\n<RS>0</RS>\r\n"
        "</TRK>\r\n"
        "</KelvaneMusicLibrary>\r\n";
    EXPECT_EQ(expected, text);

    Tracks read;
    EXPECT_EQ(2, ReadBack(text, &read));
    ASSERT_EQ(2, read.GetSize());
    EXPECT_STREQ("Rock & <Roll>", read[0].m_Title);
    EXPECT_STREQ("C:\\Music\\track1.mp3", read[0].m_FileName);
    EXPECT_STREQ("1999", read[0].m_Year);
    EXPECT_STREQ("120.00", read[0].m_BPMText);
    EXPECT_EQ(101, read[0].m_Index);
    EXPECT_EQ(103, read[0].m_PlayCount);
    EXPECT_EQ(113, read[0].m_HasPicture);
    // What the older layout does not hold comes back as a new record has it.
    EXPECT_EQ(0, read[0].m_Cue1);
    EXPECT_EQ(100, read[0].m_Volume);
    EXPECT_STREQ("", read[0].m_Cue1Name);
    EXPECT_STREQ("C:\\b.wav", read[1].m_FileName);
}

TEST(OlderLayout, CountsRecordsOfEitherLayoutAndMissingChildren)
{
    const struct
    {
        const char* text;
        int count;
    } cases[] = {
        {"<KelvaneMusicLibrary><TRK><TI>a</TI></TRK><TRK/><TRK><PC>7</PC></TRK></KelvaneMusicLibrary>", 3},
        {"<KelvaneMusicLibrary Tracks=\"1\"><TRK><FN>x</FN><BI FT=\"MP3\"/><NU ID=\"1\"/></TRK>"
         "</KelvaneMusicLibrary>", 1},
        {"<OtherRoot><TRK/></OtherRoot>", 0},
        {"<KelvaneMusicLibrary/>", 0},
    };
    for (const auto& c : cases) {
        Tracks tracks;
        EXPECT_EQ(c.count, ReadBack(c.text, &tracks)) << c.text;
        EXPECT_EQ(c.count, tracks.GetSize()) << c.text;
        EXPECT_EQ(c.count, ReadBack(c.text, nullptr)) << c.text;
    }
    Tracks tracks;
    ReadBack(cases[0].text, &tracks);
    EXPECT_STREQ("a", tracks[0].m_Title);
    EXPECT_EQ(7, tracks[2].m_PlayCount);
}
