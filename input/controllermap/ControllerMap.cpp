#include "input/controllermap/ControllerMap.h"

#include "foundation/xml/XmlMarkup.h"
#include "input/commands/CommandVocabulary.h"
#include "input/commands/DecimalText.h"

ControllerMapTable ControllerMap;
LightMapRows LightMap;

int32_t ControllerKey(int32_t midikey, int32_t chan)
{
    // Channel 1's keys sit 100 above channel 0's. A damaged map may hold any
    // number: the sum wraps as the 32-bit processor's addition does instead of
    // overflowing.
    if (chan != 1)
        return midikey;
    return static_cast<int32_t>(static_cast<uint32_t>(midikey) + 100u);
}

bool ControllerMapTable::Lookup(int32_t key, ControllerMapItem& item) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    ControllerMapRows::const_iterator it = m_rows.find(key);
    if (it == m_rows.end())
        return false;
    item = it->second;
    return true;
}

size_t ControllerMapTable::GetCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_rows.size();
}

ControllerMapRows ControllerMapTable::Snapshot() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_rows;
}

void ControllerMapTable::Replace(ControllerMapRows rows)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_rows.swap(rows);
    // The old rows are freed when rows goes, after the lock is released.
}

void ControllerMapTable::RemoveAll()
{
    Replace(ControllerMapRows());
}

bool ParseControllerMapText(const CString& text, ControllerMapRows& items, LightMapRows& lights)
{
    items.clear();
    lights.clear();
    XmlMarkup xml;
    if (!xml.SetDocument(text))
        return false;
    if (!xml.FindElement("ControllerMapper"))
        return true;
    while (xml.FindChildElement("cm")) {
        xml.IntoElement();
        ControllerMapItem item;
        item.action = xml.GetAttribute("action");
        item.commandId = ActionNameMap.Lookup(item.action);
        const int32_t midikey = ReadDecimal(xml.GetAttribute("midikey"));
        item.chan = ReadDecimal(xml.GetAttribute("chan"));
        item.type = xml.GetAttribute("type");
        item.rlow = ReadDecimal(xml.GetAttribute("rlow"));
        item.rhigh = ReadDecimal(xml.GetAttribute("rhigh"));
        item.lit = ReadDecimal(xml.GetAttribute("lit"));
        item.lkey = ReadDecimal(xml.GetAttribute("lkey"));
        item.hd = ReadDecimal(xml.GetAttribute("hd"));
        item.cmd = ReadDecimal(xml.GetAttribute("cmd"));
        item.outstring = xml.GetAttribute("outstring");
        item.key = ControllerKey(midikey, item.chan);
        if (item.type == "light")
            lights[item.key] = item.outstring;
        else
            items[item.key] = item;
        xml.OutOfElement();
    }
    return true;
}
