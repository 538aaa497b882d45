#include "decoder/network/net_socket.h"

#include <winsock2.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

namespace {

// A short thread's argument block, shared by the caller and the thread;
// whichever of the two lets go last frees it. A caller that gave up marks
// it abandoned, and the thread then undoes what it made (a socket).
enum { JOB_RUNNING = 0, JOB_FINISHED = 1, JOB_ABANDONED = 2 };

struct short_job
{
    volatile LONG references;
    volatile LONG state;
    int result;
    SOCKET socket;
    sockaddr_in address;
    char host[1]; // grows with the name
};

void job_release(short_job* job)
{
    if (InterlockedDecrement(&job->references) == 0)
        free(job);
}

DWORD WINAPI lookup_thread(void* argument)
{
    short_job* job = static_cast<short_job*>(argument);
    const hostent* entry = gethostbyname(job->host);
    uint32_t address = 0;
    if (entry && entry->h_addrtype == AF_INET && entry->h_length == 4 && entry->h_addr_list && entry->h_addr_list[0]) {
        const uint8_t* b = reinterpret_cast<const uint8_t*>(entry->h_addr_list[0]);
        address = (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
    }
    job->result = static_cast<int>(address);
    InterlockedExchange(&job->state, JOB_FINISHED);
    job_release(job);
    return 0;
}

DWORD WINAPI connect_thread(void* argument)
{
    short_job* job = static_cast<short_job*>(argument);
    int result = 0;
    if (connect(job->socket, reinterpret_cast<const sockaddr*>(&job->address), sizeof job->address) != 0)
        result = WSAGetLastError();
    job->result = result;
    // A failed connect closes its socket; so does a connect nobody waits for.
    if (InterlockedExchange(&job->state, JOB_FINISHED) == JOB_ABANDONED || result != 0)
        closesocket(job->socket);
    job_release(job);
    return 0;
}

// Runs the job on a short thread for at most timeout_ms: 0 when it
// finished (its result in job->result), -104 on time-out, -103 when the
// thread could not start. The caller's reference is released.
int run_short_job(short_job* job, LPTHREAD_START_ROUTINE work, int timeout_ms)
{
    job->references = 2;
    job->state = JOB_RUNNING;
    HANDLE thread = CreateThread(nullptr, 0, work, job, 0, nullptr);
    if (!thread) {
        free(job);
        return DK_ERR_INTERNAL;
    }
    WaitForSingleObject(thread, timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms));
    CloseHandle(thread);
    return InterlockedCompareExchange(&job->state, JOB_ABANDONED, JOB_RUNNING) == JOB_RUNNING ? DK_ERR_TIMEOUT : 0;
}

short_job* new_job(const char* host)
{
    const size_t n = host ? strlen(host) : 0;
    short_job* job = static_cast<short_job*>(calloc(1, sizeof(short_job) + n));
    if (job && host)
        memcpy(job->host, host, n + 1);
    return job;
}

net_socket* wrap(SOCKET s, int kind)
{
    net_socket* n = static_cast<net_socket*>(calloc(1, sizeof(net_socket)));
    if (!n) {
        closesocket(s);
        return nullptr;
    }
    n->handle = static_cast<uintptr_t>(s);
    n->kind = kind;
    return n;
}

SOCKET raw(const net_socket* s) { return static_cast<SOCKET>(s->handle); }

// Waits until the socket can be read: 1, or -104 on time-out, -302.
int wait_readable(SOCKET s, int timeout_ms)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv;
    tv.tv_sec = timeout_ms / 1000;
    tv.tv_usec = (timeout_ms % 1000) * 1000;
    const int r = select(0, &set, nullptr, nullptr, timeout_ms < 0 ? nullptr : &tv);
    if (r == SOCKET_ERROR)
        return DK_ERR_SELECT_FAILED;
    return r == 0 ? DK_ERR_TIMEOUT : 1;
}

int bind_any(SOCKET s, int port)
{
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<u_short>(port));
    return bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
}

} // namespace

int net_startup()
{
    static volatile LONG started = 0;
    if (started)
        return 0;
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return -1;
    InterlockedExchange(&started, 1);
    return 0;
}

int net_resolve(const char* host, uint32_t* address, int timeout_ms)
{
    if (!host || !*host || !address)
        return DK_ERR_HOST_UNKNOWN;
    if (host[0] >= '0' && host[0] <= '8') {
        int b[4];
        char separators[3];
        if (sscanf(host, "%d%c%d%c%d%c%d", &b[0], &separators[0], &b[1], &separators[1], &b[2], &separators[2],
                   &b[3]) != 7)
            return DK_ERR_HOST_UNKNOWN;
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (b[i] < 0 || b[i] > 255)
                return DK_ERR_HOST_UNKNOWN;
            value = (value << 8) | static_cast<uint32_t>(b[i]);
        }
        *address = value;
        return 0;
    }
    short_job* job = new_job(host);
    if (!job)
        return DK_ERR_OUT_OF_MEMORY;
    const int r = run_short_job(job, lookup_thread, timeout_ms);
    if (r < 0) {
        if (r == DK_ERR_TIMEOUT)
            job_release(job);
        return r;
    }
    const uint32_t found = static_cast<uint32_t>(job->result);
    job_release(job);
    if (found == 0)
        return DK_ERR_HOST_UNKNOWN;
    *address = found;
    return 0;
}

int net_connect(net_socket** out, const char* host, int port, int timeout_ms)
{
    *out = nullptr;
    uint32_t address = 0;
    const DWORD start = GetTickCount();
    int r = net_resolve(host, &address, timeout_ms);
    if (r < 0)
        return r;
    // The look-up and the connect share the time-out.
    if (timeout_ms >= 0) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= static_cast<DWORD>(timeout_ms))
            return DK_ERR_TIMEOUT;
        timeout_ms -= static_cast<int>(spent);
    }
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return DK_ERR_SOCKET_FAILED;
    short_job* job = new_job(nullptr);
    if (!job) {
        closesocket(s);
        return DK_ERR_OUT_OF_MEMORY;
    }
    job->socket = s;
    job->address.sin_family = AF_INET;
    job->address.sin_addr.s_addr = htonl(address);
    job->address.sin_port = htons(static_cast<u_short>(port));
    r = run_short_job(job, connect_thread, timeout_ms);
    if (r == DK_ERR_INTERNAL)
        closesocket(s);
    if (r < 0) {
        if (r == DK_ERR_TIMEOUT)
            job_release(job);
        return r;
    }
    const int error = job->result;
    job_release(job);
    if (error == WSAETIMEDOUT)
        return DK_ERR_CONNECT_TIMED_OUT;
    if (error == WSAECONNREFUSED)
        return DK_ERR_CONNECTION_REFUSED;
    if (error != 0)
        return DK_ERR_CONNECT_FAILED;
    *out = wrap(s, NET_STREAM);
    return *out ? 0 : DK_ERR_OUT_OF_MEMORY;
}

int net_listen(net_socket** out, int* port)
{
    *out = nullptr;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET)
        return DK_ERR_SOCKET_FAILED;
    if (bind_any(s, port ? *port : 0) != 0) {
        closesocket(s);
        return DK_ERR_BIND_FAILED;
    }
    if (listen(s, 1) != 0) {
        closesocket(s);
        return DK_ERR_LISTEN_FAILED;
    }
    *out = wrap(s, NET_STREAM);
    if (!*out)
        return DK_ERR_OUT_OF_MEMORY;
    net_local_address(*out);
    if (port)
        *port = (*out)->local_port;
    return (*out)->local_port;
}

int net_accept(net_socket* listener, net_socket** out, int timeout_ms)
{
    *out = nullptr;
    const int r = wait_readable(raw(listener), timeout_ms);
    if (r < 0)
        return r;
    const SOCKET s = accept(raw(listener), nullptr, nullptr);
    if (s == INVALID_SOCKET)
        return DK_ERR_ACCEPT_FAILED;
    *out = wrap(s, NET_STREAM);
    return *out ? 0 : DK_ERR_OUT_OF_MEMORY;
}

int net_udp_bind(net_socket** out, int port)
{
    *out = nullptr;
    const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET)
        return DK_ERR_SOCKET_FAILED;
    if (bind_any(s, port) != 0) {
        closesocket(s);
        return DK_ERR_BIND_FAILED;
    }
    *out = wrap(s, NET_DATAGRAM);
    return *out ? 0 : DK_ERR_OUT_OF_MEMORY;
}

int net_send(net_socket* s, const void* bytes, size_t length)
{
    const char* p = static_cast<const char*>(bytes);
    while (length > 0) {
        const int chunk = length > 0x10000 ? 0x10000 : static_cast<int>(length);
        const int sent = s->kind == NET_DATAGRAM
                             ? sendto(raw(s), p, chunk, 0, reinterpret_cast<const sockaddr*>(s->peer), sizeof(sockaddr_in))
                             : send(raw(s), p, chunk, 0);
        if (sent <= 0)
            return -1;
        p += sent;
        length -= static_cast<size_t>(sent);
    }
    return 0;
}

int net_send_text(net_socket* s, const char* text) { return net_send(s, text, strlen(text)); }

int net_receive(net_socket* s, void* buffer, int size, int timeout_ms)
{
    int r = wait_readable(raw(s), timeout_ms);
    if (r < 0)
        return r;
    if (s->kind == NET_DATAGRAM) {
        int length = sizeof(sockaddr_in);
        r = recvfrom(raw(s), static_cast<char*>(buffer), size, 0, reinterpret_cast<sockaddr*>(s->peer), &length);
    } else {
        r = recv(raw(s), static_cast<char*>(buffer), size, 0);
    }
    if (r == SOCKET_ERROR)
        return WSAGetLastError() == WSAEMSGSIZE ? size : DK_ERR_READ_FAILED;
    return r == 0 ? DK_ERR_SOCKET_CLOSED : r;
}

int net_read_line(net_socket* s, char* buffer, int size, int timeout_ms)
{
    if (size < 1)
        return DK_ERR_INVALID_PARAMETERS;
    const DWORD start = GetTickCount();
    int length = 0;
    for (;;) {
        int left = -1;
        if (timeout_ms >= 0) {
            const DWORD spent = GetTickCount() - start;
            left = spent >= static_cast<DWORD>(timeout_ms) ? 0 : timeout_ms - static_cast<int>(spent);
        }
        char c = 0;
        const int r = net_receive(s, &c, 1, left);
        if (r < 0) {
            buffer[length] = '\0';
            return r;
        }
        if (c == '\n')
            break;
        if (c == '\r')
            continue;
        if (length < size - 1)
            buffer[length++] = c;
    }
    buffer[length] = '\0';
    return length;
}

int net_local_address(net_socket* s)
{
    sockaddr_in address = {};
    int length = sizeof address;
    if (getsockname(raw(s), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return DK_ERR_SOCKET_FAILED;
    s->local_port = ntohs(address.sin_port);
    const uint32_t a = ntohl(address.sin_addr.s_addr);
    s->local_address[0] = static_cast<uint8_t>(a >> 24);
    s->local_address[1] = static_cast<uint8_t>(a >> 16);
    s->local_address[2] = static_cast<uint8_t>(a >> 8);
    s->local_address[3] = static_cast<uint8_t>(a);
    return 0;
}

void net_close(net_socket* s)
{
    if (!s)
        return;
    closesocket(raw(s));
    free(s);
}
