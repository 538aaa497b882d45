// The random pick: one track of the library that meets a criterion.
#include "library/records/RandomPick.h"

#include <ctime>

namespace {

// The C runtime's linear congruential generator, as the platform has it.
class RuntimeGenerator : public RandomDrawSource
{
public:
    RuntimeGenerator() : m_state(static_cast<uint32_t>(time(nullptr)))
    {
        // The first draws after seeding with the clock follow the seed
        // closely: they are dropped.
        for (int i = 0; i < 25; ++i)
            Draw15();
    }
    uint32_t Draw15() override
    {
        m_state = m_state * 214013u + 2531011u;
        return (m_state >> 16) & 0x7FFFu;
    }

private:
    uint32_t m_state;
};

RandomDrawSource& Source(RandomDrawSource* chosen)
{
    if (chosen)
        return *chosen;
    // Seeded once per thread: re-seeding on every call made two calls in
    // one second pick the same track. The generator is the thread's, not
    // library state: the source a test sets is kept with the state.
    thread_local RuntimeGenerator generator;
    return generator;
}

bool Passes(const CTrackRecord& r, const tagRandomInfo& info)
{
    switch (info.Mode) {
    case 40: return true;
    case 41: return r.m_Artist.CompareNoCase(info.Value) == 0;
    case 42: return r.m_Album.CompareNoCase(info.Value) == 0;
    case 43: return r.m_Genre.CompareNoCase(info.Value) == 0;
    // The bounds are compared as texts, as the options dialog gives them.
    case 44: return r.m_Year.Compare(info.YearLow) >= 0 && r.m_Year.Compare(info.YearHigh) <= 0;
    case 45: return r.m_BPMText.Compare(info.BPMLow) >= 0 && r.m_BPMText.Compare(info.BPMHigh) <= 0;
    default: return false;
    }
}

} // namespace

// Two draws make 30 bits; values of the incomplete last round are drawn
// again, so no number is favoured.
uint32_t RandomBelow(RandomDrawSource& source, uint32_t count)
{
    if (count <= 1)
        return 0;
    const uint32_t range = 1u << 30;
    const uint32_t limit = range - range % count;
    for (;;) {
        const uint32_t high = source.Draw15() & 0x7FFFu;
        const uint32_t value = (high << 15) | (source.Draw15() & 0x7FFFu);
        if (value < limit)
            return value % count;
    }
}

CString records::GetRandomTrack(const CArray<CTrackRecord, CTrackRecord&>& tracks,
                                const tagRandomInfo* info,
                                RandomDrawSource* source)
{
    if (!info)
        return "NONE";
    // Positions only: the candidates are not copied.
    CArray<INT_PTR, INT_PTR> candidates;
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        if (Passes(tracks[i], *info))
            candidates.Add(i);
    if (candidates.IsEmpty())
        return "NONE";
    const uint32_t pick = RandomBelow(Source(source), static_cast<uint32_t>(candidates.GetSize()));
    return tracks[candidates[static_cast<INT_PTR>(pick)]].m_FileName;
}
