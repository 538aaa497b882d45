#include "input/server/SocketTexts.h"

bool ParsePortText(const char* service, uint16_t& port)
{
    if (!service || *service < '0' || *service > '9')
        return false;
    uint32_t value = 0;
    for (const char* p = service; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + static_cast<uint32_t>(*p - '0');
        if (value > 65535)
            return false;
    }
    port = static_cast<uint16_t>(value);
    return true;
}

CString AddressText(const uint8_t bytes[4])
{
    CString text;
    text.Format("%u.%u.%u.%u", static_cast<unsigned>(bytes[0]), static_cast<unsigned>(bytes[1]),
                static_cast<unsigned>(bytes[2]), static_cast<unsigned>(bytes[3]));
    return text;
}

CString PeerText(const uint8_t bytes[4], uint16_t port)
{
    CString text = AddressText(bytes);
    text.AppendFormat(":%d", static_cast<int>(port));
    return text;
}
