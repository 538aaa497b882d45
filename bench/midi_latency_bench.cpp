// MIDI controller latency: a short message enters through the driver seam
// on a driver thread, the controller receiver looks it up in the
// controller map and posts its command to a stand-in main window. Prints,
// per case, the time from the seam to the post's return (what the receiver
// costs the driver's thread) and to the window's handler (the window is
// idle and does nothing else), with and without four other threads busy.
//
//   midi_latency_bench [MESSAGES]   (default 20000 per case)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "input/commands/CommandVocabulary.h"
#include "input/controllermap/ControllerMap.h"
#include "input/midi/MIDIControlReceiver.h"
#include "input/midi/MIDIInDevice.h"
#include "input/midi/MidiBytes.h"
#include "input/midi/ReceiverMessages.h"
#include "tests/input/FakeMidiApi.h"

namespace {

const UINT kQuit = WM_APP + 1;

std::atomic<double> g_handledAt{0.0};
HANDLE g_handled = nullptr;

LRESULT CALLBACK BenchWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_MIDI_VALUE:
        g_handledAt = bench::Now();
        if (message == WM_MIDI_VALUE)
            TakePostedItem(lParam); // the handler owns and frees the copy
        ::SetEvent(g_handled);
        return 0;
    case kQuit:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
}

class BenchHost : public MidiReceiverHost
{
public:
    HWND window = nullptr;
    HWND GetMainWindow() const override { return window; }
    ReceiverFlags GetReceiverFlags() const override { return ReceiverFlags(); }
    void SetJogWheelItem(const ControllerMapItem&) override {}
};

struct Figures
{
    std::vector<double> post;
    std::vector<double> handler;
};

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(share * static_cast<double>(values.size())));
    return values[index];
}

void Print(const char* name, const std::vector<double>& values)
{
    std::printf("  %-22s p50 %7.1f us  p99 %7.1f us  p99.9 %7.1f us  max %8.1f us\n", name,
                Percentile(values, 0.50) * 1e6, Percentile(values, 0.99) * 1e6, Percentile(values, 0.999) * 1e6,
                Percentile(values, 1.0) * 1e6);
}

// Sends count messages one at a time from a driver thread, each after the
// window has handled the one before, while busy threads spin.
// send delivers one message (the seam, or a bare post for the floor).
template <class Send>
Figures Run(HWND window, const Send& send, int count, int busyThreads)
{
    std::atomic<bool> stop{false};
    std::vector<std::thread> busy;
    for (int i = 0; i < busyThreads; ++i) {
        busy.emplace_back([&stop] {
            volatile double x = 1.0;
            while (!stop.load(std::memory_order_relaxed))
                x = x * 1.0000001 + 0.5;
        });
    }
    Figures figures;
    figures.post.reserve(count);
    figures.handler.reserve(count);
    std::thread sender([&] {
        // The driver calls back on a thread of high priority.
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        for (int i = 0; i < count; ++i) {
            ::ResetEvent(g_handled);
            const double start = bench::Now();
            send();
            const double posted = bench::Now();
            if (::WaitForSingleObject(g_handled, 2000) != WAIT_OBJECT_0) {
                std::printf("  message %d was not handled\n", i);
                break;
            }
            figures.post.push_back(posted - start);
            figures.handler.push_back(g_handledAt.load() - start);
        }
        ::PostMessageA(window, kQuit, 0, 0);
    });
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    sender.join();
    stop = true;
    for (std::thread& thread : busy)
        thread.join();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
    BuildActionNameMap();

    WNDCLASSA wc = {};
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "MidiLatencyBench";
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowA("MidiLatencyBench", "MIDI latency", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    g_handled = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);

    // A map the size of a real controller's: 120 entries.
    ControllerMapRows rows;
    for (int key = 0; key < 120; ++key) {
        ControllerMapItem item;
        item.action = key == 7 ? "a-gain" : "a-play";
        item.type = key == 7 ? "slider" : "button";
        item.key = key;
        item.commandId = ActionNameMap.Lookup(item.action);
        item.rlow = 0;
        item.rhigh = 127;
        rows[key] = item;
    }
    ControllerMap.Replace(rows);

    FakeMidiApi driver;
    BenchHost host;
    host.window = window;
    CMIDIControlReceiver receiver(host);
    midi::CMIDIInDevice device;
    device.SetReceiver(&receiver);
    device.Open(0);
    device.StartReceiving();

    struct Case
    {
        const char* name;
        uint32_t packed; // 0: the floor, a bare PostMessage of WM_COMMAND
        int busy;
    } cases[] = {
        {"floor: bare PostMessage, idle", 0, 0},
        {"floor: bare PostMessage, 4 busy threads", 0, 4},
        {"button -> WM_COMMAND, idle", midi::PackShortMessage(0x90, 0, 20, 127), 0},
        {"button -> WM_COMMAND, 4 busy threads", midi::PackShortMessage(0x90, 0, 20, 127), 4},
        {"slider -> value with entry copy, idle", midi::PackShortMessage(0xB0, 0, 7, 64), 0},
        {"slider -> value with entry copy, 4 busy threads", midi::PackShortMessage(0xB0, 0, 7, 64), 4},
    };
    std::printf("MIDI controller latency, %d messages per case\n", count);
    for (const Case& c : cases) {
        const auto send = [&] {
            if (c.packed)
                driver.DeliverShort(c.packed);
            else
                ::PostMessageA(window, WM_COMMAND, 27101, 0);
        };
        Run(window, send, count / 10, c.busy); // warm-up
        const Figures figures = Run(window, send, count, c.busy);
        std::printf("%s (%zu messages)\n", c.name, figures.handler.size());
        Print("seam -> posted", figures.post);
        Print("seam -> window handler", figures.handler);
    }
    std::printf("entry copies left unfreed: %ld\n", GetPostedItemCount());

    // The receiver's own work without the post: look-up, entry copy, plan.
    const int rounds = count * 50;
    const uint32_t button = midi::PackShortMessage(0x90, 0, 20, 127);
    int posts = 0;
    const double start = bench::Now();
    for (int i = 0; i < rounds; ++i)
        posts += PlanShortMessage(button, ReceiverFlags(), ControllerMap).count;
    const double each = (bench::Now() - start) / rounds;
    std::printf("receiver rules alone: %.3f us per message (%d posts planned)\n", each * 1e6, posts);

    device.Close();
    ::DestroyWindow(window);
    ::CloseHandle(g_handled);
    return 0;
}
