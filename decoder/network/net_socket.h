// Windows Sockets for the network input: blocking sockets, with select
// for every wait so that each has a time-out; host look-up and connect
// run on short threads of their own so that their time-outs hold too.
// Results are 0 or more, or a negative engine code (-200 family, -104 for
// a time-out, -302 select, -502 receive, -206 closed by the peer).
#pragma once

#include <stddef.h>
#include <stdint.h>

enum net_socket_kind
{
    NET_STREAM = 0,
    NET_DATAGRAM = 1,
};

struct net_socket
{
    uintptr_t handle; // the SOCKET
    int32_t kind;     // net_socket_kind
    uint8_t peer[16]; // datagrams: the last sender (a sockaddr_in)
    // Filled by net_local_address.
    uint16_t local_port;
    uint8_t local_address[4]; // high byte first
};

// Starts Windows Sockets 1.1 for the process (once); 0 or -1.
int net_startup();

// The IPv4 address of host, high byte first, in *address. A host that
// begins with a digit 0 to 8 must be "a.b.c.d" (any single separators);
// other hosts are looked up on a short thread. -208 unknown, -104 time-out.
int net_resolve(const char* host, uint32_t* address, int timeout_ms);
// A connected stream socket, looked up and connected within timeout_ms
// together; -200 timed out, -202 refused, -201 failed,
// -104 time-out, -205 no socket, -208 unknown host.
int net_connect(net_socket** out, const char* host, int port, int timeout_ms);
// A stream socket listening on port (0: any) on every address, backlog 1;
// -207 bind failed, -204 listen failed. *port gets the bound port.
int net_listen(net_socket** out, int* port);
// -302 select failed, -104 time-out, -203 accept failed.
int net_accept(net_socket* listener, net_socket** out, int timeout_ms);
// A datagram socket bound to port on every address; -207.
int net_udp_bind(net_socket** out, int port);
// Sends everything; -1 when a call fails.
int net_send(net_socket* s, const void* bytes, size_t length);
int net_send_text(net_socket* s, const char* text);
// Bytes received (1 or more); negative timeout_ms waits without end.
int net_receive(net_socket* s, void* buffer, int size, int timeout_ms);
// One line without its "\r\n" (a '\r' anywhere is dropped), NUL-ended, at
// most size - 1 characters: the rest of a longer line is read and dropped.
// The time-out holds for the whole line. The line's length, or the error.
int net_read_line(net_socket* s, char* buffer, int size, int timeout_ms);
int net_local_address(net_socket* s);
void net_close(net_socket* s);
