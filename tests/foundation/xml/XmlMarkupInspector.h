// Read access to XmlMarkup's element index for the tests: records, the
// index state, tag names and a walk of the elements in document order.
#pragma once

#include "foundation/xml/XmlMarkup.h"

#include <string>
#include <vector>

struct XmlMarkupInspector
{
    static const XmlElementPos& Record(const XmlMarkup& xml, int i) { return xml.m_index[i]; }
    static int NextFree(const XmlMarkup& xml) { return xml.m_nextFree; }
    static int Capacity(const XmlMarkup& xml) { return xml.m_capacity; }
    static int ParentPos(const XmlMarkup& xml) { return xml.m_parentPos; }
    static int CurrentPos(const XmlMarkup& xml) { return xml.m_currentPos; }
    static int ChildPos(const XmlMarkup& xml) { return xml.m_childPos; }
    static int NodeKind(const XmlMarkup& xml) { return xml.m_nodeKind; }
    static std::string TagName(const XmlMarkup& xml, int i) { return xml.GetTagName(i); }
    static std::string Data(const XmlMarkup& xml, int i) { return xml.GetDataAt(i).str(); }

    // The records below record 0 in document order (following the links).
    static std::vector<int> DocumentOrder(const XmlMarkup& xml)
    {
        std::vector<int> order;
        Walk(xml, Record(xml, 0).firstChild, order);
        return order;
    }

private:
    static void Walk(const XmlMarkup& xml, int first, std::vector<int>& order)
    {
        for (int i = first; i; i = Record(xml, i).nextSibling) {
            order.push_back(i);
            Walk(xml, Record(xml, i).firstChild, order);
        }
    }
};
