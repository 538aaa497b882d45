// MixerArea: the mixer's and AutoMix's part of the main window, held by
// ProgramParts. The mixer model itself is the decks' (DeckArea::GetMixer);
// this area keeps the one AutoMix object over it, with what AutoMix needs
// of the main window: the AutoMix queue (MainDialog::Queues().autoMix),
// the library's random pick with the random-play options dialog, the
// settings of section MIXER, the timers and the skin's lights and texts.
// It runs the commands of the mixer, AutoMix and AutoMix-settings areas and
// the ticks of timers 2-7, 10-12 and 24-27. Until the decks are set up
// (InitDecks) every call does nothing.
#pragma once

#include <functional>
#include <memory>

#include "mainwindow/automix/AutoMix.h"
#include "mainwindow/dispatch/CommandAreas.h"
#include "mainwindow/mixer/IniMixSettings.h"
#include "mainwindow/mixerarea/AutoMixQueue.h"
#include "mainwindow/settings/SettingsFile.h"

class DeckArea;
class MainDialog;

class MixerArea
{
public:
    // The random-play options dialog: mode 1 for a deck (with its index), 2
    // for AutoMix; true when it returned OK, with the criterion.
    using CriterionDialog = std::function<bool(int mode, int deck, tagRandomInfo& info)>;

    // refreshQueue: shows the AutoMix queue's array in its list, caption
    // and the floating list after AutoMix took a track from it.
    MixerArea(MainDialog& dialog, DeckArea& decks, std::function<void()> refreshQueue);
    ~MixerArea();
    MixerArea(const MixerArea&) = delete;
    MixerArea& operator=(const MixerArea&) = delete;

    // The random-play options dialog; while none is set, every pick takes
    // any track of the library (mode 40).
    void SetCriterionDialog(CriterionDialog dialog) { m_criterionDialog = std::move(dialog); }
    // The configuration dialog on a page ("mx-automixprops": page 3); the
    // default asks the decks' view, as the decks' own configuration commands do.
    void SetConfigDialog(std::function<void(int page)> show) { m_showConfig = std::move(show); }

    // Attributes: null until the decks are set up.
    Mixer* GetMixer() const;
    AutoMix* GetAutoMix();

    // The main window's calls (ProgramParts' mixer block).
    // A command of the Mixer, AutoMix or AutoMixSettings area; false for
    // another area.
    bool RunCommand(command_areas::CommandArea area, unsigned id);
    void OnTimer(unsigned id);
    void LoadAutoMixSettings();
    bool IsAutoMixRunning();
    void ToggleAutoMix();
    // A controller value or wheel movement of a controller-map entry (its
    // command id and range ends), through the decks' value mapping.
    void OnControllerValue(int commandId, int rlow, int rhigh, int value);
    void OnControllerWheel(int commandId, int rlow, int rhigh, int value);

private:
    class RandomSource;
    class View;

    MainDialog& m_dialog;
    DeckArea& m_decks;
    SettingsFile m_ini;
    IniMixSettings m_settings;
    AutoMixQueue m_queue;
    CriterionDialog m_criterionDialog;
    std::function<void(int page)> m_showConfig;
    std::unique_ptr<RandomSource> m_random;
    std::unique_ptr<View> m_view;
    std::unique_ptr<AutoMix> m_autoMix;
};
