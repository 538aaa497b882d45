#include "mainwindow/automix/AutoMix.h"

using namespace mixer;

namespace
{

const char* const kStatus = "s-automix";
const char* const kNoTracks = "No tracks that meet that random criteria. Try again using different criteria...";
const int kRandomPlayPeriod = 1000;
const int kRandomAutoMix = 2;   // the criterion of AutoMix random
// How long a started deck may take to report that it plays before its
// play command is sent again, and how many times it is sent in all.
const int kStartWaitMs = 1000;
const int kStartTries = 3;

int RandomTimer(int deck)
{
    return deck == DeckA ? TimerRandomA : TimerRandomB;
}

const char* RandomLight(int deck)
{
    return deck == DeckA ? "lt-a-random" : "lt-b-random";
}

} // namespace

AutoMix::AutoMix(Mixer* mixer, MixTimers* timers, MixView* view, MixSettings* settings,
                 MixQueue* queue, MixRandomSource* random)
    : m_mixer(mixer), m_timers(timers), m_view(view), m_source(settings), m_queue(queue),
      m_random(random)
{
}

bool AutoMix::IsPlaying(int deck) const
{
    MixDeck* object = Deck(deck);
    return object != nullptr && object->GetState() == MixStatePlaying;
}

bool AutoMix::IsPlayingOrStarting(int deck) const
{
    return IsPlaying(deck) || m_starting[deck] > 0;
}

void AutoMix::StartDeck(int deck, int periodMs)
{
    MixDeck* object = Deck(deck);
    if (object == nullptr)
        return;
    object->RunPlayCommand();
    const int period = TimerPeriod(periodMs);
    m_startTicks[deck] = (kStartWaitMs + period - 1) / period;
    m_startTries[deck] = 1;
    m_starting[deck] = object->GetState() == MixStatePlaying ? 0 : m_startTicks[deck];
}

void AutoMix::CheckStarting(int deck, bool autoMix)
{
    if (m_starting[deck] == 0)
        return;
    MixDeck* object = Deck(deck);
    if (object == nullptr || object->GetState() == MixStatePlaying) {
        m_starting[deck] = 0;
        return;
    }
    if (--m_starting[deck] > 0)
        return;
    // Not playing yet: the play command may have been lost on its way to
    // the deck's player. Send it again (playing is not disturbed by it).
    if (m_startTries[deck] < kStartTries && object->HasTrack()) {
        ++m_startTries[deck];
        object->RunPlayCommand();
        m_starting[deck] = m_startTicks[deck];
        return;
    }
    // Its position has moved: it plays, and only its state report is late.
    if (object->GetPosition() > 0)
        return;
    // It never played: its track is the next one again.
    ++m_startFailures;
    if (autoMix && object->HasTrack())
        m_nextLoaded[deck] = true;
}

bool AutoMix::IsPaused(int deck) const
{
    MixDeck* object = Deck(deck);
    return object != nullptr && object->GetState() == MixStatePaused;
}

int AutoMix::Remaining(int deck) const
{
    MixDeck* object = Deck(deck);
    return object == nullptr ? 0 : object->GetLength() - object->GetPosition();
}

void AutoMix::LoadAutoMixSettings()
{
    m_settings = m_source->ReadAutoMix();
}

void AutoMix::ShowRunning()
{
    m_view->SetText(kStatus, m_settings.useTimer ? "TIMER AUTOMIX RUNNING " : "LEVEL AUTOMIX RUNNING ");
}

void AutoMix::SetAutoMixFlag(bool on)
{
    m_autoMix = on;
    m_mixer->SetAutoMixRunning(on);
}

void AutoMix::BeginMode(int timer)
{
    m_nextLoaded[DeckA] = m_nextLoaded[DeckB] = false;
    m_starting[DeckA] = m_starting[DeckB] = 0;
    m_hits = 0;
    m_view->SetLight("lt-mx-auto", true);
    m_timers->StartTimer(timer, TimerPeriod(m_settings.mainTimer));
}

void AutoMix::EndMode(int timer)
{
    bool random = timer == TimerAutoMixRandom;
    m_timers->KillTimer(timer);
    if (random)
        m_autoMixRandom = false;
    else
        SetAutoMixFlag(false);
    m_view->RestoreText(kStatus);
    m_view->SetLight("lt-mx-auto", false);
    if (random)
        m_view->SetLight("lt-mx-autornd", false);
    m_view->WriteLog(random ? "AutoMix random stopped" : "AutoMix stopped");
}

void AutoMix::ToggleAutoMix()
{
    if (m_randomPlay[DeckA] || m_randomPlay[DeckB] || m_autoMixRandom) {
        m_view->ShowMessage("One or both decks are running in random play mode, or AutoMix Random is "
                            "on -- turn off to use AutoMix");
        return;
    }
    if (m_autoMix) {
        EndMode(TimerAutoMix);
        return;
    }
    if (m_queue->IsEmpty()) {
        m_view->ShowNotice(MSG_AUTOQEMPTY);
        return;
    }
    m_view->WriteLog("AutoMix started");
    LoadAutoMixSettings();
    SetAutoMixFlag(true);
    m_view->SetText(kStatus, m_settings.useTimer ? "TIMER AUTOMIX RUNNING" : "LEVEL AUTOMIX RUNNING ");
    BeginMode(TimerAutoMix);
}

void AutoMix::OnAutoMixRandom()
{
    if (m_randomPlay[DeckA] || m_randomPlay[DeckB] || m_autoMix) {
        m_view->ShowMessage("One or both decks are running in random play mode, or standard AutoMix "
                            "is running -- turn off to use AutoMix Random");
        return;
    }
    if (m_autoMixRandom) {
        EndMode(TimerAutoMixRandom);
        return;
    }
    tagRandomInfo info;
    if (!m_random->AskCriterion(kRandomAutoMix, -1, info))
        return;
    m_autoMixRandom = true;
    m_criteria[kRandomAutoMix] = info;
    LoadAutoMixSettings();
    ShowRunning();
    m_view->SetLight("lt-mx-autornd", true);
    m_view->WriteLog("AutoMix random started");
    BeginMode(TimerAutoMixRandom);
}

void AutoMix::StartDeckAndFade(int deck)
{
    StartDeck(deck, m_settings.mainTimer);
    if (m_settings.useFade) {
        if (deck == DeckA)
            m_mixer->OnFadeLeft();
        else
            m_mixer->OnFadeRight();
    }
    LoadAutoMixSettings();
    ShowRunning();
}

AutoMix::Pick AutoMix::RandomPick(int* loadedDeck)
{
    CString path = m_random->GetRandomTrack(m_criteria[kRandomAutoMix]);
    if (path == "NONE") {
        m_view->ShowMessage(kNoTracks);
        OnAutoMixRandom();   // switches AutoMix random off
        return Pick::None;
    }
    bool a = IsPlayingOrStarting(DeckA);
    bool b = IsPlayingOrStarting(DeckB);
    if (a && b)
        return Pick::NotLoaded;
    int deck = a ? DeckB : DeckA;
    MixDeck* object = Deck(deck);
    if (object == nullptr || object->LoadTrack(path) != 1)
        return Pick::NotLoaded;
    *loadedDeck = deck;
    return Pick::Loaded;
}

void AutoMix::LoadAutoMixNext(int deck)
{
    if (m_autoMixRandom) {
        int loaded = -1;
        if (RandomPick(&loaded) == Pick::Loaded)
            m_nextLoaded[loaded] = true;
        return;
    }
    MixDeck* object = Deck(deck);
    CString path;
    while (object != nullptr && m_queue->TakeFirst(path)) {
        if (object->LoadTrack(path) == 1) {
            m_nextLoaded[deck] = true;
            return;
        }
    }
}

bool AutoMix::LoadAutoMixRandom(int deck)
{
    (void)deck;   // the pick chooses the idle deck itself
    if (!m_autoMixRandom)
        return false;
    int loaded = -1;
    Pick pick = RandomPick(&loaded);
    if (pick == Pick::None)
        return false;
    if (pick == Pick::Loaded)
        m_nextLoaded[loaded] = true;
    return true;
}

bool AutoMix::LoadNext(int timer, int deck)
{
    m_timers->KillTimer(timer);
    bool running;
    if (timer == TimerAutoMix) {
        LoadAutoMixNext(deck);
        running = m_autoMix;
    } else {
        running = LoadAutoMixRandom(deck);
    }
    if (running)
        m_timers->StartTimer(timer, TimerPeriod(m_settings.mainTimer));
    return running;
}

void AutoMix::MixIfLoaded(int deck)
{
    if (!m_nextLoaded[deck])
        return;
    StartDeckAndFade(deck);
    m_nextLoaded[deck] = false;
}

void AutoMix::LevelRule(int playing, int other)
{
    MixDeck* object = Deck(playing);
    int level = object == nullptr ? 0 : object->GetLevel();
    bool low = level < m_settings.inputLevel;
    switch (m_settings.conseqHits) {
    case 1:
        if (low)
            MixIfLoaded(other);
        break;
    case 2:
    case 3:
        if (!low) {
            m_hits = 0;
        } else if (m_hits < m_settings.conseqHits - 1) {
            ++m_hits;
        } else {
            MixIfLoaded(other);
            m_hits = 0;
        }
        break;
    default:
        break;
    }
}

void AutoMix::AutoMixTick(int timer)
{
    if (timer == TimerAutoMix && m_queue->IsEmpty() && !m_autoMixRandom &&
        !m_nextLoaded[DeckA] && !m_nextLoaded[DeckB]) {
        ToggleAutoMix();
        return;
    }
    CheckStarting(DeckA, true);
    CheckStarting(DeckB, true);
    // A deck just started counts as playing: loading the next track into it
    // would cut off the one it is about to play.
    bool a = IsPlayingOrStarting(DeckA);
    bool b = IsPlayingOrStarting(DeckB);
    if (a && b)
        return;
    if (!a && !b) {
        if (IsPaused(DeckA) || IsPaused(DeckB))
            return;
        if (m_nextLoaded[DeckB] && !m_settings.useTimer) {
            StartDeckAndFade(DeckB);
            m_nextLoaded[DeckB] = false;
            return;
        }
        // A track already waiting on deck A is started, not replaced by
        // the next one.
        if (!m_nextLoaded[DeckA]) {
            m_timers->KillTimer(timer);
            bool running = timer == TimerAutoMix ? (LoadAutoMixNext(DeckA), m_autoMix)
                                                 : LoadAutoMixRandom(DeckA);
            if (!running)
                return;
            MixIfLoaded(DeckA);
            m_timers->StartTimer(timer, TimerPeriod(m_settings.mainTimer));
        } else {
            MixIfLoaded(DeckA);
        }
        return;
    }
    int playing = a ? DeckA : DeckB;
    int other = a ? DeckB : DeckA;
    if (Remaining(playing) <= m_settings.loadTime && !m_nextLoaded[other]) {
        if (!LoadNext(timer, other))
            return;
    }
    if (m_settings.useTimer) {
        if (Remaining(playing) <= m_settings.mixDelay && m_nextLoaded[other]) {
            if (playing == DeckA)
                m_timers->KillTimer(timer);
            MixIfLoaded(other);
            if (playing == DeckA)
                m_timers->StartTimer(timer, TimerPeriod(m_settings.mainTimer));
        }
        return;
    }
    if (Remaining(playing) <= m_settings.checkFrom) {
        CString text;
        MixDeck* object = Deck(playing);
        text.Format(playing == DeckA ? "LEVEL A: %03d " : "LEVEL B: %03d ",
                    object == nullptr ? 0 : object->GetLevel());
        m_view->SetText(kStatus, text);
        LevelRule(playing, other);
    }
}

void AutoMix::OnRandomPlay(int deck)
{
    if (deck != DeckA && deck != DeckB)
        return;
    if (m_autoMix || m_autoMixRandom) {
        m_view->ShowMessage("AutoMix is running, cannot Random play a single deck when AutoMix is on");
        return;
    }
    m_starting[deck] = 0;
    if (m_randomPlay[deck]) {
        m_timers->KillTimer(RandomTimer(deck));
        m_randomPlay[deck] = false;
    } else {
        tagRandomInfo info;
        if (m_random->AskCriterion(1, deck, info)) {
            m_criteria[deck] = info;
            m_randomPlay[deck] = true;
            m_timers->StartTimer(RandomTimer(deck), kRandomPlayPeriod);
        }
    }
    m_view->SetLight(RandomLight(deck), m_randomPlay[deck]);
}

AutoMix::Pick AutoMix::PickForDeck(int deck)
{
    CString path = m_random->GetRandomTrack(m_criteria[deck]);
    if (path == "NONE") {
        m_view->ShowMessage(kNoTracks);
        return Pick::None;
    }
    MixDeck* object = Deck(deck);
    return object != nullptr && object->LoadTrack(path) == 1 ? Pick::Loaded : Pick::NotLoaded;
}

bool AutoMix::LoadRandomTrack(int deck)
{
    return PickForDeck(deck) != Pick::None;
}

void AutoMix::RandomPlayTick(int deck)
{
    MixDeck* object = Deck(deck);
    if (object == nullptr)
        return;
    // A pick just started is waited for until the deck reports it plays.
    CheckStarting(deck, false);
    if (m_starting[deck] > 0)
        return;
    int state = object->GetState();
    // A playing or paused track plays to its end; the next pick comes when
    // the deck has stopped, and goes into that deck only.
    if (state != MixStateSetUp && state != MixStateStopped && state != MixStateEnd)
        return;
    m_timers->KillTimer(RandomTimer(deck));
    Pick pick = PickForDeck(deck);
    if (pick == Pick::None) {
        OnRandomPlay(deck);   // switches random play off
        return;
    }
    // A pick that failed to load leaves the deck stopped: the next tick
    // picks again.
    if (pick == Pick::Loaded)
        StartDeck(deck, kRandomPlayPeriod);
    m_timers->StartTimer(RandomTimer(deck), kRandomPlayPeriod);
}

bool AutoMix::OnTimer(int id)
{
    switch (id) {
    case TimerAutoMix:
        if (m_autoMix)
            AutoMixTick(TimerAutoMix);
        return true;
    case TimerAutoMixRandom:
        if (m_autoMixRandom)
            AutoMixTick(TimerAutoMixRandom);
        return true;
    case TimerRandomA:
        if (m_randomPlay[DeckA])
            RandomPlayTick(DeckA);
        return true;
    case TimerRandomB:
        if (m_randomPlay[DeckB])
            RandomPlayTick(DeckB);
        return true;
    default:
        return false;
    }
}
