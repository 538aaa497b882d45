// The image lists of the owner-drawn menus: every entry keeps three
// pictures side by side (normal, shaded, greyed) so that a painter picks
// one by index. CNewMenuBitmaps adds entries from bitmap resources; the
// menus find their title images in a process-wide list of them.
//
//   CNewMenuIcons     the image list, its command ids and reference count
//   CNewMenuBitmaps   plus the mask colour of each entry
#pragma once

#include <windows.h>

#include <vector>

#include "framework/core/CObject.h"
#include "framework/ui/CImageList.h"

class CNewMenuIcons : public CObject
{
    DECLARE_DYNAMIC(CNewMenuIcons)
public:
    // Construction
    CNewMenuIcons() = default;
    ~CNewMenuIcons() override;
    CNewMenuIcons(const CNewMenuIcons&) = delete;
    CNewMenuIcons& operator=(const CNewMenuIcons&) = delete;

    // Attributes
    // 3 x the index of the last entry with the id; -1 when none.
    virtual int FindCommand(UINT nID) const;
    CSize GetImageSize() const;
    CImageList& ImageList() { return m_IconsList; }
    int GetEntryCount() const { return static_cast<int>(m_IDs.size()); }
    int GetRefCount() const { return m_dwRefCount; }
    void AddRef() { ++m_dwRefCount; }
    int Release() { return --m_dwRefCount; }

    // Overridables
    // Reloads from the source resource when there is one and a list exists.
    virtual BOOL Refresh();
    virtual BOOL LoadHBitmap(HBITMAP hBitmap, CSize size, const UINT* pIDs, COLORREF crMask);
    virtual BOOL LoadToolBar(const WORD* pToolInfo, COLORREF crMask);
    virtual BOOL LoadToolBarResource(LPCSTR lpszResourceName, HMODULE hInst);
    virtual BOOL DoMatchBitmap(HBITMAP hBitmap, CSize size, const UINT* pIDs) const;
    virtual BOOL DoMatchToolBar(const WORD* pToolInfo, COLORREF crMask) const;
    virtual BOOL DoMatchResource(LPCSTR lpszResourceName, HMODULE hInst) const;
    virtual BOOL LoadBitmapStrip(LPCSTR lpszResourceName, CSize size);
    // The shaded and greyed pictures of an icon, appended (index -1) or in
    // place of the picture at the index; the index used, -1 on failure.
    virtual int AddShadedPicture(HICON hIcon, int nIndex);
    virtual int AddGreyedPicture(HICON hIcon, int nIndex);
    // Every plain image followed by its shaded and greyed picture.
    virtual BOOL BuildPictureTriples();

protected:
    // Data
    LPCSTR m_lpszResourceName = nullptr;   // an id (<= 0xFFFF) or an owned copy
    HMODULE m_hInst = nullptr;
    DWORD m_nComparisonKey = 0;
    int m_nColors = 0;
    COLORREF m_crTransparent = CLR_NONE;
    CImageList m_IconsList;
    std::vector<DWORD> m_IDs;
    int m_dwRefCount = 0;

    void SetResourceName(LPCSTR lpszResourceName, HMODULE hInst);
    void FreeResourceName();
};

class CNewMenuBitmaps : public CNewMenuIcons
{
    DECLARE_DYNAMIC(CNewMenuBitmaps)
public:
    explicit CNewMenuBitmaps(COLORREF crMask = CLR_DEFAULT);
    ~CNewMenuBitmaps() override = default;

    // The index of the entry's normal picture, adding the bitmap resource
    // when the id is new and its size fits; -1 when it cannot.
    int AddBitmapById(UINT nID, COLORREF crMask);
    // Recomputes the shaded and greyed pictures from each normal one.
    BOOL Refresh() override;

    std::vector<DWORD> m_TranspColors;
};

// Lowers the count; at 0 the list leaves the shared title list and is
// deleted. Returns the new count (0 for null).
int ReleaseImageList(CNewMenuIcons* pList);
// The shared list that has or can take the title bitmap; null (index -1)
// for none (title image -1 always).
CNewMenuBitmaps* FindTitleImage(int nTitleImage, COLORREF crMask, int* pIndex);
