#include "mainwindow/decks/DeckSet.h"

#include "audio/deck/DeckLogic.h"
#include "audio/deck/DeckPlayer.h"
#include "library/api/VIZU.h"
#include "mainwindow/decks/DeckCommands.h"
#include "mainwindow/decks/DeckRules.h"
#include "mainwindow/decks/DeckWindowView.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "widgets/progress/GradientProgressCtrl.h"
#include "widgets/scope/ScopeCtrl.h"

using deck_rules::DeckControlName;
using deck_rules::DeckLightName;

namespace
{

// The set's window takes the levels to the user-interface thread.
const UINT kLevelsMessage = WM_APP + 1;
const char kLevelClass[] = "TavrixDeckLevels";
// The main window's info text.
const int kInfoTextId = 1059;
// Control message 59: the output's channel mode.
const int kOutputChannelsCommand = 59;

// DeckOps over a real deck.
class DeckOpsAdapter : public DeckOps
{
public:
    explicit DeckOpsAdapter(Deck* deck) : m_deck(deck) {}

    void SeekForward(int seconds) override { m_deck->SeekForward(seconds); }
    void SeekBackward(int seconds) override { m_deck->SeekBackward(seconds); }
    void SeekToStart() override { m_deck->SeekToStart(); }
    void ToggleMute() override { m_deck->ToggleMute(); }
    bool IsMuted() const override { return m_deck->IsMuted(); }
    void SetLoopIn() override { m_deck->SetLoopIn(); }
    void SetLoopOut() override { m_deck->SetLoopOut(); }
    void ToggleLoop() override { m_deck->ToggleLoop(); }
    void SetEqualizerFlag(bool on) override { m_deck->SetEqualizerFlag(on); }
    void EqualizerOff() override { m_deck->EqualizerOff(); }
    void SetFeedbackRate(int perSecond) override { m_deck->SetFeedbackRate(perSecond); }
    void SetTimecodeGranularity(int hundredths) override { m_deck->SetTimecodeGranularity(hundredths); }
    void SetOutputChannels(int mode) override
    {
        if (DeckPlayer* player = m_deck->GetPlayer())
            player->Command(kOutputChannelsCommand, mode);
    }
    bool IsCueSet(int cue) const override { return m_deck->IsCueSet(cue); }
    int GetCue(int cue) const override { return m_deck->GetCue(cue); }
    void SetCue(int cue, bool set, int seconds) override
    {
        if (set)
            m_deck->SetCue(cue, seconds);
    }
    CString GetPath() const override { return m_deck->GetCurrentPath(); }
    DeckTrackInfo GetTrackInfo() override
    {
        TAG_INFO& tags = m_deck->GetTagInfo();
        if (!tags.BPMText.IsEmpty())
            VIZU::BPMFormat(&tags.BPMText);
        DeckTrackInfo info;
        info.title = tags.Title;
        info.artist = tags.Artist;
        info.album = tags.Album;
        info.genre = tags.Genre;
        info.fileType = tags.FileType;
        info.bpm = tags.BPMText;
        info.length = tags.Length;
        info.channels = tags.Channels;
        // A WAV file's rate is kept in bytes per second: shown in kbps too.
        info.bitrate = tags.FileType.CompareNoCase("WAV") == 0 ? tags.Bitrate * 8 / 1000 : tags.Bitrate;
        info.frequency = tags.SampleRate;
        return info;
    }
    void ClearTrackInfo() override { m_deck->ClearTrackInfo(); }
    void Unload() override { m_deck->Reset(); }

private:
    Deck* m_deck;
};

} // namespace

struct DeckSet::Slot
{
    std::unique_ptr<Deck> deck;
    std::unique_ptr<DeckMixAdapter> mix;
    std::unique_ptr<DeckOpsAdapter> ops;
};

DeckSet::DeckSet(HWND mainWindow, const DeckHostSettings& settings) : m_mainWindow(mainWindow), m_settings(settings)
{
    for (auto& deck : m_levels)
        for (auto& side : deck)
            side.store(0);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = LevelWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kLevelClass;
    ::RegisterClassA(&wc);   // a second set finds the class there
    m_levelWindow = ::CreateWindowExA(0, kLevelClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr);
    if (m_levelWindow)
        ::SetWindowLongPtrA(m_levelWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

DeckSet::~DeckSet()
{
    for (int deck = 3; deck >= 0; --deck)
        Destroy(deck);
    if (m_levelWindow) {
        ::SetWindowLongPtrA(m_levelWindow, GWLP_USERDATA, 0);
        ::DestroyWindow(m_levelWindow);
    }
}

Deck* DeckSet::Get(int deck) const
{
    return Valid(deck) && m_slots[deck] ? m_slots[deck]->deck.get() : nullptr;
}

DeckMixAdapter* DeckSet::GetMixDeck(int deck) const
{
    return Valid(deck) && m_slots[deck] ? m_slots[deck]->mix.get() : nullptr;
}

int DeckSet::GetLevel(int deck) const
{
    return Valid(deck) ? (m_levels[deck][0].load() + m_levels[deck][1].load()) / 2 : 0;
}

int DeckSet::LoadTrack(int deck, const CString& path)
{
    Deck* object = Get(deck);
    return object ? object->LoadTrack(path) : -1;
}

// ---------------------------------------------------------------- the deck places

MixDeck* DeckSet::Mix(int deck) { return GetMixDeck(deck); }

DeckOps* DeckSet::Ops(int deck)
{
    return Valid(deck) && m_slots[deck] ? m_slots[deck]->ops.get() : nullptr;
}

void DeckSet::Create(int deck)
{
    if (!Valid(deck) || m_slots[deck])
        return;
    std::unique_ptr<Slot> slot(new Slot);
    slot->deck.reset(m_factory ? m_factory(this) : new Deck(this));
    slot->deck->Init(m_mainWindow, deck);
    slot->deck->SetLoadHost(this);
    slot->mix.reset(new DeckMixAdapter(slot->deck.get(), this));
    slot->mix->SetLoader([](Deck& d, const CString& path) { return d.LoadTrack(path); });
    slot->ops.reset(new DeckOpsAdapter(slot->deck.get()));
    m_slots[deck] = std::move(slot);
}

void DeckSet::Destroy(int deck)
{
    if (!Valid(deck) || !m_slots[deck])
        return;
    std::unique_ptr<Slot> slot = std::move(m_slots[deck]);
    slot->deck->Stop();
    // The deck's destructor ends its worker, then its player's server and
    // feedback threads (the player's window goes first): nothing of it
    // runs or posts once it returns.
    slot.reset();
    // What it posted before: its times would show on the deck that takes
    // its place, its levels likewise.
    DrainDeckTimes(deck);
    m_levels[deck][0].store(0);
    m_levels[deck][1].store(0);
}

void DeckSet::TakeWaitingDeckTimes(int latest[4], bool found[4])
{
    if (!m_mainWindow)
        return;
    MSG msg;
    while (::PeekMessageA(&msg, m_mainWindow, WM_DECK_TIME, WM_DECK_TIME, PM_REMOVE)) {
        const int deck = static_cast<int>(msg.wParam);
        if (Valid(deck)) {
            latest[deck] = static_cast<int>(msg.lParam);
            found[deck] = true;
        }
    }
}

void DeckSet::DrainDeckTimes(int deck)
{
    int latest[4] = {0, 0, 0, 0};
    bool found[4] = {false, false, false, false};
    TakeWaitingDeckTimes(latest, found);
    for (int other = 0; other < 4; ++other)
        if (other != deck && found[other])
            ::PostMessageA(m_mainWindow, WM_DECK_TIME, static_cast<WPARAM>(other), static_cast<LPARAM>(latest[other]));
}

// ---------------------------------------------------------------- DeckHost

void DeckSet::UpdateDeckDisplay(int deck)
{
    if (m_commands)
        m_commands->UpdateDeckDisplay(deck);
}

void DeckSet::ShowDeckStatus(int deck)
{
    if (m_commands)
        m_commands->ShowDeckStatus(deck);
}

void DeckSet::SetDeckVuLevels(int deck, int left, int right)
{
    // On a player's feedback thread: two words and, once per batch, a post.
    if (!Valid(deck))
        return;
    m_levels[deck][0].store(left);
    m_levels[deck][1].store(right);
    if (m_levelWindow && !m_levelsPosted.exchange(true))
        ::PostMessageA(m_levelWindow, kLevelsMessage, 0, 0);
}

LRESULT CALLBACK DeckSet::LevelWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kLevelsMessage) {
        if (DeckSet* self = reinterpret_cast<DeckSet*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA)))
            self->DeliverLevels();
        return 0;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void DeckSet::DeliverLevels()
{
    m_levelsPosted.store(false);
    for (int deck = 0; deck < 4; ++deck) {
        if (!m_slots[deck])
            continue;
        // A level measured just before the deck stopped may arrive after
        // its stop set the meters to 0: a deck that does not play shows 0.
        const bool playing = m_slots[deck]->deck && m_slots[deck]->deck->GetState() == DECK_STATE_PLAYING;
        const int left = playing ? m_levels[deck][0].load() : 0;
        const int right = playing ? m_levels[deck][1].load() : 0;
        m_slots[deck]->mix->SetLevel((left + right) / 2);
        if (m_commands)
            m_commands->SetDeckVuLevels(deck, left, right);
    }
}

void DeckSet::InitDeckPositionBar(int deck, int length)
{
    if (m_commands)
        m_commands->InitDeckPositionBar(deck, length);
}

void DeckSet::SetDeckLoopLight(int deck, bool on)
{
    if (m_view)
        m_view->SetLight(DeckLightName(deck, "loopstart"), on);
}

void DeckSet::ResetDeckWaveform(int deck)
{
    if (m_view)
        m_view->ResetPeakView(deck);
}

void DeckSet::RunDeckStopCommand(int deck)
{
    static const UINT ids[4] = {ID_DECK_STOP_A, ID_DECK_STOP_B, ID_DECK_STOP_C, ID_DECK_STOP_D};
    if (Valid(deck))
        RunDeckCommand(ids[deck]);
}

void DeckSet::RunDeckCommand(UINT id)
{
    if (m_runCommand)
        m_runCommand(id);
    else if (m_mainWindow)
        ::SendMessageA(m_mainWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// ---------------------------------------------------------------- DeckLoadHost

bool DeckSet::GetTagInfo(const CString& path, TAG_INFO* tags) { return VIZU::GetTagInfo(path, tags); }
void DeckSet::ProcessMessages() { VIZU::ProcessMessages(); }

void DeckSet::SetDeckProgressRange(int deck, int upper)
{
    const int32_t id = TheSkin().LookupControlName(DeckControlName(deck == 0 ? 0 : 1, "progress"));
    if (CGradientProgressCtrl* bar = FindSkinControl<CGradientProgressCtrl>(m_mainWindow, id))
        bar->SetRangeAndRedraw(0, upper);
}

void DeckSet::SetDeckProgressPos(int deck, int pos)
{
    const int32_t id = TheSkin().LookupControlName(DeckControlName(deck == 0 ? 0 : 1, "progress"));
    if (CGradientProgressCtrl* bar = FindSkinControl<CGradientProgressCtrl>(m_mainWindow, id))
        bar->SetPos(pos);
}

void DeckSet::SetDeckGainPercent(int deck, int percent)
{
    const int d = deck == 0 ? 0 : 1;
    if (m_commands)
        m_commands->GetMixer().SetGainPosition(d, percent);
    if (m_view)
        m_view->ShowGainSlider(d, percent);
}

CScopeCtrl* DeckSet::DeckWaveStrip(int deck)
{
    if (deck != 0 && deck != 1)
        return nullptr;
    return FindSkinControl<CScopeCtrl>(m_mainWindow, TheSkin().LookupControlName(deck == 0 ? "vp-a" : "vp-b"));
}

void DeckSet::SetDeckInfoText(const CString& text)
{
    if (HWND info = m_mainWindow ? ::GetDlgItem(m_mainWindow, kInfoTextId) : nullptr)
        ::SetWindowTextA(info, text);
}

void DeckSet::SwitchOffLoopLights(int deck)
{
    if (!m_view)
        return;
    const int d = deck == 0 ? 0 : 1;
    for (const char* light : {"loopin", "loopout", "loopstart"})
        m_view->SetLight(DeckLightName(d, light), false);
}

void DeckSet::SetDeckPositionRange(int deck, int length)
{
    if (m_view)
        m_view->SetSeekRange(deck, length);
}

void DeckSet::ApplyDeckVolume(int deck)
{
    if (m_commands)
        m_commands->GetMixer().ApplyDeckVolume(deck);
}

void DeckSet::RefreshCuePoints(int deck)
{
    if (m_commands)
        m_commands->RefreshCuePoints(deck);
}

bool DeckSet::HasAlbumArtView(int deck)
{
    static const char* const views[4] = {"arta", "artb", "artc", "artd"};
    return m_view && Valid(deck) && m_view->HasControl(views[deck]);
}

bool DeckSet::SetDeckTitle(int deck, const CString& path)
{
    return m_view ? m_view->ShowArt(deck, path) : false;
}

void DeckSet::AddToHistory(const TAG_INFO& replaced)
{
    if (m_history)
        m_history(replaced);
}

int DeckSet::IncrementPlayCounter(const CString& path, bool inLibrary)
{
    return VIZU::IncrementPlayCounter(path, inLibrary);
}
