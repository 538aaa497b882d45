// The network input's address parser (url_parse). What it accepts is
// written back as an address and parses to the same parts; the parts stay
// within their bounds and hold no line ends.
#include "decoder/engine/decoder_errors.h"
#include "decoder/network/url.h"
#include "fuzz/FuzzCheck.h"

#include <cstring>
#include <string>

namespace {

std::string Text(const char* s) { return s ? s : ""; }

bool HasControl(const char* s)
{
    for (; s && *s; ++s)
        if (static_cast<unsigned char>(*s) < 0x20 || *s == 0x7f)
            return true;
    return false;
}

const char* SchemeName(int scheme)
{
    switch (scheme) {
    case URL_SCHEME_HTTP: return "http";
    case URL_SCHEME_FTP: return "ftp";
    case URL_SCHEME_UDP: return "udp";
    case URL_SCHEME_TCP: return "tcp";
    case URL_SCHEME_ICY: return "icy";
    default: return "file";
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    parsed_url* url = nullptr;
    const int r = url_parse(text.c_str(), &url);
    FUZZ_CHECK(r == 0 || r == DK_ERR_UNSUPPORTED_URL_SCHEME || r == DK_ERR_INVALID_URL_SYNTAX, "result %d", r);
    FUZZ_CHECK((r == 0) == (url != nullptr), "a record with result %d", r);
    if (!url)
        return 0;
    FUZZ_CHECK(std::strcmp(url->text, text.c_str()) == 0, "the text was not kept");
    FUZZ_CHECK(url->scheme >= URL_SCHEME_FILE && url->scheme <= URL_SCHEME_ICY, "scheme %d", url->scheme);
    std::string again;
    if (url->scheme == URL_SCHEME_FILE) {
        FUZZ_CHECK(url->path && !url->host && url->port == 0, "a file with network parts");
        again = "file://" + Text(url->path);
    } else {
        FUZZ_CHECK(url->host && *url->host, "an empty host");
        FUZZ_CHECK(url->port >= 1 && url->port <= 65535, "port %d", url->port);
        FUZZ_CHECK(url->path && url->path[0] == '/', "a path without '/'");
        FUZZ_CHECK(!std::strpbrk(url->host, "/@:"), "host %s", url->host);
        FUZZ_CHECK(!HasControl(url->host) && !HasControl(url->path) && !HasControl(url->user) &&
                       !HasControl(url->password),
                   "a control character in a part");
        FUZZ_CHECK(url->scheme != URL_SCHEME_FTP || (url->user && url->password), "ftp without a login");
        again = std::string(SchemeName(url->scheme)) + "://";
        if (url->user) {
            FUZZ_CHECK(!std::strpbrk(url->user, "/:"), "user %s", url->user);
            again += Text(url->user);
            if (url->password)
                again += ":" + Text(url->password);
            again += "@";
        }
        again += Text(url->host) + ":" + std::to_string(url->port) + Text(url->path);
    }
    parsed_url* reread = nullptr;
    FUZZ_CHECK(url_parse(again.c_str(), &reread) == 0, "%s does not parse again", again.c_str());
    FUZZ_CHECK(reread->scheme == url->scheme && reread->port == url->port &&
                   Text(reread->host) == Text(url->host) && Text(reread->path) == Text(url->path) &&
                   Text(reread->user) == Text(url->user) && Text(reread->password) == Text(url->password),
               "%s parses otherwise", again.c_str());
    url_free(reread);
    url_free(url);
    return 0;
}
