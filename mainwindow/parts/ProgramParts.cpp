#include "mainwindow/parts/ProgramParts.h"

#include "mainwindow/audiowindows/AudioWindows.h"
#include "mainwindow/decks/DeckArea.h"
#include "input/controllermap/ControllerMap.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/mastermixer/MainMasterMixer.h"
#include "mainwindow/queues/QueueLists.h"
#include "mainwindow/queues/ListContextMenus.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/mixer/Mixer.h"
#include "mainwindow/mixerarea/MixerArea.h"
#include "skin/tracklist/TXVTrackList.h"
#include "input/controllermap/ControllerMap.h"
#include "mainwindow/queues/MixerQueueDecks.h"
#include "mainwindow/library/LibraryViews.h"
#include "skin/file/Skin.h"

#include <commctrl.h>

#include "mainwindow/build/MainBuildArea.h"

ProgramParts::ProgramParts(MainDialog& dialog)
    : m_dialog(dialog)
    , m_build(new MainBuildArea(dialog))
{
    m_queues = std::make_unique<QueueLists>(dialog, dialog.Queues(), *this);
}

ProgramParts::~ProgramParts()
{
    // Nothing keeps a pointer into the decks once they go.
    if (m_queues)
        m_queues->SetDecks(nullptr);
    if (m_masterMixer) {
        m_masterMixer->SetDecks(nullptr);
        m_masterMixer->SetMixer(nullptr);
    }
}

// ---- The master mixer (mainwindow/mastermixer).

MainMasterMixer& ProgramParts::MasterMixer()
{
    if (!m_masterMixer)
        m_masterMixer = std::make_unique<MainMasterMixer>(m_dialog);
    return *m_masterMixer;
}

// ---- Lists and queues ----------------------------------------------------------

void ProgramParts::RunCommand(command_areas::CommandArea area, unsigned id)
{
    if (RunLibraryCommand(area, id))
        return;
    if (RunMixerCommand(area, id))
        return;
    using command_areas::CommandArea;
    switch (area) {
    case CommandArea::ListLoading:
    case CommandArea::ListEditing:
        m_queues->RunCommand(id);
        break;
    case CommandArea::Deck:
        // "a-scrolltoggle", "b-scrolltoggle": the knobs' scroll targets and
        // queue modes are the lists' state.
        if (id == 28032 || id == 28033)
            m_queues->ToggleScrollTarget(id == 28032 ? 0 : 1);
        else
            RunDeckAreaCommand(area, id);
        break;
    case CommandArea::Preset:
    case CommandArea::UnloadDeck:
        RunDeckAreaCommand(area, id);
        break;
    case CommandArea::Sampler:
    case CommandArea::AudioJukebox:
    case CommandArea::Windows:
        // The sampler's and jukebox's commands, "vieweffects", "viewjukebox".
        Audio().RunCommand(area, id);
        break;
    default:
        break;
    }
}

void ProgramParts::DeleteSelectedQueueItems(int listCode)
{
    m_queues->DeleteSelectedInQueue(listCode);
}

void ProgramParts::OnQueueScroll(int deck, int value, int low)
{
    m_queues->OnQueueScroll(deck, value, low);
}

bool ProgramParts::LoadAutoMixQueue(const char* path)
{
    return m_queues->LoadAutoMixQueue(path ? CString(path) : CString());
}

bool ProgramParts::OnListNotify(HWND list, UINT code)
{
    return m_queues->OnListNotify(list, code);
}

bool ProgramParts::OnContextMenu(HWND window, POINT at)
{
    if (!m_contextMenus) {
        m_contextMenus = std::make_unique<ListContextMenus>(m_dialog, *m_queues, *this);
        ListContextMenus::LibraryHooks hooks;
        hooks.selectedParentText = [this] { return Library().SelectedParentText(); };
        hooks.folderNodeSelected = [this] { return Library().IsFolderNodeSelected(); };
        m_contextMenus->SetLibraryHooks(std::move(hooks));
    }
    return m_contextMenus->Open(window, at);
}

// ---- The players beside the decks (mainwindow/audiowindows).

AudioWindows& ProgramParts::Audio()
{
    if (!m_audioWindows)
        m_audioWindows = std::make_unique<AudioWindows>(m_dialog);
    return *m_audioWindows;
}

bool ProgramParts::CreateModeless(main_menus::ModelessWindow window)
{
    switch (window) {
    case main_menus::ModelessWindow::SoundEffects:
    case main_menus::ModelessWindow::AudioJukebox:
        return Audio().CreateModeless(window);
    case main_menus::ModelessWindow::MasterMixer:
        return CreateMasterMixerWindow(*this);
    default:
        return MainWindowParts::CreateModeless(window);
    }
}

void ProgramParts::ShowModeless(main_menus::ModelessWindow window)
{
    if (window == main_menus::ModelessWindow::MasterMixer)
        ShowMasterMixerWindow(*this);
    else if (!Audio().ShowModeless(window))
        MainWindowParts::ShowModeless(window);
}

void ProgramParts::CreateJukeboxPlayer()
{
    Audio().CreateJukeboxPlayer();
}

int ProgramParts::DArederoState()
{
    DArederoPlayer* player = Audio().GetDArederoPlayer();
    return player ? player->GetState() : 0;
}

// ---- Building the window from the skin (mainwindow/build).

bool ProgramParts::CreateButtons()
{
    m_build->builder.CreateButtons();
    return true;
}

bool ProgramParts::CreateTextFields()
{
    m_build->builder.CreateTextFields();
    return true;
}

bool ProgramParts::CreateStatusFields()
{
    m_build->builder.CreateStatusFields();
    return true;
}

bool ProgramParts::CreateIndicatorLights()
{
    m_build->builder.CreateIndicatorLights();
    return true;
}

bool ProgramParts::CreateTrees()
{
    m_build->builder.CreateTrees();
    return true;
}

bool ProgramParts::CreateLists()
{
    m_build->builder.CreateLists();
    return true;
}

bool ProgramParts::CreateMiscControls()
{
    m_build->builder.CreateMiscControls();
    return true;
}

void ProgramParts::UpdateQueueCaption(int list)
{
    m_build->builder.UpdateQueueCaption(list);
}

void ProgramParts::UpdateSearchListCaption()
{
    m_build->builder.UpdateSearchListCaption();
}

void ProgramParts::UpdateRequestListCaption()
{
    m_build->builder.UpdateRequestListCaption();
}

bool ProgramParts::IsListShown(int listType)
{
    // The list type codes of the main window's lists and the builders' slots.
    switch (listType) {
    case 4005: return m_build->controls.IsListShown(main_build::TL_DECKA);
    case 4006: return m_build->controls.IsListShown(main_build::TL_DECKB);
    case 4007: return m_build->controls.IsListShown(main_build::TL_SEARCH);
    case 4008: return m_build->controls.IsListShown(main_build::TL_HISTORY);
    case 4009: return m_build->controls.IsListShown(main_build::TL_REQUEST);
    case 4011: return m_build->controls.IsListShown(main_build::TL_AUTOMIX);
    default: return false;
    }
}

bool ProgramParts::HasThumbList()
{
    return m_build->controls.HasThumbList();
}

bool ProgramParts::HasVideoOnSkin()
{
    return m_build->controls.HasVideoOnSkin();
}

bool ProgramParts::HasTrackListAndInfo()
{
    return m_build->controls.TrackList(main_build::TL_MAIN).m_hWnd && m_build->controls.InfoWindow();
}

bool ProgramParts::SetTextField(const char* name, const char* text)
{
    TXVTextField* field = m_build->controls.FindTextField(name);
    if (!field)
        return false;
    field->SetText(text);
    return true;
}

bool ProgramParts::HasCpuMeter()
{
    return m_build->controls.CpuMeter().m_hWnd != nullptr;
}

void ProgramParts::SetCpuMeter(int value)
{
    m_build->controls.CpuMeter().SetPos(value);
}

// ---- The library tree, views, search and filter (mainwindow/library).

LibraryViews& ProgramParts::Library()
{
    if (!m_library)
        m_library.reset(new LibraryViews(*this));
    if (!m_bLibraryAttached && m_dialog.GetSafeHwnd()) {
        const MainSettings& s = m_dialog.GetSettings();
        LibraryViewSettings settings;
        settings.displayBadLinks = s.DisplayBadLinks;
        settings.mcInLib = s.MCInLib;
        settings.useDisplayThread = s.UseDisplayTracksThread;
        settings.mostPlayedNum = s.MostPlayedNum;
        settings.recentAddedNum = s.RecentAddedNum;
        settings.playlistFolder = s.PlaylistFolder;
        settings.historyFolder = s.HistoryFolder;
        settings.iniPath = m_dialog.GetProgramFolder() + "TavrixVJ.INI";
        m_library->Attach(m_dialog.GetSafeHwnd(), settings, &m_dialog.GetTrackImages(), &m_dialog.Queues());
        m_library->SetDisplayJobStarter([this] { return m_dialog.StartLibraryDisplayJob(); });
        m_library->LoadLibraryTreeCaptions();
        m_bLibraryAttached = true;
    }
    return *m_library;
}

void ProgramParts::BuildLibraryTree()
{
    Library().BuildLibraryTree();
}

void ProgramParts::DisplayTreeSelection()
{
    Library().DisplayTreeSelection();
}

void ProgramParts::SelectLibraryRoot()
{
    Library().SelectLibraryRoot();
}

void ProgramParts::FilterTrackList()
{
    Library().FilterTrackList();
}

void ProgramParts::FilterByTitle(const CString& text)
{
    Library().FilterByTitle(text);
}

void ProgramParts::FilterOff()
{
    Library().OnFilterOff();
}

bool ProgramParts::IsSearchBoxEdit(HWND hWnd)
{
    return Library().IsSearchBoxEdit(hWnd);
}

HWND ProgramParts::TrackListWindow()
{
    return m_build->controls.TrackList(main_build::TL_MAIN).m_hWnd;
}

void ProgramParts::ShowSelectedTrackInfo()
{
    Library().ShowSelectedTrackInfo();
}

bool ProgramParts::RunLibraryDisplayJob()
{
    // Runs on the display thread: the views exist since the job's start.
    return m_library && m_library->RunDisplayJob();
}

void ProgramParts::UpdateLibraryStatusLine()
{
    Library().UpdateLibraryStatusLine();
}

int ProgramParts::LibraryView()
{
    return m_library ? m_library->GetView() : 0;
}

void ProgramParts::LoadTracklistOrder()
{
    Library().LoadTracklistOrder();
}

void ProgramParts::SaveTracklistOrder()
{
    Library().SaveTracklistOrder();
}

bool ProgramParts::OnControlNotify(int id, NMHDR* header, LRESULT* result)
{
    if (header && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW) &&
        id == TheSkin().LookupControlName("mylibrary")) {
        Library().DisplayTreeSelection();
        *result = 0;
        return true;
    }
    return false;
}

CString ProgramParts::GetSelectedPlaylistPath()
{
    return Library().GetSelectedPlaylistPath();
}

bool ProgramParts::RunLibraryCommand(command_areas::CommandArea area, unsigned id)
{
    if (area != command_areas::CommandArea::LibraryView)
        return false;
    return Library().RunCommand(id);
}
// ---- The decks (mainwindow/decks).

DeckArea& ProgramParts::Decks()
{
    if (!m_decks)
        m_decks = std::make_unique<DeckArea>(m_dialog);
    return *m_decks;
}

bool ProgramParts::RefreshPresetButtons() { return Decks().RefreshPresetButtons(); }
bool ProgramParts::InitDecks()
{
    if (!Decks().InitDecks())
        return false;
    // The lists and the master mixer reach the decks and the mixer model.
    if (DeckSet* set = Decks().Decks()) {
        // Decks A and B as the mixer has them now: a reset replaces them.
        m_queueDecks = std::make_unique<MixerQueueDecks>(Decks().GetMixer());
        m_queues->SetDecks(m_queueDecks.get());
        MasterMixer().SetDecks(set);
        MasterMixer().SetMixer(Decks().GetMixer());
    }
    return true;
}

int ProgramParts::DeckPlayerState(int deck)
{
    DeckSet* set = m_decks ? m_decks->Decks() : nullptr;
    Deck* object = set ? set->Get(deck) : nullptr;
    return object ? object->GetState() : 0;
}
void ProgramParts::SetDeckVuLevels(int deck, int left, int right)
{
    // On a player's feedback thread: the deck set keeps the levels in
    // atomic words and shows them on the window thread.
    if (DeckSet* set = m_decks ? m_decks->Decks() : nullptr)
        set->SetDeckVuLevels(deck, left, right);
}
void ProgramParts::ToggleDeckSpectrum(int deck) { Decks().ToggleDeckSpectrum(deck); }
void ProgramParts::OnDeckTime(int deck, int seconds) { Decks().OnDeckTime(deck, seconds); }
void ProgramParts::OnPitchNudgeReleased(int deck) { Decks().OnPitchNudgeReleased(deck); }
void ProgramParts::OnShowDeckArt(int deck, const char* path) { Decks().OnShowDeckArt(deck, path); }
void ProgramParts::OnJogWheel(const ControllerMapItem* entry, int value)
{
    if (entry)
        Decks().OnJogWheel(entry->commandId, value);
}
void ProgramParts::OnArtFound(int deck) { Decks().OnArtFound(deck); }
void ProgramParts::StopDecks()
{
    if (m_decks)
        m_decks->StopDecks();
}
void ProgramParts::StoreDeckSettings(MainSettings& settings, bool deckExists[4])
{
    if (m_decks)
        m_decks->StoreSettings(settings, deckExists);
}
void ProgramParts::OnTagArt(int deck, const char* path) { Decks().OnTagArt(deck, path); }

void ProgramParts::OnSliderNotify(int controlId, LPARAM)
{
    // The handler reads the position from the slider itself.
    Decks().OnSliderNotify(controlId);
}

bool ProgramParts::RunDeckAreaCommand(command_areas::CommandArea area, unsigned id)
{
    using command_areas::CommandArea;
    if (area != CommandArea::Deck && area != CommandArea::Preset && area != CommandArea::UnloadDeck)
        return false;
    Decks().RunCommand(id);
    return true;
}

// ---- The mixer and AutoMix (mainwindow/mixerarea).

MixerArea& ProgramParts::MixerPart()
{
    if (!m_mixerArea) {
        m_mixerArea = std::make_unique<MixerArea>(m_dialog, Decks(), [this] {
            // The AutoMix queue's list, caption and the floating list.
            if (TXVTrackList* list = m_queues->ListOfType(queue_rules::kTypeAutoMix))
                list->ShowTracks(m_dialog.Queues().autoMix);
            UpdateQueueCaption(queue_rules::kCodeAutoMix);
            RefillPopupList(queue_rules::kTypeAutoMix);
        });
    }
    return *m_mixerArea;
}

void ProgramParts::MixerTimerTick(unsigned id) { MixerPart().OnTimer(id); }
void ProgramParts::LoadAutoMixSettings() { MixerPart().LoadAutoMixSettings(); }
bool ProgramParts::IsAutoMixRunning() { return MixerPart().IsAutoMixRunning(); }
void ProgramParts::ToggleAutoMix() { MixerPart().ToggleAutoMix(); }
void ProgramParts::OnControllerValue(int value, const ControllerMapItem& entry)
{
    MixerPart().OnControllerValue(entry.commandId, entry.rlow, entry.rhigh, value);
}
void ProgramParts::OnControllerWheel(int value, const ControllerMapItem& entry)
{
    MixerPart().OnControllerWheel(entry.commandId, entry.rlow, entry.rhigh, value);
}

bool ProgramParts::RunMixerCommand(command_areas::CommandArea area, unsigned id)
{
    return MixerPart().RunCommand(area, id);
}
