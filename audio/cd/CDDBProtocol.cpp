#include "audio/cd/CDDBProtocol.h"

#include "foundation/crypto/Base64.h"

#include <cstdlib>
#include <cstring>

namespace {

// The value of a number text as the C library reads it, clamped into int.
int NumberOf(const CString& text)
{
    const long value = std::strtol(text.GetString(), nullptr, 10);
    if (value > 0x7FFFFFFFL)
        return 0x7FFFFFFF;
    if (value < -0x7FFFFFFFL)
        return -0x7FFFFFFF;
    return static_cast<int>(value);
}

uint32_t HexOf(const CString& text)
{
    return static_cast<uint32_t>(std::strtoul(text.GetString(), nullptr, 16));
}

// The first three characters as a number, -1 when they are not three digits.
int CodeOf(const char* text, size_t size)
{
    if (size < 3)
        return -1;
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        code = code * 10 + (text[i] - '0');
    }
    return code;
}

bool IsMultiLineCode(int code) { return code >= 210 && code <= 219; }

// Splits text into lines ending with "\r\n" or "\n" (the last line may have
// no end).
void SplitLines(const CString& text, CArray<CString, const CString&>& lines)
{
    lines.RemoveAll();
    const char* s = text.GetString();
    const int size = text.GetLength();
    int start = 0;
    for (int i = 0; i < size; ++i) {
        if (s[i] == '\n') {
            int end = i;
            if (end > start && s[end - 1] == '\r')
                --end;
            lines.Add(CString(s + start, end - start));
            start = i + 1;
        }
    }
    if (start < size)
        lines.Add(CString(s + start, size - start));
}

// The track number after a key's prefix: digits only, 0 to the largest
// track index; -1 otherwise.
int TrackIndexOf(const CString& key, int prefixLength)
{
    const CString digits = key.Mid(prefixLength);
    if (digits.IsEmpty() || digits.GetLength() > 3)
        return -1;
    int n = 0;
    for (int i = 0; i < digits.GetLength(); ++i) {
        const char c = digits[i];
        if (c < '0' || c > '9')
            return -1;
        n = n * 10 + (c - '0');
    }
    return n <= CDDB_MAX_TRACK_INDEX ? n : -1;
}

// Appends value to the entry that the key's number names, growing or
// shrinking the entries to it; false for a number out of range.
bool AppendNumbered(CArray<CString, const CString&>& entries, const CString& key, int prefixLength,
                    const CString& value)
{
    const int n = TrackIndexOf(key, prefixLength);
    if (n < 0)
        return false;
    if (entries.GetSize() != n + 1)
        entries.SetSize(n + 1);
    entries[n] += value;
    return true;
}

bool StartsWith(const CString& text, const char* prefix)
{
    return std::strncmp(text.GetString(), prefix, std::strlen(prefix)) == 0;
}

} // namespace

void CDDBRecord::Reset()
{
    frameOffsets.RemoveAll();
    discLength = 0;
    revision = 0;
    submitterName.Empty();
    submitterVersion.Empty();
    submitterExtra.Empty();
    discId = 0;
    artist.Empty();
    title.Empty();
    trackTitles.RemoveAll();
    extendedDisc.Empty();
    extendedTracks.RemoveAll();
    playOrder.RemoveAll();
    year = 0;
    genre.Empty();
}

CDDBProtocol::CDDBProtocol() = default;
CDDBProtocol::~CDDBProtocol() = default;

uint32_t CDDBProtocol::DiscIdFromToc(const CDDBToc& toc)
{
    const INT_PTR tracks = toc.GetSize() - 1;
    if (tracks < 1)
        return 0;
    uint32_t digitSum = 0;
    for (INT_PTR i = 0; i < tracks; ++i) {
        int seconds = toc[i].minute * 60 + toc[i].second;
        while (seconds > 0) {
            digitSum += static_cast<uint32_t>(seconds % 10);
            seconds /= 10;
        }
    }
    const int total = (toc[tracks].minute * 60 + toc[tracks].second) - (toc[0].minute * 60 + toc[0].second);
    return ((digitSum % 255) << 24) | ((static_cast<uint32_t>(total) & 0xFFFF) << 8) |
           (static_cast<uint32_t>(tracks) & 0xFF);
}

CString CDDBProtocol::CleanNameText(const CString& text)
{
    CString clean = text;
    for (int i = 0; i < clean.GetLength(); ++i) {
        const char c = clean[i];
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!keep)
            clean.SetAt(i, '_');
    }
    return clean;
}

CString CDDBProtocol::GetHelloText()
{
    CString hello;
    hello.Format("hello=%s+%s+%s+%s&proto=%d", GetUserNameText(), GetHostNameText(), m_clientName,
                 m_clientVersion, m_protocolLevel);
    return hello;
}

namespace {

CString ProxyHeader(const CDDBProtocol& client, const CDDBServer& server)
{
    CString header;
    if (!client.m_proxyUser.IsEmpty()) {
        CString credentials;
        credentials.Format("%s:%s", client.m_proxyUser, client.m_proxyPassword);
        const CString encoded = Base64Encode(reinterpret_cast<const unsigned char*>(credentials.GetString()),
                                             static_cast<unsigned int>(credentials.GetLength()));
        header.Format("Proxy-Authorization: Basic %s\r\nHost: %s", encoded, server.host);
    } else {
        header.Format("Host: %s", server.host);
    }
    return header;
}

} // namespace

bool CDDBProtocol::QueryRequestText(const CDDBServer& server, uint32_t discId, const CDDBToc& toc, CString& request)
{
    request.Empty();
    const INT_PTR tracks = toc.GetSize() - 1;
    if (tracks < 1)
        return false;
    CString id, count, offsets, seconds;
    id.Format("%08x", discId);
    count.Format("%d", static_cast<int>(tracks));
    for (INT_PTR i = 0; i < tracks; ++i) {
        if (i > 0)
            offsets += "+";
        offsets.AppendFormat("%d", toc[i].minute * 4500 + toc[i].second * 75 + toc[i].frame);
    }
    seconds.Format("%d", toc[tracks].minute * 60 + toc[tracks].second);
    if (m_proxyHost.IsEmpty()) {
        request.Format("GET %s?cmd=cddb+query+%s+%s+%s+%s&%s HTTP/1.0\r\n\r\n", server.path, id, count, offsets,
                       seconds, GetHelloText());
    } else {
        request.Format("GET http://%s%s?cmd=cddb+query+%s+%s+%s+%s&%s HTTP/1.0\r\n%s\r\n\r\n", server.host,
                       server.path, id, count, offsets, seconds, GetHelloText(), ProxyHeader(*this, server));
    }
    return true;
}

CString CDDBProtocol::ReadRequestText(const CDDBServer& server, const CString& category, uint32_t discId)
{
    CString id, request;
    id.Format("%08x", discId);
    if (m_proxyHost.IsEmpty()) {
        request.Format("GET %s?cmd=cddb+read+%s+%s&%s HTTP/1.0\r\n\r\n", server.path, category, id, GetHelloText());
    } else {
        request.Format("GET http://%s%s?cmd=cddb+read+%s+%s&%s HTTP/1.0\r\n%s\r\n\r\n", server.host, server.path,
                       category, id, GetHelloText(), ProxyHeader(*this, server));
    }
    return request;
}

CDDBAnswerState CDDBProtocol::JudgeAnswer(const char* text, size_t size, const char* terminator, int kind,
                                          size_t* length)
{
    if (size > CDDB_MAX_ANSWER)
        return CDDBAnswerState::TooLarge;
    const char* headEnd = nullptr;
    for (size_t i = 0; i + 4 <= size; ++i) {
        if (std::memcmp(text + i, "\r\n\r\n", 4) == 0) {
            headEnd = text + i + 4;
            break;
        }
    }
    if (kind == 1 && headEnd) {
        const size_t bodySize = size - static_cast<size_t>(headEnd - text);
        // A one-line answer is whole when its line has ended.
        if (bodySize >= 3 && !IsMultiLineCode(CodeOf(headEnd, bodySize)) &&
            std::memchr(headEnd, '\n', bodySize) != nullptr) {
            *length = size;
            return CDDBAnswerState::Complete;
        }
    }
    const size_t termSize = std::strlen(terminator);
    if (termSize > 0 && size >= termSize) {
        for (size_t i = 0; i + termSize <= size; ++i) {
            if (std::memcmp(text + i, terminator, termSize) == 0) {
                *length = i;
                return CDDBAnswerState::Complete;
            }
        }
    }
    return CDDBAnswerState::More;
}

bool CDDBProtocol::ParseQueryResponse(const CString& text, CDDBMatchArray& matches)
{
    matches.RemoveAll();
    m_lastAnswer = text;
    m_error = ErrorNone;
    const int code = CodeOf(text.GetString(), static_cast<size_t>(text.GetLength()));
    if (IsMultiLineCode(code)) {
        CArray<CString, const CString&> lines;
        SplitLines(text, lines);
        for (INT_PTR i = 1; i < lines.GetSize(); ++i) {
            CDDBMatch match;
            if (ParseMatchLine(lines[i], match))
                matches.Add(match);
        }
        if (matches.GetSize() == 0) {
            Fail(ErrorProtocol);
            return false;
        }
        m_lastAnswer.Empty();
        return true;
    }
    if (code == 200) {
        CDDBMatch match;
        if (text.GetLength() > 5 && ParseMatchLine(text.Mid(4), match)) {
            matches.Add(match);
            m_lastAnswer.Empty();
            return true;
        }
        Fail(ErrorProtocol);
        return false;
    }
    if (code == 202)
        return false;
    Fail(ErrorProtocol);
    return false;
}

bool CDDBProtocol::ParseMatchLine(const CString& line, CDDBMatch& match)
{
    // Only the first line counts: the category goes into the read request's
    // line, so it holds only letters, digits, '_' and '-'.
    const char* s = line.GetString();
    int size = 0;
    while (size < line.GetLength() && s[size] != '\r' && s[size] != '\n')
        ++size;
    int at = 0;
    while (at < size && s[at] != ' ') {
        const char c = s[at];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
            return false;
        ++at;
    }
    if (at == 0 || at >= size)
        return false;
    const CString category(s, at);
    while (at < size && s[at] == ' ')
        ++at;
    const int idStart = at;
    while (at < size && s[at] != ' ')
        ++at;
    if (at == idStart || at >= size)
        return false;
    const CString id(s + idStart, at - idStart);
    while (at < size && s[at] == ' ')
        ++at;
    int end = at;
    while (end < size && s[end] != '\r' && s[end] != '\n')
        ++end;
    if (end == at)
        return false;
    const CString discTitle(s + at, end - at);

    match.category = category;
    match.discId = HexOf(id);
    const int slash = discTitle.Find('/');
    if (slash >= 0) {
        match.artist = discTitle.Left(slash);
        match.artist.Trim();
        match.title = discTitle.Mid(slash + 1);
        match.title.Trim();
    } else {
        match.artist.Empty();
        match.title = discTitle;
    }
    return true;
}

bool CDDBProtocol::ParseReadResponse(const CString& text, CDDBRecord& record)
{
    m_lastAnswer = text;
    m_error = ErrorNone;
    if (!IsMultiLineCode(CodeOf(text.GetString(), static_cast<size_t>(text.GetLength())))) {
        Fail(ErrorProtocol);
        return false;
    }
    int lineEnd = text.Find("\r\n");
    int skip = 2;
    if (lineEnd < 0) {
        lineEnd = text.Find('\n');
        skip = 1;
    }
    if (lineEnd < 0) {
        Fail(ErrorProtocol);
        return false;
    }
    const CString answer = m_lastAnswer;
    if (!ParseXmcd(text.Mid(lineEnd + skip), record)) {
        m_lastAnswer = answer;
        return false;
    }
    m_lastAnswer.Empty();
    return true;
}

namespace {

CString CommentText(const CString& line)
{
    CString rest = line.Mid(1);
    rest.Trim();
    if (rest.GetLength() <= 1)
        rest.Empty();
    return rest;
}

CString Unescape(const CString& value)
{
    CString text = value;
    text.Replace("\\n", "\n");
    text.Replace("\\t", "\t");
    text.Replace("\\\\", "\\");
    return text;
}

} // namespace

bool CDDBProtocol::ParseXmcd(const CString& text, CDDBRecord& record)
{
    record.Reset();
    m_error = ErrorNone;
    bool signature = false, inOffsets = false, sawLength = false, sawSubmitter = false, sawId = false,
         sawTitle = false;
    CString discTitle, playOrder;

    CArray<CString, const CString&> lines;
    SplitLines(text, lines);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CString& line = lines[i];
        if (line.GetLength() > 0 && line[0] == '#') {
            const CString comment = CommentText(line);
            if (StartsWith(comment, "xmcd")) {
                signature = true;
            } else if (comment.Find("Track frame offsets:") >= 0) {
                inOffsets = true;
            } else if (StartsWith(comment, "Disc length:")) {
                inOffsets = false;
                record.discLength = NumberOf(comment.Mid(13));
                sawLength = true;
            } else if (StartsWith(comment, "Revision:")) {
                record.revision = NumberOf(comment.Mid(9));
            } else if (StartsWith(comment, "Submitted via:")) {
                const CString words = comment.Mid(14);
                CString parts[3];
                int found = 0, start = 0;
                for (CString word = words.Tokenize(" ", start); start >= 0 && found < 3;
                     word = words.Tokenize(" ", start))
                    parts[found++] = word;
                if (found < 2) {
                    Fail(ErrorProtocol);
                    return false;
                }
                record.submitterName = parts[0];
                record.submitterVersion = parts[1];
                record.submitterExtra = parts[2];
                sawSubmitter = true;
            } else if (!comment.IsEmpty() && inOffsets) {
                record.frameOffsets.Add(static_cast<uint32_t>(std::strtoul(comment.GetString(), nullptr, 10)));
            }
            continue;
        }
        const int equals = line.Find('=');
        if (equals < 0)
            continue;
        const CString key = line.Left(equals);
        const CString value = Unescape(line.Mid(equals + 1));
        if (key == "DISCID") {
            if (value.GetLength() > 7)
                record.discId = HexOf(value);
            sawId = true;
        } else if (key == "DTITLE") {
            discTitle += value;
            sawTitle = true;
        } else if (key == "DYEAR") {
            record.year = NumberOf(value);
        } else if (key == "DGENRE") {
            record.genre += value;
        } else if (StartsWith(key, "TTITLE")) {
            if (!AppendNumbered(record.trackTitles, key, 6, value)) {
                Fail(ErrorProtocol);
                return false;
            }
        } else if (key == "EXTD") {
            record.extendedDisc += value;
        } else if (StartsWith(key, "EXTT")) {
            if (!AppendNumbered(record.extendedTracks, key, 4, value)) {
                Fail(ErrorProtocol);
                return false;
            }
        } else if (key == "PLAYORDER") {
            playOrder += value;
        }
    }
    if (!signature || record.frameOffsets.GetSize() == 0 || !sawLength || !sawSubmitter || !sawId || !sawTitle ||
        record.extendedTracks.GetSize() != record.trackTitles.GetSize()) {
        Fail(ErrorProtocol);
        return false;
    }
    const int split = discTitle.Find(" / ");
    if (split >= 0) {
        record.artist = discTitle.Left(split);
        record.title = discTitle.Mid(split + 3);
    } else {
        record.artist = discTitle;
        record.title = discTitle;
    }
    int start = 0;
    for (CString part = playOrder.Tokenize(",", start); start >= 0; part = playOrder.Tokenize(",", start))
        record.playOrder.Add(NumberOf(part));
    return true;
}
