// A CD drive that the tests play: it keeps a disc (track starts and
// lengths), the tray, the mode and the position, answers the command
// strings of the CD player's device and the command messages with which the
// CD database client reads the table of contents, and writes down every
// command string it was sent.
#pragma once

#include "audio/cd/CDDBClient.h"
#include "audio/cd/CDAudio.h"

#include <string>
#include <vector>

class PlayedDrive : public CDAudioDriver
{
public:
    struct Track
    {
        int start;    // seconds on the disc
        int length;   // seconds
    };

    PlayedDrive();
    ~PlayedDrive() override;

    // A disc of four tracks: 00:02 (3:00), 03:02 (4:10), 07:12 (2:00),
    // 09:12 (1:30).
    void InsertDisc();
    void InsertDisc(const std::vector<Track>& tracks);
    void RemoveDisc();

    // CDAudioDriver
    MCIERROR SendString(const char* command, char* answer, UINT answerSize, HWND notify) override;
    CString ErrorText(MCIERROR code) override;
    bool GetCDVolume(DWORD& value) override;
    bool SetCDVolume(DWORD value) override;
    bool GetCDVolumeRange(DWORD& minimum, DWORD& maximum) override;
    UINT MixerCount() override { return static_cast<UINT>(mixers.size()); }
    CString MixerName(UINT mixer) override { return mixers.at(mixer).c_str(); }

    // The client's command messages go to the drive made last.
    static MCIERROR WINAPI Command(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

    // The command strings sent since the last call, and forgotten.
    std::vector<std::string> TakeSent();

    std::vector<Track> tracks;
    bool present = false;
    std::string mode = "open";
    int current = 1;
    int position = 0;           // seconds on the disc
    bool opened = false;
    bool refuseToc = false;     // the command messages' open fails
    HWND notified = nullptr;
    DWORD volume = 20000;
    bool hasVolume = true;
    std::vector<std::string> mixers = {"Line Mixer", "CD Mixer"};

private:
    std::string Answer(const std::string& command, MCIERROR& error);
    std::vector<std::string> m_sent;
};
