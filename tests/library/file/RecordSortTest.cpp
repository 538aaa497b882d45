// Sorting records: the case-blind order is the C library's, records equal
// in key and tie-break keep their order, and records move whole.
#include "library/records/RecordSort.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;

CTrackRecord Track(const std::string& artist, const std::string& title, int index)
{
    CTrackRecord r;
    r.m_Artist = CString(artist);
    r.m_Title = CString(title);
    r.m_FileName.Format("C:\\%d.mp3", index);
    r.m_Index = index;
    r.m_Length = index * 3;
    return r;
}

void Add(Records& records, CTrackRecord record)
{
    records.Add(record);
}

// Every neighbour pair in the order the case-blind comparison gives.
void ExpectOrdered(const Records& records, bool descending)
{
    for (INT_PTR i = 1; i < records.GetSize(); ++i) {
        const int c = records[i - 1].m_Artist.CompareNoCase(records[i].m_Artist);
        EXPECT_TRUE(descending ? c >= 0 : c <= 0)
            << "'" << records[i - 1].m_Artist.GetString() << "' before '"
            << records[i].m_Artist.GetString() << "'";
        if (c == 0) {
            EXPECT_LE(records[i - 1].m_Title.CompareNoCase(records[i].m_Title), 0);
        }
    }
}

} // namespace

// Every 7-bit character, alone and after a letter, and texts with high
// bytes between them.
TEST(RecordSort, CaseBlindOrderIsTheLibrarys)
{
    for (bool descending : {false, true}) {
        Records records;
        int n = 0;
        for (int c = 1; c < 128; ++c) {
            Add(records, Track(std::string(1, static_cast<char>(c)), "t", n++));
            Add(records, Track(std::string("q") + static_cast<char>(c), "t", n++));
            Add(records, Track(std::string("Q") + static_cast<char>(c) + "\xE4", "t", n++));
        }
        for (const char* text : {"\xC4", "\xE4", "a\xC4", "A\xE4z", "Z", "z", "_", "["})
            Add(records, Track(text, "t", n++));
        SortRecords(records, 2, descending);
        EXPECT_EQ(n, records.GetSize());
        ExpectOrdered(records, descending);
    }
}

TEST(RecordSort, EqualRecordsKeepTheirOrderAndMoveWhole)
{
    Records records;
    const char* artists[] = {"b", "A", "B", "a", "b", "a"};
    for (int i = 0; i < 6; ++i)
        Add(records, Track(artists[i], "same", i));
    SortRecords(records, 2, false);
    const int ascending[] = {1, 3, 5, 0, 2, 4};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ascending[i], records[i].m_Index);
        EXPECT_EQ(ascending[i] * 3, records[i].m_Length);
        CString path;
        path.Format("C:\\%d.mp3", ascending[i]);
        EXPECT_STREQ(path, records[i].m_FileName);
        EXPECT_STREQ(artists[ascending[i]], records[i].m_Artist);
    }
    SortRecords(records, 2, true);
    const int expected[] = {0, 2, 4, 1, 3, 5}; // the b group first, each group as it was
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], records[i].m_Index);
}

TEST(RecordSort, MovedRecordTakesTheTextsAndKeepsNumbers)
{
    CTrackRecord a = Track("Artist", "Title", 5);
    CTrackRecord b(std::move(a));
    EXPECT_STREQ("Artist", b.m_Artist);
    EXPECT_STREQ("Title", b.m_Title);
    EXPECT_EQ(5, b.m_Index);
    EXPECT_STREQ("", a.m_Artist);
    EXPECT_EQ(5, a.m_Index);
    CTrackRecord c;
    c = std::move(b);
    EXPECT_STREQ("C:\\5.mp3", c.m_FileName);
    EXPECT_STREQ("", b.m_FileName);
}
