#include "foundation/shell/FolderPicker.h"

#include "framework/ui/Prompts.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

// Answers the folder browser as a user would, and keeps what it was shown.
class BrowserAnswerer : public CPromptAnswerer
{
public:
    BrowserAnswerer(BOOL ok, const std::string& path) : m_ok(ok), m_path(path)
    {
        m_previous = AfxSetPromptAnswerer(this);
    }
    ~BrowserAnswerer() override { AfxSetPromptAnswerer(m_previous); }

    int MessageBox(HWND, const char*, const char*, UINT) override { return IDOK; }
    BOOL BrowseForFolder(const BROWSEINFOA& bi, CString& path) override
    {
        ++m_calls;
        m_owner = bi.hwndOwner;
        m_root = bi.pidlRoot;
        m_title = bi.lpszTitle ? bi.lpszTitle : "";
        m_flags = bi.ulFlags;
        m_hasDisplayBuffer = bi.pszDisplayName != nullptr;
        m_hasCallback = bi.lpfn != nullptr;
        path = m_path.c_str();
        return m_ok;
    }

    BOOL m_ok;
    std::string m_path;
    int m_calls = 0;
    HWND m_owner = nullptr;
    PCIDLIST_ABSOLUTE m_root = nullptr;
    std::string m_title;
    UINT m_flags = 0;
    bool m_hasDisplayBuffer = false;
    bool m_hasCallback = true;

private:
    CPromptAnswerer* m_previous;
};

TEST(FolderPicker, StartsEmpty)
{
    FolderPicker picker;
    EXPECT_EQ(0u, picker.m_ulFlags);
    EXPECT_EQ(nullptr, picker.m_pidlRoot);
    EXPECT_STREQ("", picker.m_szTitle);
    EXPECT_STREQ("", picker.m_szDisplayName);
}

TEST(FolderPicker, SetFlagsClearsTheMaskThenAdds)
{
    const struct {
        uint32_t start, set, mask, expected;
    } cases[] = {
        {0x41, 0x200, 0x40, 0x201},
        {0x00, 0x241, 0x00, 0x241},
        {0x241, 0x00, 0x241, 0x00},
        {0x241, 0x40, 0x40, 0x241},   // cleared then set again
        {0xFFFFFFFF, 0x01, 0xFFFFFFFF, 0x01},
    };
    for (const auto& c : cases) {
        FolderPicker picker;
        picker.m_ulFlags = c.start;
        EXPECT_EQ(c.expected, picker.SetFlags(c.set, c.mask)) << std::hex << c.start;
        EXPECT_EQ(c.expected, picker.m_ulFlags);
    }
}

TEST(FolderPicker, ThePromptIsCutToItsBuffer)
{
    FolderPicker picker;
    picker.SetTitle("Select a folder where your playlists are stored");
    EXPECT_STREQ("Select a folder where your playlists are stored", picker.m_szTitle);
    picker.SetTitle(nullptr);
    EXPECT_STREQ("Select a folder where your playlists are stored", picker.m_szTitle);
    const std::string longPrompt(400, 'p');
    picker.SetTitle(longPrompt.c_str());
    EXPECT_EQ(std::string(259, 'p'), std::string(picker.m_szTitle));
    picker.SetTitle("");
    EXPECT_STREQ("", picker.m_szTitle);
}

TEST(FolderPicker, BrowseAnswers)
{
    const std::string longPath = "C:\\" + std::string(300, 'd');
    const struct {
        BOOL ok;
        std::string path;
        int result;
        const char* buffer;   // what the caller's buffer holds after
    } cases[] = {
        {TRUE, "C:\\Music\\Playlists", FolderPicker::BROWSE_PATH, "C:\\Music\\Playlists"},
        {FALSE, "", FolderPicker::BROWSE_CANCELLED, "untouched"},
        {TRUE, "", FolderPicker::BROWSE_NO_PATH, "untouched"},   // the control panel
        {TRUE, longPath, FolderPicker::BROWSE_NO_PATH, "untouched"},
    };
    for (const auto& c : cases) {
        BrowserAnswerer answerer(c.ok, c.path);
        FolderPicker picker;
        picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON, 0);
        picker.SetTitle("Choose a folder to backup to");
        char buffer[MAX_PATH] = "untouched";
        HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
        EXPECT_EQ(c.result, picker.Browse(owner, buffer)) << c.path;
        EXPECT_STREQ(c.buffer, buffer) << c.path;
        EXPECT_EQ(1, answerer.m_calls);
        EXPECT_EQ(owner, answerer.m_owner);
        EXPECT_EQ(0x241u, answerer.m_flags);
        EXPECT_EQ("Choose a folder to backup to", answerer.m_title);
        EXPECT_EQ(nullptr, answerer.m_root);
        EXPECT_TRUE(answerer.m_hasDisplayBuffer);
        EXPECT_FALSE(answerer.m_hasCallback);
    }
}

TEST(FolderPicker, WithoutABufferNothingIsShown)
{
    BrowserAnswerer answerer(TRUE, "C:\\Music");
    FolderPicker picker;
    EXPECT_EQ(FolderPicker::BROWSE_NO_PATH, picker.Browse(nullptr, nullptr));
    EXPECT_EQ(0, answerer.m_calls);
}

TEST(FolderPicker, AnUnattendedRunCancels)
{
    AfxSetUnattendedPrompts(TRUE);
    FolderPicker picker;
    char buffer[MAX_PATH] = "kept";
    EXPECT_EQ(FolderPicker::BROWSE_CANCELLED, picker.Browse(nullptr, buffer));
    EXPECT_STREQ("kept", buffer);
}

// The shell's own browser, answered by a helper thread that presses a
// button of the browser's dialog once it appears (at most 10 s).
int BrowseForReal(int button, char* buffer)
{
    AfxSetUnattendedPrompts(FALSE);
    std::atomic<bool> stop(false);
    std::thread helper([&] {
        const DWORD start = GetTickCount();
        while (!stop && GetTickCount() - start < 10000) {
            HWND dialog = tavrix_test::FindOwnWindow("#32770", nullptr);
            if (dialog && IsWindowVisible(dialog)) {
                Sleep(200);   // the browser fills its tree after it shows
                PostMessageA(dialog, WM_COMMAND, button, 0);
                return;
            }
            Sleep(20);
        }
    });
    FolderPicker picker;
    picker.SetFlags(BIF_RETURNONLYFSDIRS, 0);
    picker.SetTitle("Select a folder where your playlists are stored");
    const int result = picker.Browse(nullptr, buffer);
    stop = true;
    helper.join();
    AfxSetUnattendedPrompts(TRUE);
    return result;
}

TEST(FolderPicker, TheShellsBrowserCancelled)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    char buffer[MAX_PATH] = "untouched";
    EXPECT_EQ(FolderPicker::BROWSE_CANCELLED, BrowseForReal(IDCANCEL, buffer));
    EXPECT_STREQ("untouched", buffer);
    CoUninitialize();
}

TEST(FolderPicker, TheShellsBrowserConfirmed)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    char buffer[MAX_PATH] = "untouched";
    // The browser starts on its root, the desktop, a folder of the disk.
    EXPECT_EQ(FolderPicker::BROWSE_PATH, BrowseForReal(IDOK, buffer));
    const DWORD attributes = GetFileAttributesA(buffer);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, attributes) << buffer;
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY) << buffer;
    CoUninitialize();
}

} // namespace
