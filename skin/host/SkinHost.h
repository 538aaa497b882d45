// SkinHost: what the skinned controls need of the main window, which lives
// in a higher layer: the window itself (the controls' parent), its skin
// background in a memory DC (what transparent controls copy), its
// settings, the filter of its main track list, and the displays it keeps
// for the level meters and the spectrum. The main window puts itself in
// place while it lives; tests put their own.
#pragma once

#include "framework/core/CString.h"
#include "framework/ui/CDC.h"
#include "framework/ui/CWnd.h"

struct SkinMeterSet;

class SkinHost
{
public:
    virtual ~SkinHost() = default;

    // The main window; null before it exists.
    virtual CWnd* GetMainWindow() = 0;
    // The skin background in the main window's client coordinates; null
    // when there is none.
    virtual CDC* GetSkinDC() = 0;
    // A settings value of "TavrixVJ.INI" ("" when absent).
    virtual CString GetIniString(const CString& section, const CString& key) = 0;
    // The filter edit: a non-empty text filters the main track list by
    // title; an empty one switches the filter off.
    virtual void FilterByTitle(const CString& text) = 0;
    virtual void FilterOff() = 0;
    // The image and needle meters, their flags and the spectrum colours.
    virtual SkinMeterSet* GetMeterSet() = 0;
};

// Puts host in place (null: none) and returns the one before it.
SkinHost* SetSkinHost(SkinHost* host);
// The host in place, or null.
SkinHost* TheSkinHost();
// The main window of the host in place, or null.
CWnd* SkinMainWindow();
