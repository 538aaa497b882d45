// Every engine result code has its text; codes outside the table do not.
#include "tests/support/TestSupport.h"

#include <climits>

#include "decoder/engine/decoder_errors.h"

namespace {

struct ErrorText
{
    int code;
    const char* text;
};

const ErrorText texts[] = {
    { -100, "out of memory" }, { -101, "out of resources" }, { -102, "invalid parameters" },
    { -103, "internal error" }, { -104, "timeout" }, { -105, "version expired" },
    { -106, "version mismatch" },
    { -200, "connect timed out" }, { -201, "connect failed" }, { -202, "connection refused" },
    { -203, "accept failed" }, { -204, "listen failed" }, { -205, "socket failed" },
    { -206, "socket closed" }, { -207, "bind failed" }, { -208, "host unknown" },
    { -209, "invalid http reply" }, { -210, "http error reply" }, { -211, "http error" },
    { -212, "invalid ftp reply" }, { -213, "ftp error reply" }, { -214, "ftp error" },
    { -300, "pipe failed" }, { -301, "fork failed" }, { -302, "select failed" },
    { -303, "pipe closed" }, { -304, "pipe read failed" }, { -305, "pipe write failed" },
    { -306, "invalid message" }, { -307, "circular queue full" }, { -308, "post failed" },
    { -400, "unsupported url scheme" }, { -401, "invalid url syntax" },
    { -500, "open failed" }, { -501, "close failed" }, { -502, "read failed" },
    { -503, "write failed" }, { -504, "permission denied" }, { -505, "no such device" },
    { -506, "ioctl failed" }, { -507, "plugin module not found" },
    { -508, "unsupported input type" }, { -509, "unsupported output type" },
    { -510, "unsupported format" }, { -511, "device busy" }, { -512, "no such device" },
    { -513, "no such file" }, { -514, "end of input stream" },
    { -600, "no codec found for this stream" },
    { -700, "invalid frame" },
    { -800, "library not found" }, { -801, "symbol not found" },
    { -900, "no such property or environment variable" },
    { -901, "invalid property or environment variable type" },
    { -1000, "no such interface" },
    // Past a family's last code: empty. Outside every family: unknown.
    { -107, "" }, { -215, "" }, { -309, "" }, { -402, "" }, { -515, "" }, { -601, "" },
    { -701, "" }, { -802, "" }, { -902, "" }, { -1001, "" }, { -199, "" },
    { -1100, "unknown error" }, { -50, "unknown error" }, { -1, "unknown error" },
    { -99999, "unknown error" }, { INT_MIN, "unknown error" },
    // Success codes have no text.
    { 0, "" }, { 5, "" }, { INT_MAX, "" },
};

} // namespace

TEST(ErrorText, EveryCodeHasItsText)
{
    for (const ErrorText& t : texts)
        EXPECT_STREQ(t.text, error_string(t.code)) << "code " << t.code;
}
