// The settings file: defaults, value encodings, structures with their
// checksum, failed writes, and the INI file the program ships.
#include "mainwindow/settings/MainSettings.h"
#include "mainwindow/settings/SettingsFile.h"

#include "tests/support/TestSupport.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

class Settings : public ::testing::Test
{
protected:
    TempDir m_dir;
    SettingsFile m_file{CString((m_dir.Path() + "\\").c_str())};

    void Write(const std::string& text) { ASSERT_TRUE(WriteIniFile(m_dir.File("TavrixVJ.INI"), text)); }
};

TEST_F(Settings, WithoutAFileEverythingIsOffAndEmpty)
{
    MainSettings s;
    s.Load(m_file);
    EXPECT_STREQ("", s.Library);
    EXPECT_STREQ("", s.SkinFolder);
    EXPECT_STREQ("\\", s.skinFilePath);
    EXPECT_FALSE(s.AskShutdown);
    EXPECT_FALSE(s.Logging);
    EXPECT_FALSE(s.SaveEQGain);
    EXPECT_EQ(0, s.FadeinSpeed);
    EXPECT_EQ(0, s.CommPort);
    EXPECT_EQ(1, s.ListsUseQuickSort);
    for (const DeckSettings& d : s.decks) {
        EXPECT_FALSE(d.EQOn);
        EXPECT_EQ(0, d.Gain);
        EXPECT_STREQ("", d.Preset[0]);
    }
    StartupSettings start;
    start.Load(m_file);
    EXPECT_EQ(1, start.NewInstall);
    EXPECT_EQ(1, start.HideWindowsStuff);
    EXPECT_EQ(1, start.ShowSkinOnStart);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_dir.File("TavrixVJ.INI").c_str()));
}

TEST_F(Settings, ValuesAndTheirEncodings)
{
    const struct { const char* text; int asInt; bool asFlag; } cases[] = {
        {"1", 1, true}, {"2", 2, true}, {"-1", -1, true}, {"0", 0, false}, {"abc", 0, false},
        {"", 0, false}, {"12x", 12, true},
    };
    for (const auto& c : cases) {
        Write(std::string("[MAIN]\r\nAskShutdown=") + c.text + "\r\nFadeinSpeed=" + c.text + "\r\n");
        MainSettings s;
        s.Load(m_file);
        EXPECT_EQ(c.asFlag, s.AskShutdown) << c.text;
        EXPECT_EQ(c.asInt, s.FadeinSpeed) << c.text;
        EXPECT_EQ(c.asFlag, m_file.GetBool("main", "askshutdown")) << c.text;   // names ignore case
    }
}

TEST_F(Settings, DerivedValuesDecksAndPresets)
{
    Write("[MAIN]\r\nSkinFolder=C:\\Skins\r\nSkinXML=Night.xml\r\nSkinBMPPath=Night\r\nTextOutDSI=2\r\n"
          "MIDIOutDevice=258\r\nListsUseQuickSort=0\r\n"
          "[DECKB]\r\nEQOn=1\r\nGain=40\r\nEQLow=10\r\nEQMid=20\r\nEQHi=30\r\nPreset3=club\r\n"
          "[DECKD]\r\nMonGain=77\r\n[MIXER]\r\nXFaderSpeed=4\r\n[VIDEOJUKEBOX]\r\nEnable=1\r\n");
    MainSettings s;
    s.Load(m_file);
    EXPECT_STREQ("C:\\Skins\\Night.xml", s.skinFilePath);
    EXPECT_STREQ("C:\\Skins\\Night", s.skinBitmapFolder);
    EXPECT_TRUE(s.textOutFollowsDecks);
    EXPECT_EQ(2, s.MIDIOutDevice);   // kept in 8 bits
    EXPECT_EQ(0, s.ListsUseQuickSort);
    EXPECT_TRUE(s.decks[1].EQOn);
    EXPECT_EQ(40, s.decks[1].Gain);
    EXPECT_EQ(10, s.decks[1].liveLow);
    EXPECT_EQ(20, s.decks[1].liveMid);
    EXPECT_EQ(30, s.decks[1].liveHigh);
    EXPECT_STREQ("club", s.decks[1].Preset[2]);
    EXPECT_EQ(77, s.decks[3].MonGain);
    EXPECT_EQ(4, s.xfaderSpeed);
    EXPECT_TRUE(s.videoJukeboxEnable);
    Write("[MAIN]\r\nTextOutDSI=1\r\n");
    s.Load(m_file);
    EXPECT_FALSE(s.textOutFollowsDecks);
}

TEST_F(Settings, StructuresAreHexBytesWithAChecksum)
{
    int32_t widths[11];
    for (int i = 0; i < 11; ++i)
        widths[i] = (i + 1) * 0x01020304;
    ASSERT_TRUE(m_file.WriteStruct("MAIN", "TracklistColumnSizes", widths, sizeof widths));

    // On disk: 44 bytes as two hexadecimal digits each, then their sum.
    char raw[256] = {};
    GetPrivateProfileStringA("MAIN", "TracklistColumnSizes", "", raw, sizeof raw, m_file.GetPath());
    std::string expected;
    unsigned sum = 0;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(widths);
    char hex[3];
    for (size_t i = 0; i < sizeof widths; ++i) {
        sprintf(hex, "%02X", bytes[i]);
        expected += hex;
        sum += bytes[i];
    }
    sprintf(hex, "%02X", sum & 0xFF);
    expected += hex;
    EXPECT_EQ(expected, raw);

    int32_t back[11] = {};
    ASSERT_TRUE(m_file.GetStruct("MAIN", "TracklistColumnSizes", back, sizeof back));
    EXPECT_EQ(0, memcmp(widths, back, sizeof back));

    // A wrong checksum or length is refused and the caller's default stays.
    const std::string damaged[] = {expected.substr(0, expected.size() - 2) + "00", expected.substr(2)};
    for (const std::string& text : damaged) {
        WritePrivateProfileStringA("MAIN", "TracklistColumnSizes", text.c_str(), m_file.GetPath());
        int32_t kept[11] = {7};
        EXPECT_FALSE(m_file.GetStruct("MAIN", "TracklistColumnSizes", kept, sizeof kept));
        EXPECT_EQ(7, kept[0]);
    }
    int32_t pos[2] = {-5, 300};
    ASSERT_TRUE(m_file.WriteStruct("MAIN", "PopupWindowPos", pos, sizeof pos));
    int32_t pos11[11] = {};
    EXPECT_FALSE(m_file.GetStruct("MAIN", "PopupWindowPos", pos11, sizeof pos11));
}

std::vector<std::string> g_logged;
void Record(const CString& text) { g_logged.push_back(text.GetString()); }

TEST_F(Settings, AFailedWriteIsLoggedOnceAndTheProgramGoesOn)
{
    // A folder that does not exist cannot take the file (the tests run as
    // the superuser, whom a read-only attribute does not stop under Wine).
    const std::string folder = m_dir.File("gone");
    SettingsFile file(CString((folder + "\\").c_str()));
    g_logged.clear();
    file.SetLogWriter(Record);
    EXPECT_FALSE(file.WriteInt("MAIN", "FadeinSpeed", 5));
    EXPECT_FALSE(file.WriteString("MAIN", "Library", "x.txd"));
    int32_t v[2] = {1, 2};
    EXPECT_FALSE(file.WriteStruct("MAIN", "PopupWindowPos", v, sizeof v));
    EXPECT_TRUE(file.HasWriteFailed());
    ASSERT_EQ(1u, g_logged.size());
    EXPECT_NE(std::string::npos, g_logged[0].find("FadeinSpeed")) << g_logged[0];
    EXPECT_EQ(0, file.GetInt("MAIN", "FadeinSpeed"));
    // Writable again: writes work and nothing more is logged.
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_TRUE(file.WriteInt("MAIN", "FadeinSpeed", 5));
    EXPECT_EQ(5, file.GetInt("MAIN", "FadeinSpeed"));
    EXPECT_EQ(1u, g_logged.size());
}

TEST(ShippedSettings, MakeTheFirstRunWork)
{
    SettingsFile file(CString((ImageDir() + "\\").c_str()));
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(file.GetPath())) << file.GetPath().GetString();
    MainSettings s;
    s.Load(file);
    EXPECT_STREQ("Skins", s.SkinFolder);
    EXPECT_STREQ("Default.xml", s.SkinXML);
    EXPECT_STREQ("Default", s.SkinBMPPath);
    for (int value : {s.FadeinSpeed, s.FadeoutSpeed, s.TimeGran, s.FeedbackRate, s.AutoRepeatSpeed,
                      s.xfaderSpeed, s.autoFadeTimer, s.RandomLoadTime, s.PitchBendAmount})
        EXPECT_GT(value, 0);
    StartupSettings start;
    start.Load(file);
    EXPECT_EQ(0, start.HideWindowsStuff);   // the user's shell stays as it is
    EXPECT_EQ(0, start.ShowSkinOnStart);
    for (const char* key : {"LIBTREE_MYLIBRARY", "LIBTREE_MOSTPLAYED", "LIBTREE_RECENTLYADDED", "LIBTREE_ALBUMS",
                            "LIBTREE_ARTISTS", "LIBTREE_BPMS", "LIBTREE_GENRES", "LIBTREE_YEARS",
                            "LIBTREE_PLAYLISTS", "LIBTREE_HISTORY"})
        EXPECT_FALSE(file.GetString("CUSTOMSTRINGS", key).IsEmpty()) << key;
    for (const char* key : {"MSG_BADLINK", "MSG_AUTOQEMPTY", "MSG_NOTINLIB", "MSG_BADTRACK", "MSG_MIDIERROR"})
        EXPECT_FALSE(file.GetString("MSGTEXT", key).IsEmpty()) << key;

    // Every menu item name has its caption.
    char names[8192] = {};
    const DWORD length = GetPrivateProfileSectionA("MENUTEXT", names, sizeof names, file.GetPath());
    int count = 0;
    for (const char* p = names; p < names + length && *p; p += strlen(p) + 1) {
        const char* eq = strchr(p, '=');
        ASSERT_NE(nullptr, eq) << p;
        EXPECT_NE('\0', eq[1]) << p;
        ++count;
    }
    EXPECT_EQ(78, count);
}

} // namespace
