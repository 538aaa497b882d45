#include "mainwindow/mixer/IniMixSettings.h"

namespace
{
const char kMixer[] = "MIXER";
const char kMain[] = "MAIN";
} // namespace

int IniMixSettings::GlideStep()
{
    return m_file->GetInt(kMixer, "XFaderSpeed");
}

int IniMixSettings::GlidePeriod()
{
    return m_file->GetInt(kMixer, "AutoFadeTimer");
}

int IniMixSettings::FadeInPeriod()
{
    return m_file->GetInt(kMain, "FadeinSpeed");
}

int IniMixSettings::FadeOutPeriod()
{
    return m_file->GetInt(kMain, "FadeoutSpeed");
}

AutoMixSettings IniMixSettings::ReadAutoMix()
{
    AutoMixSettings s;
    s.useTimer = m_file->GetBool(kMixer, "UseTimer");
    s.xfaderSpeed = m_file->GetInt(kMixer, "XFaderSpeed");
    s.mixDelay = m_file->GetInt(kMixer, "MixDelay");
    s.inputLevel = m_file->GetInt(kMixer, "InputLevel");
    s.checkFrom = m_file->GetInt(kMixer, "CheckFrom");
    s.conseqHits = m_file->GetInt(kMixer, "ConseqHits");
    s.mainTimer = m_file->GetInt(kMixer, "MainTimer");
    s.loadTime = m_file->GetInt(kMixer, "AutoMixLoadTime");
    s.useFade = m_file->GetBool(kMixer, "AutoMixUseFade");
    return s;
}
