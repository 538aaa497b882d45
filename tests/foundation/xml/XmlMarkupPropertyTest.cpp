// Randomised checks of XmlMarkup with fixed seeds: random edit sequences
// checked against a model and against a fresh parse of the result, and
// damaged documents that must give a result, never a crash or a hang.
#include "foundation/xml/XmlMarkup.h"
#include "tests/foundation/xml/XmlMarkupInspector.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Inspect = XmlMarkupInspector;

const std::string kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::string Str(const CString& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

// A small deterministic generator (the same numbers on every platform).
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint32_t Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::uint64_t m_state;
};

const char* const kNames[] = {"R", "TRK", "FN", "a", "ab", "C1N"};
const char* const kAttributes[] = {"ID", "a", "ab", "C1N", "Version"};

std::string RandomText(Random& rnd)
{
    static const std::string alphabet = "abcXYZ 019<>&'\"\t\r\n;#\xe9\xfc";
    std::string text;
    const int length = rnd.Below(12);
    for (int i = 0; i < length; ++i)
        text += alphabet[static_cast<size_t>(rnd.Below(static_cast<int>(alphabet.size())))];
    return text;
}

// The tree the edits should have produced, with XmlMarkup's positions
// mirrored on it. Node 0 is the document.
struct Model
{
    struct Node
    {
        std::string name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> attributes;
        std::vector<int> children;
        int parent = 0;
        int record = 0; // XmlMarkup's record for this node
    };
    std::vector<Node> nodes{Node()};
    int parentPos = 0, currentPos = 0, childPos = 0;

    int NextChild(int parent, int after) const
    {
        const std::vector<int>& c = nodes[static_cast<size_t>(parent)].children;
        if (after == 0)
            return c.empty() ? 0 : c.front();
        for (size_t i = 0; i + 1 < c.size(); ++i)
            if (c[i] == after)
                return c[i + 1];
        return 0;
    }

    bool AddElement(const std::string& name, const std::string& text, bool before, bool asChild, int record)
    {
        int parent;
        int sibling;
        if (asChild) {
            if (!currentPos)
                return false;
            parent = currentPos;
            sibling = childPos;
        } else {
            parent = parentPos;
            sibling = currentPos;
            if (parent == 0 && !nodes[0].children.empty())
                return false;
        }
        Node node;
        node.name = name;
        node.text = text;
        node.parent = parent;
        node.record = record;
        nodes.push_back(node);
        const int n = static_cast<int>(nodes.size()) - 1;
        std::vector<int>& c = nodes[static_cast<size_t>(parent)].children;
        size_t at = before ? 0 : c.size();
        for (size_t i = 0; sibling && i < c.size(); ++i)
            if (c[i] == sibling)
                at = before ? i : i + 1;
        c.insert(c.begin() + static_cast<std::ptrdiff_t>(at), n);
        if (asChild) {
            childPos = n;
        } else {
            parentPos = parent;
            currentPos = n;
            childPos = 0;
        }
        return true;
    }

    bool SetAttribute(const std::string& name, const std::string& value)
    {
        if (!currentPos)
            return false;
        auto& attributes = nodes[static_cast<size_t>(currentPos)].attributes;
        for (auto& a : attributes)
            if (a.first == name) {
                a.second = value;
                return true;
            }
        attributes.emplace_back(name, value);
        return true;
    }

    bool IntoElement()
    {
        if (!currentPos)
            return false;
        parentPos = currentPos;
        currentPos = childPos;
        childPos = 0;
        return true;
    }

    bool OutOfElement()
    {
        if (!parentPos)
            return false;
        childPos = currentPos;
        currentPos = parentPos;
        parentPos = nodes[static_cast<size_t>(currentPos)].parent;
        return true;
    }

    bool FindElement()
    {
        const int found = NextChild(parentPos, currentPos);
        if (!found)
            return false;
        currentPos = found;
        childPos = 0;
        return true;
    }

    bool FindChildElement()
    {
        if (!currentPos)
            FindElement();
        if (!currentPos)
            return false;
        const int found = NextChild(currentPos, childPos);
        if (!found)
            return false;
        childPos = found;
        return true;
    }

    int Record(int node) const { return node ? nodes[static_cast<size_t>(node)].record : 0; }
};

void ExpectSamePositions(const Model& m, const XmlMarkup& xml)
{
    EXPECT_EQ(m.Record(m.parentPos), Inspect::ParentPos(xml));
    EXPECT_EQ(m.Record(m.currentPos), Inspect::CurrentPos(xml));
    EXPECT_EQ(m.Record(m.childPos), Inspect::ChildPos(xml));
}

// Walks the children of the current element (or the top level) through the
// public members and compares them with the model.
void ExpectChildrenMatch(XmlMarkup& xml, const Model& m, int node)
{
    const Model::Node& parent = m.nodes[static_cast<size_t>(node)];
    for (int c : parent.children) {
        const Model::Node& child = m.nodes[static_cast<size_t>(c)];
        ASSERT_TRUE(xml.FindChildElement());
        ASSERT_EQ(child.name, Inspect::TagName(xml, Inspect::ChildPos(xml)));
        EXPECT_EQ(child.children.empty() ? child.text : std::string(), Str(xml.GetChildData()));
        ASSERT_TRUE(xml.IntoElement());
        for (const char* name : kAttributes) {
            std::string expected;
            for (const auto& a : child.attributes)
                if (a.first == name)
                    expected = a.second;
            EXPECT_EQ(expected, Str(xml.GetAttribute(name))) << child.name << " @" << name;
        }
        ExpectChildrenMatch(xml, m, c);
        ASSERT_TRUE(xml.OutOfElement());
    }
    EXPECT_FALSE(xml.FindChildElement());
}

void ExpectTreeMatches(XmlMarkup& xml, const Model& m)
{
    ASSERT_EQ(1u, m.nodes[0].children.size());
    const Model::Node& root = m.nodes[static_cast<size_t>(m.nodes[0].children[0])];
    ASSERT_TRUE(xml.FindElement(root.name.c_str()));
    for (const char* name : kAttributes) {
        std::string expected;
        for (const auto& a : root.attributes)
            if (a.first == name)
                expected = a.second;
        EXPECT_EQ(expected, Str(xml.GetAttribute(name)));
    }
    ExpectChildrenMatch(xml, m, m.nodes[0].children[0]);
    EXPECT_FALSE(xml.FindElement());
}

void ExpectIndexMatchesReparse(const XmlMarkup& edited, XmlMarkup& fresh)
{
    ASSERT_TRUE(fresh.SetDocument(edited.GetDocument())) << fresh.GetError().GetString();
    const std::vector<int> a = Inspect::DocumentOrder(edited);
    const std::vector<int> b = Inspect::DocumentOrder(fresh);
    ASSERT_EQ(b.size(), a.size());
    for (size_t k = 0; k < a.size(); ++k) {
        const XmlElementPos& x = Inspect::Record(edited, a[k]);
        const XmlElementPos& y = Inspect::Record(fresh, b[k]);
        ASSERT_EQ(y.startTagBegin, x.startTagBegin) << k;
        ASSERT_EQ(y.startTagEnd, x.startTagEnd) << k;
        ASSERT_EQ(y.endTagBegin, x.endTagBegin) << k;
        ASSERT_EQ(y.endTagEnd, x.endTagEnd) << k;
    }
}

TEST(XmlMarkupProperty, RandomEditsRoundTripThroughTheText)
{
    Random rnd(20261210);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        XmlMarkup xml;
        Model m;
        ASSERT_FALSE(xml.SetDocument(kProlog.c_str()));
        const int steps = 20 + rnd.Below(300);
        for (int step = 0; step < steps; ++step) {
            const int op = step == 0 ? 0 : rnd.Below(100);
            bool expected;
            bool actual;
            if (op < 35) {
                const std::string name = kNames[rnd.Below(6)];
                const std::string text = rnd.Chance(50) ? RandomText(rnd) : std::string();
                const bool before = rnd.Chance(20);
                const bool asChild = rnd.Chance(30);
                actual = xml.AddElement(name.c_str(), text.c_str(), before, asChild);
                expected = m.AddElement(name, text, before, asChild, Inspect::NextFree(xml) - 1);
            } else if (op < 60) {
                const std::string name = kAttributes[rnd.Below(5)];
                const std::string value = RandomText(rnd);
                actual = xml.SetAttribute(name.c_str(), value.c_str());
                expected = m.SetAttribute(name, value);
            } else if (op < 75) {
                actual = xml.IntoElement();
                expected = m.IntoElement();
            } else if (op < 85) {
                actual = xml.OutOfElement();
                expected = m.OutOfElement();
            } else if (op < 93) {
                actual = xml.FindElement();
                expected = m.FindElement();
            } else {
                actual = xml.FindChildElement();
                expected = m.FindChildElement();
            }
            ASSERT_EQ(expected, actual) << "step " << step << " op " << op;
            ExpectSamePositions(m, xml);
        }

        XmlMarkup fresh;
        ExpectIndexMatchesReparse(xml, fresh);
        ExpectTreeMatches(fresh, m);
        // The edited object reads the same as the fresh one.
        ASSERT_TRUE(xml.SetDocument(xml.GetDocument()));
        ExpectTreeMatches(xml, m);
    }
}

// The offsets of every indexed element lie inside the text and on the
// characters they name.
void ExpectIndexInsideText(const XmlMarkup& xml)
{
    const std::string text = Str(xml.GetDocument());
    const int length = static_cast<int>(text.size());
    const int nextFree = Inspect::NextFree(xml);
    for (int i : Inspect::DocumentOrder(xml)) {
        ASSERT_GT(nextFree, i);
        const XmlElementPos& r = Inspect::Record(xml, i);
        ASSERT_LE(0, r.startTagBegin);
        ASSERT_LT(r.startTagBegin, r.startTagEnd);
        ASSERT_LT(r.endTagEnd, length);
        ASSERT_LE(r.startTagEnd, r.endTagEnd);
        ASSERT_EQ('<', text[static_cast<size_t>(r.startTagBegin)]);
        ASSERT_EQ('>', text[static_cast<size_t>(r.startTagEnd)]);
        ASSERT_EQ('>', text[static_cast<size_t>(r.endTagEnd)]);
        const bool empty = r.startTagEnd == r.endTagBegin + 1;
        ASSERT_EQ(empty ? '/' : '<', text[static_cast<size_t>(r.endTagBegin)]);
        ASSERT_LT(r.parent, nextFree);
        ASSERT_LT(r.firstChild, nextFree);
        ASSERT_LT(r.nextSibling, nextFree);
    }
}

std::string BuiltLibrary()
{
    XmlMarkup xml;
    xml.SetDocument(kProlog.c_str());
    xml.AddElement("KelvaneMusicLibrary");
    xml.SetAttribute("Version", "5.00");
    xml.SetAttribute("Tracks", "2");
    xml.IntoElement();
    for (int t = 0; t < 2; ++t) {
        xml.AddElement("TRK");
        xml.IntoElement();
        xml.AddElement("FN", "C:\\Music\\Some Artist\\Some Album\\01 - A title & more.mp3");
        xml.AddElement("AR", "Artist <One>");
        xml.AddElement("BI");
        xml.SetAttribute("FT", "MP3");
        xml.SetAttribute("BP", "120.00");
        xml.AddElement("CU");
        xml.SetAttribute("C1N", "say \"hi\"");
        xml.OutOfElement();
    }
    return Str(xml.GetDocument());
}

// Mutates a document in one of several ways that damage markup.
void Mutate(Random& rnd, std::string& doc)
{
    static const char* const snippets[] = {"<", ">", "/", "!", "?", "\"", "'", "=", "[", "]", "-",
                                           "<!", "<?", "</", "<![CDATA[", "]]>", "-->", "<!--",
                                           "< !x>", "<a>", "</a>", "/>", "&", "&lt;", "\xe9", " "};
    const int size = static_cast<int>(doc.size());
    const int at = size ? rnd.Below(size + 1) : 0;
    switch (rnd.Below(6)) {
    case 0:
        if (size)
            doc[static_cast<size_t>(rnd.Below(size))] = static_cast<char>(rnd.Below(256));
        break;
    case 1:
        doc.insert(static_cast<size_t>(at), snippets[rnd.Below(static_cast<int>(sizeof snippets / sizeof *snippets))]);
        break;
    case 2:
        doc.erase(static_cast<size_t>(at), static_cast<size_t>(rnd.Below(20)));
        break;
    case 3:
        doc.resize(static_cast<size_t>(at));
        break;
    case 4: {
        const std::string copy = doc.substr(static_cast<size_t>(rnd.Below(size + 1)), static_cast<size_t>(rnd.Below(40)));
        doc.insert(static_cast<size_t>(at), copy);
        break;
    }
    default:
        if (size)
            doc[static_cast<size_t>(rnd.Below(size))] = "<>/!?\"'=[]- "[rnd.Below(13)];
        break;
    }
    // A NUL would end the text at the CString boundary; keep the length.
    for (char& c : doc)
        if (c == '\0')
            c = '|';
}

TEST(XmlMarkupProperty, DamagedDocumentsGiveResultsNeverCrashes)
{
    const std::vector<std::string> seeds = {
        BuiltLibrary(),
        kProlog + "<!-- skin -->\r\n<!DOCTYPE skin [ <!ENTITY x \"y\"> ]>\r\n"
                  "<skin name='a'><button id=\"1\" x=\"2\"/><text><![CDATA[<b>]]></text>"
                  "<?pi data?><list>&amp;<item/></list></skin>",
        "<a><b><c><d><e/></d></c></b></a>",
    };
    Random rnd(7);
    int parsed = 0;
    for (int iteration = 0; iteration < 12000; ++iteration) {
        std::string doc = seeds[static_cast<size_t>(iteration) % seeds.size()];
        const int mutations = 1 + rnd.Below(4);
        for (int k = 0; k < mutations; ++k)
            Mutate(rnd, doc);
        SCOPED_TRACE(doc);

        XmlMarkup xml;
        const bool ok = xml.SetDocument(doc.c_str());
        ASSERT_EQ(doc, Str(xml.GetDocument()));
        if (!ok) {
            ASSERT_EQ(1, Inspect::NextFree(xml));
            ASSERT_TRUE(doc.empty() || !xml.GetError().IsEmpty());
            continue;
        }
        ++parsed;
        ExpectIndexInsideText(xml);

        // Read everything, then edit a few elements and check again.
        for (int i : Inspect::DocumentOrder(xml)) {
            Inspect::Data(xml, i);
            Inspect::TagName(xml, i);
        }
        while (xml.FindChildElement()) {
            xml.GetChildData();
            if (xml.IntoElement()) {
                xml.GetAttribute("x");
                xml.SetAttribute("x", "v<&>");
                xml.AddElement("n", "t", rnd.Chance(50), rnd.Chance(50));
                xml.OutOfElement();
            }
        }
        ExpectIndexInsideText(xml);
    }
    EXPECT_LT(0, parsed); // some damaged documents still parse
}

TEST(XmlMarkupProperty, RandomMarkupCharactersGiveResultsNeverCrashes)
{
    static const std::string alphabet = "<<<>>//!!?\?--[[]]\"'= \r\na";
    Random rnd(99);
    for (int iteration = 0; iteration < 20000; ++iteration) {
        std::string doc;
        const int length = rnd.Below(40);
        for (int i = 0; i < length; ++i)
            doc += alphabet[static_cast<size_t>(rnd.Below(static_cast<int>(alphabet.size())))];
        XmlMarkup xml;
        if (xml.SetDocument(doc.c_str())) {
            ExpectIndexInsideText(xml);
            ASSERT_TRUE(xml.FindElement());
            xml.GetAttribute("a");
            xml.SetAttribute("a", "1");
            ExpectIndexInsideText(xml);
        } else {
            ASSERT_EQ(1, Inspect::NextFree(xml));
            ASSERT_EQ(doc, Str(xml.GetDocument()));
        }
    }
}

} // namespace
