#include "mainwindow/mixerarea/MixerArea.h"

#include "library/api/VIZU.h"
#include "mainwindow/decks/DeckArea.h"
#include "mainwindow/dialog/MainDialog.h"
#include "mainwindow/mixerarea/MixerCommands.h"
#include "skin/create/FindSkinControl.h"
#include "skin/fields/TXVStatusField.h"
#include "skin/fields/TXVTextField.h"
#include "skin/file/Skin.h"

namespace
{
// The configuration dialog's AutoMix page.
const int kConfigPageAutoMix = 3;
// The random pick's "any track" criterion.
const int kRandomAny = 40;
} // namespace

// The library's random pick and the random-play options dialog.
class MixerArea::RandomSource : public MixRandomSource
{
public:
    explicit RandomSource(MixerArea& owner) : m_owner(owner) {}

    CString GetRandomTrack(const tagRandomInfo& info) override
    {
        tagRandomInfo criterion = info;
        return VIZU::GetRandomTrack(&criterion);
    }
    bool AskCriterion(int mode, int deck, tagRandomInfo& info) override
    {
        if (m_owner.m_criterionDialog)
            return m_owner.m_criterionDialog(mode, deck, info);
        info = tagRandomInfo();
        info.Mode = kRandomAny;
        return true;
    }

private:
    MixerArea& m_owner;
};

// The skin's lights, texts and messages as AutoMix shows them: the decks'
// view over the skin's controls, and a text field given back the text of
// its skin item.
class MixerArea::View : public MixView
{
public:
    View(HWND mainWindow, MixView& decks) : m_mainWindow(mainWindow), m_decks(decks) {}

    void SetLight(const char* name, bool on) override { m_decks.SetLight(name, on); }
    void SetText(const char* name, const CString& text) override { m_decks.SetText(name, text); }
    void RestoreText(const char* name) override
    {
        const int32_t id = TheSkin().LookupControlName(name);
        if (TXVStatusField* status = FindSkinControl<TXVStatusField>(m_mainWindow, id))
            status->SetText(status->GetDefaultText());
        else if (TXVTextField* field = FindSkinControl<TXVTextField>(m_mainWindow, id))
            field->SetText(field->GetDefaultText());
    }
    bool HasControl(const char* name) const override { return m_decks.HasControl(name); }
    void RefreshOnAirLights() override { m_decks.RefreshOnAirLights(); }
    void ShowMessage(const CString& text) override { m_decks.ShowMessage(text); }
    void ShowNotice(int id) override { m_decks.ShowNotice(id); }
    void WriteLog(const CString& text) override { m_decks.WriteLog(text); }

private:
    HWND m_mainWindow;
    MixView& m_decks;
};

MixerArea::MixerArea(MainDialog& dialog, DeckArea& decks, std::function<void()> refreshQueue)
    : m_dialog(dialog)
    , m_decks(decks)
    , m_ini(dialog.GetProgramFolder())
    , m_settings(&m_ini)
    , m_queue(dialog.Queues().autoMix, std::move(refreshQueue))
{
}

MixerArea::~MixerArea() = default;

Mixer* MixerArea::GetMixer() const
{
    return m_decks.Commands() && m_decks.Commands()->AreDecksSetUp() ? m_decks.GetMixer() : nullptr;
}

AutoMix* MixerArea::GetAutoMix()
{
    if (m_autoMix)
        return m_autoMix.get();
    Mixer* mixer = GetMixer();
    if (!mixer || !m_decks.View())
        return nullptr;
    m_random = std::make_unique<RandomSource>(*this);
    m_view = std::make_unique<View>(m_dialog.GetSafeHwnd(), *m_decks.View());
    m_autoMix = std::make_unique<AutoMix>(mixer, &m_decks, m_view.get(), &m_settings, &m_queue, m_random.get());
    return m_autoMix.get();
}

bool MixerArea::RunCommand(command_areas::CommandArea area, unsigned id)
{
    using command_areas::CommandArea;
    if (area != CommandArea::Mixer && area != CommandArea::AutoMix && area != CommandArea::AutoMixSettings)
        return false;
    if (area == CommandArea::AutoMixSettings) {
        if (m_showConfig)
            m_showConfig(kConfigPageAutoMix);
        else if (m_decks.View())
            m_decks.View()->ShowConfig(kConfigPageAutoMix);
        return true;
    }
    if (Mixer* mixer = GetMixer())
        mixer_commands::RunMixerCommand(*mixer, GetAutoMix(), id);
    return true;
}

void MixerArea::OnTimer(unsigned id)
{
    if (Mixer* mixer = GetMixer())
        mixer_commands::RunMixerTimer(*mixer, GetAutoMix(), id);
}

void MixerArea::LoadAutoMixSettings()
{
    if (AutoMix* autoMix = GetAutoMix())
        autoMix->LoadAutoMixSettings();
}

bool MixerArea::IsAutoMixRunning()
{
    AutoMix* autoMix = GetAutoMix();
    return autoMix && autoMix->IsAutoMixRunning();
}

void MixerArea::ToggleAutoMix()
{
    if (AutoMix* autoMix = GetAutoMix())
        autoMix->ToggleAutoMix();
}

void MixerArea::OnControllerValue(int commandId, int rlow, int rhigh, int value)
{
    if (MixerInput* input = GetMixer() ? m_decks.Input() : nullptr)
        input->OnControllerValue(commandId, mapping::ControllerRange{rlow, rhigh}, value);
}

void MixerArea::OnControllerWheel(int commandId, int rlow, int rhigh, int value)
{
    if (MixerInput* input = GetMixer() ? m_decks.Input() : nullptr)
        input->OnControllerWheel(commandId, mapping::ControllerRange{rlow, rhigh}, value);
}
