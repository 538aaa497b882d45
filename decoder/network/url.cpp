#include "decoder/network/url.h"

#include <stdlib.h>
#include <string.h>

#include "decoder/engine/decoder_errors.h"

const char* const URL_FTP_DEFAULT_PASSWORD = "dekoda@";

namespace {

struct scheme_name
{
    const char* prefix; // with its ':'
    int scheme;
};

const scheme_name g_schemes[] = {
    {"file:", URL_SCHEME_FILE}, {"http:", URL_SCHEME_HTTP}, {"ftp:", URL_SCHEME_FTP},
    {"udp:", URL_SCHEME_UDP},   {"tcp:", URL_SCHEME_TCP},   {"icy:", URL_SCHEME_ICY},
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_text_ignoring_case(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

char* copy_range(const char* begin, const char* end, bool* failed)
{
    const size_t n = static_cast<size_t>(end - begin);
    char* copy = static_cast<char*>(malloc(n + 1));
    if (!copy) {
        *failed = true;
        return nullptr;
    }
    memcpy(copy, begin, n);
    copy[n] = '\0';
    return copy;
}

char* copy_text(const char* text, bool* failed) { return copy_range(text, text + strlen(text), failed); }

// A port is 1 to 65535 written in decimal digits only; anything else is 0.
int read_port(const char* begin, const char* end)
{
    if (begin == end)
        return 0;
    long value = 0;
    for (const char* c = begin; c < end; ++c) {
        if (*c < '0' || *c > '9')
            return 0;
        value = value * 10 + (*c - '0');
        if (value > 65535)
            return 0;
    }
    return static_cast<int>(value);
}

int fail(parsed_url* url, int error)
{
    url_free(url);
    return error;
}

} // namespace

int url_default_port(int scheme)
{
    switch (scheme) {
    case URL_SCHEME_HTTP:
    case URL_SCHEME_ICY:
        return 80;
    case URL_SCHEME_FTP:
        return 21;
    case URL_SCHEME_UDP:
        return 8888;
    case URL_SCHEME_TCP:
        return 23;
    default:
        return 0;
    }
}

void url_free(parsed_url* url)
{
    if (!url)
        return;
    free(url->text);
    free(url->user);
    free(url->password);
    free(url->host);
    free(url->path);
    free(url);
}

int url_parse(const char* text, parsed_url** out)
{
    if (!out)
        return DK_ERR_INVALID_PARAMETERS;
    *out = nullptr;
    if (!text)
        return DK_ERR_INVALID_URL_SYNTAX;
    parsed_url* url = static_cast<parsed_url*>(calloc(1, sizeof(parsed_url)));
    if (!url)
        return DK_ERR_OUT_OF_MEMORY;
    bool failed = false;
    url->text = copy_text(text, &failed);
    if (failed)
        return fail(url, DK_ERR_OUT_OF_MEMORY);

    // A ':' after two characters or more names the scheme; "C:\..." and
    // names without a ':' are file paths.
    const char* colon = strchr(text, ':');
    const char* rest = text;
    url->scheme = URL_SCHEME_FILE;
    if (colon && colon - text >= 2) {
        const size_t n = static_cast<size_t>(colon - text) + 1;
        url->scheme = URL_SCHEME_NONE;
        for (const scheme_name& s : g_schemes)
            if (strlen(s.prefix) == n && same_text_ignoring_case(text, s.prefix, n))
                url->scheme = s.scheme;
        if (url->scheme == URL_SCHEME_NONE)
            return fail(url, DK_ERR_UNSUPPORTED_URL_SCHEME);
        rest = colon + 1;
    }

    if (url->scheme == URL_SCHEME_FILE) {
        if (rest[0] == '/' && rest[1] == '/')
            rest += 2;
        url->path = copy_text(rest, &failed);
        return failed ? fail(url, DK_ERR_OUT_OF_MEMORY) : (*out = url, 0);
    }

    if (rest[0] != '/' || rest[1] != '/')
        return fail(url, DK_ERR_INVALID_URL_SYNTAX);
    // The parts go into request lines: a control character (a line end)
    // would start a line of its own.
    for (const char* c = rest; *c; ++c)
        if (static_cast<unsigned char>(*c) < 0x20 || *c == 0x7f)
            return fail(url, DK_ERR_INVALID_URL_SYNTAX);
    const char* authority = rest + 2;
    const char* slash = strchr(authority, '/');
    const char* authority_end = slash ? slash : authority + strlen(authority);
    url->path = slash ? copy_text(slash, &failed) : copy_text("/", &failed);

    // The user information ends at the last '@' of the host part.
    const char* host = authority;
    for (const char* c = authority; c < authority_end; ++c)
        if (*c == '@')
            host = c + 1;
    if (host != authority) {
        const char* info_end = host - 1;
        const char* separator = static_cast<const char*>(memchr(authority, ':', static_cast<size_t>(info_end - authority)));
        url->user = copy_range(authority, separator ? separator : info_end, &failed);
        if (separator)
            url->password = copy_range(separator + 1, info_end, &failed);
    }
    const char* port = static_cast<const char*>(memchr(host, ':', static_cast<size_t>(authority_end - host)));
    const char* host_end = port ? port : authority_end;
    if (host_end == host)
        return fail(url, DK_ERR_INVALID_URL_SYNTAX);
    url->host = copy_range(host, host_end, &failed);
    url->port = port ? read_port(port + 1, authority_end) : url_default_port(url->scheme);
    if (url->port == 0)
        return fail(url, DK_ERR_INVALID_URL_SYNTAX);

    if (url->scheme == URL_SCHEME_FTP) {
        if (!url->user)
            url->user = copy_text("anonymous", &failed);
        if (!url->password)
            url->password = copy_text(URL_FTP_DEFAULT_PASSWORD, &failed);
    }
    if (failed)
        return fail(url, DK_ERR_OUT_OF_MEMORY);
    *out = url;
    return 0;
}
