// AudioJukebox: the modeless "Audio Jukebox" window. It shows the main
// window's audio-jukebox queue and plays it one track after another
// through its own AudioJukeboxPlayer on a DirectSound device of the user's
// choice: the playing track's title, artist, remaining time and position,
// two LED level meters fed by the visualisation feedback module, Play/Pause,
// Stop, next, volume, position and the output device. Files dropped on the
// list join the queue; the list's context menu runs the main window's
// queue operations on it.
//
// Classes: AudioJukeboxHost, AudioJukebox.
#pragma once

#include "audio/players/PlayerWindow.h"
#include "audio/jukebox/AudioJukeboxIds.h"
#include "audio/jukebox/AudioJukeboxPlayer.h"
#include "audio/jukebox/JukeboxQueue.h"
#include "foundation/drawing/TXVHeader.h"
#include "framework/core/CArray.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CProgressCtrl.h"
#include "framework/ui/CSliderCtrl.h"
#include "library/api/TagInfo.h"
#include "library/records/CTrackRecord.h"
#include "skin/drawing/DrawResources.h"
#include "skin/fields/TXVVUMeter.h"
#include "skin/tracklist/TXVTrackList.h"

class CNewMenu;
class CScrollBar;

// The main window's queue operations that the list's context menu runs on
// the jukebox list (queue code 4010).
enum class JukeboxQueueOperation {
    MoveUp, MoveDown, MoveToTop, MoveToBottom, DeleteSelected, Shuffle, Empty, SaveAsPlaylist,
};

// What the jukebox needs of the main window: the queue it owns, its
// setting MAIN/UpdatePlayCounter and its queue operations.
class AudioJukeboxHost
{
public:
    virtual ~AudioJukeboxHost() = default;
    // The audio-jukebox queue (queue code 4010), first track first.
    virtual CArray<CTrackRecord, CTrackRecord&>& JukeboxQueue() = 0;
    // MAIN/UpdatePlayCounter as the main window loaded it.
    virtual int UpdatePlayCounterSetting() = 0;
    // Runs a queue operation on the jukebox's list and queue.
    virtual void RunQueueOperation(JukeboxQueueOperation operation, TXVTrackList& list) = 0;
};

class AudioJukebox : public PlayerWindow,
                     private AudioJukeboxOwner,
                     private JukeboxQueue::Display,
                     private JukeboxQueue::Source
{
    DECLARE_DYNAMIC(AudioJukebox)
public:
    enum { IDD = IDD_AUDIOJUKEBOX };
    enum { kTimerDevices = 1 };
    // The queue list's column that holds each row's file path.
    enum { kPathColumn = 8 };

    // Construction
    explicit AudioJukebox(AudioJukeboxHost* host, CWnd* parent = nullptr);
    ~AudioJukebox() override;

    // Operations
    // Opens a track in the player (not played): false for an empty path.
    bool LoadFile(const CString& path);
    // Loads the first queued track that can play (records before it that
    // cannot leave the queue); true when one was loaded.
    bool PlayNext() override;
    void OnPlayPause();
    void OnStop();
    void OnNext();
    // Refills the list from the main window's queue; the row count.
    int FillQueueList();
    void UpdateStatusText();
    void SaveSettings() override;
    void LoadSettings() override;

    // Attributes
    AudioJukeboxPlayer* GetPlayer() const { return m_player; }
    const TAG_INFO& GetTags() const { return m_queue.Tags(); }
    int GetVolume() const { return m_volume; }
    int PreloadSeconds() const override { return m_preloadSeconds; }
    int TrackLength() const override { return m_queue.Tags().Length; }
    TXVTrackList& GetList() { return m_list; }
    CComboBox& GetDeviceBox() { return m_devices; }
    CSliderCtrl& GetVolumeSlider() { return m_volumeSlider; }
    CSliderCtrl& GetPositionSlider() { return m_positionSlider; }
    CProgressCtrl& GetProgress() { return m_progress; }
    TXVVUMeter& GetLeftMeter() { return m_leftMeter; }
    TXVVUMeter& GetRightMeter() { return m_rightMeter; }

    // The feedback module's "sample-spectrum" handler (feedback thread):
    // the two level meters.
    void SetVULevels(int left, int right) override;

    // Overridables
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOutputDeviceChange();
    void OnPropsClicked();
    void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);                // ON_NOTIFY(NM_DBLCLK)
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);                      // ON_NOTIFY(NM_CLICK, NM_RCLICK)
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);                // ON_WM_CTLCOLOR
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);        // ON_WM_VSCROLL
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);        // ON_WM_HSCROLL
    void OnTimer(UINT_PTR nIDEvent);                                        // ON_WM_TIMER
    void OnContextMenu(CWnd* pWnd, CPoint pos);                             // ON_WM_CONTEXTMENU
    void OnDropFiles(HDROP hDropInfo);                                      // ON_WM_DROPFILES

    // The player the window plays through (a test records its commands).
    virtual AudioJukeboxPlayer* CreatePlayer();

private:
    // AudioJukeboxOwner (the player)
    HWND FeedbackWindowHandle() const override { return m_hWnd; }
    void UpdateTime(int position) override;
    void SetStatusText(const char* text) override;
    void SetProgressPosition(int position) override;
    void SetTrackLength(int seconds) override { m_queue.Tags().Length = seconds; }
    // JukeboxQueue::Display
    void TrackLoaded(const TAG_INFO& tags) override;
    void TrackTried(const CString& path, const TAG_INFO& tags) override;
    void QueueRecordTaken(const CString& path) override;
    // JukeboxQueue::Source: the main window's queue
    bool IsEmpty() const override;
    CString FirstPath() const override;
    void RemoveFirst() override;

    void SetupQueueList();
    void SetupMeters();
    // Appends one dropped file to the queue and the list; false when it
    // does not exist.
    bool QueueDroppedFile(const CString& path);

    // Data
    AudioJukeboxPlayer* m_player = nullptr;
    AudioJukeboxHost* m_host;
    DrawResources m_draw;
    int m_outputDevice = 0;
    int m_volume = 0;
    JukeboxQueue m_queue;           // the tag record of the track last loaded
    int m_preloadSeconds = 0;
    int m_feedbackRate = 0;
    TXVHeader m_header;
    TXVTrackList m_list;
    CSliderCtrl m_volumeSlider;
    CProgressCtrl m_progress;
    CComboBox m_devices;
    CSliderCtrl m_positionSlider;
    TXVVUMeter m_leftMeter;
    TXVVUMeter m_rightMeter;
};
