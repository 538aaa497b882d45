#include "foundation/filetree/ShellLists.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

namespace {

int g_imageListHolders = 0;

// The level-502 record of NETAPI32 (wide strings).
struct ShareInfo502
{
    LPWSTR netname;
    DWORD type;
    LPWSTR remark;
    DWORD permissions;
    DWORD max_uses;
    DWORD current_uses;
    LPWSTR path;
    LPWSTR passwd;
    DWORD reserved;
    void* security_descriptor;
};

// The level-50 record of SVRAPI (ANSI, fixed name buffer).
#pragma pack(push, 1)
struct ShareInfo50
{
    char netname[13];
    unsigned char type;
    unsigned short flags;
    char* remark;
    char* path;
    char rw_password[9];
    char ro_password[9];
};
#pragma pack(pop)

typedef DWORD(WINAPI* NetShareEnumNT)(LPWSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, LPDWORD);
typedef DWORD(WINAPI* NetApiBufferFreeNT)(LPVOID);
typedef DWORD(WINAPI* NetShareEnum9x)(const char*, short, char*, unsigned short, unsigned short*,
                                      unsigned short*);

const DWORD kMaxPreferredLength = 0xFFFFFFFFu;
const DWORD kMoreData = 234;   // ERROR_MORE_DATA
// The SVRAPI buffer size is a 16-bit quantity: it cannot grow past this.
const unsigned kMaxBuffer9x = 0xFFFFu;

class ShareLibrary
{
public:
    ~ShareLibrary()
    {
        if (m_hModule)
            ::FreeLibrary(m_hModule);
    }

    CArray<filetree::ShareEntry> m_entries;

    int Read()
    {
        m_entries.RemoveAll();
        if (!m_tried) {
            m_tried = true;
            Load();
        }
        if (m_pfnEnumNT)
            ReadNT();
        else if (m_pfnEnum9x)
            Read9x();
        return static_cast<int>(m_entries.GetSize());
    }

private:
    void Load()
    {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        ::GetVersionExA(&version);
        if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
            m_hModule = ::LoadLibraryA("NETAPI32.dll");
            if (!m_hModule)
                return;
            m_pfnEnumNT = reinterpret_cast<NetShareEnumNT>(
                reinterpret_cast<void*>(::GetProcAddress(m_hModule, "NetShareEnum")));
            m_pfnFreeNT = reinterpret_cast<NetApiBufferFreeNT>(
                reinterpret_cast<void*>(::GetProcAddress(m_hModule, "NetApiBufferFree")));
            if (!m_pfnFreeNT)
                m_pfnEnumNT = nullptr;
        } else {
            m_hModule = ::LoadLibraryA("SVRAPI.dll");
            if (!m_hModule)
                return;
            m_pfnEnum9x = reinterpret_cast<NetShareEnum9x>(
                reinterpret_cast<void*>(::GetProcAddress(m_hModule, "NetShareEnum")));
        }
    }

    void ReadNT()
    {
        LPBYTE buffer = nullptr;
        DWORD read = 0, total = 0, resume = 0;
        DWORD status = m_pfnEnumNT(nullptr, 502, &buffer, kMaxPreferredLength, &read, &total, &resume);
        if ((status == 0 || status == kMoreData) && buffer) {
            // Only the entries in the buffer can be read, whatever total says.
            const ShareInfo502* info = reinterpret_cast<const ShareInfo502*>(buffer);
            for (DWORD i = 0; i < read; ++i) {
                filetree::ShareEntry entry;
                entry.type = info[i].type;
                if (info[i].path) {
                    int n = ::WideCharToMultiByte(CP_ACP, 0, info[i].path, -1, nullptr, 0, nullptr, nullptr);
                    if (n > 1) {
                        std::vector<char> text(static_cast<size_t>(n));
                        ::WideCharToMultiByte(CP_ACP, 0, info[i].path, -1, text.data(), n, nullptr, nullptr);
                        entry.path = text.data();
                    }
                }
                m_entries.Add(entry);
            }
        }
        if (buffer)
            m_pfnFreeNT(buffer);
    }

    void Read9x()
    {
        std::vector<char> buffer(1024);
        for (;;) {
            unsigned short read = 0, total = 0;
            DWORD status = static_cast<DWORD>(m_pfnEnum9x(
                nullptr, 50, buffer.data(), static_cast<unsigned short>(buffer.size()), &read, &total));
            if (status == kMoreData && buffer.size() < kMaxBuffer9x) {
                buffer.resize(std::min<size_t>(buffer.size() * 2, kMaxBuffer9x));
                continue;
            }
            if (status != 0 && status != kMoreData)
                return;
            size_t fit = buffer.size() / sizeof(ShareInfo50);
            const ShareInfo50* info = reinterpret_cast<const ShareInfo50*>(buffer.data());
            for (size_t i = 0; i < read && i < fit; ++i) {
                filetree::ShareEntry entry;
                entry.type = info[i].type;
                if (info[i].path)
                    entry.path = info[i].path;
                m_entries.Add(entry);
            }
            return;
        }
    }

    bool m_tried = false;
    HMODULE m_hModule = nullptr;
    NetShareEnumNT m_pfnEnumNT = nullptr;
    NetApiBufferFreeNT m_pfnFreeNT = nullptr;
    NetShareEnum9x m_pfnEnum9x = nullptr;
};

ShareLibrary& Shares()
{
    static ShareLibrary shares;
    return shares;
}

} // namespace

HIMAGELIST SystemImageList::Acquire()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    char root[4] = {temp[0] ? temp[0] : 'C', ':', '\\', 0};
    SHFILEINFOA info = {};
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    if (list)
        ImageList_SetBkColor(list, CLR_NONE);
    ++g_imageListHolders;
    return list;
}

void SystemImageList::Release()
{
    if (g_imageListHolders > 0)
        --g_imageListHolders;
}

int SystemImageList::Holders()
{
    return g_imageListHolders;
}

int ShareList::Refresh()
{
    return Shares().Read();
}

BOOL ShareList::IsShared(const CString& sPath)
{
    return filetree::IsSharedPath(Shares().m_entries, sPath) ? TRUE : FALSE;
}

const CArray<filetree::ShareEntry>& ShareList::Entries()
{
    return Shares().m_entries;
}
