#include "mainwindow/dispatch/CommandAreas.h"

namespace command_areas {

namespace {

struct Span
{
    unsigned first, last;
    CommandArea area;
};

// Searched in order; the first span that holds the id wins. The explicit
// rows come before the deck ranges, which they cut into.
const Span kSpans[] = {
    // Ids without an entry, and the six entries that do nothing.
    {28001, 28015, CommandArea::NoEntry}, {27318, 27318, CommandArea::NoEntry},
    {28028, 28029, CommandArea::NoEntry}, {27402, 27402, CommandArea::NoEntry},
    {27501, 27509, CommandArea::NoEntry}, {27603, 27603, CommandArea::NoEntry},
    {27701, 27706, CommandArea::NoEntry}, {28121, 28121, CommandArea::NoEntry},
    {28125, 28125, CommandArea::NoEntry}, {28325, 28326, CommandArea::NoEntry},
    {28340, 28341, CommandArea::NoEntry}, {28425, 28426, CommandArea::NoEntry},
    {28440, 28441, CommandArea::NoEntry},
    {27805, 27806, CommandArea::DoesNothing}, {28141, 28142, CommandArea::DoesNothing},
    {28504, 28504, CommandArea::DoesNothing}, {28508, 28508, CommandArea::DoesNothing},
    // The program.
    {27001, 27001, CommandArea::Program}, {27003, 27003, CommandArea::Program},
    {27008, 27008, CommandArea::Program}, {27002, 27002, CommandArea::Help},
    {27004, 27004, CommandArea::Config}, {27005, 27005, CommandArea::Close},
    {27006, 27006, CommandArea::ProgramDump}, {27007, 27007, CommandArea::MainMenu},
    {28503, 28503, CommandArea::FileMenu},
    // Presets.
    {27110, 27113, CommandArea::Preset}, {27210, 27213, CommandArea::Preset},
    // Mixer.
    {27105, 27106, CommandArea::Mixer}, {27205, 27206, CommandArea::Mixer},
    {28305, 28306, CommandArea::Mixer}, {28405, 28406, CommandArea::Mixer},
    {27301, 27305, CommandArea::Mixer}, {27312, 27315, CommandArea::Mixer},
    {27317, 27317, CommandArea::Mixer}, {27319, 27322, CommandArea::Mixer},
    // Random play and AutoMix.
    {27131, 27131, CommandArea::AutoMix}, {27231, 27231, CommandArea::AutoMix},
    {27306, 27307, CommandArea::AutoMix}, {27316, 27316, CommandArea::AutoMix},
    {27308, 27308, CommandArea::AutoMixSettings},
    // Loading from lists.
    {27108, 27109, CommandArea::ListLoading}, {27208, 27209, CommandArea::ListLoading},
    {27604, 27605, CommandArea::ListLoading}, {27615, 27616, CommandArea::ListLoading},
    {28019, 28021, CommandArea::ListLoading}, {28024, 28026, CommandArea::ListLoading},
    {28034, 28035, CommandArea::ListLoading}, {28143, 28143, CommandArea::ListLoading},
    // Library views.
    {27127, 27127, CommandArea::LibraryView}, {27227, 27227, CommandArea::LibraryView},
    {27309, 27309, CommandArea::LibraryView}, {27403, 27407, CommandArea::LibraryView},
    {27410, 27411, CommandArea::LibraryView}, {27414, 27414, CommandArea::LibraryView},
    {27610, 27611, CommandArea::LibraryView}, {28114, 28114, CommandArea::LibraryView},
    {27408, 27408, CommandArea::LibraryManager},
    // List editing.
    {27601, 27602, CommandArea::ListEditing}, {27606, 27609, CommandArea::ListEditing},
    {27618, 27619, CommandArea::ListEditing}, {28022, 28022, CommandArea::ListEditing},
    {28027, 28027, CommandArea::ListEditing}, {28108, 28113, CommandArea::ListEditing},
    // Windows, focus, list scrolling.
    {27401, 27401, CommandArea::Windows}, {27409, 27409, CommandArea::Windows},
    {27412, 27413, CommandArea::Windows}, {27415, 27419, CommandArea::Windows},
    {27612, 27614, CommandArea::Windows}, {27617, 27617, CommandArea::Windows},
    {27620, 27620, CommandArea::Windows}, {28018, 28018, CommandArea::Windows},
    {28023, 28023, CommandArea::Windows}, {28144, 28144, CommandArea::Windows},
    // Players and panes.
    {27801, 27807, CommandArea::VideoDeck},
    {27903, 27922, CommandArea::Sampler}, {28102, 28103, CommandArea::Sampler},
    {28104, 28107, CommandArea::AudioJukebox},
    {28115, 28120, CommandArea::DAredero}, {28129, 28140, CommandArea::DAredero},
    {28016, 28017, CommandArea::JogMode},
    {28509, 28510, CommandArea::UnloadDeck},
    {28501, 28502, CommandArea::ThumbScroll},
    {28505, 28507, CommandArea::PopupMenu},
    {32812, 32813, CommandArea::TrackListMenu},
    // The decks: what the rows above left of their ranges.
    {27101, 27146, CommandArea::Deck}, {27201, 27246, CommandArea::Deck},
    {28030, 28033, CommandArea::Deck}, {28122, 28128, CommandArea::Deck},
    {28301, 28446, CommandArea::Deck},
};

} // namespace

CommandArea AreaOfCommand(unsigned id)
{
    for (const Span& span : kSpans)
        if (id >= span.first && id <= span.last)
            return span.area;
    return CommandArea::NoEntry;
}

const char* AreaName(CommandArea area)
{
    switch (area) {
    case CommandArea::NoEntry: return "no entry";
    case CommandArea::DoesNothing: return "does nothing";
    case CommandArea::Program: return "program";
    case CommandArea::Help: return "help";
    case CommandArea::Config: return "configuration";
    case CommandArea::Close: return "close";
    case CommandArea::ProgramDump: return "program dump";
    case CommandArea::MainMenu: return "main menu";
    case CommandArea::FileMenu: return "file menu";
    case CommandArea::Deck: return "deck";
    case CommandArea::Preset: return "preset";
    case CommandArea::Mixer: return "mixer";
    case CommandArea::AutoMix: return "AutoMix";
    case CommandArea::AutoMixSettings: return "AutoMix settings";
    case CommandArea::ListLoading: return "list loading";
    case CommandArea::LibraryView: return "library view";
    case CommandArea::LibraryManager: return "library manager";
    case CommandArea::ListEditing: return "list editing";
    case CommandArea::Windows: return "windows";
    case CommandArea::VideoDeck: return "video deck";
    case CommandArea::Sampler: return "sampler";
    case CommandArea::AudioJukebox: return "audio jukebox";
    case CommandArea::DAredero: return "dAredero";
    case CommandArea::JogMode: return "jog mode";
    case CommandArea::UnloadDeck: return "unload deck";
    case CommandArea::ThumbScroll: return "thumbnail scroll";
    case CommandArea::PopupMenu: return "popup menu";
    case CommandArea::TrackListMenu: return "track list menu";
    }
    return "?";
}

} // namespace command_areas
