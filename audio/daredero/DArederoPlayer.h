// DArederoPlayer: the player of the main window's dAredero pane. It loads
// the pane's tracks, writes their texts, times and position into the pane
// through the main window, feeds the pane's spectrum view through the
// visualisation feedback module ("sample-spectrum2") and at the end of a
// track moves on to the next row of the pane's track list.
#pragma once

#include "audio/players/OutputDevicePlayer.h"
#include "framework/core/CString.h"
#include "library/api/TagInfo.h"

// What the player needs of the main window and its dAredero pane.
class DArederoHost
{
public:
    virtual ~DArederoHost() = default;
    virtual void UpdateJukeboxTimes(int elapsed) = 0;
    virtual void SetJukeboxPosition(int seconds) = 0;
    virtual void SetJukeboxTrackTexts(const char* text) = 0;
    virtual void RedrawJukeboxView() = 0;
    // Shows the picture of the file in the pane's album-art view.
    virtual void SetDeckTitle(int deck, const CString& path) = 0;
    // The pane's position bar: range 0 to length, repainted.
    virtual void SetJukeboxPositionRange(int length) = 0;
    // True while the pane's track list shows an opened item's tracks.
    virtual bool JukeboxListShowsTracks() const = 0;
    // Moves the list's selection one row down; -1 when there is none below.
    virtual int StepSelectionDown() = 0;
    virtual CString GetSelectedPath() const = 0;
    // The main window's window (where the spectrum module finds its colours).
    virtual HWND MainWindowHandle() const = 0;
};

class DArederoPlayer : public OutputDevicePlayer
{
public:
    typedef bool (*TagReader)(CString path, TAG_INFO* tags);

    // Construction
    DArederoPlayer(HINSTANCE instance, TagReader reader);
    ~DArederoPlayer() override;

    // As SoundEffectsPlayer::Setup; the main window passes "dAredero".
    int Setup(DArederoHost* owner, HWND window, int deviceIndex, int secondIndex, const char* name, int extra);
    void SetFeedbackRate(int rate) { m_feedbackRate = rate; }
    // Starts the spectrum feedback into a window of that size.
    void SetupSpectrum(HWND window, int width, int height);
    // Opens a track (see the class comment); false for an empty path.
    bool LoadFile(const CString& path);

    // Attributes
    const TAG_INFO& Tags() const { return m_tags; }
    const CString& CurrentPath() const { return m_path; }
    bool IsLoaded() const { return m_loaded; }
    int GetFeedbackRate() const { return m_feedbackRate; }

    // Notification handlers
    void OnReady() override;
    void OnPlayerState(uint8_t state) override;
    void OnTimecode(const control_payload* p) override;
    void OnDuration(uint32_t seconds) override;

private:
    // Data
    DArederoHost* m_owner = nullptr;
    TagReader m_reader;
    TAG_INFO m_tags;
    CString m_path;
    bool m_loaded = false;
    int32_t m_feedbackRate = 0;
};
