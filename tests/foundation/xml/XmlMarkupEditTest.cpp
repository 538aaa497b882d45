// XmlMarkup's navigation, reading and editing: the documents the writers
// build byte for byte, escaping, attributes, CDATA, and the offsets that
// every edit keeps in step.
#include "foundation/xml/XmlMarkup.h"
#include "tests/foundation/xml/XmlMarkupInspector.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Inspect = XmlMarkupInspector;

const std::string kProlog = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::string Str(const CString& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}

// Every indexed element agrees with a fresh parse of the same text.
void ExpectIndexMatchesReparse(const XmlMarkup& edited)
{
    XmlMarkup fresh;
    ASSERT_TRUE(fresh.SetDocument(edited.GetDocument())) << fresh.GetError().GetString();
    const std::vector<int> a = Inspect::DocumentOrder(edited);
    const std::vector<int> b = Inspect::DocumentOrder(fresh);
    ASSERT_EQ(b.size(), a.size());
    for (size_t k = 0; k < a.size(); ++k) {
        const XmlElementPos& x = Inspect::Record(edited, a[k]);
        const XmlElementPos& y = Inspect::Record(fresh, b[k]);
        EXPECT_EQ(y.startTagBegin, x.startTagBegin) << "element " << k;
        EXPECT_EQ(y.startTagEnd, x.startTagEnd) << "element " << k;
        EXPECT_EQ(y.endTagBegin, x.endTagBegin) << "element " << k;
        EXPECT_EQ(y.endTagEnd, x.endTagEnd) << "element " << k;
        EXPECT_EQ(Inspect::TagName(fresh, y.parent), Inspect::TagName(edited, x.parent));
    }
}

XmlMarkup& BuildTrackDocument(XmlMarkup& xml)
{
    EXPECT_FALSE(xml.SetDocument(kProlog.c_str()));
    EXPECT_TRUE(xml.AddElement("R"));
    EXPECT_TRUE(xml.IntoElement());
    EXPECT_TRUE(xml.AddElement("TRK"));
    EXPECT_TRUE(xml.IntoElement());
    EXPECT_TRUE(xml.AddElement("FN", "a&b"));
    EXPECT_TRUE(xml.AddElement("AR", "x"));
    EXPECT_TRUE(xml.OutOfElement());
    EXPECT_TRUE(xml.AddElement("TRK"));
    return xml;
}

TEST(XmlMarkupEdit, BuildsOneElementPerLineByteForByte)
{
    XmlMarkup xml;
    BuildTrackDocument(xml);
    const std::string expected = kProlog +
                                 "<R>\r\n"
                                 "<TRK>\r\n"
                                 "<FN>a&amp;b</FN>\r\n"
                                 "<AR>x</AR>\r\n"
                                 "</TRK>\r\n"
                                 "<TRK/>\r\n"
                                 "</R>\r\n";
    EXPECT_EQ(expected, Str(xml.GetDocument()));
    ExpectIndexMatchesReparse(xml);
}

TEST(XmlMarkupEdit, ReadsTheBuiltDocumentBack)
{
    XmlMarkup built;
    BuildTrackDocument(built);
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument(built.GetDocument()));
    ASSERT_TRUE(xml.FindElement("R"));
    ASSERT_TRUE(xml.IntoElement());
    ASSERT_TRUE(xml.FindElement("TRK"));
    ASSERT_TRUE(xml.FindChildElement("FN"));
    EXPECT_EQ("a&b", Str(xml.GetChildData()));
    ASSERT_TRUE(xml.FindChildElement("AR"));
    EXPECT_EQ("x", Str(xml.GetChildData()));
    ASSERT_TRUE(xml.FindElement("TRK"));
    EXPECT_FALSE(xml.FindChildElement("FN"));
    EXPECT_FALSE(xml.FindElement("TRK"));
    EXPECT_TRUE(xml.OutOfElement());
    EXPECT_FALSE(xml.OutOfElement());
}

TEST(XmlMarkupEdit, NamesAreCaseSensitive)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<R><TRK/></R>"));
    ASSERT_TRUE(xml.FindElement("R"));
    EXPECT_FALSE(xml.FindChildElement("trk"));
    EXPECT_FALSE(xml.FindChildElement("TR"));
    EXPECT_FALSE(xml.FindChildElement("TRKS"));
    EXPECT_TRUE(xml.FindChildElement("TRK"));
}

TEST(XmlMarkupEdit, SetAttributeInsertsThenReplacesBetweenTheQuotes)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<R/>"));
    EXPECT_FALSE(xml.SetAttribute("Version", "5.00")); // no current element
    ASSERT_TRUE(xml.FindElement("R"));
    ASSERT_TRUE(xml.SetAttribute("Version", "5.00"));
    EXPECT_EQ("<R Version=\"5.00\"/>", Str(xml.GetDocument()));
    ASSERT_TRUE(xml.SetAttribute("Version", "12.345"));
    EXPECT_EQ("<R Version=\"12.345\"/>", Str(xml.GetDocument()));
    ASSERT_TRUE(xml.SetAttribute("Tracks", "0"));
    EXPECT_EQ("<R Version=\"12.345\" Tracks=\"0\"/>", Str(xml.GetDocument()));
    EXPECT_EQ("12.345", Str(xml.GetAttribute("Version")));
    ExpectIndexMatchesReparse(xml);

    // A value written with apostrophes is replaced inside them.
    ASSERT_TRUE(xml.SetDocument("<a x = 'old' y=\"2\">t</a>"));
    ASSERT_TRUE(xml.FindElement());
    ASSERT_TRUE(xml.SetAttribute("x", "n<e>w"));
    EXPECT_EQ("<a x = 'n&lt;e&gt;w' y=\"2\">t</a>", Str(xml.GetDocument()));
    ASSERT_TRUE(xml.SetAttribute("z", ""));
    EXPECT_EQ("<a x = 'n&lt;e&gt;w' y=\"2\" z=\"\">t</a>", Str(xml.GetDocument()));
    EXPECT_EQ("n<e>w", Str(xml.GetAttribute("x")));
    ExpectIndexMatchesReparse(xml);
}

TEST(XmlMarkupEdit, AttributeLookupFollowsTheTokenRules)
{
    struct Case
    {
        const char* document;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"<a x='1'/>", "x", "1"},
        {"<a x = \"1\" />", "x", "1"},
        {"<a x=b/>", "x", ""},              // unquoted values are never found
        {"<a xy=\"1\" x=\"2\"/>", "x", "2"}, // a longer name does not match
        {"<a x=\"1\"/>", "xy", ""},
        {"<a X=\"1\"/>", "x", ""},
        {"<a b=\"&#65;&amp;&bogus;&lt\"/>", "b", "&#65;&&bogus;&lt"},
        {"<a b=\"&apos;&quot;&gt;\"/>", "b", "'\">"},
        {"<a b=\"\"/>", "b", ""},
        {"<a/>", "a", ""},                  // the tag name is no attribute
        {"<a x=\"1\"><b x=\"2\"/></a>", "x", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        XmlMarkup xml;
        ASSERT_TRUE(xml.SetDocument(c.document));
        EXPECT_EQ("", Str(xml.GetAttribute(c.name))); // no current element yet
        ASSERT_TRUE(xml.FindElement());
        EXPECT_EQ(c.value, Str(xml.GetAttribute(c.name)));
    }
}

TEST(XmlMarkupEdit, EscapingOfTextAndAttributes)
{
    XmlMarkup xml;
    xml.SetDocument(kProlog.c_str());
    ASSERT_TRUE(xml.AddElement("R"));
    ASSERT_TRUE(xml.SetAttribute("v", "<&>'\"\xe9"));
    ASSERT_TRUE(xml.IntoElement());
    ASSERT_TRUE(xml.AddElement("T", "<&>'\"\xe9"));
    EXPECT_EQ(kProlog +
                  "<R v=\"&lt;&amp;&gt;&apos;&quot;\xe9\">\r\n"
                  "<T>&lt;&amp;&gt;'\"\xe9</T>\r\n"
                  "</R>\r\n",
              Str(xml.GetDocument()));

    XmlMarkup back;
    ASSERT_TRUE(back.SetDocument(xml.GetDocument()));
    ASSERT_TRUE(back.FindElement("R"));
    EXPECT_EQ("<&>'\"\xe9", Str(back.GetAttribute("v")));
    ASSERT_TRUE(back.FindChildElement("T"));
    EXPECT_EQ("<&>'\"\xe9", Str(back.GetChildData()));
}

TEST(XmlMarkupEdit, ChildDataRules)
{
    struct Case
    {
        const char* document;
        const char* data;
    };
    const Case cases[] = {
        {"<r><c>plain</c></r>", "plain"},
        {"<r><c> \r\n spaced \r\n</c></r>", " \r\n spaced \r\n"},
        {"<r><c>&#65; & &lt;&amp;lt;</c></r>", "&#65; & <&lt;"},
        {"<r><c>\r\n  <![CDATA[a &amp; <b>]]>\r\n</c></r>", "a &amp; <b>"},
        {"<r><c><![CDATA[]]></c></r>", ""},
        // A CDATA section that does not start the content is no CDATA data.
        {"<r><c>x<![CDATA[&lt;]]></c></r>", "x<![CDATA[<]]>"},
        {"<r><c><d/></c></r>", ""},
        {"<r><c/></r>", ""},
        {"<r><c></c></r>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        XmlMarkup xml;
        ASSERT_TRUE(xml.SetDocument(c.document));
        EXPECT_EQ("", Str(xml.GetChildData())); // no child: record 0 has none
        ASSERT_TRUE(xml.FindElement("r"));
        EXPECT_EQ("", Str(xml.GetChildData()));
        ASSERT_TRUE(xml.FindChildElement("c"));
        EXPECT_EQ(c.data, Str(xml.GetChildData()));
    }
}

TEST(XmlMarkupEdit, RefusalsChangeNothing)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<R><A/></R>"));
    const std::string before = Str(xml.GetDocument());
    EXPECT_FALSE(xml.AddElement("S"));                  // a second root
    EXPECT_FALSE(xml.AddElement("S", "t", false, true)); // a child with no current element
    EXPECT_FALSE(xml.SetAttribute("a", "b"));
    EXPECT_FALSE(xml.IntoElement());
    EXPECT_FALSE(xml.OutOfElement());
    EXPECT_EQ(before, Str(xml.GetDocument()));
    EXPECT_EQ(3, Inspect::NextFree(xml));

    ASSERT_TRUE(xml.FindElement("R"));
    EXPECT_FALSE(xml.AddElement("S")); // still the top level
    EXPECT_EQ(before, Str(xml.GetDocument()));
}

TEST(XmlMarkupEdit, FindChildElementFirstMovesToTheLevelsFirstElement)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<r><a/><b/></r>"));
    EXPECT_FALSE(xml.FindChildElement("zz"));
    // The first step stands although no child was found.
    EXPECT_EQ("r", Inspect::TagName(xml, Inspect::CurrentPos(xml)));
    EXPECT_EQ(0, Inspect::ChildPos(xml));
    EXPECT_TRUE(xml.FindChildElement("b"));
    EXPECT_FALSE(xml.FindChildElement("a")); // searches go on after the current child

    // Stepping into an element without children leaves no current element;
    // there is then nothing whose children could be searched.
    ASSERT_TRUE(xml.IntoElement());
    EXPECT_EQ("b", Inspect::TagName(xml, Inspect::CurrentPos(xml)));
    ASSERT_TRUE(xml.IntoElement());
    EXPECT_EQ(0, Inspect::CurrentPos(xml));
    EXPECT_EQ(0, Inspect::NodeKind(xml));
    EXPECT_FALSE(xml.FindChildElement());
    EXPECT_EQ(0, Inspect::CurrentPos(xml));
    EXPECT_TRUE(xml.OutOfElement());
    EXPECT_EQ("b", Inspect::TagName(xml, Inspect::CurrentPos(xml)));
}

TEST(XmlMarkupEdit, NavigationWalksSiblingsAndLevels)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<r><a n='1'/><b n='2'><c n='3'/></b><a n='4'/></r>"));
    ASSERT_TRUE(xml.FindElement());
    ASSERT_TRUE(xml.IntoElement());
    std::vector<std::string> seen;
    while (xml.FindElement("a"))
        seen.push_back(Str(xml.GetAttribute("n")));
    EXPECT_EQ((std::vector<std::string>{"1", "4"}), seen);
    ASSERT_TRUE(xml.OutOfElement());
    EXPECT_FALSE(xml.FindChildElement("b")); // searches go on after the current child

    ASSERT_TRUE(xml.SetDocument(xml.GetDocument()));
    ASSERT_TRUE(xml.FindChildElement("b"));
    ASSERT_TRUE(xml.IntoElement());
    EXPECT_EQ("2", Str(xml.GetAttribute("n")));
    ASSERT_TRUE(xml.FindChildElement());
    ASSERT_TRUE(xml.IntoElement());
    EXPECT_EQ("3", Str(xml.GetAttribute("n")));
    EXPECT_FALSE(xml.FindElement());
}

TEST(XmlMarkupEdit, AddElementPlacesByFlags)
{
    struct Case
    {
        const char* start;
        const char* path;   // elements found from the top before adding
        bool before;
        bool asChild;
        const char* result;
    };
    const Case cases[] = {
        // After the current element, at its level.
        {"<r>\r\n<a/>\r\n<b/>\r\n</r>", "r/a", false, false, "<r>\r\n<a/>\r\n<N/>\r\n<b/>\r\n</r>"},
        // Before it.
        {"<r>\r\n<a/>\r\n<b/>\r\n</r>", "r/b", true, false, "<r>\r\n<a/>\r\n<N/>\r\n<b/>\r\n</r>"},
        {"<r>\r\n<a/>\r\n<b/>\r\n</r>", "r/a", true, false, "<r>\r\n<N/>\r\n<a/>\r\n<b/>\r\n</r>"},
        // As a child: after the current child, or as the last one.
        {"<r>\r\n<a/>\r\n<b/>\r\n</r>", "r", false, true, "<r>\r\n<a/>\r\n<b/>\r\n<N/>\r\n</r>"},
        {"<r>\r\n<a/>\r\n<b/>\r\n</r>", "r", true, true, "<r>\r\n<N/>\r\n<a/>\r\n<b/>\r\n</r>"},
        // The first child of an empty-element tag or of an element with
        // nothing between its tags gets lines of its own.
        {"<r><a x=\"1\"/></r>", "r/a", false, true, "<r><a x=\"1\">\r\n<N/>\r\n</a></r>"},
        {"<r><a></a></r>", "r/a", false, true, "<r><a>\r\n<N/>\r\n</a></r>"},
        {"<r><a></a></r>", "r/a", true, true, "<r><a>\r\n<N/>\r\n</a></r>"},
        // Text content stays where it is.
        {"<r><a>text</a></r>", "r/a", false, true, "<r><a>text<N/>\r\n</a></r>"},
        {"<r><a>text</a></r>", "r/a", true, true, "<r><a><N/>\r\ntext</a></r>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " at " + c.path);
        XmlMarkup xml;
        ASSERT_TRUE(xml.SetDocument(c.start));
        std::string path = c.path;
        size_t at = 0;
        for (;;) {
            const size_t slash = path.find('/', at);
            ASSERT_TRUE(xml.FindElement(path.substr(at, slash - at).c_str()));
            if (slash == std::string::npos)
                break;
            ASSERT_TRUE(xml.IntoElement());
            at = slash + 1;
        }
        const int parentBefore = Inspect::ParentPos(xml);
        const int currentBefore = Inspect::CurrentPos(xml);
        ASSERT_TRUE(xml.AddElement("N", nullptr, c.before, c.asChild));
        EXPECT_EQ(c.result, Str(xml.GetDocument()));
        ExpectIndexMatchesReparse(xml);
        const int added = Inspect::NextFree(xml) - 1;
        if (c.asChild) {
            EXPECT_EQ(currentBefore, Inspect::CurrentPos(xml));
            EXPECT_EQ(added, Inspect::ChildPos(xml));
        } else {
            EXPECT_EQ(parentBefore, Inspect::ParentPos(xml));
            EXPECT_EQ(added, Inspect::CurrentPos(xml));
            EXPECT_EQ(0, Inspect::ChildPos(xml));
        }
        EXPECT_EQ(1, Inspect::NodeKind(xml));
    }
}

TEST(XmlMarkupEdit, EditsKeepEveryOffsetInStep)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<r>\r\n<a><b/><c>t</c></a>\r\n<d/>\r\n</r>\r\ntrailing"));
    ASSERT_TRUE(xml.FindElement("r"));
    ASSERT_TRUE(xml.IntoElement());
    ASSERT_TRUE(xml.FindElement("a"));
    ASSERT_TRUE(xml.IntoElement());
    ASSERT_TRUE(xml.FindElement("b"));
    ASSERT_TRUE(xml.SetAttribute("long", "a value that moves everything behind it"));
    ExpectIndexMatchesReparse(xml);
    ASSERT_TRUE(xml.AddElement("e", "text"));
    ExpectIndexMatchesReparse(xml);
    ASSERT_TRUE(xml.OutOfElement());
    ASSERT_TRUE(xml.SetAttribute("k", "1"));
    ExpectIndexMatchesReparse(xml);
    ASSERT_TRUE(xml.SetAttribute("k", ""));
    ExpectIndexMatchesReparse(xml);
    ASSERT_TRUE(xml.OutOfElement());
    ASSERT_TRUE(xml.SetAttribute("root", "yes"));
    ExpectIndexMatchesReparse(xml);
    EXPECT_NE(std::string::npos, Str(xml.GetDocument()).find("</r>\r\ntrailing"));
}

TEST(XmlMarkupEdit, GrowsTheIndexWhileAdding)
{
    XmlMarkup xml;
    xml.SetDocument(kProlog.c_str());
    ASSERT_TRUE(xml.AddElement("R"));
    ASSERT_TRUE(xml.IntoElement());
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(xml.AddElement("T", std::to_string(i).c_str()));
    EXPECT_GE(Inspect::Capacity(xml), 102);
    ExpectIndexMatchesReparse(xml);
    ASSERT_TRUE(xml.SetDocument(xml.GetDocument()));
    for (int i = 0; i < 100; ++i) {
        ASSERT_TRUE(xml.FindChildElement("T"));
        EXPECT_EQ(std::to_string(i), Str(xml.GetChildData()));
    }
}

} // namespace
