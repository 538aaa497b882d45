#include "mainwindow/skinhost/MainSkinHost.h"

#include "mainwindow/dialog/MainDialog.h"

CWnd* MainSkinHost::GetMainWindow()
{
    return &m_dialog;
}

CDC* MainSkinHost::GetSkinDC()
{
    return m_dialog.GetSkinDC();
}

CString MainSkinHost::GetIniString(const CString& section, const CString& key)
{
    return m_dialog.GetIniString(section, key);
}

void MainSkinHost::FilterByTitle(const CString& text)
{
    m_dialog.Parts().FilterByTitle(text);
}

void MainSkinHost::FilterOff()
{
    m_dialog.Parts().FilterOff();
}

SkinMeterSet* MainSkinHost::GetMeterSet()
{
    return &m_dialog.GetSkinMeters();
}
