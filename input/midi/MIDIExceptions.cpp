#include "input/midi/MIDIExceptions.h"

#include "input/midi/MidiApi.h"

namespace midi {

CMIDIInException::CMIDIInException(MMRESULT error) : m_error(error)
{
    m_text[0] = '\0';
    GetMidiApi().InGetErrorText(error, m_text, sizeof(m_text));
    m_text[sizeof(m_text) - 1] = '\0';
}

CMIDIOutException::CMIDIOutException(MMRESULT error) : m_error(error)
{
    m_text[0] = '\0';
    GetMidiApi().OutGetErrorText(error, m_text, sizeof(m_text));
    m_text[sizeof(m_text) - 1] = '\0';
}

} // namespace midi
