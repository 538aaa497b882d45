#include "mainwindow/audiowindows/AudioWindows.h"

#include <algorithm>
#include <random>

#include "audio/deck/DeckLogic.h"
#include "audio/sampler/EffectListFile.h"
#include "decoder/player/control_messages.h"
#include "framework/ui/Prompts.h"
#include "library/api/VIZU.h"
#include "mainwindow/dialog/MainDialog.h"
#include "skin/create/FindSkinControl.h"
#include "skin/file/Skin.h"
#include "widgets/progress/GradientProgressCtrl.h"

using main_menus::ModelessWindow;
using command_areas::CommandArea;

namespace {

// Command ids of the sampler and the jukebox.
const unsigned kFirstEffect = 27903;   // "fx-1"
const unsigned kLastEffect = 27922;    // "fx-20"
const unsigned kSamplerStop = 28102;   // "fx-stop"
const unsigned kSamplerPlay = 28103;   // "fx-play"
const unsigned kJukeboxPlayPause = 28104;
const unsigned kJukeboxStop = 28105;
const unsigned kJukeboxNext = 28106;
const unsigned kJukeboxPlay = 28107;
const unsigned kViewEffects = 27412;
const unsigned kViewJukebox = 27413;

typedef CArray<CTrackRecord, CTrackRecord&> TrackArray;

// The record a row of the jukebox list shows: the row's own place when
// the record there has its path, else the first record with the path.
int RecordOfRow(TrackArray& queue, int row, const CString& path)
{
    if (row >= 0 && row < queue.GetSize() && queue[row].m_FileName == path)
        return row;
    for (int i = 0; i < queue.GetSize(); ++i)
        if (queue[i].m_FileName == path)
            return i;
    return -1;
}

void MoveRecord(TrackArray& queue, int from, int to)
{
    CTrackRecord moved = queue[from];
    queue.RemoveAt(from);
    queue.InsertAt(to, moved);
}

void SelectRow(TXVTrackList& list, int row)
{
    if (row < 0 || row >= list.GetItemCount())
        return;
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.EnsureVisible(row, FALSE);
}

} // namespace

AudioWindows::AudioWindows(MainDialog& dialog) : m_dialog(dialog)
{
    // The main window reads its effect list when it is made.
    m_effects = LoadEffectListFile(EffectListPath(m_dialog.GetProgramFolder()));
}

AudioWindows::~AudioWindows()
{
    if (m_feedbackKey)
        FeedbackRegisterMainWindow(m_feedbackKey, nullptr);
    m_dArederoPlayer.reset();
    m_jukebox.reset();
    m_soundEffects.reset();
}

void AudioWindows::RegisterFeedbackWindow()
{
    const HWND window = m_dialog.GetSafeHwnd();
    if (!window || m_feedbackKey)
        return;
    m_feedbackKey = FeedbackHandleValue(window);
    FeedbackRegisterMainWindow(m_feedbackKey, this);
}

// ---------------------------------------------------------------- windows

CWnd* AudioWindows::Window(ModelessWindow window) const
{
    switch (window) {
    case ModelessWindow::SoundEffects: return m_soundEffects.get();
    case ModelessWindow::AudioJukebox: return m_jukebox.get();
    default: return nullptr;
    }
}

bool AudioWindows::CreateModeless(ModelessWindow window)
{
    RegisterFeedbackWindow();
    switch (window) {
    case ModelessWindow::SoundEffects:
        if (!m_soundEffects) {
            auto created = std::make_unique<SoundEffects>(this, &m_dialog);
            if (!created->CreateModeless())
                return false;
            m_soundEffects = std::move(created);
        }
        return true;
    case ModelessWindow::AudioJukebox:
        if (!m_jukebox) {
            auto created = std::make_unique<AudioJukebox>(this, &m_dialog);
            if (!created->CreateModeless())
                return false;
            m_jukebox = std::move(created);
        }
        return true;
    default:
        return false;
    }
}

bool AudioWindows::ShowModeless(ModelessWindow window)
{
    CWnd* shown = Window(window);
    if (!shown || !shown->GetSafeHwnd()) {
        if (window != ModelessWindow::SoundEffects && window != ModelessWindow::AudioJukebox)
            return false;
        if (!CreateModeless(window))
            return false;
        shown = Window(window);
    }
    shown->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(shown->GetSafeHwnd());
    return true;
}

bool AudioWindows::ToggleModeless(ModelessWindow window)
{
    CWnd* toggled = Window(window);
    if (!toggled || !toggled->GetSafeHwnd())
        return false;
    if (::IsWindowVisible(toggled->GetSafeHwnd()))
        toggled->ShowWindow(SW_HIDE);
    else
        ShowModeless(window);
    return true;
}

bool AudioWindows::RunCommand(CommandArea area, unsigned id)
{
    if (id == kViewEffects)
        return ToggleModeless(ModelessWindow::SoundEffects);
    if (id == kViewJukebox)
        return ToggleModeless(ModelessWindow::AudioJukebox);
    if (area == CommandArea::Sampler) {
        if (!m_soundEffects)
            return false;
        if (id >= kFirstEffect && id <= kLastEffect)
            m_soundEffects->PlayEffect(static_cast<int>(id - kFirstEffect + 1));
        else if (id == kSamplerPlay && m_soundEffects->GetPlayer())
            m_soundEffects->GetPlayer()->Command(CM_PLAY);
        else if (id == kSamplerStop && m_soundEffects->GetPlayer())
            m_soundEffects->GetPlayer()->Command(CM_STOP);
        else
            return false;
        return true;
    }
    if (area == CommandArea::AudioJukebox) {
        if (!m_jukebox)
            return false;
        switch (id) {
        case kJukeboxPlayPause:
        case kJukeboxPlay: m_jukebox->OnPlayPause(); return true;
        case kJukeboxStop: m_jukebox->OnStop(); return true;
        case kJukeboxNext: m_jukebox->OnNext(); return true;
        default: return false;
        }
    }
    return false;
}

// ---------------------------------------------------------------- the sampler's host

CString AudioWindows::EffectsFolder()
{
    return m_dialog.GetSettings().EffectsFolder;
}

CString AudioWindows::MenuText(const char* key)
{
    return m_dialog.GetIniString("MENUTEXT", key);
}

bool AudioWindows::GetTagInfo(const CString& path, TAG_INFO* tags)
{
    return VIZU::GetTagInfo(path, tags);
}

CString AudioWindows::LibraryVersion()
{
    return VIZU::GetDBVersion();
}

CString AudioWindows::SecondsText(int seconds)
{
    return VIZU::SecondsToString(seconds);
}

// ---------------------------------------------------------------- the jukebox's host

CArray<CTrackRecord, CTrackRecord&>& AudioWindows::JukeboxQueue()
{
    return m_dialog.Queues().jukebox;
}

int AudioWindows::UpdatePlayCounterSetting()
{
    return m_dialog.GetSettings().UpdatePlayCounter;
}

void AudioWindows::RunQueueOperation(JukeboxQueueOperation operation, TXVTrackList& list)
{
    TrackArray& queue = JukeboxQueue();
    const int row = list.GetNextItem(-1, LVNI_SELECTED);
    const CString path = row >= 0 ? list.GetItemText(row, AudioJukebox::kPathColumn) : CString();
    const int record = row >= 0 ? RecordOfRow(queue, row, path) : -1;
    const int last = static_cast<int>(queue.GetSize()) - 1;
    int select = -1;
    switch (operation) {
    case JukeboxQueueOperation::MoveUp:
        if (record <= 0)
            return;
        MoveRecord(queue, record, record - 1);
        select = record - 1;
        break;
    case JukeboxQueueOperation::MoveDown:
        if (record < 0 || record >= last)
            return;
        MoveRecord(queue, record, record + 1);
        select = record + 1;
        break;
    case JukeboxQueueOperation::MoveToTop:
        if (record < 0)
            return;
        MoveRecord(queue, record, 0);
        select = 0;
        break;
    case JukeboxQueueOperation::MoveToBottom:
        if (record < 0)
            return;
        MoveRecord(queue, record, last);
        select = last;
        break;
    case JukeboxQueueOperation::DeleteSelected: {
        // Every selected row's record, found before any goes.
        std::vector<int> records;
        for (int r = list.GetNextItem(-1, LVNI_SELECTED); r >= 0; r = list.GetNextItem(r, LVNI_SELECTED)) {
            const int found = RecordOfRow(queue, r, list.GetItemText(r, AudioJukebox::kPathColumn));
            if (found >= 0)
                records.push_back(found);
        }
        std::sort(records.begin(), records.end());
        records.erase(std::unique(records.begin(), records.end()), records.end());
        for (auto it = records.rbegin(); it != records.rend(); ++it)
            queue.RemoveAt(*it);
        break;
    }
    case JukeboxQueueOperation::Shuffle: {
        std::vector<CTrackRecord> records;
        for (int i = 0; i < queue.GetSize(); ++i)
            records.push_back(queue[i]);
        std::shuffle(records.begin(), records.end(), std::mt19937(std::random_device()()));
        queue.RemoveAll();
        for (CTrackRecord& rec : records)
            queue.Add(rec);
        break;
    }
    case JukeboxQueueOperation::Empty:
        queue.RemoveAll();
        break;
    case JukeboxQueueOperation::SaveAsPlaylist:
        SaveQueueAsPlaylist(list);
        return;
    }
    if (m_jukebox)
        m_jukebox->FillQueueList();
    SelectRow(list, select);
}

void AudioWindows::SaveQueueAsPlaylist(TXVTrackList& list)
{
    char file[MAX_PATH] = {};
    const char filter[] = "Playlists (*.xml)\0*.xml\0";
    const CString folder = m_dialog.GetSettings().PlaylistFolder;
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_jukebox ? m_jukebox->GetSafeHwnd() : m_dialog.GetSafeHwnd();
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    ofn.lpstrDefExt = "xml";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!AfxPromptFileDialog(&ofn, FALSE))
        return;
    VIZU::WritePlaylistFromList(file, &list);
}

// ---------------------------------------------------------------- the dAredero player

void AudioWindows::CreateJukeboxPlayer()
{
    if (m_dArederoPlayer)
        return;
    const int device = m_dialog.GetIniInt("AUDIOJUKEBOX", "OutputDevice");
    const int volume = m_dialog.GetIniInt("AUDIOJUKEBOX", "Volume");
    m_dArederoPlayer = std::make_unique<DArederoPlayer>(::GetModuleHandleA(nullptr), &VIZU::GetTagInfo);
    m_dArederoPlayer->Setup(this, m_dialog.GetSafeHwnd(), device, 0, "dAredero", 0);
    m_dArederoPlayer->SetFeedbackRate(m_dialog.GetSettings().FeedbackRate);
    m_dArederoPlayer->SetVolume(volume);
    const HWND spectrum = ::GetDlgItem(m_dialog.GetSafeHwnd(),
                                       static_cast<int>(SkinWindowId(TheSkin().LookupControlName("jukespectrum"))));
    if (spectrum) {
        RECT client = {};
        ::GetClientRect(spectrum, &client);
        m_dArederoPlayer->SetupSpectrum(spectrum, client.right - client.left, client.bottom - client.top);
    }
}

void AudioWindows::UpdateJukeboxTimes(int elapsed)
{
    const int total = m_dArederoPlayer ? m_dArederoPlayer->Tags().Length : 0;
    MainWindowParts& parts = m_dialog.Parts();
    parts.SetTextField("juketotal", VIZU::SecondsToString(total));
    parts.SetTextField("jukeelapsed", VIZU::SecondsToString(elapsed));
    parts.SetTextField("jukeremain", VIZU::SecondsToString(total - elapsed));
}

void AudioWindows::SetJukeboxTrackTexts(const char*)
{
    if (!m_dArederoPlayer)
        return;
    const TAG_INFO& tags = m_dArederoPlayer->Tags();
    MainWindowParts& parts = m_dialog.Parts();
    parts.SetTextField("jukectext", tags.Title + " - " + tags.Artist);
    parts.SetTextField("juketitle", tags.Title);
    parts.SetTextField("jukeartist", tags.Artist);
    parts.SetTextField("jukealbum", tags.Album);
}

void AudioWindows::SetJukeboxPosition(int seconds)
{
    auto* bar = FindSkinControl<CGradientProgressCtrl>(m_dialog.GetSafeHwnd(), TheSkin().LookupControlName("jukeprog"));
    if (!bar)
        return;
    bar->SetPos(seconds);
    bar->Invalidate();
}

void AudioWindows::SetJukeboxPositionRange(int length)
{
    auto* bar = FindSkinControl<CGradientProgressCtrl>(m_dialog.GetSafeHwnd(), TheSkin().LookupControlName("jukeprog"));
    if (!bar)
        return;
    bar->SetRangeAndRedraw(0, length);
}

void AudioWindows::RedrawJukeboxView()
{
    const HWND view = ::GetDlgItem(m_dialog.GetSafeHwnd(),
                                   static_cast<int>(SkinWindowId(TheSkin().LookupControlName("jukelist"))));
    if (view)
        ::InvalidateRect(view, nullptr, TRUE);
}

void AudioWindows::SetDeckTitle(int deck, const CString& path)
{
    m_dialog.Parts().OnShowDeckArt(deck, path);
}

bool AudioWindows::JukeboxListShowsTracks() const
{
    return m_dialog.Parts().JukeListShowsTracks();
}

int AudioWindows::StepSelectionDown()
{
    return m_dialog.Parts().JukeListStepDown();
}

CString AudioWindows::GetSelectedPath() const
{
    return m_dialog.Parts().JukeListSelectedPath();
}

HWND AudioWindows::MainWindowHandle() const
{
    return m_dialog.GetSafeHwnd();
}

// ---------------------------------------------------------------- the feedback module

int AudioWindows::DeckLevel(int deck) const
{
    return deck >= 0 && deck < 4 ? m_deckLevels[deck].load() : 0;
}

bool AudioWindows::IsDeckPlaying(int deck) const
{
    return m_dialog.Parts().DeckPlayerState(deck) == DECK_STATE_PLAYING;
}

void AudioWindows::SetDeckLevel(int deck, int level)
{
    if (deck >= 0 && deck < 4)
        m_deckLevels[deck] = level;
}

void AudioWindows::SetDeckVuLevels(int deck, int left, int right)
{
    // On the feedback thread: the meters are windows of the window thread,
    // so the decks hand the levels over to it.
    if (deck >= 0 && deck < SkinMeterSet::kDecks)
        m_dialog.Parts().SetDeckVuLevels(deck, left, right);
}

bool AudioWindows::IsDeckScopeShown(int deck) const
{
    return m_dialog.Parts().IsDeckScopeShown(deck);
}

bool AudioWindows::DecodesInMemory() const
{
    return m_dialog.GetSettings().Decode;
}

void AudioWindows::AppendDeckScopeValue(int deck, int value)
{
    m_dialog.Parts().AppendDeckScopeValue(deck, value);
}

void AudioWindows::GetSpectrumColours(uint32_t* bar, uint32_t* peak) const
{
    // The skin's spectrum item stores its bar colour first, then its peak
    // marks' colour.
    const SkinMeterSet& meters = m_dialog.GetSkinMeters();
    if (bar)
        *bar = meters.spectrumBack;
    if (peak)
        *peak = meters.spectrumFore;
}
