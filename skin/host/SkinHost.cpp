#include "skin/host/SkinHost.h"

namespace {

SkinHost* g_host = nullptr;   // set and read on the user-interface thread

} // namespace

SkinHost* SetSkinHost(SkinHost* host)
{
    SkinHost* before = g_host;
    g_host = host;
    return before;
}

SkinHost* TheSkinHost()
{
    return g_host;
}

CWnd* SkinMainWindow()
{
    return g_host ? g_host->GetMainWindow() : nullptr;
}
