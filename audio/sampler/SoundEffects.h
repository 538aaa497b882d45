// SoundEffects: the modeless "Sound Effects Sampler" window. It lists the
// main window's effects ("SoundEffects.xml" in the program folder), adds,
// deletes, renames and moves them (context menu, dropped files), and plays
// them through its own SoundEffectsPlayer on a DirectSound device of the
// user's choice, with volume and looping.
//
// AddEffect: the small modal prompt that asks for an effect's display
// title when an effect is added or renamed.
//
// Classes: SoundEffectsHost, AddEffect, SoundEffects.
#pragma once

#include "audio/players/PlayerWindow.h"
#include "audio/sampler/EffectList.h"
#include "audio/sampler/SoundEffectsIds.h"
#include "audio/sampler/SoundEffectsPlayer.h"
#include "foundation/drawing/TXVHeader.h"
#include "framework/ui/CComboBox.h"
#include "framework/ui/CDialog.h"
#include "framework/ui/CListCtrl.h"
#include "framework/ui/CSliderCtrl.h"
#include "library/api/TagInfo.h"
#include "skin/drawing/DrawResources.h"

#include <map>

class CNewMenu;
class CScrollBar;

// What the sampler needs of the main window: the effect list it owns, its
// effects folder, its menu captions and the music library's services.
class SoundEffectsHost
{
public:
    virtual ~SoundEffectsHost() = default;
    // The main window's effect list, which the sampler reads and edits.
    virtual SoundEffectList& Effects() = 0;
    // MAIN/EffectsFolder: where "#name" effects lie.
    virtual CString EffectsFolder() = 0;
    // The MENUTEXT caption of a key (empty when absent).
    virtual CString MenuText(const char* key) = 0;
    // The file's tags (VIZU::GetTagInfo); false when they cannot be read.
    virtual bool GetTagInfo(const CString& path, TAG_INFO* tags) = 0;
    // The library format version the list file records (VIZU::GetDBVersion).
    virtual CString LibraryVersion() = 0;
    // A time in seconds as the program shows it (VIZU::SecondsToString).
    virtual CString SecondsText(int seconds) = 0;
};

class AddEffect : public CDialog
{
public:
    enum { IDD = IDD_ADDEFFECT };

    // Construction
    explicit AddEffect(CWnd* parent = nullptr) : CDialog(IDD, parent) {}

    // Operations
    void SetCaption(const CString& text) { m_caption = text; }
    void SetPrompt(const CString& text) { m_prompt = text; }

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override;

    // Data: the caller sets the file and reads the display name after IDOK.
    CString m_file;
    CString m_displayName;

private:
    CString m_caption;
    CString m_prompt;
};

class SoundEffects : public PlayerWindow, private SoundEffectsOwner
{
    DECLARE_DYNAMIC(SoundEffects)
public:
    enum { IDD = IDD_SOUNDEFFECTS };
    enum { kTimerDevices = 1 };

    // Construction
    explicit SoundEffects(SoundEffectsHost* host, CWnd* parent = nullptr);
    ~SoundEffects() override;

    // Operations
    // Loads and plays every effect whose id is the number ("fx-1".."fx-20").
    void PlayEffect(int id);
    // Opens the effect's file in the player (not played); false for an
    // empty path.
    bool LoadEffectFile(const CString& path);
    // Asks for a display title and appends the file as an effect; true.
    bool AddEffectFile(const CString& path);
    // The context menu's operations on the selected row; false when they
    // do nothing.
    bool OnAddEffect();
    bool DeleteEffect();
    bool RenameEffect();
    bool MoveEffectUp();
    bool MoveEffectDown();
    // Reads "SoundEffects.xml" into the main window's list (ids 1..n).
    void LoadEffectList();
    // Writes the list atomically; the number of effects, -1 on failure.
    int SaveEffectList();
    void FillEffectList();
    void SaveSettings() override;
    void LoadSettings() override;

    // Attributes
    SoundEffectsPlayer* GetPlayer() const { return m_player; }
    bool IsLooping() const override { return m_looping; }
    bool IsListChanged() const { return m_listChanged; }
    int GetVolume() const { return m_volume; }
    const TAG_INFO& GetTags() const { return m_tags; }
    CListCtrl& GetList() { return m_list; }
    CComboBox& GetDeviceBox() { return m_devices; }
    CSliderCtrl& GetVolumeSlider() { return m_volumeSlider; }
    const CString& GetMenuCaption(UINT id) const;

    // Overridables
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnPlay();
    void OnStop();
    void OnToggleLoop();
    void OnOutputDeviceChange();
    void OnAddEffectCommand();
    void OnMenuCommandHandledByMenu();
    void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);                // ON_NOTIFY(NM_DBLCLK)
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);                // ON_WM_CTLCOLOR
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);        // ON_WM_VSCROLL
    void OnTimer(UINT_PTR nIDEvent);                                        // ON_WM_TIMER
    void OnContextMenu(CWnd* pWnd, CPoint pos);                             // ON_WM_CONTEXTMENU
    void OnDropFiles(HDROP hDropInfo);                                      // ON_WM_DROPFILES

    // The player the window plays through (a test records its commands).
    virtual SoundEffectsPlayer* CreatePlayer();

private:
    // SoundEffectsOwner
    void SetTimeText(int seconds) override;
    void SetTrackLength(int seconds) override { m_tags.Length = seconds; }

    void UpdateStatusText();
    void ShowLoopText();
    // The display title typed in the prompt; false on Cancel.
    bool AskDisplayName(const CString& caption, const CString& prompt, const CString& file, CString& name);
    void AppendEffect(const CString& path, const CString& display);
    void SaveReadFill();
    bool MoveEffect(int step);
    // The selected row, -1 when none; its path (column 3).
    int SelectedRow() const;
    CString SelectedPath() const;

    // Data
    SoundEffectsHost* m_host;
    SoundEffectsPlayer* m_player = nullptr;
    DrawResources m_draw;
    int m_outputDevice = 0;
    int m_volume = 0;
    TAG_INFO m_tags;
    bool m_looping = false;
    bool m_listChanged = false;
    std::map<UINT, CString> m_menuText;
    TXVHeader m_header;
    CListCtrl m_list;
    CSliderCtrl m_volumeSlider;
    CComboBox m_devices;
};
