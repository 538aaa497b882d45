// TXVMixer2: the skinned dialog "Master Mixer" in which the user sets, deck
// by deck, the audio properties that live in the decks: mains and monitor
// output devices, monitor volume, the three-band equalizer, the effects of
// decks A and B and the pre-processor's settings. It keeps only the
// selected deck: everything it shows is read from the decks, the main
// window and "TavrixVJ.INI", and everything it changes is written there at
// once. The main window creates it once, modeless; closing hides it.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "audio/mastermixer/MasterMixerHost.h"
#include "audio/mastermixer/MasterMixerIds.h"
#include "framework/ui/CComboBox.h"
#include "skin/dialogs/TXVDialog.h"
#include "skin/drawing/DrawResources.h"

class CScrollBar;

class TXVMixer2 : public TXVDialog
{
public:
    enum { IDD = IDD_MASTERMIXER };

    // Starts a program (ShellExecuteEx); the seam lets tests stand in for
    // the shell.
    using Launcher = BOOL (*)(SHELLEXECUTEINFOA* info);
    // The speaker volume of a system mixer device and its range (the
    // foundation's helpers unless a test puts others in place).
    using VolumeSource = int (*)(UINT mixer);
    using VolumeRangeSource = int (*)(UINT mixer, int* minimum, int* maximum);
    static Launcher SetLauncher(Launcher launcher);
    static void SetVolumeSources(VolumeSource volume, VolumeRangeSource range);

    // Construction
    TXVMixer2(MasterMixerHost* host, CWnd* parent = nullptr);
    ~TXVMixer2() override;
    // Creates the modeless dialog (hidden until shown).
    BOOL CreateModeless();

    // Attributes
    int GetSelectedDeck() const { return m_deck; }

    // Operations
    // Shows the page of a deck (0-3): every control read again.
    void ShowDeckPage(int deck);

    // Overridables
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    DECLARE_MESSAGE_MAP()
    void OnShowWindow(BOOL bShow, UINT nStatus);                     // ON_WM_SHOWWINDOW
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar); // ON_WM_VSCROLL
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar); // ON_WM_HSCROLL
    void OnDeckChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMixerClicked(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMainsDevice();
    void OnMonitorDevice();
    void OnEqualizerOn();
    void OnResetFlat();
    void OnRotate();
    void OnEcho();
    void OnFlange();
    void OnFxFilter();
    void OnPreProcess();
    void OnFindStart();
    void OnCheckBpm();
    void OnSampleTime();
    void OnStartLevel();
    void OnMoreInfo();
    void OnSystemMixer();

private:
    Deck* SelectedDeck() const;
    void AddDeckItems();
    void FillMixerList();
    void ShowFxSliders();
    void EnableBands(bool on);
    void BandsChanged();
    void DeviceChanged(CComboBox& combo, const char* key, bool mains);
    void Effect(UINT clearOne, UINT clearTwo, int offset);
    void WriteCheck(UINT box, const char* key);
    void WriteEdit(UINT edit, const char* key);
    void SetEditText(UINT id, const CString& text);
    void Check(UINT id, bool on);
    bool IsChecked(UINT id) const;
    void Enable(UINT id, bool on);
    int SliderPos(UINT id) const;
    void SetSliderPos(UINT id, int position);

    // Data
    MasterMixerHost* m_host;
    CWnd* m_parent;
    DrawResources m_draw;
    HIMAGELIST m_deckImages = nullptr;
    HIMAGELIST m_deviceImages = nullptr;
    CComboBox m_mains;
    CComboBox m_monitor;
    int m_deck = 0;
    bool m_filling = false;   // the page is being filled: edits' changes are not the user's
};
