#include "PlayedDrive.h"

#include <cstdio>
#include <cstring>

namespace {

PlayedDrive* g_drive = nullptr;

std::string Time(int seconds)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:00", seconds / 60, seconds % 60);
    return text;
}

bool StartsWith(const std::string& text, const char* head, std::string& rest)
{
    const size_t n = std::strlen(head);
    if (text.compare(0, n, head) != 0)
        return false;
    rest = text.substr(n);
    return true;
}

DWORD Msf(int frames)
{
    return MCI_MAKE_MSF(frames / 4500, frames / 75 % 60, frames % 75);
}

} // namespace

PlayedDrive::PlayedDrive() { g_drive = this; }

PlayedDrive::~PlayedDrive()
{
    if (g_drive == this)
        g_drive = nullptr;
}

void PlayedDrive::InsertDisc()
{
    InsertDisc({{2, 180}, {182, 250}, {432, 120}, {552, 90}});
}

void PlayedDrive::InsertDisc(const std::vector<Track>& disc)
{
    tracks = disc;
    present = true;
    mode = "stopped";
    current = 1;
    position = tracks.empty() ? 0 : tracks[0].start;
}

void PlayedDrive::RemoveDisc()
{
    tracks.clear();
    present = false;
    mode = "open";
}

std::vector<std::string> PlayedDrive::TakeSent()
{
    std::vector<std::string> sent;
    sent.swap(m_sent);
    return sent;
}

MCIERROR PlayedDrive::SendString(const char* command, char* answer, UINT answerSize, HWND notify)
{
    m_sent.push_back(command);
    if (notify)
        notified = notify;
    MCIERROR error = 0;
    const std::string text = Answer(command, error);
    if (answer && answerSize)
        lstrcpynA(answer, text.c_str(), static_cast<int>(answerSize));
    return error;
}

std::string PlayedDrive::Answer(const std::string& command, MCIERROR& error)
{
    std::string rest;
    const int count = static_cast<int>(tracks.size());
    if (command == "open cdaudio") {
        opened = true;
        return "";
    }
    if (command == "close cdaudio") {
        opened = false;
        return "";
    }
    if (command == "status cdaudio media present")
        return present ? "true" : "false";
    if (command == "status cdaudio mode wait")
        return mode;
    if (command == "Set CDAudio Door Open wait") {
        present = false;
        mode = "open";
        return "";
    }
    if (command == "Set CDAudio Door Closed wait") {
        mode = present ? "stopped" : "not ready";
        return "";
    }
    if (!present) {
        error = MCIERR_DEVICE_NOT_READY;
        return "";
    }
    if (command == "status cdaudio number of tracks")
        return std::to_string(count);
    if (command == "status cdaudio current track")
        return std::to_string(current);
    if (command == "status cdaudio position")
        return Time(position);
    if (command == "status cdaudio length")
        return count ? Time(tracks.back().start + tracks.back().length) : Time(0);
    if (StartsWith(command, "status cdaudio position track ", rest) ||
        StartsWith(command, "status cdaudio length track ", rest)) {
        const int track = std::atoi(rest.c_str());
        if (track < 1 || track > count) {
            error = MCIERR_OUTOFRANGE;
            return "";
        }
        const Track& t = tracks[static_cast<size_t>(track - 1)];
        return Time(command.find("position") != std::string::npos ? t.start : t.length);
    }
    int fromM, fromS, toM, toS;
    if (std::sscanf(command.c_str(), "play cdaudio from %d:%d:00 to %d:%d:00 notify", &fromM, &fromS, &toM, &toS) == 4) {
        position = fromM * 60 + fromS;
        for (int i = 0; i < count; ++i)
            if (position >= tracks[static_cast<size_t>(i)].start)
                current = i + 1;
        mode = "playing";
        return "";
    }
    if (command == "pause cdaudio") {
        mode = "paused";
        return "";
    }
    if (command == "resume cdaudio") {
        mode = "playing";
        return "";
    }
    if (command == "stop cdaudio") {
        mode = "stopped";
        return "";
    }
    if (command == "seek cdaudio to start") {
        current = 1;
        position = count ? tracks[0].start : 0;
        return "";
    }
    error = MCIERR_UNRECOGNIZED_COMMAND;
    return "";
}

CString PlayedDrive::ErrorText(MCIERROR) { return ""; }

bool PlayedDrive::GetCDVolume(DWORD& value)
{
    if (!hasVolume)
        return false;
    value = volume;
    return true;
}

bool PlayedDrive::SetCDVolume(DWORD value)
{
    if (!hasVolume)
        return false;
    volume = value;
    return true;
}

bool PlayedDrive::GetCDVolumeRange(DWORD& minimum, DWORD& maximum)
{
    if (!hasVolume)
        return false;
    minimum = 0;
    maximum = 65535;
    return true;
}

MCIERROR WINAPI PlayedDrive::Command(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params)
{
    PlayedDrive* d = g_drive;
    if (!d)
        return MCIERR_INVALID_DEVICE_NAME;
    const size_t count = d->tracks.size();
    switch (message) {
    case MCI_OPEN:
        if (d->refuseToc || !d->present)
            return MCIERR_DEVICE_NOT_READY;
        reinterpret_cast<MCI_OPEN_PARMSA*>(params)->wDeviceID = 9;
        return 0;
    case MCI_CLOSE:
        return device == 9 ? 0 : MCIERR_INVALID_DEVICE_ID;
    case MCI_SET:
        return 0;
    case MCI_STATUS: {
        auto* status = reinterpret_cast<MCI_STATUS_PARMS*>(params);
        const size_t track = status->dwTrack;
        const bool known = (flags & MCI_TRACK) && track >= 1 && track <= count;
        switch (status->dwItem) {
        case MCI_STATUS_NUMBER_OF_TRACKS:
            status->dwReturn = count;
            return 0;
        case MCI_CDA_STATUS_TYPE_TRACK:
            if (!known)
                return MCIERR_OUTOFRANGE;
            status->dwReturn = MCI_CDA_TRACK_AUDIO;
            return 0;
        case MCI_STATUS_POSITION:
            if (!known)
                return MCIERR_OUTOFRANGE;
            status->dwReturn = Msf(d->tracks[track - 1].start * 75);
            return 0;
        case MCI_STATUS_LENGTH:
            if (!known)
                return MCIERR_OUTOFRANGE;
            status->dwReturn = Msf(d->tracks[track - 1].length * 75);
            return 0;
        }
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    }
    return MCIERR_UNRECOGNIZED_COMMAND;
}
