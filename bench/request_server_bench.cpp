// The request server's throughput: one client on 127.0.0.1 sends a request
// line and waits for its answer, again and again; a stand-in main window
// answers each request at once through the server. Prints requests per
// second, round-trip times and whether anything was lost.
//
//   request_server_bench [REQUESTS] [IN_FLIGHT]   (default 20000 and 1:
//   each request waits for its answer before the next is sent)
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "foundation/app/ProgramFolder.h"
#include "framework/ui/AfxWin.h"
#include "input/server/RequestReader.h"
#include "input/server/RequestServer.h"

namespace {

const UINT kDone = WM_APP + 1;

class BenchWindow : public CWnd
{
public:
    explicit BenchWindow(RequestServer& server) : m_server(server) {}
    size_t m_answered = 0;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnCommRequest(WPARAM wParam, LPARAM lParam)
    {
        std::unique_ptr<char[]> block = TakeRequestBlock(lParam);
        std::vector<std::string> lines;
        m_reader.Feed(block.get(), static_cast<size_t>(wParam), lines);
        for (const std::string& line : lines) {
            m_server.SendCommMessage(("ok:" + line).c_str());
            ++m_answered;
        }
        return 0;
    }
    LRESULT OnCommSocketEvent(WPARAM wParam, LPARAM)
    {
        m_server.OnCommSocketEvent(wParam);
        return 0;
    }
    LRESULT OnDone(WPARAM, LPARAM)
    {
        ::PostQuitMessage(0);
        return 0;
    }

private:
    RequestServer& m_server;
    RequestReader m_reader;
};

BEGIN_MESSAGE_MAP(BenchWindow, CWnd)
    ON_MESSAGE(WM_COMM_REQUEST, OnCommRequest)
    ON_MESSAGE(WM_COMM_SOCKET_EVENT, OnCommSocketEvent)
    ON_MESSAGE(kDone, OnDone)
END_MESSAGE_MAP()

struct ClientResult
{
    size_t answered = 0;
    size_t wrong = 0;
    double seconds = 0;
    std::vector<double> roundTripsUs;
};

// Keeps up to inFlight requests outstanding (1: each request waits for
// its answer) and checks every answer in order.
void RunClient(uint16_t port, int count, int inFlight, HWND window, ClientResult& result)
{
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        std::printf("connect failed: %d\n", ::WSAGetLastError());
        ::PostMessageA(window, kDone, 0, 0);
        return;
    }
    std::string pending;
    char buffer[4096];
    std::vector<std::chrono::steady_clock::time_point> sentAt(static_cast<size_t>(count));
    int sent = 0;
    const auto start = std::chrono::steady_clock::now();
    while (result.answered < static_cast<size_t>(count)) {
        while (sent < count && sent - static_cast<int>(result.answered) < inFlight) {
            const std::string request = "reqi:" + std::to_string(sent) + "\r\n";
            sentAt[static_cast<size_t>(sent)] = std::chrono::steady_clock::now();
            if (::send(s, request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size()))
                break;
            ++sent;
        }
        const int n = ::recv(s, buffer, sizeof(buffer), 0);
        if (n <= 0)
            break;
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\0')) != std::string::npos) {
            const std::string expected = "ok:reqi:" + std::to_string(result.answered) + "\r\n";
            if (pending.compare(0, end, expected) != 0)
                ++result.wrong;
            result.roundTripsUs.push_back(std::chrono::duration<double, std::micro>(
                std::chrono::steady_clock::now() - sentAt[result.answered]).count());
            pending.erase(0, end + 1);
            ++result.answered;
        }
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ::closesocket(s);
    ::PostMessageA(window, kDone, 0, 0);
}

// The floor: the same exchange with a plain thread that echoes each line
// with blocking calls, no watch thread, no window, no messages.
double RawEchoRate(int count)
{
    SOCKET listening = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof(address);
    if (::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listening, 1) != 0 || ::getsockname(listening, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    std::thread echo([listening]() {
        SOCKET peer = ::accept(listening, nullptr, nullptr);
        char buffer[260];
        int n;
        while ((n = ::recv(peer, buffer, sizeof(buffer), 0)) > 0)
            ::send(peer, buffer, n, 0);
        ::closesocket(peer);
    });
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, 0);
    double seconds = 0;
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
        const auto start = std::chrono::steady_clock::now();
        char buffer[260];
        for (int i = 0; i < count; ++i) {
            const std::string request = "reqi:" + std::to_string(i) + "\r\n";
            ::send(s, request.data(), static_cast<int>(request.size()), 0);
            size_t got = 0;
            while (got < request.size()) {
                const int n = ::recv(s, buffer, sizeof(buffer), 0);
                if (n <= 0)
                    break;
                got += static_cast<size_t>(n);
            }
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    ::closesocket(s);
    echo.join();
    ::closesocket(listening);
    return seconds > 0 ? count / seconds : 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int inFlight = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 0), &data) != 0)
        return 1;
    char folder[MAX_PATH];
    ::GetTempPathA(sizeof(folder), folder);
    std::string programFolder = std::string(folder) + "request_server_bench_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(programFolder.c_str(), nullptr);
    SetProgramFolder(programFolder.c_str());
    const std::string ini = programFolder + "\\TavrixVJ.INI";
    ::WritePrivateProfileStringA("MAIN", "CommPort", "0", ini.c_str());

    RequestServer server;
    BenchWindow window(server);
    window.CreateEx(0, nullptr, "request server bench", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr);
    CEdit events;
    const RECT area = {0, 0, 10, 10};
    events.Create(WS_CHILD | ES_MULTILINE, area, &window, 1161);
    server.SetLogWindow(&events);
    server.SetNotifyWindow(window.GetSafeHwnd());
    server.SetBindHost("127.0.0.1");
    if (!server.StartCommServer()) {
        std::printf("the server did not start\n");
        return 1;
    }
    const uint16_t port = server.Socket().GetLocalPort();

    ClientResult result;
    std::thread client(RunClient, port, count, inFlight, window.GetSafeHwnd(), std::ref(result));
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    client.join();
    server.StopCommServer();
    window.DestroyWindow();

    std::vector<double> trips = result.roundTripsUs;
    std::sort(trips.begin(), trips.end());
    auto at = [&](double q) { return trips.empty() ? 0.0 : trips[static_cast<size_t>(q * (trips.size() - 1))]; };
    std::printf("requests sent       %d (at most %d in flight)\n", count, inFlight);
    std::printf("answers received    %zu (wrong %zu, lost %zu)\n", result.answered, result.wrong,
                static_cast<size_t>(count) - result.answered);
    std::printf("answered by window  %zu\n", window.m_answered);
    std::printf("elapsed             %.3f s\n", result.seconds);
    std::printf("requests per second %.0f\n", result.seconds > 0 ? result.answered / result.seconds : 0.0);
    std::printf("round trip us       median %.0f  p99 %.0f  max %.0f\n", at(0.5), at(0.99), at(1.0));
    std::printf("floor: plain echo   %.0f requests per second (blocking calls, no window)\n", RawEchoRate(count));
    ::DeleteFileA(ini.c_str());
    ::RemoveDirectoryA(programFolder.c_str());
    return result.answered == static_cast<size_t>(count) && result.wrong == 0 ? 0 : 2;
}
