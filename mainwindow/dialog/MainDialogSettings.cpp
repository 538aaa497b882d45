// The main window and "TavrixVJ.INI": the accessors every window uses, the
// one load of the settings and their write-back at exit.
#include "mainwindow/dialog/MainDialog.h"

#include "foundation/app/ProgramFolder.h"

#include "mainwindow/dialog/StartupSeams.h"

namespace {

// A folder given without a drive or a leading backslash lies in the
// program folder (the shipped settings name "Skins" so).
bool IsRelative(const CString& path)
{
    if (path.IsEmpty())
        return false;
    if (path.GetLength() >= 2 && path[1] == ':')
        return false;
    return path[0] != '\\' && path[0] != '/';
}

} // namespace

CString MainDialog::GetIniString(CString section, CString key) const
{
    return m_ini.GetString(section, key);
}

int MainDialog::GetIniInt(CString section, CString key) const
{
    return m_ini.GetInt(section, key);
}

bool MainDialog::GetIniBool(CString section, CString key) const
{
    return m_ini.GetBool(section, key);
}

BOOL MainDialog::WriteIniString(CString section, CString key, CString value)
{
    return m_ini.WriteString(section, key, value);
}

BOOL MainDialog::WriteIniInt(CString section, CString key, int value)
{
    return m_ini.WriteInt(section, key, value);
}

void MainDialog::LoadSettings()
{
    m_strProgramFolder = ::GetProgramFolder();
    m_ini.SetFolder(m_strProgramFolder);
    m_settings.Load(m_ini);
    if (IsRelative(m_settings.SkinFolder)) {
        m_settings.SkinFolder = m_strProgramFolder + m_settings.SkinFolder;
        m_settings.skinFilePath = m_settings.SkinFolder + "\\" + m_settings.SkinXML;
        m_settings.skinBitmapFolder = m_settings.SkinFolder + "\\" + m_settings.SkinBMPPath;
    }
}

void MainDialog::SaveSettings()
{
    // The decks' values as they are now (without decks: those read at
    // start).
    bool deckExists[4] = {true, true, false, false};
    Parts().StoreDeckSettings(m_settings, deckExists);
    // 1. Gains and EQ, when they are kept.
    if (m_settings.SaveEQGain) {
        for (int d = 0; d < 4; ++d) {
            const DeckSettings& deck = m_settings.decks[d];
            const char* section = MainSettings::kDeckSections[d];
            WriteIniInt(section, "Gain", deck.Gain);
            WriteIniInt(section, "EQLow", deck.liveLow);
            WriteIniInt(section, "EQMid", deck.liveMid);
            WriteIniInt(section, "EQHi", deck.liveHigh);
            WriteIniInt(section, "MonGain", deck.MonGain);
        }
    }
    // 2. EQ on or off: decks A and B always; C and D when the skin has them.
    for (int d = 0; d < 4; ++d)
        if (d < 2 || deckExists[d])
            WriteIniString(MainSettings::kDeckSections[d], "EQOn", m_settings.decks[d].EQOn ? "1" : "0");
    // 3. and 4. The track list's columns, the floating list's place and the
    // text output's settings belong to windows not built yet.
    Parts().SaveTracklistOrder();
    RunStartupSeam(*this, StartupSeam::TrackListColumns);
    RunStartupSeam(*this, StartupSeam::PopupWindowPos);
    RunStartupSeam(*this, StartupSeam::TextOutputSettings);
}
