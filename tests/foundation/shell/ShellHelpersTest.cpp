#include "foundation/shell/ShellHelpers.h"
#include "tests/support/TestSupport.h"

#include "framework/ui/CListCtrl.h"

#define NO_DSHOW_STRSAFE
#include <dshow.h>
#include <qedit.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

// An item-id list built by hand: each item its 2-byte size and bytes, then
// the 2-byte zero terminator.
std::vector<BYTE> IdList(const std::vector<std::string>& items)
{
    std::vector<BYTE> bytes;
    for (const std::string& item : items) {
        const USHORT cb = static_cast<USHORT>(item.size() + 2);
        bytes.push_back(static_cast<BYTE>(cb & 0xFF));
        bytes.push_back(static_cast<BYTE>(cb >> 8));
        bytes.insert(bytes.end(), item.begin(), item.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

LPCITEMIDLIST AsList(const std::vector<BYTE>& bytes)
{
    return reinterpret_cast<LPCITEMIDLIST>(bytes.data());
}

TEST(ShellHelpers, ConcatItemIdLists)
{
    const std::vector<BYTE> none = IdList({});
    const std::vector<BYTE> one = IdList({"music"});
    const std::vector<BYTE> two = IdList({"C:\\", "Tracks"});
    const struct {
        const std::vector<BYTE>* first;
        const std::vector<BYTE>* second;
        std::vector<BYTE> expected;
    } cases[] = {
        {&none, &one, IdList({"music"})},
        {nullptr, &one, IdList({"music"})},
        {&two, &one, IdList({"C:\\", "Tracks", "music"})},
        {&two, nullptr, IdList({"C:\\", "Tracks"})},
        {&one, &none, IdList({"music"})},
        {nullptr, nullptr, IdList({})},
    };
    for (const auto& c : cases) {
        LPITEMIDLIST joined = ConcatItemIdLists(c.first ? AsList(*c.first) : nullptr,
                                                c.second ? AsList(*c.second) : nullptr);
        ASSERT_NE(nullptr, joined);
        const BYTE* bytes = reinterpret_cast<const BYTE*>(joined);
        EXPECT_EQ(c.expected, std::vector<BYTE>(bytes, bytes + c.expected.size()));
        EXPECT_EQ(c.expected.size(), ILGetSize(joined));   // the shell reads it so too
        CoTaskMemFree(joined);
    }
}

// A report list view with the eleven columns of a track list.
class TrackListWindow
{
public:
    TrackListWindow()
    {
        INITCOMMONCONTROLSEX init = {sizeof init, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        m_hWnd = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | WS_VISIBLE | LVS_REPORT, 0, 0, 600, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        m_list.Attach(m_hWnd);
        for (int i = 0; i < 11; ++i) {
            LVCOLUMNA column = {};
            column.mask = LVCF_WIDTH | LVCF_TEXT;
            column.cx = 40 + i;
            column.pszText = const_cast<char*>("column");
            ListView_InsertColumn(m_hWnd, i, &column);
        }
    }
    ~TrackListWindow()
    {
        m_list.Detach();
        DestroyWindow(m_hWnd);
    }

    void AddRow(int column, const char* text)
    {
        const int row = m_list.InsertItem(m_list.GetItemCount(), "");
        m_list.SetItemText(row, column, text);
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            texts.push_back(m_list.GetItemText(i, column).GetString());
        return texts;
    }

    HWND m_hWnd;
    CListCtrl m_list;
};

TEST(ShellHelpers, ColumnWidthsSavedAndRestored)
{
    TrackListWindow window;
    ASSERT_NE(nullptr, window.m_hWnd);
    int widths[kSavedColumns] = {};
    SaveColumnWidths(window.m_list, widths);
    for (int i = 0; i < kSavedColumns; ++i)
        EXPECT_EQ(40 + i, widths[i]);
    // The stored block holds raw integers: only their low 16 bits count.
    int stored[kSavedColumns];
    for (int i = 0; i < kSavedColumns; ++i)
        stored[i] = 0x00010064 + i;
    RestoreColumnWidths(window.m_list, stored);
    SaveColumnWidths(window.m_list, widths);
    for (int i = 0; i < kSavedColumns; ++i)
        EXPECT_EQ(100 + i, widths[i]);
}

TEST(ShellHelpers, RowsCompareByNumberOrText)
{
    // Each case lists the texts in the order the sort must give; every
    // pair of rows is compared both ways (the comparison is what the list
    // control's sort asks, with the two rows' indices).
    const struct {
        int column;
        BOOL ascending;
        std::vector<const char*> sorted;
    } cases[] = {
        {9, TRUE, {"2", "9", "10", "100"}},
        {9, FALSE, {"100", "10", "9", "2"}},
        {10, TRUE, {"", "3", "12"}},
        {1, TRUE, {"10", "Abc", "abd"}},
        {1, FALSE, {"abd", "Abc", "10"}},
        {8, TRUE, {"C:\\a.mp3", "C:\\b.mp3"}},
    };
    for (const auto& c : cases) {
        TrackListWindow window;
        for (size_t i = c.sorted.size(); i-- > 0;)   // rows in reverse order
            window.AddRow(c.column, c.sorted[i]);
        const int n = static_cast<int>(c.sorted.size());
        ListRowSortData data = {window.m_hWnd, c.column, c.ascending};
        const LPARAM sortData = reinterpret_cast<LPARAM>(&data);
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b) {
                // Row r holds sorted[n - 1 - r].
                const int expected = (n - 1 - a) < (n - 1 - b) ? -1 : ((n - 1 - a) > (n - 1 - b) ? 1 : 0);
                EXPECT_EQ(expected, CompareListRows(a, b, sortData))
                    << c.column << " " << c.ascending << ": " << c.sorted[n - 1 - a] << " vs " << c.sorted[n - 1 - b];
            }
        }
    }
    // Equal numbers are equal whatever their text.
    TrackListWindow window;
    window.AddRow(9, "7");
    window.AddRow(9, "07");
    ListRowSortData data = {window.m_hWnd, 9, TRUE};
    EXPECT_EQ(0, CompareListRows(0, 1, reinterpret_cast<LPARAM>(&data)));
    EXPECT_EQ(0, CompareListRows(0, 1, 0));   // no sort data
}

// A WAV file of 8 kHz, 8-bit mono samples lasting `tenths` tenths of a
// second.
std::string WavFile(int tenths)
{
    const uint32_t samples = 800u * static_cast<uint32_t>(tenths);
    std::string bytes = "RIFF";
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](uint16_t v) {
        bytes += static_cast<char>(v & 0xFF);
        bytes += static_cast<char>(v >> 8);
    };
    put32(36 + samples);
    bytes += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(8000);
    put32(8000);
    put16(1);
    put16(8);
    bytes += "data";
    put32(samples);
    bytes.append(samples, static_cast<char>(0x80));
    return bytes;
}

// Whether DirectShow's media detector can open the file at all (under Wine
// it needs GStreamer's plugins for the program's architecture).
bool DetectorReads(const std::string& path)
{
    const CLSID clsid = {0x65BD0711, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};
    const IID iid = {0x65BD0710, 0x24D2, 0x4FF7, {0x93, 0x24, 0xED, 0x2E, 0x5D, 0x3A, 0xBA, 0xFA}};
    IMediaDet* detector = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, reinterpret_cast<void**>(&detector))))
        return false;
    WCHAR name[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, name, MAX_PATH - 1);
    BSTR file = SysAllocString(name);
    const HRESULT hr = detector->put_Filename(file);
    SysFreeString(file);
    detector->Release();
    return SUCCEEDED(hr);
}

TEST(ShellHelpers, MediaLengthOfUnreadableFilesIsZero)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    tavrix_test::TempDir dir;
    EXPECT_EQ(0, GetMediaLength(dir.File("missing.wav").c_str()));
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("noise.wav"), "not a media file at all"));
    EXPECT_EQ(0, GetMediaLength(dir.File("noise.wav").c_str()));
    CoUninitialize();
}

TEST(ShellHelpers, MediaLengthInWholeSeconds)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    tavrix_test::TempDir dir;
    const struct {
        const char* name;
        int tenths;
        int seconds;
    } clips[] = {{"clip.wav", 907, 90}, {"short.wav", 25, 2}};
    for (const auto& clip : clips)
        ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File(clip.name), WavFile(clip.tenths)));
    if (!DetectorReads(dir.File("clip.wav"))) {
        CoUninitialize();
        GTEST_SKIP() << "DirectShow's media detector cannot read a WAV file here "
                        "(Wine lacks GStreamer's plugins for this architecture)";
    }
    for (const auto& clip : clips)
        EXPECT_EQ(clip.seconds, GetMediaLength(dir.File(clip.name).c_str())) << clip.name;
    CoUninitialize();
}

TEST(ShellHelpers, FileExistsForFilesAndFolders)
{
    tavrix_test::TempDir dir;
    ASSERT_TRUE(tavrix_test::WriteFileBytes(dir.File("a.mp3"), "x"));
    EXPECT_TRUE(FileExists(dir.File("a.mp3").c_str()));
    EXPECT_TRUE(FileExists(dir.Path().c_str()));
    EXPECT_FALSE(FileExists(dir.File("b.mp3").c_str()));
    EXPECT_FALSE(FileExists(""));
}

TEST(ShellHelpers, MasterVolumeOfAMissingMixer)
{
    const UINT missing = mixerGetNumDevs() + 5;
    int minimum = -7, maximum = -7;
    EXPECT_EQ(0, GetMasterVolumeRange(missing, &minimum, &maximum));
    EXPECT_EQ(-7, minimum);
    EXPECT_EQ(-7, maximum);
    EXPECT_EQ(0, GetMasterVolume(missing));
}

TEST(ShellHelpers, MasterVolumeLiesInItsRange)
{
    if (mixerGetNumDevs() == 0)
        GTEST_SKIP() << "no mixer device (no sound server)";
    int minimum = -7, maximum = -7;
    EXPECT_EQ(0, GetMasterVolumeRange(0, &minimum, &maximum));
    ASSERT_NE(-7, maximum) << "mixer 0 has no speaker volume control";
    EXPECT_LT(minimum, maximum);
    const int volume = GetMasterVolume(0);
    EXPECT_GE(volume, minimum);
    EXPECT_LE(volume, maximum);
}

} // namespace
