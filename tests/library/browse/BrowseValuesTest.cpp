// The distinct-value walk of the browse views: letter case, empty values,
// the tempo's whole-number part, and the first record of each value.
#include "library/browse/BrowseValues.h"
#include "library/records/RecordSort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CTrackRecord Record(const char* title, const char* artist, const char* bpm = "")
{
    CTrackRecord r;
    r.m_Title = title;
    r.m_Artist = artist;
    r.m_BPMText = bpm;
    return r;
}

std::vector<std::string> Values(const browse::TrackArray& records, int code)
{
    std::vector<std::string> values;
    const std::vector<uint32_t> order = SortedOrder(records, browse::FieldSortCode(code), false);
    for (uint32_t at : browse::FirstOfEachField(records, order, code))
        values.push_back(browse::FieldValue(records[static_cast<INT_PTR>(at)], code).GetString());
    return values;
}

TEST(BrowseValues, LetterCaseVariantsCountOnceSpelledAsTheFirstInOrder)
{
    browse::TrackArray records;
    for (const CTrackRecord& r : {Record("z", "Abba"), Record("a", "ABBA"), Record("m", ""),
                                  Record("b", "Beatles"), Record("c", "beatles")}) {
        CTrackRecord copy(r);
        records.Add(copy);
    }
    EXPECT_EQ((std::vector<std::string>{"ABBA", "Beatles"}), Values(records, 30));
    EXPECT_TRUE(Values(records, 33).empty()) << "code 33 gives no values";
    EXPECT_TRUE(Values(browse::TrackArray(), 30).empty());
}

TEST(BrowseValues, TheTempoValueIsTheWholeNumberOfItsNormalForm)
{
    const struct
    {
        const char* bpm;
        const char* value;
    } cases[] = {{"128.00", "128"}, {"128.75", "128"}, {"95.50", "095"}, {"12800", "128"}, {"", "000"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.value, std::string(browse::FieldValue(Record("t", "a", c.bpm), 36).GetString()))
            << c.bpm;
    EXPECT_EQ(3, browse::FieldSortCode(36));
    EXPECT_EQ(0, browse::FieldSortCode(35));
}

TEST(BrowseValues, SameValueIgnoresOnlyLetterCase)
{
    EXPECT_TRUE(browse::SameValue("Rock & Roll", "ROCK & roll"));
    EXPECT_FALSE(browse::SameValue("Rock", "Rock "));
    EXPECT_FALSE(browse::SameValue("Rock", ""));
    EXPECT_TRUE(browse::SameValue("", ""));
}

TEST(BrowseValues, SortedOrderLeavesTheRecordsWhereTheyAre)
{
    browse::TrackArray records;
    for (const char* artist : {"c", "a", "b"}) {
        CTrackRecord r = Record("t", artist);
        records.Add(r);
    }
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 0}), SortedOrder(records, 2, false));
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 1}), SortedOrder(records, 2, true));
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2}), SortedOrder(records, 11, false));
    EXPECT_STREQ("c", records[0].m_Artist);
}

TEST(BrowseValues, GroupingGivesWhatTheWalkOverASortedCopyGives)
{
    // Letter-case variants, empty values, equal titles and double-byte-free
    // 8-bit letters, in a scrambled order.
    const char* const values[] = {"Rock", "rock", "", "Pop", "POP", "jazz", "Jazz ", "\xC9t\xE9",
                                  "\xC9T\xC9", "b", "B", "a"};
    const char* const titles[] = {"x", "A", "a", "m", "", "Zed", "zed", "b"};
    browse::TrackArray records;
    uint32_t seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        CTrackRecord r;
        r.m_Title = titles[(seed >> 8) % 8];
        r.m_Artist = values[(seed >> 16) % 12];
        r.m_Album = values[(seed >> 20) % 12];
        r.m_Genre = values[(seed >> 24) % 12];
        r.m_Year = values[(seed >> 4) % 12];
        records.Add(r);
    }
    for (int code : {30, 31, 32, 34}) {
        SCOPED_TRACE(code);
        const std::vector<uint32_t> order = SortedOrder(records, browse::FieldSortCode(code), false);
        const std::vector<uint32_t> walked = browse::FirstOfEachField(records, order, code);
        const std::vector<browse::DistinctValue> grouped = browse::DistinctTextValues(records, code);
        ASSERT_EQ(walked.size(), grouped.size());
        for (size_t g = 0; g < grouped.size(); ++g) {
            EXPECT_EQ(walked[g], grouped[g].first) << g;
            EXPECT_EQ(walked[g], order[grouped[g].sortedPosition]) << g;
        }
    }
    EXPECT_TRUE(browse::DistinctTextValues(records, 36).empty()) << "no text code";
}

} // namespace
