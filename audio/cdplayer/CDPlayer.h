// CCDPlayer: the modeless "CD Player" window. It reads the audio CD in the
// drive, lists its tracks, plays, pauses, stops and skips through its
// CCDAudio, shows the playing track's title and times, sets the CD line's
// volume, follows disc changes, looks the disc up in a CD database through
// its CDDBClient and, with CDPLAYER/SaveInfo, appends what it found to the
// CD catalogue file (CDCatalogFile).
//
// Classes: CDTrackEntry, CCDPlayer.
#pragma once

// The client's header first: it brings winsock2.h before windows.h.
#include "audio/cd/CDDBClient.h"
#include "audio/cd/CDAudio.h"
#include "audio/cdplayer/CDCatalogFile.h"
#include "audio/cdplayer/CDPlayerIds.h"
#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CListCtrl.h"
#include "framework/ui/CSliderCtrl.h"
#include "skin/drawing/DrawResources.h"

#include <vector>

class CScrollBar;

// One track of the disc as the window read it.
struct CDTrackEntry
{
    int number = 0;
    int start = 0;    // seconds on the disc
    int end = 0;      // start + length
    int length = 0;   // seconds
    CString title;
    CString second = "Unknown";
};

class CCDPlayer : public CDialog, private CDAudioOwner
{
    DECLARE_DYNAMIC(CCDPlayer)
public:
    enum { IDD = IDD_CDPLAYER };
    // Timers: waiting for a disc after the tray closed, and the play times.
    enum { kTimerWaitDisc = 2, kTimerPlaying = 3 };

    // Construction
    // owner names the window that receives the drive's play notifications
    // (the main window, which answers with this window); null: this window.
    // driver null: the real drive.
    explicit CCDPlayer(CDAudioOwner* owner = nullptr, CWnd* parent = nullptr, CDAudioDriver* driver = nullptr);
    ~CCDPlayer() override;
    // Creates the modeless window (hidden until shown).
    BOOL CreateModeless();

    // Operations
    // Writes the window's left and top to CDPLAYER/WindowPos.
    void SaveWindowPos();

    // Attributes
    int GetState() const { return m_state; }
    int GetCurrentTrack() const { return m_currentTrack; }
    int GetTrackCount() const { return m_trackCount; }
    const std::vector<CDTrackEntry>& GetTracks() const { return m_tracks; }
    const CString& GetCatalogPath() const { return m_catalogPath; }
    CDDBClient& GetClient() { return m_client; }
    CCDAudio& GetAudio() { return m_audio; }

    // Overridables
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPlayPause();
    void OnStop();
    void OnNext();
    void OnPrevious();
    void OnEject();
    void OnMixerInfo();
    void OnOutputDeviceChange();
    void OnCddbLookup();
    void OnRefreshTrackList();
    void OnTrackDblClk(NMHDR* pNMHDR, LRESULT* pResult);                   // ON_NOTIFY(NM_DBLCLK)
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);                // ON_WM_CTLCOLOR
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);        // ON_WM_VSCROLL
    void OnTimer(UINT_PTR nIDEvent);                                        // ON_WM_TIMER
    void OnClose();                                                         // ON_WM_CLOSE
    void OnShowWindow(BOOL bShow, UINT nStatus);                            // ON_WM_SHOWWINDOW
    void OnDestroy();                                                       // ON_WM_DESTROY
    LRESULT OnDeviceChange(WPARAM wParam, LPARAM lParam);                   // WM_DEVICECHANGE
    LRESULT OnMciNotify(WPARAM wParam, LPARAM lParam);                      // MM_MCINOTIFY

    // The drive type of a root ("E:\"); a test answers for drives it makes up.
    virtual UINT DriveType(const char* root);

private:
    HWND CDPlayerWindow() override { return m_hWnd; }

    bool ReadCD();
    void RefreshTrackList();
    void UpdateDisplay();
    void UpdateTimes();
    void UpdateStateText();
    void ReadDiscIntoList(const char* failure);
    void PlayCurrentTrack();
    bool SaveDiscToCatalog(const CString& title, const CString& artist, const CString& discId);
    void SetProgress(const char* text);
    void ShowLookupFailure(uint32_t discId, const CString& host);
    int IniInt(const char* key, int fallback) const;
    CString IniString(const char* key, const char* fallback) const;

    // Data
    CCDAudio m_audio;
    int m_state = CDAUDIO_STOPPED;
    CDDBClient m_client;
    int m_currentTrack = 1;
    int m_trackCount = 0;
    bool m_saveInfo = false;
    CString m_catalogPath;
    std::vector<CDTrackEntry> m_tracks;
    DrawResources m_draw;
    TXVHeader m_header;
    CListCtrl m_list;
    CSliderCtrl m_volume;
    CComboBox m_mixers;
    CWnd* m_parent;
    bool m_lookupRunning = false;
};

// The database server asked when CDPLAYER/CDDBSite is not set.
extern const char* const kDefaultCddbSite;
