// MainSkinHost: the main window as the skinned controls see it (SkinHost):
// its window, its skin background, its settings and its meter displays.
// The track list's filter is not part of the program yet: the filter edit's
// changes are logged as such.
#pragma once

#include "skin/host/SkinHost.h"

class MainDialog;

class MainSkinHost : public SkinHost
{
public:
    explicit MainSkinHost(MainDialog& dialog) : m_dialog(dialog) {}

    CWnd* GetMainWindow() override;
    CDC* GetSkinDC() override;
    CString GetIniString(const CString& section, const CString& key) override;
    void FilterByTitle(const CString& text) override;
    void FilterOff() override;
    SkinMeterSet* GetMeterSet() override;

private:
    MainDialog& m_dialog;
};
