#include "foundation/shell/ShellHelpers.h"

#include "framework/ui/CListCtrl.h"

#define NO_DSHOW_STRSAFE
#include <dshow.h>
#include <qedit.h>
#include <mmsystem.h>

#include <cstdlib>
#include <cstring>

namespace {

// The size of a list's items, without its terminator.
UINT ItemsSize(LPCITEMIDLIST list)
{
    UINT size = 0;
    if (!list)
        return 0;
    const BYTE* at = reinterpret_cast<const BYTE*>(list);
    for (;;) {
        USHORT cb = 0;
        std::memcpy(&cb, at + size, sizeof cb);
        if (cb == 0)
            return size;
        size += cb;
    }
}

const CLSID kClsidMediaDet = {0x65BD0711, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};
const IID kIidMediaDet = {0x65BD0710, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};

// The speakers' volume control of an open mixer, or false.
bool FindSpeakerVolume(HMIXER mixer, MIXERCONTROLA& control)
{
    MIXERLINEA line = {};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfoA(reinterpret_cast<HMIXEROBJ>(mixer), &line,
                          MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
        return false;
    MIXERLINECONTROLSA controls = {};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    ZeroMemory(&control, sizeof control);
    control.cbStruct = sizeof control;
    return mixerGetLineControlsA(reinterpret_cast<HMIXEROBJ>(mixer), &controls,
                                 MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) ==
           MMSYSERR_NOERROR;
}

} // namespace

LPITEMIDLIST ConcatItemIdLists(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    const UINT firstSize = ItemsSize(first);
    const UINT secondSize = ItemsSize(second) + sizeof(USHORT);
    BYTE* result = static_cast<BYTE*>(CoTaskMemAlloc(firstSize + secondSize));
    if (!result)
        return nullptr;
    ZeroMemory(result, firstSize + secondSize);
    if (firstSize)
        std::memcpy(result, first, firstSize);
    if (second)
        std::memcpy(result + firstSize, second, secondSize);
    return reinterpret_cast<LPITEMIDLIST>(result);
}

void SaveColumnWidths(const CListCtrl& list, int widths[kSavedColumns])
{
    for (int i = 0; i < kSavedColumns; ++i)
        widths[i] = list.GetColumnWidth(i);
}

void RestoreColumnWidths(CListCtrl& list, const int widths[kSavedColumns])
{
    for (int i = 0; i < kSavedColumns; ++i)
        list.SetColumnWidth(i, LOWORD(widths[i]));
}

int CALLBACK CompareListRows(LPARAM rowA, LPARAM rowB, LPARAM sortData)
{
    const ListRowSortData* data = reinterpret_cast<const ListRowSortData*>(sortData);
    if (!data)
        return 0;
    CListCtrl list;
    list.m_hWnd = data->hList;
    CString a = list.GetItemText(static_cast<int>(rowA), data->nColumn);
    CString b = list.GetItemText(static_cast<int>(rowB), data->nColumn);
    list.m_hWnd = nullptr;
    if (!data->bAscending) {
        CString swap = a;
        a = b;
        b = swap;
    }
    if (data->nColumn == 9 || data->nColumn == 10) {
        const long x = std::atol(a);
        const long y = std::atol(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    const int order = lstrcmpA(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int GetMediaLength(const CString& path)
{
    IMediaDet* detector = nullptr;
    if (FAILED(CoCreateInstance(kClsidMediaDet, nullptr, CLSCTX_ALL, kIidMediaDet,
                                reinterpret_cast<void**>(&detector))) ||
        !detector)
        return -1;
    WCHAR name[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, name, MAX_PATH - 1);
    double length = 0.0;
    BSTR file = SysAllocString(name);
    if (file && SUCCEEDED(detector->put_Filename(file)))
        detector->get_StreamLength(&length);
    SysFreeString(file);
    detector->Release();
    return length > 0.0 ? static_cast<int>(length) : 0;
}

bool FileExists(const CString& path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int GetMasterVolume(UINT mixerIndex)
{
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, mixerIndex, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return 0;
    int volume = 0;
    MIXERCONTROLA control;
    if (FindSpeakerVolume(mixer, control)) {
        MIXERCONTROLDETAILS_UNSIGNED value = {};
        MIXERCONTROLDETAILS details = {};
        details.cbStruct = sizeof details;
        details.dwControlID = control.dwControlID;
        details.cChannels = 1;
        details.cbDetails = sizeof value;
        details.paDetails = &value;
        if (mixerGetControlDetailsA(reinterpret_cast<HMIXEROBJ>(mixer), &details,
                                    MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) ==
            MMSYSERR_NOERROR)
            volume = static_cast<int>(value.dwValue);
    }
    mixerClose(mixer);
    return volume;
}

int GetMasterVolumeRange(UINT mixerIndex, int* minimum, int* maximum)
{
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, mixerIndex, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR)
        return 0;
    MIXERCONTROLA control;
    if (FindSpeakerVolume(mixer, control)) {
        if (minimum)
            *minimum = static_cast<int>(control.Bounds.dwMinimum);
        if (maximum)
            *maximum = static_cast<int>(control.Bounds.dwMaximum);
    }
    mixerClose(mixer);
    return 0;
}
