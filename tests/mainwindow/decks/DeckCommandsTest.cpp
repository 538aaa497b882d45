// The main window's deck commands, set-up, notifications and displays
// against recording decks and a recording view. Every deck command id is
// one row of one table (its deck calls, lights and texts), expanded over
// the decks that have the command.
#include <gtest/gtest.h>

#include <functional>

#include "RecordingDecks.h"

using namespace decktest;
using deck_rules::DeckAction;
using deck_rules::CommandIdOf;

namespace
{

// The rig as the main window sets it up: four decks, the stored EQ
// 10, -21, 50 (applied halved: 5, -10, 25), EQ off, the controller's
// lights on, presets A1 and B1 filled.
void SetUpRig(DeckRig& rig, bool hasC = true, bool hasD = true)
{
    DeckAreaSettings s;
    s.tooltips = true;
    s.saveEqGain = true;
    s.timeGran = 10;
    s.feedbackRate = 20;
    s.monoOutput = 1;
    s.pitchBendAmount = 20;
    s.eqKillAmount = -50;
    for (auto& d : s.decks) {
        d.eq[0] = 10;
        d.eq[1] = -21;
        d.eq[2] = 50;
        d.monGain = 80;
    }
    rig.commands.SetSettings(s);
    rig.commands.SetDenonFeedback(true);
    rig.view.presets["A1"] = "p-a1.mp3";
    rig.view.presets["B1"] = "p-b1.mp3";
    rig.commands.InitDecks(hasC, hasD);
    rig.Take();
}

std::string OnAir(int playingDeck)
{
    std::string text;
    for (int d = 0; d < 4; ++d)
        text += "; light lt-" + std::string(1, "abcd"[d]) + "-live=" + (d == playingDeck ? "1" : "0");
    return text.substr(2);
}

std::string PresetRefresh(DeckRig& rig)
{
    std::string text;
    for (int deck = 0; deck < 2; ++deck)
        for (int n = 1; n <= 4; ++n) {
            const CString path = rig.view.ReadPreset(deck, n);
            const DeckAction action = static_cast<DeckAction>(static_cast<int>(DeckAction::Preset1) + n - 1);
            text += "; tip " + std::to_string(CommandIdOf(deck, action)) + "=" +
                    rig.view.TitleFromFile(path).GetString() + "; light lt-" + std::string(1, "ab"[deck]) +
                    "-preset" + std::to_string(n) + (path.IsEmpty() ? "=0" : "=1");
        }
    return text.substr(2);
}

std::string Display(int deck, const char* title, const char* status)
{
    const std::string x(1, "abcd"[deck]);
    return "text " + x + "-title=" + title + "; text " + x + "-artist=; text " + x + "-album=; text " + x +
           "-genre=; text " + x + "-filetype=; text " + x + "-elaptime=000:00; text " + x +
           "-remaintime=000:00; text " + x + "-totaltime=000:00; text " + x + "-bpm=; text " + x +
           "-channels=0; text " + x + "-sps=000; text " + x + "-frequency=00000; text " + x + "-status=" + status;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The row's expectation for one deck: {X} its letter, {x} in lower case,
// {n} its number, {live} the on-air lights with no deck playing, {live+}
// with this deck playing, {led+}/{led-} the controller's play and stop
// lamps (decks A and B), {ptext0} the pitch text "0" (decks A and B),
// {presets} the preset buttons' refresh, {display} the emptied display.
std::string Expand(std::string text, int deck, DeckRig& rig)
{
    const std::string n = std::to_string(deck);
    ReplaceAll(text, "{live+}", OnAir(deck));
    ReplaceAll(text, "{live}", OnAir(-1));
    ReplaceAll(text, "{led+}", deck < 2 ? "led " + n + " 39=1; led " + n + " 38=0" : "");
    ReplaceAll(text, "{led-}", deck < 2 ? "led " + n + " 39=0; led " + n + " 38=1" : "");
    ReplaceAll(text, "{ptext0}", deck < 2 ? "text {x}-pitch=0" : "");
    ReplaceAll(text, "{presets}", PresetRefresh(rig));
    ReplaceAll(text, "{display}", Display(deck, deck == 0 ? "Deck A - Load Track" : "Deck B - Load Track", "Stopped"));
    ReplaceAll(text, "{X}", std::string(1, "ABCD"[deck]));
    ReplaceAll(text, "{x}", std::string(1, "abcd"[deck]));
    ReplaceAll(text, "{n}", n);
    return text;
}

using Prepare = std::function<void(DeckRig&, int deck)>;
using Check = std::function<bool(DeckRig&, int deck)>;

struct Row
{
    DeckAction action;
    const char* decks;   // the decks the row runs on
    const char* state;   // what the row prepares, for the failure message
    Prepare prepare;
    const char* expected;
    Check check;
};

void Playing(DeckRig& rig, int d) { rig.Deck(d).state = MixStatePlaying; }
void EqOn(DeckRig& rig, int d) { rig.commands.RunCommand(CommandIdOf(d, DeckAction::EqOnOff)); }
void PitchAt(DeckRig& rig, int d, int position) { rig.commands.GetMixer().SetPitchSlider(d, position); }
void GainAt(DeckRig& rig, int d, int position) { rig.commands.GetMixer().SetGainPosition(d, position); }
const Prepare kNothing = [](DeckRig&, int) {};
const char kFx[] = "light lt-{x}-fxrotate=%d; light lt-{x}-fxecho=%d; light lt-{x}-fxflange=%d";

const Row kRows[] = {
    {DeckAction::Play, "ABCD", "stopped", kNothing, "{X}.Play; {live+}; {led+}", nullptr},
    {DeckAction::Pause, "ABCD", "playing", Playing, "{X}.Pause; {live}", nullptr},
    {DeckAction::PlayPause, "ABCD", "stopped", kNothing, "{X}.Play; {live+}; {led+}", nullptr},
    {DeckAction::PlayPause, "ABCD", "playing", Playing, "{X}.Pause; {live}; {led-}", nullptr},
    {DeckAction::Stop, "ABCD", "playing, muted",
     [](DeckRig& r, int d) { Playing(r, d); r.Deck(d).muted = true; },
     "{X}.Stop; {X}.ToggleMute; light lt-{x}-mute=0; {live}; {led-}",
     [](DeckRig& r, int d) { return !r.Deck(d).muted; }},
    {DeckAction::Stop, "ABCD", "playing", Playing, "{X}.Stop; {live}; {led-}", nullptr},
    {DeckAction::Restart, "ABCD", "playing", Playing, "{X}.SeekToStart", nullptr},
    {DeckAction::Eject, "ABCD", "a file that fails",
     [](DeckRig& r, int d) { r.view.fileToAsk = "bad.mp3"; r.Deck(d).failing.insert("bad.mp3"); },
     "ask file; {X}.LoadTrack(bad.mp3); notice 4005", nullptr},
    {DeckAction::Eject, "AB", "a good file", [](DeckRig& r, int) { r.view.fileToAsk = "good.mp3"; },
     "ask file; {X}.LoadTrack(good.mp3)", nullptr},
    {DeckAction::Eject, "ABCD", "the dialog cancelled", kNothing, "ask file", nullptr},
    {DeckAction::Mute, "ABCD", "unmuted", kNothing, "{X}.ToggleMute; light lt-{x}-mute=1", nullptr},
    {DeckAction::FastForward, "ABCD", "stopped", kNothing, "{X}.SeekForward(2)",
     [](DeckRig& r, int d) { return !r.commands.IsSeeking(d); }},
    {DeckAction::FastForward, "ABCD", "playing", Playing, "{X}.SeekForward(1)", nullptr},
    {DeckAction::Rewind, "ABCD", "stopped", kNothing, "{X}.SeekBackward(1)", nullptr},
    {DeckAction::Rewind, "ABCD", "playing", Playing, "{X}.SeekBackward(2)", nullptr},
    {DeckAction::Cue1, "AB", "cue 1 at 30 s", kNothing, "{X}.SeekTo(30); {X}.Pause", nullptr},
    {DeckAction::Cue2, "AB", "cue 2 not set", kNothing, "", nullptr},
    {DeckAction::Cue1, "AB", "no track", [](DeckRig& r, int d) { r.Deck(d).loaded = false; }, "", nullptr},
    {DeckAction::Cue2, "AB", "cue 2 set at 0 s",
     [](DeckRig& r, int d) { r.Deck(d).cueSet[1] = true; }, "", nullptr},
    {DeckAction::LoopIn, "AB", "", kNothing, "{X}.SetLoopIn; light lt-{x}-loopin=1", nullptr},
    {DeckAction::LoopOut, "AB", "", kNothing, "{X}.SetLoopOut; light lt-{x}-loopout=1", nullptr},
    {DeckAction::LoopStart, "AB", "", kNothing, "{X}.ToggleLoop", nullptr},
    {DeckAction::PitchZero, "ABCD", "pitch slider at 40", [](DeckRig& r, int d) { PitchAt(r, d, 40); },
     "pitch slider {X}=50; {X}.SetPitch(1000); light lt-{x}-pitchcenter=1; {ptext0}; light lt-{x}-pitchcenter=1",
     nullptr},
    {DeckAction::PitchMoveUp, "AB", "pitch slider at 49", [](DeckRig& r, int d) { PitchAt(r, d, 49); },
     "pitch slider {X}=48; {X}.SetPitch(1010); light lt-{x}-pitchcenter=0; text {x}-pitch=+1", nullptr},
    {DeckAction::PitchMoveUp, "AB", "pitch slider at 0", [](DeckRig& r, int d) { PitchAt(r, d, 0); }, "",
     nullptr},
    {DeckAction::PitchMoveDown, "AB", "pitch slider at 52", [](DeckRig& r, int d) { PitchAt(r, d, 52); },
     "pitch slider {X}=53; {X}.SetPitch(990); light lt-{x}-pitchcenter=0; text {x}-pitch=-1", nullptr},
    {DeckAction::PitchMoveDown, "AB", "pitch slider at 100", [](DeckRig& r, int d) { PitchAt(r, d, 100); },
     "", nullptr},
    {DeckAction::PitchUp, "ABCD", "pitch 1000", kNothing, "{X}.SetPitch(1020); light lt-{x}-pitchcenter=1",
     [](DeckRig& r, int d) { return r.commands.GetMixer().GetPitch(d) == 1000; }},
    {DeckAction::PitchDown, "ABCD", "pitch 1000", kNothing, "{X}.SetPitch(980); light lt-{x}-pitchcenter=1",
     nullptr},
    {DeckAction::KeyLock, "A", "unlocked", kNothing, "light lt-a-keylock=1",
     [](DeckRig& r, int) { return r.commands.IsKeyLocked(); }},
    {DeckAction::EqOnOff, "ABCD", "EQ off", kNothing,
     "{X}.SetEqualizerFlag(1); {X}.SetEqualizer(5,-10,25); light lt-{x}-eqonoff=1",
     [](DeckRig& r, int d) { return r.commands.IsEqOn(d); }},
    {DeckAction::EqOnOff, "ABCD", "EQ on", EqOn, "{X}.EqualizerOff; light lt-{x}-eqonoff=0",
     [](DeckRig& r, int d) { return !r.commands.IsEqOn(d); }},
    {DeckAction::EqFlat, "ABCD", "EQ off", kNothing, "eq controls {X} knobs 180,180,180 sliders 0,0,0", nullptr},
    {DeckAction::EqFlat, "ABCD", "EQ on", EqOn,
     "eq controls {X} knobs 180,180,180 sliders 0,0,0; {X}.SetEqualizer(0,0,0)", nullptr},
    {DeckAction::KillLow, "AB", "EQ on", EqOn, "{X}.SetEqualizer(-50,-21,50); light lt-{x}-eqlowkill=1",
     [](DeckRig& r, int d) { return r.commands.IsKillOn(d, 0); }},
    {DeckAction::KillMid, "AB", "EQ on", EqOn, "{X}.SetEqualizer(10,-50,50); light lt-{x}-eqmidkill=1", nullptr},
    {DeckAction::KillHigh, "AB", "EQ on", EqOn, "{X}.SetEqualizer(10,-21,-50); light lt-{x}-eqhighkill=1",
     nullptr},
    {DeckAction::KillLow, "AB", "low killed",
     [](DeckRig& r, int d) { EqOn(r, d); r.commands.RunCommand(CommandIdOf(d, DeckAction::KillLow)); },
     "{X}.SetEqualizer(10,-21,50); light lt-{x}-eqlowkill=0", nullptr},
    {DeckAction::KillHigh, "AB", "EQ off", kNothing, "",
     [](DeckRig& r, int d) { return !r.commands.IsKillOn(d, 2); }},
    {DeckAction::GainUp, "AB", "gain at 40", [](DeckRig& r, int d) { GainAt(r, d, 40); },
     "gain slider {X}=39; {X}.SetMainsVolume(61)", nullptr},
    {DeckAction::GainUp, "AB", "gain at 0", kNothing, "", nullptr},
    {DeckAction::GainDown, "AB", "gain at 0", kNothing, "gain slider {X}=1; {X}.SetMainsVolume(99)", nullptr},
    {DeckAction::GainDown, "AB", "gain at 100", [](DeckRig& r, int d) { GainAt(r, d, 100); }, "", nullptr},
    {DeckAction::GainDown, "AB", "on the monitor", [](DeckRig& r, int d) { r.Deck(d).onMonitor = true; },
     "gain slider {X}=1", nullptr},
    {DeckAction::FxRotate, "AB", "no effect", kNothing, "fx {X}=1; {fx 1 0 0}", nullptr},
    {DeckAction::FxEcho, "AB", "no effect", kNothing, "clear echo {X}; fx {X}=2; {fx 0 1 0}", nullptr},
    {DeckAction::FxFlange, "AB", "rotating", [](DeckRig& r, int d) { r.view.fxMode[d] = 1; },
     "clear delay {X}; fx {X}=3; {fx 0 0 1}", nullptr},
    {DeckAction::FxEcho, "AB", "echo on", [](DeckRig& r, int d) { r.view.fxMode[d] = 2; },
     "fx {X}=0; {fx 0 0 0}", nullptr},
    {DeckAction::FxRotate, "AB", "rotating", [](DeckRig& r, int d) { r.view.fxMode[d] = 1; },
     "fx {X}=0; {fx 0 0 0}", nullptr},
    {DeckAction::FxFlange, "AB", "flange on", [](DeckRig& r, int d) { r.view.fxMode[d] = 3; },
     "fx {X}=0; {fx 0 0 0}", nullptr},
    {DeckAction::GainPitch, "AB", "pitch bend on pitch", kNothing, "",
     [](DeckRig& r, int d) { return r.commands.IsPitchBendOnGain(d); }},
    {DeckAction::Props, "AB", "", kNothing, "config 2", nullptr},
    {DeckAction::Preset1, "AB", "preset 1 filled", kNothing, "{X}.LoadTrack(p-{x}1.mp3)", nullptr},
    {DeckAction::Preset2, "AB", "preset 2 empty", kNothing, "config 4; {presets}", nullptr},
    {DeckAction::Preset3, "AB", "preset 3 empty", kNothing, "config 4; {presets}", nullptr},
    {DeckAction::Preset4, "AB", "preset 4 filled",
     [](DeckRig& r, int d) { r.view.presets[std::string(1, "AB"[d]) + "4"] = "p4.wav"; },
     "{X}.LoadTrack(p4.wav)", nullptr},
    {DeckAction::Unload, "AB", "playing", Playing,
     "{X}.Unload; pitch slider {X}=50; {X}.SetPitch(1000); light lt-{x}-pitchcenter=1; {ptext0}; "
     "light lt-{x}-pitchcenter=1; levels {X}=0,0; peak reset {X}; {display}; {live}; "
     "text {x}-status=Stopped; {live}; art {n}=",
     [](DeckRig& r, int) { return r.slots.created == 4; }},
};

std::string FxLights(const std::string& text)
{
    std::string out = text;
    for (int r = 0; r < 2; ++r)
        for (int e = 0; e < 2; ++e)
            for (int f = 0; f < 2; ++f) {
                char token[16], lights[128];
                std::snprintf(token, sizeof token, "{fx %d %d %d}", r, e, f);
                std::snprintf(lights, sizeof lights, kFx, r, e, f);
                ReplaceAll(out, token, lights);
            }
    return out;
}

} // namespace

TEST(DeckCommands, EveryDeckCommandDoesWhatItsRowSays)
{
    int runs = 0;
    for (const Row& row : kRows) {
        for (const char* letter = row.decks; *letter; ++letter) {
            const int deck = *letter - 'A';
            const unsigned id = CommandIdOf(deck, row.action);
            SCOPED_TRACE(std::string(deck_rules::ActionName(row.action)) + " of deck " + *letter + " (" +
                         std::to_string(id) + "), " + row.state);
            ASSERT_NE(0u, id);
            DeckRig rig;
            SetUpRig(rig);
            row.prepare(rig, deck);
            rig.Take();
            EXPECT_TRUE(rig.commands.RunCommand(id));
            EXPECT_EQ(Split(Expand(FxLights(row.expected), deck, rig)), rig.Take());
            if (row.check) {
                EXPECT_TRUE(row.check(rig, deck));
            }
            ++runs;
        }
    }
    EXPECT_GT(runs, 100);
}

TEST(DeckCommands, TheTableHasARowForEveryDeckCommandId)
{
    for (unsigned id = 27001; id <= 28510; ++id) {
        const deck_rules::DeckCommand command = deck_rules::DeckCommandOf(id);
        if (command.action == DeckAction::None)
            continue;
        bool found = false;
        for (const Row& row : kRows)
            for (const char* letter = row.decks; *letter; ++letter)
                found = found || (row.action == command.action && *letter - 'A' == command.deck);
        EXPECT_TRUE(found) << "no row for command " << id;
    }
}

TEST(DeckCommands, IdsThatChangeNothingAndOtherAreasIds)
{
    DeckRig rig;
    SetUpRig(rig);
    for (unsigned id : {27246u, 28346u, 28446u})
        EXPECT_TRUE(rig.commands.RunCommand(id)) << id;
    // The lists' scroll toggles, a fade, a cue of deck C: not deck commands here.
    for (unsigned id : {28032u, 28033u, 27105u, 28314u, 27001u})
        EXPECT_FALSE(rig.commands.RunCommand(id)) << id;
    EXPECT_TRUE(rig.Take().empty());
}

TEST(DeckCommands, ASkinWithoutDecksCAndDMakesNeitherAndTheirCommandsDoNothing)
{
    DeckRig rig;
    SetUpRig(rig, false, false);
    EXPECT_EQ(2, rig.slots.created);
    EXPECT_FALSE(rig.commands.DeckExists(2));
    for (DeckAction action : {DeckAction::Play, DeckAction::Stop, DeckAction::EqOnOff, DeckAction::PitchZero})
        for (int deck : {2, 3})
            EXPECT_TRUE(rig.commands.RunCommand(CommandIdOf(deck, action)));
    rig.commands.OnDeckTime(2, 10);
    rig.commands.UpdateDeckDisplay(3);
    EXPECT_TRUE(rig.Take().empty());
    // The on-air refresh leaves the lights of the missing decks alone.
    rig.commands.RunCommand(27101);
    EXPECT_EQ(Split("A.Play; light lt-a-live=1; light lt-b-live=0; led 0 39=1; led 0 38=0"), rig.Take());
}

TEST(DeckCommands, InitDecksAppliesTheStoredDeckSettingsInOrder)
{
    DeckRig rig;
    DeckAreaSettings s;
    s.saveEqGain = true;
    s.timeGran = 10;
    s.feedbackRate = 20;
    s.monoOutput = 0;
    s.decks[0] = {true, 30, {10, -21, 90}, 80};   // EQ on; 90 is beyond full boost
    s.decks[1] = {false, 250, {0, 0, 0}, 100};    // a gain beyond silent
    rig.commands.SetSettings(s);
    rig.commands.InitDecks(false, false);
    EXPECT_EQ(Split("create A; create B; fx A=0; fx B=0; gain slider A=30; gain slider B=100; "
                    "eq controls A knobs 210,117,330 sliders -10,21,-50; "
                    "eq controls B knobs 180,180,180 sliders 0,0,0; "
                    "A.SetEqualizerFlag(1); A.SetEqualizer(5,-10,25); light lt-a-eqonoff=1; "
                    "A.SetTimecodeGranularity(10); pitch slider A=50; A.SetPitch(1000); "
                    "light lt-a-pitchcenter=1; text a-pitch=0; light lt-a-pitchcenter=1; "
                    "A.SetMonitorVolume(80); A.SetFeedbackRate(20); A.SetOutputChannels(0); "
                    "B.EqualizerOff; light lt-b-eqonoff=0; "
                    "B.SetTimecodeGranularity(10); pitch slider B=50; B.SetPitch(1000); "
                    "light lt-b-pitchcenter=1; text b-pitch=0; light lt-b-pitchcenter=1; "
                    "B.SetMonitorVolume(100); B.SetFeedbackRate(20); B.SetOutputChannels(0)"),
              rig.Take());
    EXPECT_TRUE(rig.commands.AreDecksSetUp());
    EXPECT_TRUE(rig.commands.IsEqOn(0));
    EXPECT_FALSE(rig.commands.IsEqOn(1));
}

TEST(DeckCommands, WithoutSaveEqGainTheControlsStayButTheEqIsStored)
{
    DeckRig rig;
    DeckAreaSettings s;
    s.monoOutput = 1;
    s.decks[0] = {true, 30, {20, 0, 0}, 0};
    rig.commands.SetSettings(s);
    rig.commands.InitDecks(false, false);
    const Log log = rig.Take();
    for (const std::string& e : log) {
        EXPECT_EQ(std::string::npos, e.find("gain slider")) << e;
        EXPECT_EQ(std::string::npos, e.find("eq controls")) << e;
    }
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "A.SetEqualizer(10,0,0)"));
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "B.SetOutputChannels(3)"));
}

TEST(DeckCommands, PresetButtonsShowTheirTitlesAndLightsOnlyWithTooltips)
{
    DeckRig rig;
    SetUpRig(rig);
    rig.view.presets["B3"] = "C:\\Music\\Club Night.mp3";
    rig.commands.RefreshPresetButtons();
    const Log log = rig.Take();
    EXPECT_EQ(Split(PresetRefresh(rig)), log);
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "tip 27212=Club Night"));
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "light lt-b-preset3=1"));

    DeckAreaSettings off = rig.commands.GetSettings();
    off.tooltips = false;
    rig.commands.SetSettings(off);
    rig.commands.RefreshPresetButtons();
    rig.commands.ShowCueName(0, "Drop");
    EXPECT_TRUE(rig.Take().empty());
}

TEST(DeckCommands, CuePointsComeFromTheLibraryAndACueAtZeroIsNotSet)
{
    struct Case
    {
        const char* name;
        bool inLibrary;
        int cue1, cue2;
        const char* name1;
        const char* expected;
    };
    const Case cases[] = {
        {"named cues", true, 42, 0, "Drop",
         "light lt-b-cue1=1; tip 27214=Drop; B.SetCue(1,1,42); light lt-b-cue2=0; "
         "tip 27215=Cue name not set; B.SetCue(2,0,0)"},
        {"cue 1 at 0 s", true, 0, 7, "",
         "light lt-b-cue1=0; tip 27214=Cue name not set; B.SetCue(1,0,0); light lt-b-cue2=1; "
         "tip 27215=Cue name not set; B.SetCue(2,1,7)"},
        {"not in the library", false, 0, 0, "",
         "light lt-b-cue1=0; tip 27214=Cue 1; B.SetCue(1,0,0); light lt-b-cue2=0; tip 27215=Cue 2; "
         "B.SetCue(2,0,0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeckRig rig;
        SetUpRig(rig);
        if (c.inLibrary) {
            DeckCueInfo info;
            info.inLibrary = true;
            info.position[0] = c.cue1;
            info.position[1] = c.cue2;
            info.name[0] = c.name1;
            rig.view.library["track.mp3"] = info;
        }
        rig.commands.RefreshCuePoints(1);
        EXPECT_EQ(Split(c.expected), rig.Take());
    }
}

TEST(DeckCommands, ANudgedPitchReturnsToTheSlidersPitchOnRelease)
{
    DeckRig rig;
    SetUpRig(rig);
    PitchAt(rig, 0, 48);
    rig.commands.GetMixer().ApplyPitch(0);   // 1010
    rig.Take();
    rig.commands.RunCommand(27129);
    rig.commands.RestorePitch(0);
    EXPECT_EQ(Split("A.SetPitch(1030); light lt-a-pitchcenter=0; A.SetPitch(1010); light lt-a-pitchcenter=0"),
              rig.Take());
    rig.commands.RestorePitch(7);
    EXPECT_TRUE(rig.Take().empty());
}

TEST(DeckCommands, OnAirLightsFollowTheCrossfaderTheRoutingAndTheTextOutput)
{
    struct Case
    {
        int x;
        bool aOnMonitor;
        const char* expected;
    };
    const Case cases[] = {
        {0, false, "light lt-a-live=1; text output TA / AA; light lt-b-live=1; text output TB / AB"},
        {100, false, "light lt-a-live=0; light lt-b-live=1; text output TB / AB"},
        {-100, false, "light lt-a-live=1; text output TA / AA; light lt-b-live=0"},
        {50, false, "light lt-a-live=1; light lt-b-live=1; text output TB / AB"},
        {-50, false, "light lt-a-live=1; text output TA / AA; light lt-b-live=1"},
        {0, true, "light lt-a-live=0; light lt-b-live=1; text output TB / AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("crossfader " + std::to_string(c.x) + (c.aOnMonitor ? ", A on the monitor" : ""));
        DeckRig rig;
        DeckAreaSettings s;
        s.textOutFollowsDecks = true;
        rig.commands.SetSettings(s);
        rig.commands.InitDecks(false, false);
        for (int d = 0; d < 2; ++d) {
            Playing(rig, d);
            rig.Deck(d).info.title = d == 0 ? "TA" : "TB";
            rig.Deck(d).info.artist = d == 0 ? "AA" : "AB";
        }
        rig.commands.GetMixer().MoveCrossfader(c.x);
        if (c.aOnMonitor)
            rig.commands.GetMixer().OnMonitor(0);   // the mixer's routing command
        rig.Take();
        rig.commands.RefreshOnAirLights();
        EXPECT_EQ(Split(c.expected), rig.Take());
    }
}

// WM_USER+9500: every display of the deck follows the time.
TEST(DeckCommands, DeckTimeUpdatesEveryDisplay)
{
    struct Case
    {
        const char* name;
        int deck, seconds, length;
        bool skipJog;
        const char* expected;
    };
    const Case cases[] = {
        {"deck A at 65 s of 200", 0, 65, 200, false,
         "text a-elaptime=001:05; text a-remaintime=002:15; controller time A=65; position A=65; seek A=65; jog A=127"},
        {"a stop posts 0 s", 1, 0, 200, false,
         "text b-elaptime=000:00; text b-remaintime=003:20; controller time B=0; position B=0; seek B=0; jog B=30"},
        {"the end of the track", 0, 200, 200, false,
         "text a-elaptime=003:20; text a-remaintime=000:00; controller time A=200; position A=200; seek A=200; jog A=330"},
        {"after a jog seek the knob stays once", 0, 65, 200, true,
         "text a-elaptime=001:05; text a-remaintime=002:15; controller time A=65; position A=65; seek A=65"},
        {"no length yet: the knob stays", 0, 5, 0, false,
         "text a-elaptime=000:05; text a-remaintime=-00:05; controller time A=5; position A=5; seek A=5"},
        {"deck C has no jog knob nor controller", 2, 61, 100, false,
         "text c-elaptime=001:01; text c-remaintime=000:39; position C=61; seek C=61"},
        {"no such deck", 5, 61, 100, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeckRig rig;
        DeckAreaSettings s;
        s.denonDisplay = true;
        rig.commands.SetSettings(s);
        rig.commands.SetDenonFeedback(true);
        rig.commands.InitDecks(true, true);
        if (c.deck < 4)
            rig.Deck(c.deck).length = c.length;
        if (c.skipJog)
            rig.commands.SkipJogKnobUpdate(c.deck);
        rig.Take();
        rig.commands.OnDeckTime(c.deck, c.seconds);
        EXPECT_EQ(Split(c.expected), rig.Take());
        if (c.skipJog) {   // the next time the knob follows again
            rig.commands.OnDeckTime(c.deck, c.seconds);
            const Log log = rig.Take();
            EXPECT_EQ("jog A=127", log.back());
        }
    }
}

// WM_USER+9502: the wheel of a controller-map entry seeks its deck by
// value - 64 seconds while that deck's jog mode is on.
TEST(DeckCommands, AJogWheelSeeksItsDeckWithinTheTrackWhileItsJogModeIsOn)
{
    struct Case
    {
        const char* name;
        int commandId, value;
        bool jogA, jogB, loaded;
        int position;
        const char* expected;
    };
    const Case cases[] = {
        {"deck A back 4 s", 28014, 60, true, false, true, 10, "A.SeekTo(6); post time A=6"},
        {"deck B forward 6 s", 28015, 70, false, true, true, 10, "B.SeekTo(16); post time B=16"},
        {"at rest: no seek, the time is shown", 28014, 64, true, false, true, 10, "post time A=10"},
        {"never before the start", 28014, 0, true, false, true, 10, "A.SeekTo(0); post time A=0"},
        {"never past the end", 28015, 127, false, true, true, 190, "B.SeekTo(200); post time B=200"},
        {"deck A's jog mode off", 28014, 60, false, true, true, 10, ""},
        {"deck B's jog mode off", 28015, 60, true, false, true, 10, ""},
        {"an empty deck", 28014, 60, true, true, false, 10, ""},
        {"another command's wheel", 27101, 60, true, true, true, 10, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeckRig rig;
        rig.commands.InitDecks(false, false);
        for (int deck = 0; deck < 2; ++deck) {
            rig.Deck(deck).loaded = c.loaded;
            rig.Deck(deck).position = c.position;
            rig.Deck(deck).length = 200;
        }
        rig.Take();
        const bool jogMode[2] = {c.jogA, c.jogB};
        rig.commands.OnJogWheel(c.commandId, c.value, jogMode);
        EXPECT_EQ(Split(c.expected), rig.Take());
        EXPECT_FALSE(rig.commands.IsSeeking(0));
        EXPECT_FALSE(rig.commands.IsSeeking(1));
        if (!std::string(c.expected).empty()) {
            // The jog knob stays where the wheel left it for the next time.
            const int deck = c.commandId == 28014 ? 0 : 1;
            rig.commands.OnDeckTime(deck, 100);
            for (const std::string& line : rig.Take())
                EXPECT_EQ(std::string::npos, line.find("jog")) << line;
        }
    }
}

// The player menu's track dialogs: properties only for a track in the
// library (else MSG_NOTINLIB), cue naming with the deck's position now.
TEST(DeckCommands, TheTrackPropertiesAndCueNamingDialogsOfDecksAAndB)
{
    struct Case
    {
        const char* name;
        int deck;
        bool inLibrary, loaded;
        const char* properties;   // what EditDeckTrackProps shows
        bool shown;
        const char* cueNaming;    // what ShowSaveCuePoint(deck, 2) opens
    };
    const Case cases[] = {
        {"deck A, in the library", 0, true, true, "properties a.mp3 200 0", true, "cue naming a.mp3 42 2"},
        {"deck B, in the library", 1, true, true, "properties b.mp3 200 1", true, "cue naming b.mp3 42 2"},
        {"not in the library", 0, false, true, "notice 4003", false, "cue naming a.mp3 42 2"},
        {"an empty deck", 1, false, false, "notice 4003", false, ""},
        {"deck C has no such menu", 2, true, true, "", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeckRig rig;
        rig.commands.InitDecks(true, true);
        const std::string path = c.loaded ? std::string(1, static_cast<char>('a' + c.deck)) + ".mp3" : "";
        rig.Deck(c.deck).path = path;
        rig.Deck(c.deck).loaded = c.loaded;
        rig.Deck(c.deck).position = 42;
        rig.Deck(c.deck).length = 200;
        if (c.inLibrary)
            rig.view.inLibrary.insert(path);
        rig.Take();
        EXPECT_EQ(c.shown, rig.commands.EditDeckTrackProps(c.deck));
        EXPECT_EQ(Split(c.properties), rig.Take());
        rig.commands.ShowSaveCuePoint(c.deck, 2);
        EXPECT_EQ(Split(c.cueNaming), rig.Take());
        rig.commands.ShowSaveCuePoint(c.deck, 3);   // no third cue
        EXPECT_TRUE(rig.Take().empty());
    }
}

TEST(DeckCommands, TheDeckDisplayWritesEveryFieldTheSkinHas)
{
    DeckRig rig;
    SetUpRig(rig);
    RecordingDeck& b = rig.Deck(1);
    b.info.title = "Night Drive";
    b.info.artist = "Tavrix";
    b.info.album = "Roads";
    b.info.genre = "House";
    b.info.fileType = "MP3";
    b.info.bpm = "124.00";
    b.info.length = 245;
    b.info.channels = 2;
    b.info.bitrate = 64;
    b.info.frequency = 8000;
    b.state = MixStatePaused;
    rig.view.missing.insert("b-album");
    rig.commands.UpdateDeckDisplay(1);
    EXPECT_EQ(Split("text b-title=Night Drive; text b-artist=Tavrix; text b-genre=House; text b-filetype=MP3; "
                    "text b-elaptime=000:00; text b-remaintime=004:05; text b-totaltime=004:05; "
                    "text b-bpm=124.00; text b-channels=2; text b-sps=064; text b-frequency=08000; "
                    "text b-status=Paused; " + OnAir(-1)),
              rig.Take());
    // A state outside 4000 to 4004 shows an empty status; deck 4 is none.
    b.state = 4711;
    rig.commands.ShowDeckStatus(1);
    EXPECT_EQ(Split("text b-status=; " + OnAir(-1)), rig.Take());
    rig.commands.UpdateDeckDisplay(4);
    rig.commands.UpdateDeckDisplay(-1);
    EXPECT_TRUE(rig.Take().empty());
}

TEST(DeckCommands, StatusTextsOfEveryState)
{
    const std::pair<int, const char*> states[] = {
        {4000, "Ready"}, {4001, "Playing"}, {4002, "Stopped"}, {4003, "Paused"}, {4004, "Finished"}, {3999, ""}};
    for (const auto& s : states) {
        DeckRig rig;
        SetUpRig(rig);
        rig.Deck(2).state = s.first;
        rig.commands.ShowDeckStatus(2);
        EXPECT_EQ("text c-status=" + std::string(s.second), rig.Take().front());
    }
}

TEST(DeckCommands, LevelsAndThePositionBarReachTheirDeck)
{
    DeckRig rig;
    SetUpRig(rig);
    rig.commands.SetDeckVuLevels(3, 70, 65);
    rig.commands.SetDeckVuLevels(4, 1, 1);
    rig.commands.InitDeckPositionBar(0, 245);
    EXPECT_EQ(Split("levels D=70,65; position range A=245"), rig.Take());
}

TEST(DeckCommands, ResetDeckReplacesTheDeckObjectAndPutsItsControlsAtRest)
{
    DeckRig rig;
    SetUpRig(rig);
    EqOn(rig, 1);
    Playing(rig, 1);
    PitchAt(rig, 1, 20);
    rig.Take();
    rig.commands.ResetDeck(1);
    EXPECT_EQ(5, rig.slots.created);
    EXPECT_EQ(Split("B.Stop; destroy B; create B; B.SetFeedbackRate(20); B.SetTimecodeGranularity(10); "
                    "B.SetOutputChannels(3); B.SetMonitorVolume(80); "
                    "B.SetEqualizerFlag(1); B.SetEqualizer(5,-10,25); light lt-b-eqonoff=1; B.ClearTrackInfo; "
                    "pitch slider B=50; B.SetPitch(1000); light lt-b-pitchcenter=1; text b-pitch=0; "
                    "light lt-b-pitchcenter=1; levels B=0,0; peak reset B; " +
                    Display(1, "Deck B - Reset", "Stopped") + "; " + OnAir(-1) + "; text b-status=Stopped; " +
                    OnAir(-1) + "; art 1="),
              rig.Take());
    EXPECT_TRUE(rig.commands.AreDecksSetUp());
    // Any other deck value only sets the flag.
    rig.commands.ResetDeck(2);
    EXPECT_TRUE(rig.Take().empty());
}
