// The CD database client: reads the disc's table of contents through MCI,
// computes its disc id, and asks a CDDB server over HTTP for the matches
// and the disc record. It runs on the caller's thread; no wait in it lasts
// more than a few seconds (connect, each read, and a whole answer are
// bounded).
//
// Classes: CDDBSocket, CDDBClient.
#pragma once

#include "audio/cd/CDDBProtocol.h"

#include <winsock2.h>
#include <windows.h>
#include <mmsystem.h>

// One stream socket for one request, closed when it goes away.
class CDDBSocket
{
public:
    CDDBSocket();
    ~CDDBSocket();
    CDDBSocket(const CDDBSocket&) = delete;
    CDDBSocket& operator=(const CDDBSocket&) = delete;

    bool Create();
    // Resolves host (dotted address or name; WSAEINVAL when it does not
    // resolve) and connects, waiting at most timeoutMs (WSAETIMEDOUT).
    bool Connect(const CString& host, int port, int timeoutMs);
    // Waits up to timeoutMs for data (or the close); false when select fails.
    bool IsReadable(bool& readable, int timeoutMs);
    void Close();
    SOCKET Handle() const { return m_socket; }

private:
    SOCKET m_socket = INVALID_SOCKET;
};

// MCI's command-message entry; a test puts a drive of its own in its place.
typedef MCIERROR(WINAPI* CDDBMciCommand)(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);

class CDDBClient : public CDDBProtocol
{
public:
    CDDBClient();
    ~CDDBClient() override;

    // Fills toc (tracks, then the lead-out); drive null for the default drive.
    bool ReadToc(CDDBToc& toc, const char* drive = nullptr);
    bool ComputeDiscId(uint32_t& discId, const char* drive = nullptr);
    bool Query(const CDDBServer& server, uint32_t discId, const CDDBToc& toc, CDDBMatchArray& matches);
    bool Read(const CDDBServer& server, uint32_t discId, const CString& category, CDDBRecord& record);

    int GetLastErrorCode() const;
    CString GetErrorText() const;

    CString GetUserNameText() override;
    CString GetHostNameText() override;
    // Collects an answer until it is whole (see CDDBProtocol::JudgeAnswer).
    virtual bool ReadResponse(CDDBSocket& socket, const char* terminator, CString& text, size_t initialSize,
                              int kind);

    void SetMciCommand(CDDBMciCommand command) { m_mciCommand = command; }

    int m_receiveTimeoutMs = 2000;
    // Added bounds: the connect, and the whole answer however it trickles.
    int m_connectTimeoutMs = 3000;
    int m_answerTimeoutMs = 6000;

private:
    bool Request(const CDDBServer& server, const CString& request, int kind, CString& answer);
    MCIERROR Mci(MCIDEVICEID device, UINT message, DWORD_PTR flags, void* params);

    int m_lastMciError = 0;
    CDDBMciCommand m_mciCommand;
};
