#include "input/learn/LearnSteps.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/midi/MidiBytes.h"

#include <cstring>

namespace {

const char kProlog[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

CString Decimal(int32_t value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

} // namespace

bool LearnSteps::ChooseType(const CString& type, CString& prompt)
{
    Stop();
    const CString action = m_entry.action;
    m_entry = LearnEntry();
    m_entry.action = action;
    prompt.Empty();
    if (type.CompareNoCase("button") == 0) {
        m_buttonPress = true;
        prompt = "Press and release the button now. Click Finished when complete.";
    } else if (type.CompareNoCase("knob") == 0) {
        m_knob[0] = true;
        prompt = "Rotate the knob all the way to the left now. Click Finished when complete.";
    } else if (type.CompareNoCase("scrollknob") == 0) {
        m_scrollKnob[0] = true;
        prompt = "Turn the knob to the left slowly. Click Finished when complete.";
    } else if (type.CompareNoCase("slider") == 0) {
        m_slider[0] = true;
        prompt = "Pull the slider all the way to the left (horz), or top (vert), then click Finished.";
    } else if (type.CompareNoCase("wheel") == 0) {
        m_wheel[0] = true;
        prompt = "Move the wheel to the left now (slowly), then click Finished";
    } else {
        return false;
    }
    m_entry.type = type;
    return true;
}

void LearnSteps::RecordFirst(uint32_t packed)
{
    m_entry.chan = midi::ChannelOf(packed);
    m_entry.command = midi::CommandOf(packed);
    m_entry.midikey = midi::Data1Of(packed);
    m_entry.value = midi::Data2Of(packed);
}

bool LearnSteps::Receive(uint32_t packed)
{
    const int32_t value = midi::Data2Of(packed);
    if (m_buttonPress) {
        RecordFirst(packed);
        m_entry.rhigh = value;
        m_buttonPress = false;
        m_buttonRelease = true;
        return false;
    }
    if (m_buttonRelease) {
        m_buttonRelease = false;
        m_entry.rlow = value;
        return true;
    }
    if (m_slider[0]) {
        RecordFirst(packed);
        m_entry.rhigh = value;
        return true;
    }
    if (m_slider[1]) {
        m_entry.rlow = value;
        return true;
    }
    // Knobs, scroll knobs and wheels: the first phase is the low end.
    for (bool* phases : {m_knob, m_scrollKnob, m_wheel}) {
        if (phases[0]) {
            RecordFirst(packed);
            m_entry.rlow = value;
            return true;
        }
        if (phases[1]) {
            m_entry.rhigh = value;
            return true;
        }
    }
    return false;
}

LearnSteps::FinishResult LearnSteps::Finish(CString& prompt)
{
    struct Phases
    {
        bool* flags;
        const char* next;
    };
    const Phases order[] = {
        {m_slider, "Pull the slider all the way to the right (horz), or bottom (vert), then click Finished."},
        {m_knob, "Rotate the knob all the way to the right, then click Finished."},
        {m_scrollKnob, "Turn the knob slowly to the right, then click Finished."},
        {m_wheel, "Turn the knob slowly to the right, then click Finished."},
    };
    prompt.Empty();
    for (const Phases& phases : order) {
        if (phases.flags[0]) {
            phases.flags[0] = false;
            phases.flags[1] = true;
            prompt = phases.next;
            return FinishResult::NextPhase;
        }
        if (phases.flags[1])
            phases.flags[1] = false;
    }
    Stop();
    return FinishResult::Done;
}

void LearnSteps::Stop()
{
    m_buttonPress = m_buttonRelease = false;
    m_knob[0] = m_knob[1] = m_scrollKnob[0] = m_scrollKnob[1] = false;
    m_slider[0] = m_slider[1] = m_wheel[0] = m_wheel[1] = false;
}

bool LearnSteps::IsLearning() const
{
    return m_buttonPress || m_buttonRelease || m_knob[0] || m_knob[1] || m_scrollKnob[0] || m_scrollKnob[1]
           || m_slider[0] || m_slider[1] || m_wheel[0] || m_wheel[1];
}

CString FormatLearnedMapText(const CString& name, const std::vector<LearnedRow>& rows)
{
    XmlMarkup xml;
    xml.SetDocument(kProlog);
    xml.AddElement("ControllerMapper");
    xml.SetAttribute("name", name);
    xml.SetAttribute("version", "1.0");
    xml.IntoElement();
    for (const LearnedRow& row : rows) {
        xml.AddElement("cm");
        xml.SetAttribute("action", row.action);
        xml.SetAttribute("type", row.type);
        xml.SetAttribute("chan", Decimal(row.chan));
        xml.SetAttribute("midikey", Decimal(row.midikey));
        xml.SetAttribute("rlow", Decimal(row.rlow));
        xml.SetAttribute("rhigh", Decimal(row.rhigh));
        xml.SetAttribute("lit", Decimal(row.lit));
        xml.SetAttribute("lkey", Decimal(row.lkey));
        xml.SetAttribute("hd", Decimal(row.hd));
    }
    return xml.GetDocument();
}

bool CheckMapName(const CString& name, CString& reason)
{
    const char* text = name.GetString();
    const size_t length = std::strlen(text);
    if (length == 0) {
        reason = "The map needs a name.";
        return false;
    }
    if (std::strstr(text, "..")) {
        reason = "A map name cannot hold \"..\".";
        return false;
    }
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 32 || std::strchr("<>:\"/\\|?*", c)) {
            reason = "A map name cannot hold path separators or the characters < > : \" / \\ | ? *.";
            return false;
        }
    }
    if (text[length - 1] == '.' || text[length - 1] == ' ') {
        reason = "A map name cannot end in a dot or a space.";
        return false;
    }
    return true;
}
