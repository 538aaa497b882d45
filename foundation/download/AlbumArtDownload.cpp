#include "foundation/download/AlbumArtDownload.h"

#include "foundation/app/AtomicFile.h"
#include "foundation/app/ProgramFolder.h"
#include "foundation/download/HttpReply.h"
#include "foundation/download/InternetHandle.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const DWORD kReadBlock = 8192;
const DWORD kTimeoutMs = 30000;
const DWORD_PTR kContext = 1;

bool Fail(CString* error, const CString& text)
{
    if (error)
        *error = text;
    return false;
}

// The reply's status and length. A reply that is not HTTP (an ftp or
// file address) counts as a success of unknown length.
bool ReadReplyHead(HINTERNET file, HttpReplyHead& head)
{
    DWORD size = 0;
    HttpQueryInfoA(file, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) {
        head = HttpReplyHead();
        head.status = 200;
        return true;
    }
    std::vector<char> text(size + 1);
    if (!HttpQueryInfoA(file, HTTP_QUERY_RAW_HEADERS_CRLF, text.data(), &size, nullptr))
        return false;
    return ParseHttpReplyHead(text.data(), size, head);
}

} // namespace

CString GetAlbumArtImagePath()
{
    const CString folder = GetProgramFolder();
    char name[128] = {};
    GetPrivateProfileStringA("ALBUMART", "TempImageFile", "amazonimage.jpg", name, sizeof name,
                             folder + "KVLib.ini");
    return folder + name;
}

bool DownloadAlbumArtImage(const CString& url, const CString& target, CString* error)
{
    if (url.IsEmpty())
        return Fail(error, "No picture address was given.");
    const CString path = target.IsEmpty() ? GetAlbumArtImagePath() : target;

    InternetHandle session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return Fail(error, "The internet functions are not available.");
    DWORD timeout = kTimeoutMs;
    InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout);
    InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout);
    InternetSetOptionA(session, INTERNET_OPTION_SEND_TIMEOUT, &timeout, sizeof timeout);

    const DWORD flags = INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD |
                        INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
    InternetHandle file(InternetOpenUrlA(session, url, nullptr, 0, flags, kContext));
    if (!file) {
        CString text;
        text.Format("The picture address could not be opened (error %lu).", GetLastError());
        return Fail(error, text);
    }

    HttpReplyHead head;
    if (!ReadReplyHead(file, head))
        return Fail(error, "The server's reply could not be understood.");
    if (head.status < 200 || head.status > 299) {
        CString text;
        text.Format("The server answered with status %d.", head.status);
        return Fail(error, text);
    }

    AtomicFile image;
    if (!image.Open(path)) {
        CString text;
        text.Format("The picture file \"%s\" cannot be created (error %lu).", path.GetString(),
                    image.GetError());
        return Fail(error, text);
    }

    std::vector<BYTE> block(kReadBlock);
    std::string first, last;   // the body's first 8 and last 16 bytes
    uint64_t received = 0;
    bool readFailed = false;
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(file, block.data(), kReadBlock, &got)) {
            readFailed = true;
            break;
        }
        if (got == 0)
            break;   // the end of the body
        received += got;
        if (received > kMaxDownloadBytes)
            break;
        if (first.size() < 8)
            first.append(reinterpret_cast<const char*>(block.data()), std::min<size_t>(8 - first.size(), got));
        last.append(reinterpret_cast<const char*>(block.data()), got);
        if (last.size() > 16)
            last.erase(0, last.size() - 16);
        if (!image.Write(block.data(), got)) {
            CString text;
            text.Format("The picture file \"%s\" could not be written (error %lu).",
                        path.GetString(), image.GetError());
            return Fail(error, text);
        }
    }

    CString text;
    switch (JudgeDownload(head, received, readFailed)) {
    case DownloadVerdict::Complete:
        if (!ImageLooksWhole(reinterpret_cast<const uint8_t*>(first.data()), first.size(),
                             reinterpret_cast<const uint8_t*>(last.data()), last.size()))
            return Fail(error, "The picture ends before its end marker: the download was cut short.");
        if (image.Commit())
            return true;
        text.Format("The picture file \"%s\" could not be replaced (error %lu).", path.GetString(),
                    image.GetError());
        return Fail(error, text);
    case DownloadVerdict::Truncated:
        text.Format("The download ended after %llu of %llu bytes.",
                    static_cast<unsigned long long>(received),
                    static_cast<unsigned long long>(head.contentLength));
        return Fail(error, text);
    case DownloadVerdict::TooLarge:
        return Fail(error, "The picture is larger than 16 MB.");
    case DownloadVerdict::ReadFailed:
        text.Format("The connection failed after %llu bytes.", static_cast<unsigned long long>(received));
        return Fail(error, text);
    case DownloadVerdict::ServerError:
        break;
    }
    text.Format("The server answered with status %d.", head.status);
    return Fail(error, text);
}
