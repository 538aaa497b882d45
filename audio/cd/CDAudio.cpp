#include "audio/cd/CDAudio.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

CDAudioDriver::~CDAudioDriver() = default;

MMRESULT CDAudioDriver::GetCDVolumeMetrics(DWORD& minimum, DWORD& maximum, DWORD& steps)
{
    if (!GetCDVolumeRange(minimum, maximum))
        return MIXERR_INVALCONTROL;
    steps = 0;
    return MMSYSERR_NOERROR;
}

namespace {

// The compact-disc line's volume control on mixer 0, found afresh for each
// call as the mixer may change between them.
class MixerVolume
{
public:
    MixerVolume()
    {
        m_result = mixerOpen(&m_mixer, 0, 0, 0, MIXER_OBJECTF_MIXER);
        if (m_result != MMSYSERR_NOERROR) {
            m_mixer = nullptr;
            return;
        }
        MIXERLINEA line = {};
        line.cbStruct = sizeof line;
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC;
        m_result = mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(m_mixer), &line,
                                     MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE);
        if (m_result != MMSYSERR_NOERROR)
            return;
        MIXERLINECONTROLSA controls = {};
        controls.cbStruct = sizeof controls;
        controls.dwLineID = line.dwLineID;
        controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof m_control;
        controls.pamxctrl = &m_control;
        m_control.cbStruct = sizeof m_control;
        m_result = mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(m_mixer), &controls,
                                         MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE);
        m_found = m_result == MMSYSERR_NOERROR;
    }
    ~MixerVolume()
    {
        if (m_mixer)
            mixerClose(m_mixer);
    }

    bool Found() const { return m_found; }
    MMRESULT Result() const { return m_result; }
    const MIXERCONTROLA& Control() const { return m_control; }

    bool Details(DWORD& value, bool set)
    {
        if (!m_found)
            return false;
        MIXERCONTROLDETAILS_UNSIGNED unsignedValue = {value};
        MIXERCONTROLDETAILS details = {};
        details.cbStruct = sizeof details;
        details.dwControlID = m_control.dwControlID;
        details.cChannels = 1;
        details.cbDetails = sizeof unsignedValue;
        details.paDetails = &unsignedValue;
        const HMIXEROBJ object = reinterpret_cast<HMIXEROBJ>(m_mixer);
        const MMRESULT result =
            set ? mixerSetControlDetails(object, &details, MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE)
                : mixerGetControlDetailsA(object, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE);
        if (result != MMSYSERR_NOERROR)
            return false;
        value = unsignedValue.dwValue;
        return true;
    }

private:
    HMIXER m_mixer = nullptr;
    MMRESULT m_result = MMSYSERR_NOERROR;
    MIXERCONTROLA m_control = {};
    bool m_found = false;
};

class SystemDriver : public CDAudioDriver
{
public:
    MCIERROR SendString(const char* command, char* answer, UINT answerSize, HWND notify) override
    {
        return mciSendStringA(command, answer, answerSize, notify);
    }
    CString ErrorText(MCIERROR code) override
    {
        char text[256] = {};
        return mciGetErrorStringA(code, text, sizeof text) ? CString(text) : CString();
    }
    bool GetCDVolume(DWORD& value) override { return MixerVolume().Details(value, false); }
    bool SetCDVolume(DWORD value) override { return MixerVolume().Details(value, true); }
    bool GetCDVolumeRange(DWORD& minimum, DWORD& maximum) override
    {
        MixerVolume volume;
        if (!volume.Found())
            return false;
        minimum = volume.Control().Bounds.dwMinimum;
        maximum = volume.Control().Bounds.dwMaximum;
        return true;
    }
    MMRESULT GetCDVolumeMetrics(DWORD& minimum, DWORD& maximum, DWORD& steps) override
    {
        MixerVolume volume;
        if (!volume.Found())
            return volume.Result();
        minimum = volume.Control().Bounds.dwMinimum;
        maximum = volume.Control().Bounds.dwMaximum;
        steps = volume.Control().Metrics.cSteps;
        return MMSYSERR_NOERROR;
    }
    UINT MixerCount() override { return mixerGetNumDevs(); }
    CString MixerName(UINT mixer) override
    {
        MIXERCAPSA caps = {};
        if (mixerGetDevCapsA(mixer, &caps, sizeof caps) != MMSYSERR_NOERROR)
            return CString();
        CString name;
        name.Format("%s", caps.szPname);
        return name;
    }
};

} // namespace

CDAudioDriver& CDAudioDriver::System()
{
    static SystemDriver driver;
    return driver;
}

CCDAudio::CCDAudio(CDAudioOwner* owner, CDAudioDriver* driver)
    : m_owner(owner)
    , m_driver(driver ? driver : &CDAudioDriver::System())
{
}

CCDAudio::~CCDAudio()
{
    Close();
}

MCIERROR CCDAudio::Send(const char* command, char* answer, UINT answerSize, HWND notify)
{
    if (answer && answerSize)
        answer[0] = '\0';
    const MCIERROR result = m_driver->SendString(command, answer, answerSize, notify);
    m_lastMciError = static_cast<int>(result);
    if (result != 0) {
        m_lastErrorText = m_driver->ErrorText(result);
        if (m_lastErrorText.IsEmpty())
            m_lastErrorText = "Unknown error";
    }
    if (answer && answerSize)
        answer[answerSize - 1] = '\0';
    return result;
}

int CCDAudio::SecondsOf(const char* time)
{
    // "mm:ss:ff": characters 1-2 are the minutes, 4-5 the seconds.
    if (!time || std::strlen(time) < 5)
        return 0;
    for (int i : {0, 1, 3, 4})
        if (time[i] < '0' || time[i] > '9')
            return 0;
    return ((time[0] - '0') * 10 + (time[1] - '0')) * 60 + (time[3] - '0') * 10 + (time[4] - '0');
}

bool CCDAudio::QueryMode(CString& mode)
{
    char answer[64];
    if (Send("status cdaudio mode wait", answer, sizeof answer) != 0)
        return false;
    mode = answer;
    return true;
}

int CCDAudio::QueryNumber(const char* command)
{
    char answer[64];
    if (Send(command, answer, sizeof answer) != 0)
        return 0;
    return std::atoi(answer);
}

int CCDAudio::QueryTime(const char* command)
{
    char answer[64];
    if (Send(command, answer, sizeof answer) != 0)
        return 0;
    return SecondsOf(answer);
}

int CCDAudio::Open()
{
    return static_cast<int>(Send("open cdaudio"));
}

int CCDAudio::Close()
{
    if (!IsReady())
        return m_lastMciError;
    if (IsPaused() || IsPlaying())
        Send("stop cdaudio");
    Send("close cdaudio");
    return m_lastMciError;
}

bool CCDAudio::IsMediaPresent()
{
    char answer[16];
    return Send("status cdaudio media present", answer, sizeof answer) == 0 && std::strcmp(answer, "true") == 0;
}

bool CCDAudio::IsReady()
{
    CString mode;
    return QueryMode(mode) && mode != "not ready";
}

bool CCDAudio::IsPaused()
{
    CString mode;
    return QueryMode(mode) && mode == "paused";
}

bool CCDAudio::IsPlaying()
{
    CString mode;
    return QueryMode(mode) && mode == "playing";
}

int CCDAudio::GetMode()
{
    CString mode;
    if (!QueryMode(mode))
        return 0;
    if (mode == "playing")
        return CDAUDIO_PLAYING;
    if (mode == "paused")
        return CDAUDIO_PAUSED;
    if (mode == "stopped")
        return CDAUDIO_STOPPED;
    return CDAUDIO_OTHER_MODE;
}

int CCDAudio::GetTrackCount()
{
    return QueryNumber("status cdaudio number of tracks");
}

int CCDAudio::GetCurrentTrack()
{
    return QueryNumber("status cdaudio current track");
}

int CCDAudio::GetDiscLength()
{
    return QueryTime("status cdaudio length");
}

int CCDAudio::GetTrackStart(int track)
{
    char command[64];
    std::snprintf(command, sizeof command, "status cdaudio position track %d", track);
    return QueryTime(command);
}

int CCDAudio::GetTrackLength(int track)
{
    if (!IsMediaPresent())
        return 0;
    char command[64];
    std::snprintf(command, sizeof command, "status cdaudio length track %d", track);
    return QueryTime(command);
}

int CCDAudio::GetPosition()
{
    if (!IsMediaPresent())
        return 0;
    return QueryTime("status cdaudio position");
}

int CCDAudio::PlayTrack(int track)
{
    int start = GetTrackStart(track);
    const int end = start + GetTrackLength(track);
    if (end <= start)
        return -1;
    if (track == 1)
        ++start;
    char command[96];
    std::snprintf(command, sizeof command, "play cdaudio from %02d:%02d:00 to %02d:%02d:00 notify", start / 60,
                  start % 60, end / 60, end % 60);
    return static_cast<int>(Send(command, nullptr, 0, m_owner ? m_owner->CDPlayerWindow() : nullptr));
}

int CCDAudio::Pause()
{
    return static_cast<int>(Send("pause cdaudio"));
}

int CCDAudio::Resume()
{
    return static_cast<int>(Send("resume cdaudio"));
}

int CCDAudio::Stop()
{
    if (Send("stop cdaudio") != 0)
        return m_lastMciError;
    return static_cast<int>(Send("seek cdaudio to start"));
}

int CCDAudio::ToggleDoor()
{
    const char* command = IsMediaPresent() ? "Set CDAudio Door Open wait" : "Set CDAudio Door Closed wait";
    return static_cast<int>(Send(command));
}

DWORD CCDAudio::GetCDVolume()
{
    DWORD value = 0;
    if (!m_driver->GetCDVolume(value))
        return 0;
    return value;
}

void CCDAudio::SetCDVolume(DWORD value)
{
    m_driver->SetCDVolume(value);
}

void CCDAudio::GetCDVolumeRange(DWORD& minimum, DWORD& maximum)
{
    DWORD low = 0, high = 0;
    if (m_driver->GetCDVolumeRange(low, high)) {
        minimum = low;
        maximum = high;
    }
}

int CCDAudio::FillMixerList(HWND combo)
{
    const UINT count = m_driver->MixerCount();
    for (UINT i = 0; i < count; ++i) {
        const LRESULT item =
            SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_driver->MixerName(i).GetString()));
        if (item >= 0)
            SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(i));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    return static_cast<int>(count);
}

UINT CCDAudio::GetMixerCount()
{
    return m_driver->MixerCount();
}

CString CCDAudio::GetMixerName(UINT mixer)
{
    return m_driver->MixerName(mixer);
}

MMRESULT CCDAudio::GetCDVolumeMetrics(DWORD& minimum, DWORD& maximum, DWORD& steps)
{
    return m_driver->GetCDVolumeMetrics(minimum, maximum, steps);
}

bool CCDAudio::ReadCDVolume(DWORD& value)
{
    return m_driver->GetCDVolume(value);
}
