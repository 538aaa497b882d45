#include "input/midi/MIDIControlReceiver.h"

#include <atomic>
#include <cstdio>

namespace {

std::atomic<long> g_postedItems{0};

} // namespace

bool PostItemMessage(HWND hWnd, const ReceiverPost& post, const ControllerMapItem& item)
{
    // No window: PostMessage would put the message in the calling thread's
    // own queue, where nobody takes the copy.
    if (!hWnd)
        return false;
    WPARAM wParam = static_cast<WPARAM>(post.wParam);
    LPARAM lParam = static_cast<LPARAM>(post.lParam);
    ControllerMapItem* copy = nullptr;
    if (post.slot != ReceiverItemSlot::None) {
        copy = new ControllerMapItem(item);
        if (post.slot == ReceiverItemSlot::WParam)
            wParam = reinterpret_cast<WPARAM>(copy);
        else
            lParam = reinterpret_cast<LPARAM>(copy);
        ++g_postedItems;
    }
    if (::PostMessageA(hWnd, post.message, wParam, lParam))
        return true;
    if (copy) {
        --g_postedItems;
        delete copy;
    }
    return false;
}

std::unique_ptr<ControllerMapItem> TakePostedItem(LPARAM value)
{
    ControllerMapItem* item = reinterpret_cast<ControllerMapItem*>(value);
    if (item)
        --g_postedItems;
    return std::unique_ptr<ControllerMapItem>(item);
}

long GetPostedItemCount()
{
    return g_postedItems.load();
}

CMIDIControlReceiver::CMIDIControlReceiver(MidiReceiverHost& host, const ControllerMapTable& map)
    : m_host(host), m_map(map), m_hMainWnd(host.GetMainWindow())
{
}

void CMIDIControlReceiver::ReceiveLongMessage(const BYTE*, DWORD, DWORD)
{
}

void CMIDIControlReceiver::ReceiveShortMessage(DWORD packed, DWORD timestamp)
{
    (void)timestamp;
    m_hMainWnd = m_host.GetMainWindow();
    const ReceiverPlan plan = PlanShortMessage(packed, m_host.GetReceiverFlags(), m_map);
    if (plan.setsJogWheel)
        m_host.SetJogWheelItem(plan.item);
    for (int i = 0; i < plan.count; ++i)
        PostItemMessage(m_hMainWnd, plan.posts[i], plan.item);
}

void CMIDIControlReceiver::OnLongMessageError(const BYTE*, DWORD, DWORD)
{
}

void CMIDIControlReceiver::OnShortMessageError(DWORD, DWORD)
{
    std::fputs("Invalid short message received!\n", stdout);
    std::fflush(stdout);
}
