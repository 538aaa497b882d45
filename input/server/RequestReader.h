// Request texts as they arrive from the request socket: blocks of at most
// 260 bytes, each one read, with no framing of their own. A request ends
// with a line feed (a carriage return before it is dropped); a long request
// comes in several blocks and two short ones may share a block.
#pragma once

#include "framework/core/CString.h"

#include <cstddef>
#include <string>
#include <vector>

// Gathers blocks into whole request lines.
class RequestReader
{
public:
    // Construction: lines longer than maxLine bytes are dropped whole.
    explicit RequestReader(size_t maxLine = kDefaultMaxLine) : m_maxLine(maxLine) {}

    static const size_t kDefaultMaxLine = 4096;

    // Operations
    // Appends the complete lines of the block to lines (without CR and LF;
    // empty lines are skipped) and keeps the unfinished rest.
    void Feed(const char* bytes, size_t length, std::vector<std::string>& lines);
    // Forgets the unfinished rest (a new connection).
    void Reset();

    // Attributes
    // Lines dropped for being too long, since construction.
    size_t GetDroppedLines() const { return m_dropped; }
    size_t GetPendingLength() const { return m_pending.size(); }

private:
    size_t m_maxLine;
    std::string m_pending;
    bool m_overlong = false; // the pending line already passed maxLine
    size_t m_dropped = 0;
};

// One block as the main window takes it: the bytes without carriage
// returns and line feeds, up to a first zero byte.
CString RequestBlockText(const char* bytes, size_t length);
