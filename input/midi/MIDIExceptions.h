// The MIDI device layer's exceptions, thrown by value.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <exception>
#include <new>

namespace midi {

// A failing input call (open, start, device capabilities): what() is the
// driver's text for the error code.
class CMIDIInException : public std::exception
{
public:
    explicit CMIDIInException(MMRESULT error);
    const char* what() const noexcept override { return m_text; }
    MMRESULT GetError() const { return m_error; }

private:
    MMRESULT m_error;
    char m_text[128];
};

// The input device's signalling event could not be created.
class CMIDIInEventFailure : public std::exception
{
public:
    const char* what() const noexcept override
    {
        return "Unable to create a signalling event for CMIDIInDevice object.";
    }
};

// A failing output call (open, prepare, long send, device capabilities).
class CMIDIOutException : public std::exception
{
public:
    explicit CMIDIOutException(MMRESULT error);
    const char* what() const noexcept override { return m_text; }
    MMRESULT GetError() const { return m_error; }

private:
    MMRESULT m_error;
    char m_text[128];
};

// The output device's signalling event could not be created.
class CMIDIOutEventFailure : public std::exception
{
public:
    const char* what() const noexcept override
    {
        return "Unable to create a signalling event for CMIDIOutDevice object.";
    }
};

// A long message's header record could not be allocated.
class CMIDIOutMemFailure : public std::bad_alloc
{
public:
    const char* what() const noexcept override
    {
        return "Memory allocation within a CMIDIOutDevice object failed.";
    }
};

} // namespace midi
