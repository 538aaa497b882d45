#include "skin/thumblist/TXVThumbList.h"

#include "foundation/app/ProgramFolder.h"
#include "skin/res/SkinListIds.h"
#include "skin/thumblist/ThumbMath.h"
#include "skin/tracklist/ListLook.h"

#include <algorithm>
#include <memory>
#include <vector>
using std::max;
using std::min;
#include <gdiplus.h>

IMPLEMENT_DYNAMIC(TXVThumbList, CListCtrl)

namespace {

const int kPictureSize = 100;
const UINT_PTR kTimerScrollLeft = 1;
const UINT_PTR kTimerScrollRight = 2;
const int kTimerTicks = 11;

// A 100 x 100 image list from a picture file of the program folder, black
// as its mask colour.
void LoadPictureFile(CImageList& images, const char* name, int initial, int grow)
{
    images.Create(kPictureSize, kPictureSize, ILC_COLOR32 | ILC_MASK, initial, grow);
    const CString path = GetProgramFolder() + name;
    HANDLE picture = ::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!picture)
        return;
    CBitmap bitmap;
    bitmap.Attach(picture);
    images.Add(&bitmap, RGB(0, 0, 0));
}

void LoadDefaultPicture(CImageList& images)
{
    images.Create(kPictureSize, kPictureSize, ILC_COLOR32 | ILC_MASK, 0, 1);
    CBitmap bitmap;
    if (bitmap.LoadBitmap(IDB_LIST_DEFAULTTHUMB))
        images.Add(&bitmap, RGB(0, 0, 0));
}

// The icon's pixels as a 32-bit picture (its mask applied: outside is
// transparent).
std::unique_ptr<Gdiplus::Bitmap> IconPicture(HICON icon, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HBITMAP dib = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::unique_ptr<Gdiplus::Bitmap> picture;
    if (dib && bits) {
        HGDIOBJ old = ::SelectObject(dc, dib);
        // Drawn twice, over black and over white: where both agree the pixel
        // is opaque, where the icon's mask lets the ground through it is not.
        std::vector<uint32_t> overBlack(static_cast<size_t>(width) * height);
        ::PatBlt(dc, 0, 0, width, height, BLACKNESS);
        ::DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        std::copy_n(static_cast<uint32_t*>(bits), overBlack.size(), overBlack.begin());
        ::PatBlt(dc, 0, 0, width, height, WHITENESS);
        ::DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
        ::GdiFlush();
        picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
        const uint32_t* overWhite = static_cast<uint32_t*>(bits);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t i = static_cast<size_t>(y) * width + x;
                const uint32_t rgb = overBlack[i] & 0xFFFFFF;
                const bool opaque = rgb == (overWhite[i] & 0xFFFFFF);
                picture->SetPixel(x, y, Gdiplus::Color(opaque ? 0xFF000000u | rgb : 0u));
            }
        }
        ::SelectObject(dc, old);
    }
    if (dib)
        ::DeleteObject(dib);
    ::DeleteDC(dc);
    return picture;
}

} // namespace

BEGIN_MESSAGE_MAP(TXVThumbList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &TXVThumbList::OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, &TXVThumbList::OnInsertItem)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_MESSAGE(WM_MOUSELEAVE, &TXVThumbList::OnMouseLeaveMsg)
    ON_WM_TIMER()
    ON_MESSAGE(WM_NCCALCSIZE, &TXVThumbList::OnNcCalcSize)
END_MESSAGE_MAP()

TXVThumbList::TXVThumbList()
{
    m_pOwnerWnd = AfxGetMainWnd();
}

TXVThumbList::~TXVThumbList()
{
    if (m_hDefaultIcon)
        ::DestroyIcon(m_hDefaultIcon);
}

// ---- Skin set-up ------------------------------------------------------------

void TXVThumbList::LoadImageLists()
{
    if (!m_hWnd)
        return;
    GetClientRect(&m_rcClient);
    ::SendMessageA(m_hWnd, LVM_SETICONSPACING, 0,
                   MAKELPARAM(thumb_math::IconSpacing(m_rcClient.Width()), 0));

    // The list shares its image list: it stays this object's.
    ModifyStyle(0, LVS_SHAREIMAGELISTS);
    CListCtrl::SetImageList(nullptr, LVSIL_NORMAL);
    for (CImageList* list : {&m_basic, &m_default1, &m_default2, &m_genres, &m_owner1, &m_owner2})
        list->DeleteImageList();
    if (m_hDefaultIcon)
        ::DestroyIcon(m_hDefaultIcon);
    m_hDefaultIcon = nullptr;

    LoadPictureFile(m_basic, "BasicThumbnails.bmp", 0, 5);
    CListCtrl::SetImageList(&m_basic, LVSIL_NORMAL);
    if (m_basic.GetImageCount() > 0)
        m_hDefaultIcon = m_basic.ExtractIcon(0);
    LoadDefaultPicture(m_default1);
    LoadDefaultPicture(m_default2);
    LoadPictureFile(m_genres, "GenreImages2.bmp", 1, 32);
    m_owner1.Create(kPictureSize, kPictureSize, ILC_COLOR32 | ILC_MASK, 0, 5);
    m_owner2.Create(kPictureSize, kPictureSize, ILC_COLOR32 | ILC_MASK, 0, 5);
}

void TXVThumbList::SetFont(const CString& face, int size)
{
    MakeListFonts(*this, m_font, m_fontSmall, face, size);
}

void TXVThumbList::SetColors(COLORREF background, COLORREF text)
{
    m_crBack = background;
    m_crText = text;
    ApplyListColours(*this, background, text);
}

void TXVThumbList::HideScrollBars(int mode, int which)
{
    m_hideBars.Hide(*this, mode, which);
}

LRESULT TXVThumbList::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    m_hideBars.BeforeNcCalcSize(m_hWnd);
    return DefWindowProc(WM_NCCALCSIZE, wParam, lParam);
}

// ---- Operations -------------------------------------------------------------

void TXVThumbList::ScrollLeft()
{
    Scroll(CSize(-8, 0));
}

void TXVThumbList::ScrollRight()
{
    Scroll(CSize(8, 0));
}

CString TXVThumbList::GetSelectedText() const
{
    const int row = GetNextItem(-1, LVNI_SELECTED);
    return row < 0 ? CString() : GetItemText(row, 0);
}

// ---- Mouse scrolling --------------------------------------------------------

void TXVThumbList::Release()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bPressed = false;
}

void TXVThumbList::OnLButtonDown(UINT, CPoint point)
{
    m_bPressed = true;
    m_nPressX = point.x;
    m_nLastX = point.x;
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&track);
    Default();
}

void TXVThumbList::OnMouseMove(UINT, CPoint point)
{
    if (!m_rcClient.PtInRect(point))
        Release();
    if (m_bPressed) {
        const int step = point.x > m_nLastX ? -6 : (point.x < m_nLastX ? 6 : 0);
        Scroll(CSize(step, 0));
    }
    m_nLastX = point.x;
    Default();
}

void TXVThumbList::OnLButtonUp(UINT, CPoint)
{
    Release();
    Default();
}

LRESULT TXVThumbList::OnMouseLeaveMsg(WPARAM, LPARAM)
{
    Release();
    return 0;
}

void TXVThumbList::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerScrollLeft && nIDEvent != kTimerScrollRight) {
        Default();
        return;
    }
    Scroll(CSize(nIDEvent == kTimerScrollLeft ? -8 : 8, 0));
    if (++m_nTicks >= kTimerTicks) {
        ::KillTimer(m_hWnd, nIDEvent);
        m_nTicks = 0;
    }
}

void TXVThumbList::OnInsertItem(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

// ---- Drawing ----------------------------------------------------------------

void TXVThumbList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        DrawItemNow(draw);
        *pResult = CDRF_SKIPDEFAULT;
    }
}

void TXVThumbList::DrawItemNow(NMLVCUSTOMDRAW* draw)
{
    const int item = static_cast<int>(draw->nmcd.dwItemSpec);
    CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
    const CString text = GetItemText(item, 0);
    CRect icon, label;
    GetItemRect(item, &icon, LVIR_ICON);
    GetItemRect(item, &label, LVIR_LABEL);

    LVITEMA lv = {};
    lv.mask = LVIF_IMAGE;
    lv.iItem = item;
    GetItem(&lv);
    HIMAGELIST normal = ListView_GetImageList(m_hWnd, LVSIL_NORMAL);
    HICON picture = m_hDefaultIcon;
    bool ownIcon = false;
    if (normal && lv.iImage >= 0 && lv.iImage < ImageList_GetImageCount(normal)) {
        picture = ImageList_GetIcon(normal, lv.iImage, ILD_NORMAL);
        ownIcon = picture != nullptr;
    }

    CBrush back;
    back.CreateSolidBrush(m_crBack);
    CDCSelect brush(*dc, back);
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_crBack);
    dc->SetTextColor(m_crText);
    dc->FillRect(&icon, &back);
    const bool selected = (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (picture)
        DrawThumbnail(dc->m_hDC, icon, picture, selected);
    if (ownIcon)
        ::DestroyIcon(picture);

    CDCSelect font(*dc, m_font);
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    const thumb_math::TextLines lines = thumb_math::SplitThumbText(text.GetString());
    dc->DrawText(lines.first.c_str(), static_cast<int>(lines.first.size()), &label, flags);
    if (lines.twoLines) {
        dc->SetTextColor(RGB(192, 192, 192));
        label.OffsetRect(0, 18);
        CDCSelect small(*dc, m_fontSmall);
        dc->DrawText(lines.second.c_str(), static_cast<int>(lines.second.size()), &label, flags);
    }
}

void TXVThumbList::DrawThumbnail(HDC dc, const RECT& iconRect, HICON picture, bool selected)
{
    using namespace Gdiplus;
    const int w = iconRect.right - iconRect.left;
    const int h = iconRect.bottom - iconRect.top;
    ICONINFO info = {};
    if (w <= 0 || h <= 0 || !picture || !::GetIconInfo(picture, &info))
        return;
    BITMAP bm = {};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    const int pw = bm.bmWidth;
    const int ph = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    const thumb_math::Rect fit = thumb_math::FitThumb(pw, ph, w, h, selected);
    if (fit.width <= 0 || fit.height <= 0)
        return;
    std::unique_ptr<Bitmap> source = IconPicture(picture, pw, ph);
    if (!source)
        return;

    Bitmap off(w, h, PixelFormat32bppARGB);
    Bitmap framed(fit.width, fit.height, PixelFormat32bppARGB);
    {
        Graphics g(&framed);
        g.SetInterpolationMode(InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(PixelOffsetModeHalf);
        g.DrawImage(source.get(), 0, 0, fit.width, fit.height);
        Pen frame(Color(255, 80, 80, 80), 1.0f);
        g.SetPixelOffsetMode(PixelOffsetModeNone);
        g.DrawRectangle(&frame, 0, 0, fit.width - 1, fit.height - 1);
    }
    const int rh = thumb_math::ReflectionHeight(fit.height, selected);
    Bitmap reflection(fit.width, rh > 0 ? rh : 1, PixelFormat32bppARGB);
    for (int k = 0; k < rh; ++k) {
        const BYTE alpha = static_cast<BYTE>(thumb_math::ReflectionAlpha(k, rh));
        for (int x = 0; x < fit.width; ++x) {
            Color c;
            framed.GetPixel(x, fit.height - 1 - k, &c);
            const BYTE a = static_cast<BYTE>(c.GetA() * alpha / 255);
            reflection.SetPixel(x, k, Color(a, c.GetR(), c.GetG(), c.GetB()));
        }
    }
    {
        Graphics g(&off);
        g.DrawImage(&framed, fit.x, fit.y, fit.width, fit.height);
        if (rh > 0)
            g.DrawImage(&reflection, fit.x, fit.y + fit.height, fit.width, rh);
    }
    Graphics screen(dc);
    screen.DrawImage(&off, static_cast<INT>(iconRect.left), static_cast<INT>(iconRect.top), w, h);
}
