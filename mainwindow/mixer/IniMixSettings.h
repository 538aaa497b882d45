// IniMixSettings: the mixer's and AutoMix's settings read from
// "TavrixVJ.INI" at the moment they are used (a glide, a fade, the start of
// a mode and each mix), so that a change in the configuration dialog counts
// at once.
#pragma once

#include "mainwindow/mixer/MixSeams.h"
#include "mainwindow/settings/SettingsFile.h"

class IniMixSettings : public MixSettings
{
public:
    explicit IniMixSettings(const SettingsFile* file) : m_file(file) {}

    int GlideStep() override;
    int GlidePeriod() override;
    int FadeInPeriod() override;
    int FadeOutPeriod() override;
    AutoMixSettings ReadAutoMix() override;

private:
    const SettingsFile* m_file;
};
