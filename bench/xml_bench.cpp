// XmlMarkup benchmark: builds library documents of the library file's
// layout with AddElement/SetAttribute (time per track at several sizes:
// constant means linear growth), parses the 100,000-track document
// (MB/s), walks every track's children, and reports the peak memory of the
// parsed document's text and index against the text size.
#include "foundation/xml/XmlMarkup.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

// ------------------------------------------------------- allocation counter

namespace {

std::size_t g_current = 0;
std::size_t g_peak = 0;
const std::size_t kHeader = 16; // keeps the block 16-byte aligned

void* CountedAlloc(std::size_t size)
{
    void* raw = std::malloc(size + kHeader);
    if (!raw)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(raw) = size;
    g_current += size;
    g_peak = std::max(g_peak, g_current);
    return static_cast<char*>(raw) + kHeader;
}

void CountedFree(void* p)
{
    if (!p)
        return;
    void* raw = static_cast<char*>(p) - kHeader;
    g_current -= *static_cast<std::size_t*>(raw);
    std::free(raw);
}

} // namespace

void* operator new(std::size_t size) { return CountedAlloc(size); }
void* operator new[](std::size_t size) { return CountedAlloc(size); }
void operator delete(void* p) noexcept { CountedFree(p); }
void operator delete[](void* p) noexcept { CountedFree(p); }
void operator delete(void* p, std::size_t) noexcept { CountedFree(p); }
void operator delete[](void* p, std::size_t) noexcept { CountedFree(p); }

// ------------------------------------------------------------ the document

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

class Random
{
public:
    std::uint32_t Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint32_t>(high - low + 1)); }

private:
    std::uint64_t m_state = 42;
};

std::string Words(Random& rnd, int length)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    while (static_cast<int>(text.size()) < length) {
        if (!text.empty())
            text += rnd.Between(0, 40) == 0 ? " & " : " ";
        const int word = rnd.Between(3, 8);
        for (int i = 0; i < word; ++i)
            text += letters[rnd.Between(0, 51)];
    }
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string Text(Random& rnd) { return Words(rnd, rnd.Between(15, 25)); }

std::string Number(int value) { return std::to_string(value); }

// The library file's layout: root with Version/Date/Tracks, one TRK per
// record with FN AR AL TI GE texts and BI NU CU attribute elements.
std::string BuildLibrary(int tracks, double& seconds)
{
    Random rnd;
    const Clock::time_point start = Clock::now();
    XmlMarkup xml;
    xml.SetDocument("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n");
    xml.AddElement("KelvaneMusicLibrary");
    xml.SetAttribute("Version", "5.00");
    xml.SetAttribute("Date", "12/10/26");
    xml.SetAttribute("Tracks", Number(tracks).c_str());
    xml.IntoElement();
    for (int t = 0; t < tracks; ++t) {
        xml.AddElement("TRK");
        xml.IntoElement();
        std::string path = "C:\\Music\\" + Words(rnd, 14) + "\\" + Words(rnd, 14) + "\\" + Words(rnd, 14) + ".mp3";
        path.resize(static_cast<size_t>(rnd.Between(56, 64)), 'x');
        xml.AddElement("FN", path.c_str());
        xml.AddElement("AR", Text(rnd).c_str());
        xml.AddElement("AL", Text(rnd).c_str());
        xml.AddElement("TI", Text(rnd).c_str());
        xml.AddElement("GE", Text(rnd).c_str());
        xml.AddElement("BI");
        xml.SetAttribute("FT", "MP3");
        xml.SetAttribute("BP", "120.00");
        xml.SetAttribute("YR", "2004");
        xml.AddElement("NU");
        xml.SetAttribute("ID", Number(t).c_str());
        xml.SetAttribute("LE", Number(rnd.Between(60, 600)).c_str());
        xml.SetAttribute("PC", Number(rnd.Between(0, 99)).c_str());
        xml.SetAttribute("HP", "0");
        xml.SetAttribute("VL", "100");
        xml.SetAttribute("SP", "0");
        xml.SetAttribute("EP", Number(rnd.Between(60, 600)).c_str());
        xml.AddElement("CU");
        xml.SetAttribute("C1", Number(rnd.Between(0, 60)).c_str());
        xml.SetAttribute("C1N", Text(rnd).c_str());
        xml.SetAttribute("C2", Number(rnd.Between(60, 120)).c_str());
        xml.SetAttribute("C2N", Text(rnd).c_str());
        xml.OutOfElement();
    }
    const CString document = xml.GetDocument();
    seconds = Seconds(start);
    return document.str();
}

// Reads every track the way the library reader does; returns the bytes read.
std::size_t WalkTracks(XmlMarkup& xml, int& tracks)
{
    static const char* const texts[] = {"FN", "AR", "AL", "TI", "GE"};
    static const char* const bi[] = {"FT", "BP", "YR"};
    static const char* const nu[] = {"ID", "LE", "PC", "HP", "VL", "SP", "EP"};
    static const char* const cu[] = {"C1", "C1N", "C2", "C2N"};
    std::size_t bytes = 0;
    tracks = 0;
    if (!xml.FindElement("KelvaneMusicLibrary"))
        return 0;
    while (xml.FindChildElement("TRK")) {
        xml.IntoElement();
        for (const char* name : texts)
            if (xml.FindChildElement(name))
                bytes += static_cast<std::size_t>(xml.GetChildData().GetLength());
        struct Group
        {
            const char* element;
            const char* const* attributes;
            int count;
        };
        const Group groups[] = {{"BI", bi, 3}, {"NU", nu, 7}, {"CU", cu, 4}};
        for (const Group& g : groups) {
            if (!xml.FindChildElement(g.element))
                continue;
            xml.IntoElement();
            for (int i = 0; i < g.count; ++i)
                bytes += static_cast<std::size_t>(xml.GetAttribute(g.attributes[i]).GetLength());
            xml.OutOfElement();
        }
        xml.OutOfElement();
        ++tracks;
    }
    return bytes;
}

} // namespace

int main()
{
    std::printf("XmlMarkup benchmark (%d-bit)\n\n", static_cast<int>(sizeof(void*) * 8));

    std::printf("Building with AddElement/SetAttribute (constant time per track = linear growth):\n");
    std::printf("  %8s  %12s  %10s  %12s\n", "tracks", "text bytes", "seconds", "us/track");
    std::string library;
    std::string library100k;
    double seconds = 0;
    BuildLibrary(100000, seconds); // warm-up: the heap's pages are touched once
    for (int tracks : {12500, 25000, 50000, 100000, 200000}) {
        double best = 1e9;
        for (int run = 0; run < 2; ++run) {
            library = BuildLibrary(tracks, seconds);
            best = std::min(best, seconds);
        }
        std::printf("  %8d  %12zu  %10.3f  %12.3f\n", tracks, library.size(), best, best * 1e6 / tracks);
        if (tracks == 100000)
            library.swap(library100k);
    }
    library.swap(library100k);

    const CString text(library.c_str(), static_cast<int>(library.size()));
    library.clear();
    library.shrink_to_fit();
    library100k.clear();
    library100k.shrink_to_fit();
    const double megabytes = static_cast<double>(text.GetLength()) / (1024.0 * 1024.0);

    // Peak memory of one parse against the text size: the text itself
    // (which the document shares with the caller's CString rather than
    // copying) plus everything the parse allocates, its index and the
    // index's transient growth included.
    const std::size_t before = g_current;
    g_peak = g_current;
    double steadyRatio = 0;
    {
        XmlMarkup xml;
        if (!xml.SetDocument(text)) {
            std::printf("parse failed: %s\n", xml.GetError().GetString());
            return 1;
        }
        steadyRatio = 1.0 + static_cast<double>(g_current - before) / text.GetLength();
    }
    const double peakRatio = 1.0 + static_cast<double>(g_peak - before) / text.GetLength();

    // Parse speed: best of several runs on one reused object, and on a new
    // object each time (the index allocated and grown from scratch).
    XmlMarkup reused;
    double bestReused = 1e9;
    double bestFresh = 1e9;
    for (int run = 0; run < 7; ++run) {
        Clock::time_point start = Clock::now();
        reused.SetDocument(text);
        bestReused = std::min(bestReused, Seconds(start));
        start = Clock::now();
        XmlMarkup fresh;
        fresh.SetDocument(text);
        bestFresh = std::min(bestFresh, Seconds(start));
    }

    int tracks = 0;
    const Clock::time_point walkStart = Clock::now();
    const std::size_t bytesRead = WalkTracks(reused, tracks);
    const double walkSeconds = Seconds(walkStart);

    std::printf("\nParsing the %d-track library document (%.1f MB):\n", tracks, megabytes);
    std::printf("  SetDocument, reused object : %8.1f MB/s (%.1f ms)\n", megabytes / bestReused, bestReused * 1e3);
    std::printf("  SetDocument, new object    : %8.1f MB/s (%.1f ms)\n", megabytes / bestFresh, bestFresh * 1e3);
    std::printf("  walk of every track        : %8.1f ms (%zu bytes of values read)\n", walkSeconds * 1e3, bytesRead);
    std::printf("  parse + walk               : %8.1f MB/s\n", megabytes / (bestFresh + walkSeconds));
    std::printf("\nMemory of the parsed document (text + index) against the text:\n");
    std::printf("  after parsing : %.2f x text\n", steadyRatio);
    std::printf("  peak          : %.2f x text (while the index grows)\n", peakRatio);
    return 0;
}
