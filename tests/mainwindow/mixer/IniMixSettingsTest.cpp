// The mixer's settings read from real INI files, each time they are used.
#include "FakeMix.h"
#include "mainwindow/mixer/IniMixSettings.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using namespace tavrix_test;
using namespace mixtest;

namespace
{

class IniMixSettingsTest : public ::testing::Test
{
protected:
    void Write(const std::string& text) { ASSERT_TRUE(WriteIniFile(m_dir.File("TavrixVJ.INI"), text)); }
    TempDir m_dir;
    SettingsFile m_file{CString((m_dir.Path() + "\\").c_str())};
    IniMixSettings m_settings{&m_file};
};

TEST_F(IniMixSettingsTest, ReadsEveryKeyEachTime)
{
    Write("[MAIN]\r\nFadeinSpeed=25\r\nFadeoutSpeed=35\r\n"
          "[MIXER]\r\nXFaderSpeed=6\r\nAutoFadeTimer=30\r\nUseTimer=0\r\nMixDelay=9\r\n"
          "InputLevel=12\r\nCheckFrom=18\r\nConseqHits=3\r\nMainTimer=150\r\n"
          "AutoMixLoadTime=22\r\nAutoMixUseFade=1\r\n");
    EXPECT_EQ(6, m_settings.GlideStep());
    EXPECT_EQ(30, m_settings.GlidePeriod());
    EXPECT_EQ(25, m_settings.FadeInPeriod());
    EXPECT_EQ(35, m_settings.FadeOutPeriod());
    AutoMixSettings s = m_settings.ReadAutoMix();
    EXPECT_FALSE(s.useTimer);
    EXPECT_EQ(6, s.xfaderSpeed);
    EXPECT_EQ(9, s.mixDelay);
    EXPECT_EQ(12, s.inputLevel);
    EXPECT_EQ(18, s.checkFrom);
    EXPECT_EQ(3, s.conseqHits);
    EXPECT_EQ(150, s.mainTimer);
    EXPECT_EQ(22, s.loadTime);
    EXPECT_TRUE(s.useFade);

    Write("[MIXER]\r\nXFaderSpeed=2\r\nUseTimer=1\r\n");
    EXPECT_EQ(2, m_settings.GlideStep());
    EXPECT_TRUE(m_settings.ReadAutoMix().useTimer);
    EXPECT_EQ(0, m_settings.ReadAutoMix().mixDelay);
}

TEST_F(IniMixSettingsTest, AGlideWithoutItsSettingsStillRunsToTheEnd)
{
    Write("[MAIN]\r\nLogging=0\r\n");
    FakeClock clock;
    RecordingView view;
    Mixer mixer(&clock, &view, &m_settings);
    mixer.OnFadeRight();
    ASSERT_TRUE(clock.Running(TimerGlide));
    EXPECT_EQ(10, clock.timers[TimerGlide].period);
    int ticks = 0;
    while (clock.Running(TimerGlide) && ticks < 1000) {
        mixer.OnTimer(TimerGlide);
        ++ticks;
    }
    EXPECT_EQ(101, ticks);   // 100 steps of one, then the end
    EXPECT_EQ(100, mixer.GetCrossfader());
}

TEST_F(IniMixSettingsTest, TheShippedSettings)
{
    SettingsFile shipped(CString((ImageDir() + "\\").c_str()));
    IniMixSettings settings(&shipped);
    EXPECT_GT(settings.GlideStep(), 0);
    EXPECT_GT(settings.GlidePeriod(), 0);
    EXPECT_GT(settings.FadeInPeriod(), 0);
    EXPECT_GT(settings.FadeOutPeriod(), 0);
    AutoMixSettings s = settings.ReadAutoMix();
    EXPECT_TRUE(s.useTimer);
    EXPECT_GT(s.mainTimer, 0);
    EXPECT_GE(s.loadTime, s.mixDelay);   // loaded no later than it is mixed
    EXPECT_GE(s.conseqHits, 1);
    EXPECT_LE(s.conseqHits, 3);          // level mode mixes only with 1 to 3
}

} // namespace
