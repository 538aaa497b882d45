// The quick reader of library files as this program writes them: it must
// read exactly what the XML reader reads, and leave every other layout to
// that reader.
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryLayoutReader.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;

void ExpectSame(const CTrackRecord& a, const CTrackRecord& b)
{
    for (auto member : {&CTrackRecord::m_FileName, &CTrackRecord::m_Artist, &CTrackRecord::m_Album,
                        &CTrackRecord::m_Title, &CTrackRecord::m_Genre, &CTrackRecord::m_FileType,
                        &CTrackRecord::m_BPMText, &CTrackRecord::m_Year, &CTrackRecord::m_Cue1Name,
                        &CTrackRecord::m_Cue2Name})
        EXPECT_EQ((a.*member).str(), (b.*member).str());
    for (auto member : {&CTrackRecord::m_Index, &CTrackRecord::m_Length, &CTrackRecord::m_PlayCount,
                        &CTrackRecord::m_HasPicture, &CTrackRecord::m_Volume, &CTrackRecord::m_Start,
                        &CTrackRecord::m_End, &CTrackRecord::m_Cue1, &CTrackRecord::m_Cue2,
                        &CTrackRecord::m_BPM, &CTrackRecord::m_Played})
        EXPECT_EQ(a.*member, b.*member);
}

// Records with the texts that need escaping, empty texts, entities that
// are no entities, high bytes and extreme numbers.
void FillTricky(Records& records)
{
    const char* texts[] = {"plain", "", "a & b <c> \"d\" 'e'", "&amp; &lt &foo; &", "\xC4\xE4\xFF",
                           " lead and trail ", "line\r\nbreak", "x/y=z"};
    const int32_t numbers[] = {0, -1, 2147483647, -2147483647 - 1, 42};
    int n = 0;
    for (const char* text : texts) {
        CTrackRecord r;
        r.m_FileName = text;
        r.m_Artist = texts[(n + 1) % 8];
        r.m_Album = texts[(n + 2) % 8];
        r.m_Title = texts[(n + 3) % 8];
        r.m_Genre = texts[(n + 4) % 8];
        r.m_FileType = texts[(n + 5) % 8];
        r.m_BPMText = n % 2 ? "128.5" : text;
        r.m_Year = texts[(n + 6) % 8];
        r.m_Cue1Name = texts[(n + 7) % 8];
        r.m_Cue2Name = text;
        r.m_Index = numbers[n % 5];
        r.m_Length = numbers[(n + 1) % 5];
        r.m_PlayCount = numbers[(n + 2) % 5];
        r.m_HasPicture = numbers[(n + 3) % 5];
        r.m_Volume = numbers[(n + 4) % 5];
        r.m_Start = numbers[n % 5];
        r.m_End = numbers[(n + 2) % 5];
        r.m_Cue1 = numbers[(n + 3) % 5];
        r.m_Cue2 = numbers[(n + 1) % 5];
        records.Add(r);
        ++n;
    }
}

// What the XML reader makes of a text; false when it cannot parse it.
bool ReadByXml(const std::string& text, Records& records, bool formatBpm)
{
    XmlMarkup xml;
    if (!xml.SetDocument(CString(text)))
        return false;
    ReadLibraryRecords(xml, records, formatBpm);
    return true;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(LibraryLayout, WrittenTextIsReadAsTheXmlReaderReadsIt)
{
    Records written;
    FillTricky(written);
    for (int count : {0, 1, 8}) {
        Records some;
        for (int i = 0; i < count; ++i)
            some.Add(written[i]);
        const std::string text = BuildLibraryText(some, "5.00", "01/02/03");
        for (bool formatBpm : {false, true}) {
            SCOPED_TRACE(count * 10 + formatBpm);
            int laidOut = -1;
            ASSERT_TRUE(CheckLibraryLayout(CString(text), laidOut));
            EXPECT_EQ(count, laidOut);
            Records quick, parsed;
            quick.Add(written[0]); // records already there stay
            parsed.Add(written[0]);
            ReadLibraryLayout(CString(text), laidOut, quick, formatBpm);
            ASSERT_TRUE(ReadByXml(text, parsed, formatBpm));
            ASSERT_EQ(parsed.GetSize(), quick.GetSize());
            for (INT_PTR i = 0; i < quick.GetSize(); ++i)
                ExpectSame(parsed[i], quick[i]);
        }
    }
}

// Texts the XML reader reads but this program does not write are refused,
// so that the XML reader reads them.
TEST(LibraryLayout, OtherLayoutsAreLeftToTheXmlReader)
{
    Records written;
    FillTricky(written);
    const std::string text = BuildLibraryText(written, "5.00", "01/02/03");
    struct Case { const char* name; std::string text; bool xmlReads = true; };
    const Case cases[] = {
        {"LF line ends", Replace(text, "\r\n", "\n")},
        {"a comment", Replace(text, "<TRK>\r\n<FN>", "<TRK>\r\n<!-- c --><FN>")},
        {"single quotes", Replace(text, "BP=\"128.5\"", "BP='128.5'")},
        {"CDATA", Replace(text, "<FN>plain</FN>", "<FN><![CDATA[plain]]></FN>")},
        {"attributes in another order", Replace(text, "<BI FT=\"", "<BI XX=\"1\" FT=\"")},
        {"an extra child", Replace(text, "</TRK>", "<EX/>\r\n</TRK>")},
        {"a missing child", Replace(text, "<AL/>\r\n", "")},
        {"trailing space", text + " "},
        {"raw > in a value", Replace(text, "YR=\"plain\"", "YR=\"a>b\""), false}, // ends the tag
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(text, c.text);
        int laidOut = -1;
        EXPECT_FALSE(CheckLibraryLayout(CString(c.text), laidOut));
        Records parsed;
        EXPECT_EQ(c.xmlReads, ReadByXml(c.text, parsed, true));
        if (c.xmlReads) {
            EXPECT_EQ(written.GetSize(), parsed.GetSize());
        }
    }
}

// Whatever a record's texts hold, the file keeps one element per line and
// is well-formed XML: CR, LF and TAB are written as a blank, other control
// bytes are left out.
TEST(LibraryLayout, ControlCharactersNeverReachTheFile)
{
    const char* texts[] = {"line\r\nbreak", "tab\there", "bell\x07 and \x01\x1F", "\r", "\n\n",
                           "a & \x0B<b>"};
    const char* cleaned[] = {"line  break", "tab here", "bell and ", " ", "  ", "a & <b>"};
    Records written;
    for (int n = 0; n < 6; ++n) {
        CTrackRecord r;
        r.m_FileName = texts[n];
        r.m_Artist = texts[(n + 1) % 6];
        r.m_Album = texts[(n + 2) % 6];
        r.m_Title = texts[(n + 3) % 6];
        r.m_Genre = texts[(n + 4) % 6];
        r.m_FileType = texts[(n + 5) % 6];
        r.m_BPMText = texts[n];
        r.m_Year = texts[(n + 1) % 6];
        r.m_Cue1Name = texts[(n + 2) % 6];
        r.m_Cue2Name = texts[(n + 3) % 6];
        written.Add(r);
    }
    const std::string text = BuildLibraryText(written, "5.00", "01/02/03");

    const std::vector<std::string> lines = tavrix_test::ElementLines(text);
    // Prolog, root start, ten lines per record (TRK, its eight children,
    // its end), root end.
    EXPECT_EQ(2u + 10u * 6u + 1u, lines.size());

    int laidOut = -1;
    ASSERT_TRUE(CheckLibraryLayout(CString(text), laidOut)) << "the quick reader takes it";
    EXPECT_EQ(6, laidOut);
    Records parsed;
    ASSERT_TRUE(ReadByXml(text, parsed, false));
    ASSERT_EQ(6, parsed.GetSize());
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(cleaned[n], parsed[n].m_FileName.str());
        EXPECT_EQ(cleaned[(n + 3) % 6], parsed[n].m_Title.str());
        EXPECT_EQ(cleaned[(n + 3) % 6], parsed[n].m_Cue2Name.str());
    }
}

#ifndef _WIN32
// Under a double-byte code page a text can end in half a character (a
// 30-byte ID3v1 field cut inside one): the writer leaves that lead byte
// out, so it cannot take the end tag or closing quote after it along, and
// the file reads back. Native only: the Windows build follows the ANSI
// code page, which the test cannot choose.
TEST(LibraryLayout, TextEndingInALeadByteWritesAReadableFile)
{
    struct CodePage932
    {
        CodePage932() { XmlSetNativeCodePage(932); }
        ~CodePage932() { XmlSetNativeCodePage(0); }
    } codePage;
    Records records;
    CTrackRecord r;
    r.m_Title = "\x83\x5C\x83";     // a whole character and a lead byte
    r.m_FileName = "C:\\a\x81";
    r.m_BPMText = "\x82";
    records.Add(r);
    const CString text(BuildLibraryText(records, "5.0", "2026-01-01"));
    int count = 0;
    ASSERT_TRUE(CheckLibraryLayout(text, count));
    Records quick;
    ReadLibraryLayout(text, count, quick, false);
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument(text)) << xml.GetError().GetString();
    Records viaXml;
    ASSERT_EQ(1, ReadLibraryRecords(xml, viaXml, false));
    for (const Records* read : {&quick, &viaXml}) {
        ASSERT_EQ(1, read->GetSize());
        EXPECT_EQ(std::string("\x83\x5C"), (*read)[0].m_Title.str());
        EXPECT_EQ(std::string("C:\\a"), (*read)[0].m_FileName.str());
        EXPECT_EQ(std::string(), (*read)[0].m_BPMText.str());
    }

    // The same rule for XmlMarkup's own escaping of data and attributes.
    XmlMarkup built;
    ASSERT_TRUE(built.AddElement("ROOT", "\x83\x5C\x83"));
    ASSERT_TRUE(built.SetAttribute("a", "x\x83"));
    XmlMarkup again;
    ASSERT_TRUE(again.SetDocument(built.GetDocument())) << again.GetError().GetString();
    ASSERT_TRUE(again.FindElement("ROOT"));
    EXPECT_EQ(std::string("x"), again.GetAttribute("a").str());
}
#endif
