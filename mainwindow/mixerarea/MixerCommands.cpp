#include "mainwindow/mixerarea/MixerCommands.h"

#include "mainwindow/automix/AutoMix.h"
#include "mainwindow/mixer/Mixer.h"

namespace mixer_commands
{

namespace
{

struct CommandRow
{
    unsigned id;
    MixerAction action;
    int deck;
};

const CommandRow kCommands[] = {
    {27105, MixerAction::FadeIn, 0},    {27106, MixerAction::FadeOut, 0},
    {27205, MixerAction::FadeIn, 1},    {27206, MixerAction::FadeOut, 1},
    {28305, MixerAction::FadeIn, 2},    {28306, MixerAction::FadeOut, 2},
    {28405, MixerAction::FadeIn, 3},    {28406, MixerAction::FadeOut, 3},
    {27301, MixerAction::Center, -1},   {27302, MixerAction::GlideLeft, -1},
    {27303, MixerAction::GlideRight, -1}, {27304, MixerAction::MixLeft, -1},
    {27305, MixerAction::MixRight, -1}, {27317, MixerAction::MixNext, -1},
    {27312, MixerAction::StepLeft, -1}, {27313, MixerAction::StepRight, -1},
    {27314, MixerAction::Monitor, 0},   {27315, MixerAction::Monitor, 1},
    {27319, MixerAction::Monitor, 2},   {27320, MixerAction::Monitor, 3},
    {27321, MixerAction::AssignLeft, -1}, {27322, MixerAction::AssignRight, -1},
    {27306, MixerAction::ToggleAutoMix, -1}, {27307, MixerAction::ToggleAutoMix, -1},
    {27316, MixerAction::AutoMixRandom, -1},
    {27131, MixerAction::RandomPlay, 0}, {27231, MixerAction::RandomPlay, 1},
    {27308, MixerAction::AutoMixSettings, -1},
};

} // namespace

MixerCommand MixerCommandOf(unsigned id)
{
    for (const CommandRow& row : kCommands) {
        if (row.id == id)
            return MixerCommand{row.action, row.deck};
    }
    return MixerCommand{};
}

bool RunMixerCommand(Mixer& mixer, AutoMix* autoMix, unsigned id)
{
    const MixerCommand command = MixerCommandOf(id);
    switch (command.action) {
    case MixerAction::FadeIn: mixer.OnFadeIn(command.deck); return true;
    case MixerAction::FadeOut: mixer.OnFadeOut(command.deck); return true;
    case MixerAction::Center: mixer.OnCenterCrossfader(); return true;
    case MixerAction::GlideLeft: mixer.OnFadeLeft(); return true;
    case MixerAction::GlideRight: mixer.OnFadeRight(); return true;
    case MixerAction::MixLeft: mixer.OnMixLeft(); return true;
    case MixerAction::MixRight: mixer.OnMixRight(); return true;
    case MixerAction::MixNext: mixer.OnMixNext(); return true;
    case MixerAction::StepLeft: mixer.OnFaderStep(-1); return true;
    case MixerAction::StepRight: mixer.OnFaderStep(1); return true;
    case MixerAction::Monitor: mixer.OnMonitor(command.deck); return true;
    case MixerAction::AssignLeft: mixer.OnAssignLeft(); return true;
    case MixerAction::AssignRight: mixer.OnAssignRight(); return true;
    case MixerAction::ToggleAutoMix:
        if (autoMix)
            autoMix->ToggleAutoMix();
        return true;
    case MixerAction::AutoMixRandom:
        if (autoMix)
            autoMix->OnAutoMixRandom();
        return true;
    case MixerAction::RandomPlay:
        if (autoMix)
            autoMix->OnRandomPlay(command.deck);
        return true;
    case MixerAction::AutoMixSettings:
    case MixerAction::None:
        break;
    }
    return false;
}

bool RunMixerTimer(Mixer& mixer, AutoMix* autoMix, unsigned id)
{
    if (mixer.OnTimer(static_cast<int>(id)))
        return true;
    return autoMix != nullptr && autoMix->OnTimer(static_cast<int>(id));
}

} // namespace mixer_commands
