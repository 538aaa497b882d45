// The CD drive as an audio player: MCI command strings to device "cdaudio",
// and the volume of the mixer's compact-disc line. Everything goes through
// a CDAudioDriver, whose default instance makes the real WinMM calls; a
// test hands in a drive of its own (no machine here has a CD drive).
//
// Classes: CDAudioDriver, CDAudioOwner, CCDAudio.
#pragma once

#include "framework/core/CString.h"

#include <windows.h>
#include <mmsystem.h>

class CDAudioDriver
{
public:
    virtual ~CDAudioDriver();

    virtual MCIERROR SendString(const char* command, char* answer, UINT answerSize, HWND notify) = 0;
    // The system's text for an MCI error; empty when it has none.
    virtual CString ErrorText(MCIERROR code) = 0;

    // The volume control of mixer 0's compact-disc line (one channel,
    // unsigned); false when the line, the control or its details are missing.
    virtual bool GetCDVolume(DWORD& value) = 0;
    virtual bool SetCDVolume(DWORD value) = 0;
    virtual bool GetCDVolumeRange(DWORD& minimum, DWORD& maximum) = 0;
    virtual UINT MixerCount() = 0;
    virtual CString MixerName(UINT mixer) = 0;
    // The volume control's bounds and steps, for the mixer information:
    // MMSYSERR_NOERROR, or the mixer's error when the line or the control
    // is missing. By default the range with no steps.
    virtual MMRESULT GetCDVolumeMetrics(DWORD& minimum, DWORD& maximum, DWORD& steps);

    // The real WinMM calls.
    static CDAudioDriver& System();
};

// Where play notifications go: the owner names the CD player window.
class CDAudioOwner
{
public:
    virtual ~CDAudioOwner() {}
    virtual HWND CDPlayerWindow() = 0;
};

// The play state codes, also the CD player window's state.
const int CDAUDIO_PLAYING = 6001;
const int CDAUDIO_PAUSED = 6002;
const int CDAUDIO_STOPPED = 6003;
// GetMode for a mode that is none of the three (seeking, open, not ready).
const int CDAUDIO_OTHER_MODE = 6000;

class CCDAudio
{
public:
    explicit CCDAudio(CDAudioOwner* owner, CDAudioDriver* driver = nullptr);
    virtual ~CCDAudio();
    CCDAudio(const CCDAudio&) = delete;
    CCDAudio& operator=(const CCDAudio&) = delete;

    int Open();
    int Close();
    bool IsMediaPresent();
    bool IsReady();
    bool IsPaused();
    bool IsPlaying();
    int GetMode();
    int GetTrackCount();
    int GetCurrentTrack();
    int GetDiscLength();
    int GetTrackStart(int track);
    int GetTrackLength(int track);
    int GetPosition();
    int PlayTrack(int track);
    int Pause();
    int Resume();
    int Stop();
    int ToggleDoor();

    DWORD GetCDVolume();
    void SetCDVolume(DWORD value);
    void GetCDVolumeRange(DWORD& minimum, DWORD& maximum);
    // Adds every mixer's name with its id as item data, selects the first;
    // returns the number of mixers.
    int FillMixerList(HWND combo);
    // For the mixer information: the mixers, the control's metrics (the
    // mixer's error when it is missing) and the volume (false when it
    // cannot be read).
    UINT GetMixerCount();
    CString GetMixerName(UINT mixer);
    MMRESULT GetCDVolumeMetrics(DWORD& minimum, DWORD& maximum, DWORD& steps);
    bool ReadCDVolume(DWORD& value);

    int LastMciError() const { return m_lastMciError; }
    // The text of the last failing command's error ("Unknown error" when
    // the system has none); not shown to the user.
    const CString& LastErrorText() const { return m_lastErrorText; }

    // Whole seconds of an "mm:ss:ff" time; 0 for a text that is not one.
    static int SecondsOf(const char* time);

private:
    MCIERROR Send(const char* command, char* answer = nullptr, UINT answerSize = 0, HWND notify = nullptr);
    bool QueryMode(CString& mode);
    int QueryNumber(const char* command);
    int QueryTime(const char* command);

    CDAudioOwner* m_owner;
    CDAudioDriver* m_driver;
    int m_lastMciError = 0;
    CString m_lastErrorText;
};
