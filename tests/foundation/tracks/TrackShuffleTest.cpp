// The shuffle: always a permutation of the records, and (with a fixed seed)
// spread evenly over every order, including for two records and for records
// that share a path.
#include "foundation/tracks/TrackArrays.h"
#include "tests/foundation/tracks/TrackTestArrays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

std::string Key(const TrackArray& tracks)
{
    std::string key;
    for (const std::string& t : Titles(tracks))
        key += t + "|";
    return key;
}

// Pearson's statistic of the counts against an even spread over `cells`.
double ChiSquare(const std::map<std::string, int>& counts, int cells, int trials)
{
    const double expected = static_cast<double>(trials) / cells;
    double sum = 0;
    for (const auto& entry : counts)
        sum += (entry.second - expected) * (entry.second - expected) / expected;
    // Orders never produced count as cells with nothing in them.
    sum += (cells - static_cast<int>(counts.size())) * expected;
    return sum;
}

// Counts the orders that `trials` shuffles of the named records produce.
std::map<std::string, int> CountOrders(const std::vector<std::string>& names, int trials,
                                       unsigned seed)
{
    std::mt19937 generator(seed);
    std::map<std::string, int> counts;
    TrackArray tracks;
    for (int i = 0; i < trials; ++i) {
        FillTracks(tracks, names);
        ShuffleTracks(tracks, generator);
        ++counts[Key(tracks)];
    }
    return counts;
}

} // namespace

TEST(ShuffleTracks, KeepsEveryRecord)
{
    std::mt19937 generator(7);
    for (int size : {0, 1, 2, 3, 7, 50}) {
        std::vector<std::string> names;
        for (int i = 0; i < size; ++i)
            names.push_back("p" + std::to_string(i % 5));   // some paths repeat
        TrackArray tracks;
        FillTracks(tracks, names);
        const std::vector<std::string> before = Titles(tracks);
        ShuffleTracks(tracks, generator);
        EXPECT_EQ(Sorted(before), Sorted(Titles(tracks))) << size << " records";
    }
}

TEST(ShuffleTracks, SingleRecordStaysPut)
{
    TrackArray tracks;
    FillTracks(tracks, {"only"});
    ShuffleTracks(tracks);
    EXPECT_EQ((std::vector<std::string>{"only#0"}), Titles(tracks));
}

TEST(ShuffleTracks, TwoRecordsKeepOrSwapAlike)
{
    const int trials = 4000;
    std::map<std::string, int> counts = CountOrders({"a", "b"}, trials, 1234);
    ASSERT_EQ(2u, counts.size());
    EXPECT_GT(counts["a#0|b#1|"], trials * 45 / 100);
    EXPECT_GT(counts["b#1|a#0|"], trials * 45 / 100);
}

TEST(ShuffleTracks, EveryOrderOfFourIsEquallyLikely)
{
    // 24 orders; chi-square with 23 degrees of freedom, 0.1 % point 49.7.
    const int trials = 24000;
    std::map<std::string, int> counts = CountOrders({"a", "b", "c", "d"}, trials, 20261210);
    EXPECT_EQ(24u, counts.size());
    EXPECT_LT(ChiSquare(counts, 24, trials), 49.7);
}

TEST(ShuffleTracks, RecordsSharingAPathAreShuffledToo)
{
    // Six orders of a#0, a#1 and b#2; 5 degrees of freedom, 0.1 % point 20.5.
    const int trials = 6000;
    std::map<std::string, int> counts = CountOrders({"a", "A", "b"}, trials, 99);
    EXPECT_EQ(6u, counts.size());
    EXPECT_LT(ChiSquare(counts, 6, trials), 20.5);
}

TEST(ShuffleTracks, EveryRecordReachesTheLastPlace)
{
    std::mt19937 generator(5);
    std::map<std::string, int> last;
    const int trials = 5000;
    TrackArray tracks;
    for (int i = 0; i < trials; ++i) {
        FillTracks(tracks, {"a", "b", "c", "d", "e"});
        ShuffleTracks(tracks, generator);
        ++last[Titles(tracks).back()];
    }
    ASSERT_EQ(5u, last.size());
    for (const auto& entry : last)
        EXPECT_GT(entry.second, trials / 5 * 85 / 100) << entry.first;
}

TEST(ShuffleTracks, RunGeneratorGivesDifferentOrdersOnLaterCalls)
{
    // Seeded once per run: two shuffles of the same twelve records in a row
    // do not repeat each other (chance 1 in 12!).
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i)
        names.push_back("r" + std::to_string(i));
    TrackArray first;
    TrackArray second;
    FillTracks(first, names);
    FillTracks(second, names);
    ShuffleTracks(first);
    ShuffleTracks(second);
    EXPECT_EQ(Sorted(Titles(first)), Sorted(Titles(second)));
    EXPECT_NE(Titles(first), Titles(second));
}
