// The CD drive as an audio player, through a drive that the test plays:
// the command strings each operation sends and what it makes of the answers.
#include "audio/cd/CDAudio.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// A drive that answers command strings from a table; a command missing from
// it fails with MCIERR_UNRECOGNIZED_COMMAND.
class FakeDrive : public CDAudioDriver
{
public:
    struct Answer
    {
        MCIERROR error;
        std::string text;
    };

    MCIERROR SendString(const char* command, char* answer, UINT answerSize, HWND notify) override
    {
        sent.push_back(command);
        notified = notify;
        auto it = answers.find(command);
        if (it == answers.end())
            return MCIERR_UNRECOGNIZED_COMMAND;
        if (answer && answerSize)
            lstrcpynA(answer, it->second.text.c_str(), static_cast<int>(answerSize));
        if (it->second.error == 0 && std::string(command) == "seek cdaudio to start")
            answers["status cdaudio current track"] = {0, "1"};
        return it->second.error;
    }
    CString ErrorText(MCIERROR code) override { return code == MCIERR_HARDWARE ? "the drive broke" : ""; }

    bool GetCDVolume(DWORD& value) override
    {
        if (!hasVolume)
            return false;
        value = volume;
        return true;
    }
    bool SetCDVolume(DWORD value) override
    {
        if (!hasVolume)
            return false;
        volume = value;
        return true;
    }
    bool GetCDVolumeRange(DWORD& minimum, DWORD& maximum) override
    {
        if (!hasVolume)
            return false;
        minimum = 0;
        maximum = 65535;
        return true;
    }
    UINT MixerCount() override { return static_cast<UINT>(mixers.size()); }
    CString MixerName(UINT mixer) override { return mixers.at(mixer).c_str(); }

    // A disc of four tracks: 00:02 (3:00), 03:02 (4:10), 07:12 (0:00), 07:12.
    void InsertDisc(const char* mode = "stopped")
    {
        answers["status cdaudio media present"] = {0, "true"};
        answers["status cdaudio mode wait"] = {0, mode};
        answers["status cdaudio number of tracks"] = {0, "4"};
        answers["status cdaudio current track"] = {0, "3"};
        answers["status cdaudio length"] = {0, "11:40:12"};
        answers["status cdaudio position"] = {0, "05:07:44"};
        answers["status cdaudio position track 1"] = {0, "00:02:00"};
        answers["status cdaudio length track 1"] = {0, "03:00:10"};
        answers["status cdaudio position track 2"] = {0, "03:02:10"};
        answers["status cdaudio length track 2"] = {0, "04:10:00"};
        answers["status cdaudio position track 3"] = {0, "07:12:10"};
        answers["status cdaudio length track 3"] = {0, "00:00:40"};
        answers["play cdaudio from 00:03:00 to 03:02:00 notify"] = {0, ""};
        answers["play cdaudio from 03:02:00 to 07:12:00 notify"] = {0, ""};
        answers["stop cdaudio"] = {0, ""};
        answers["seek cdaudio to start"] = {0, ""};
        answers["close cdaudio"] = {0, ""};
        answers["open cdaudio"] = {0, ""};
        answers["Set CDAudio Door Open wait"] = {0, ""};
    }
    void EmptyDrive()
    {
        answers.clear();
        answers["status cdaudio media present"] = {0, "false"};
        answers["status cdaudio mode wait"] = {0, "open"};
        answers["Set CDAudio Door Closed wait"] = {0, ""};
    }

    std::map<std::string, Answer> answers;
    std::vector<std::string> sent;
    HWND notified = nullptr;
    bool hasVolume = true;
    DWORD volume = 1234;
    std::vector<std::string> mixers;
};

class Owner : public CDAudioOwner
{
public:
    HWND CDPlayerWindow() override { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242)); }
};

typedef std::vector<std::string> Commands;

} // namespace

TEST(CDAudio, TracksAndPlay)
{
    struct Case
    {
        const char* name;
        bool disc;
        int track;
        int result;
        Commands commands;
    };
    const Case cases[] = {
        {"track 1 starts a second late", true, 1, 0,
         {"status cdaudio position track 1", "status cdaudio media present", "status cdaudio length track 1",
          "play cdaudio from 00:03:00 to 03:02:00 notify"}},
        {"track 2 from its start to its end", true, 2, 0,
         {"status cdaudio position track 2", "status cdaudio media present", "status cdaudio length track 2",
          "play cdaudio from 03:02:00 to 07:12:00 notify"}},
        {"a track of no length", true, 3, -1,
         {"status cdaudio position track 3", "status cdaudio media present", "status cdaudio length track 3"}},
        {"a track the disc lacks", true, 7, -1,
         {"status cdaudio position track 7", "status cdaudio media present", "status cdaudio length track 7"}},
        {"no disc", false, 1, -1, {"status cdaudio position track 1", "status cdaudio media present"}},
    };
    for (const Case& c : cases) {
        FakeDrive drive;
        Owner owner;
        if (c.disc)
            drive.InsertDisc();
        else
            drive.EmptyDrive();
        CCDAudio cd(&owner, &drive);
        EXPECT_EQ(c.result, cd.PlayTrack(c.track)) << c.name;
        EXPECT_EQ(c.commands, drive.sent) << c.name;
        if (c.result == 0) {
            EXPECT_EQ(owner.CDPlayerWindow(), drive.notified) << c.name;
        }
        drive.answers.clear();  // the destructor's Close finds no device
    }
}

TEST(CDAudio, Queries)
{
    FakeDrive drive;
    drive.InsertDisc("playing");
    CCDAudio cd(nullptr, &drive);
    EXPECT_EQ(4, cd.GetTrackCount());
    EXPECT_EQ(3, cd.GetCurrentTrack());
    EXPECT_EQ(11 * 60 + 40, cd.GetDiscLength());
    EXPECT_EQ(3 * 60 + 2, cd.GetTrackStart(2));
    EXPECT_EQ(4 * 60 + 10, cd.GetTrackLength(2));
    EXPECT_EQ(5 * 60 + 7, cd.GetPosition());
    EXPECT_TRUE(cd.IsMediaPresent());
    EXPECT_TRUE(cd.IsPlaying());
    EXPECT_FALSE(cd.IsPaused());
    EXPECT_EQ(0, cd.GetTrackStart(9)) << "a failed query";
    EXPECT_EQ(static_cast<int>(MCIERR_UNRECOGNIZED_COMMAND), cd.LastMciError());

    // Without a disc, length and position are not asked for.
    drive.EmptyDrive();
    drive.sent.clear();
    EXPECT_EQ(0, cd.GetTrackLength(2));
    EXPECT_EQ(0, cd.GetPosition());
    EXPECT_EQ(Commands({"status cdaudio media present", "status cdaudio media present"}), drive.sent);
    drive.answers.clear();
}

TEST(CDAudio, Modes)
{
    struct Case
    {
        const char* mode;  // null: the query fails
        int code;
        bool ready, paused, playing;
    };
    const Case cases[] = {
        {"playing", CDAUDIO_PLAYING, true, false, true},  {"paused", CDAUDIO_PAUSED, true, true, false},
        {"stopped", CDAUDIO_STOPPED, true, false, false}, {"seeking", CDAUDIO_OTHER_MODE, true, false, false},
        {"not ready", CDAUDIO_OTHER_MODE, false, false, false}, {nullptr, 0, false, false, false},
    };
    for (const Case& c : cases) {
        FakeDrive drive;
        if (c.mode)
            drive.answers["status cdaudio mode wait"] = {0, c.mode};
        CCDAudio cd(nullptr, &drive);
        const char* name = c.mode ? c.mode : "failing";
        EXPECT_EQ(c.code, cd.GetMode()) << name;
        EXPECT_EQ(c.ready, cd.IsReady()) << name;
        EXPECT_EQ(c.paused, cd.IsPaused()) << name;
        EXPECT_EQ(c.playing, cd.IsPlaying()) << name;
        drive.answers.clear();
    }
}

TEST(CDAudio, CloseStopAndDoor)
{
    struct Case
    {
        const char* name;
        const char* setup;  // "disc MODE", "empty", "nothing"
        int (CCDAudio::*operation)();
        Commands commands;
    };
    const Case cases[] = {
        {"close a playing disc", "playing", &CCDAudio::Close,
         {"status cdaudio mode wait", "status cdaudio mode wait", "status cdaudio mode wait", "stop cdaudio",
          "close cdaudio"}},
        {"close a paused disc", "paused", &CCDAudio::Close,
         {"status cdaudio mode wait", "status cdaudio mode wait", "stop cdaudio", "close cdaudio"}},
        {"close a stopped disc", "stopped", &CCDAudio::Close,
         {"status cdaudio mode wait", "status cdaudio mode wait", "status cdaudio mode wait", "close cdaudio"}},
        {"close a drive not ready", "not ready", &CCDAudio::Close, {"status cdaudio mode wait"}},
        {"close a device never opened", nullptr, &CCDAudio::Close, {"status cdaudio mode wait"}},
        {"stop", "playing", &CCDAudio::Stop, {"stop cdaudio", "seek cdaudio to start"}},
        {"stop that fails", nullptr, &CCDAudio::Stop, {"stop cdaudio"}},
        {"door with a disc", "stopped", &CCDAudio::ToggleDoor,
         {"status cdaudio media present", "Set CDAudio Door Open wait"}},
        {"door without a disc", "", &CCDAudio::ToggleDoor,
         {"status cdaudio media present", "Set CDAudio Door Closed wait"}},
        {"open", "stopped", &CCDAudio::Open, {"open cdaudio"}},
    };
    for (const Case& c : cases) {
        FakeDrive drive;
        if (c.setup && *c.setup)
            drive.InsertDisc(c.setup);
        else if (c.setup)
            drive.EmptyDrive();
        CCDAudio cd(nullptr, &drive);
        const int result = (cd.*c.operation)();
        EXPECT_EQ(c.commands, drive.sent) << c.name;
        EXPECT_EQ(cd.LastMciError(), result) << c.name;
        drive.answers.clear();
    }
}

TEST(CDAudio, StopReturnsToTheFirstTrack)
{
    FakeDrive drive;
    drive.InsertDisc("playing");
    CCDAudio cd(nullptr, &drive);
    EXPECT_EQ(3, cd.GetCurrentTrack());
    EXPECT_EQ(0, cd.Stop());
    EXPECT_EQ(1, cd.GetCurrentTrack());
    drive.answers.clear();
}

TEST(CDAudio, FailuresKeepTheirCodeAndText)
{
    FakeDrive drive;
    drive.answers["pause cdaudio"] = {MCIERR_HARDWARE, ""};
    CCDAudio cd(nullptr, &drive);
    EXPECT_EQ(static_cast<int>(MCIERR_HARDWARE), cd.Pause());
    EXPECT_STREQ("the drive broke", cd.LastErrorText().GetString());
    EXPECT_EQ(static_cast<int>(MCIERR_UNRECOGNIZED_COMMAND), cd.Resume());
    EXPECT_STREQ("Unknown error", cd.LastErrorText().GetString());
    EXPECT_EQ(0, cd.GetTrackCount());
}

TEST(CDAudio, TimeTexts)
{
    const std::pair<const char*, int> cases[] = {
        {"00:02:00", 2}, {"03:02:74", 182}, {"79:59:74", 4799}, {"7:2", 0}, {"", 0}, {"ab:cd:ef", 0}, {nullptr, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, CCDAudio::SecondsOf(c.first)) << (c.first ? c.first : "null");
}

TEST(CDAudio, Volume)
{
    FakeDrive drive;
    CCDAudio cd(nullptr, &drive);
    EXPECT_EQ(1234u, cd.GetCDVolume());
    cd.SetCDVolume(40000);
    EXPECT_EQ(40000u, drive.volume);
    DWORD low = 7, high = 8;
    cd.GetCDVolumeRange(low, high);
    EXPECT_EQ(0u, low);
    EXPECT_EQ(65535u, high);

    // No compact-disc line: nothing changes, the range stays untouched.
    drive.hasVolume = false;
    low = 7;
    high = 8;
    cd.GetCDVolumeRange(low, high);
    EXPECT_EQ(7u, low);
    EXPECT_EQ(8u, high);
    EXPECT_EQ(0u, cd.GetCDVolume());
    cd.SetCDVolume(5);
    EXPECT_EQ(40000u, drive.volume);
}

TEST(CDAudio, MixerList)
{
    FakeDrive drive;
    drive.mixers = {"Line Mixer", "USB Mixer"};
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, combo);
    CCDAudio cd(nullptr, &drive);
    EXPECT_EQ(2, cd.FillMixerList(combo));
    ASSERT_EQ(2, SendMessageA(combo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    for (int i = 0; i < 2; ++i) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        const LRESULT id = SendMessageA(combo, CB_GETITEMDATA, i, 0);
        ASSERT_TRUE(id == 0 || id == 1);
        EXPECT_EQ(drive.mixers[static_cast<size_t>(id)], text);
    }
    DestroyWindow(combo);
}
