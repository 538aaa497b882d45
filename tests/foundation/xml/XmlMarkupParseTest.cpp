// XmlMarkup's parser and element index: exact offsets, error texts, the
// nodes it skips, index growth, and what a failed parse leaves behind.
#include "foundation/xml/XmlMarkup.h"
#include "tests/foundation/xml/XmlMarkupInspector.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Inspect = XmlMarkupInspector;

const char kProlog[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

// Test names show a case's document with its markup characters spelled
// as '_', so that CTest can list and select them.
std::string Label(const char* document)
{
    std::string label;
    for (const char* p = document; *p && label.size() < 40; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        label += (c < 128 && std::isalnum(c)) ? *p : '_';
    }
    return label;
}

struct ExpectedElement
{
    const char* name;
    int startTagBegin, startTagEnd, endTagBegin, endTagEnd;
    const char* parent; // "" for the root
};

struct OffsetCase
{
    const char* document;
    std::vector<ExpectedElement> elements; // in document order
};

void PrintTo(const OffsetCase& c, std::ostream* os)
{
    *os << Label(c.document);
}

class OffsetTable : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(OffsetTable, IndexHoldsExactOffsetsAndLinks)
{
    const OffsetCase& c = GetParam();
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument(c.document)) << xml.GetError().GetString();
    EXPECT_EQ(std::string(c.document), xml.GetDocument().GetString()); // parsing never changes the text

    const std::vector<int> order = Inspect::DocumentOrder(xml);
    ASSERT_EQ(c.elements.size(), order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const ExpectedElement& e = c.elements[k];
        const XmlElementPos& r = Inspect::Record(xml, order[k]);
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.name, Inspect::TagName(xml, order[k]));
        EXPECT_EQ(e.startTagBegin, r.startTagBegin);
        EXPECT_EQ(e.startTagEnd, r.startTagEnd);
        EXPECT_EQ(e.endTagBegin, r.endTagBegin);
        EXPECT_EQ(e.endTagEnd, r.endTagEnd);
        EXPECT_EQ(e.parent, Inspect::TagName(xml, r.parent));
        // The parser numbers records in document order.
        EXPECT_EQ(static_cast<int>(k) + 1, order[k]);
    }
    EXPECT_EQ(static_cast<int>(order.size()) + 1, Inspect::NextFree(xml));
    EXPECT_EQ(0, Inspect::CurrentPos(xml));
    EXPECT_EQ(0, Inspect::ParentPos(xml));
    EXPECT_EQ(0, Inspect::ChildPos(xml));
    EXPECT_EQ(0, Inspect::NodeKind(xml));
}

INSTANTIATE_TEST_SUITE_P(
    XmlMarkupParse, OffsetTable,
    ::testing::Values(
        OffsetCase{"<a/>", {{"a", 0, 3, 2, 3, ""}}},
        OffsetCase{"<a><b/>text<c></c></a>",
                   {{"a", 0, 2, 18, 21, ""}, {"b", 3, 6, 5, 6, "a"}, {"c", 11, 13, 14, 17, "a"}}},
        // Only the first root element is parsed.
        OffsetCase{"<a></a><b/>", {{"a", 0, 2, 3, 6, ""}}},
        OffsetCase{"<a></a><<<garbage", {{"a", 0, 2, 3, 6, ""}}},
        // White space after '<', extra tokens in an end tag, attributes.
        OffsetCase{"< a>x</a y>", {{"a", 0, 3, 5, 10, ""}}},
        OffsetCase{"<r k=\"v\" j='w'><e a=\"1\"/></r>",
                   {{"r", 0, 14, 25, 28, ""}, {"e", 15, 24, 23, 24, "r"}}},
        // A '>' inside a quoted value ends the start tag.
        OffsetCase{"<a x='>'/></a>", {{"a", 0, 6, 10, 13, ""}}},
        // Prolog, comment (with < and > inside), DOCTYPE with an internal
        // subset and a CDATA section before the root and between children.
        OffsetCase{"<?xml version=\"1.0\"?>\r\n"           // 0..22
                   "<!-- <c> -->\r\n"                      // 23..36
                   "<!DOCTYPE r [ <!ENTITY e \"]>\"> ]>\r\n" // 37..71
                   "<r><!-- x --><s/><![CDATA[<t/>]]><?pi ?><u>v</u></r>",
                   {{"r", 72, 74, 120, 123, ""}, {"s", 85, 88, 87, 88, "r"}, {"u", 112, 114, 116, 119, "r"}}},
        OffsetCase{"<!DOCTYPE r[<!ELEMENT r ANY>]><r/>", {{"r", 30, 33, 32, 33, ""}}},
        // Nesting and siblings.
        OffsetCase{"<a><b><c/></b><d/></a>",
                   {{"a", 0, 2, 18, 21, ""}, {"b", 3, 5, 10, 13, "a"}, {"c", 6, 9, 8, 9, "b"}, {"d", 14, 17, 16, 17, "a"}}}));

struct ErrorCase
{
    const char* document;
    const char* error;
};

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << Label(c.document);
}

class ErrorTable : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTable, FailureKeepsTextAndOnlyRecordZero)
{
    const ErrorCase& c = GetParam();
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<old><x/></old>"));
    xml.FindElement("old");

    EXPECT_FALSE(xml.SetDocument(c.document));
    EXPECT_EQ(std::string(c.error), xml.GetError().GetString());
    EXPECT_EQ(std::string(c.document), xml.GetDocument().GetString());
    EXPECT_EQ(1, Inspect::NextFree(xml));
    const XmlElementPos& r0 = Inspect::Record(xml, 0);
    EXPECT_EQ(0, r0.firstChild);
    EXPECT_EQ(0, r0.startTagBegin);
    EXPECT_EQ(0, r0.endTagBegin);
    EXPECT_EQ(0, Inspect::CurrentPos(xml));
    EXPECT_EQ(0, Inspect::ParentPos(xml));
    EXPECT_EQ(0, Inspect::ChildPos(xml));
    EXPECT_FALSE(xml.FindElement());
    EXPECT_FALSE(xml.IntoElement());
    EXPECT_EQ(std::string(), xml.GetAttribute("x").GetString());
}

INSTANTIATE_TEST_SUITE_P(
    XmlMarkupParse, ErrorTable,
    ::testing::Values(
        ErrorCase{kProlog, "Element tag not found"},
        ErrorCase{"just text", "Element tag not found"},
        ErrorCase{"<a>", "Element tag not found"},
        ErrorCase{"<a><b>text", "Element tag not found"},
        ErrorCase{"<", "Abrupt end within tag"},
        ErrorCase{"<a><   ", "Abrupt end within tag"},
        ErrorCase{"<\"a\">", "Tag starts with quote"},
        ErrorCase{"<a>< 'b'/></a>", "Tag starts with quote"},
        ErrorCase{"<?xml version=\"1.0\"", "Invalid node"},
        ErrorCase{"<!-- never closed <a/>", "Invalid node"},
        ErrorCase{"<!DOCTYPE a [ <!ELEMENT a ANY> > <a/>", "Invalid node"},
        ErrorCase{"<a><![CDATA[ x </a>", "Invalid node"},
        ErrorCase{"<!", "Invalid node"},
        ErrorCase{"< !x><a/>", "Invalid node"},
        ErrorCase{"<a>< ?x></a>", "Invalid node"},
        ErrorCase{"<a", "End of tag not found"},
        ErrorCase{"<a><b x='1'", "End of tag not found"},
        ErrorCase{"<a><b></a>", "End tag does not correspond to b"},
        ErrorCase{"<ab></a>", "End tag does not correspond to ab"},
        ErrorCase{"<a></ab>", "End tag does not correspond to a"},
        ErrorCase{"<TRK></trk>", "End tag does not correspond to TRK"},
        ErrorCase{"<a><b/></a", "End tag not completed for element a"},
        ErrorCase{"<a></", "End tag not completed for element a"},
        ErrorCase{"<a></a 'x", "End tag not completed for element a"},
        ErrorCase{"</a>", "Unexpected end tag"}));

TEST(XmlMarkupParse, EmptyTextFailsAndKeepsTheLastError)
{
    XmlMarkup xml;
    EXPECT_FALSE(xml.SetDocument("<a>"));
    EXPECT_FALSE(xml.SetDocument(""));
    EXPECT_EQ(std::string("Element tag not found"), xml.GetError().GetString());
    EXPECT_EQ(0, xml.GetDocument().GetLength());
    EXPECT_FALSE(xml.SetDocument());
    EXPECT_EQ(std::string("Element tag not found"), xml.GetError().GetString());
}

TEST(XmlMarkupParse, NewObjectHasEmptyTextsAndCapacityEight)
{
    XmlMarkup xml;
    EXPECT_EQ(0, xml.GetDocument().GetLength());
    EXPECT_EQ(0, xml.GetError().GetLength());
    EXPECT_EQ(8, Inspect::Capacity(xml));
    EXPECT_EQ(1, Inspect::NextFree(xml));

    XmlMarkup withText(CString("<a><b/></a>"));
    EXPECT_TRUE(withText.FindElement("a"));
    EXPECT_EQ(3, Inspect::NextFree(withText));
}

TEST(XmlMarkupParse, IndexStartsAtLengthOver64AndGrowsByHalf)
{
    std::string doc = "<r>";
    const int elements = 300;
    for (int i = 1; i < elements; ++i)
        doc += "<e/>";
    doc += "</r>";
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument(doc.c_str()));
    EXPECT_EQ(static_cast<size_t>(elements), Inspect::DocumentOrder(xml).size());

    // The capacity is a member of the series start, start*3/2, ... and big
    // enough for every element, record 0 and the record that found </r>.
    int capacity = static_cast<int>(doc.size()) / 64 + 8;
    ASSERT_LT(capacity, elements);
    while (capacity < elements + 2)
        capacity += capacity / 2;
    EXPECT_EQ(capacity, Inspect::Capacity(xml));

    // The index never shrinks.
    ASSERT_TRUE(xml.SetDocument("<a/>"));
    EXPECT_EQ(capacity, Inspect::Capacity(xml));
}

TEST(XmlMarkupParse, DeepNestingEndsInAnErrorNotAStackOverflow)
{
    for (int depth : {XmlMarkup::MaxDepth, XmlMarkup::MaxDepth + 1, 200000}) {
        std::string doc;
        for (int i = 0; i < depth; ++i)
            doc += "<a>";
        for (int i = 0; i < depth; ++i)
            doc += "</a>";
        XmlMarkup xml;
        const bool parsed = xml.SetDocument(doc.c_str());
        SCOPED_TRACE(depth);
        if (depth <= XmlMarkup::MaxDepth) {
            EXPECT_TRUE(parsed) << xml.GetError().GetString();
        } else {
            EXPECT_FALSE(parsed);
            EXPECT_EQ(std::string("Elements nested too deeply in a"), xml.GetError().GetString());
            EXPECT_EQ(1, Inspect::NextFree(xml));
        }
    }
}

TEST(XmlMarkupParse, FailedPrologKeepsTextForANewRoot)
{
    XmlMarkup xml;
    EXPECT_FALSE(xml.SetDocument(kProlog));
    EXPECT_EQ(std::string("Element tag not found"), xml.GetError().GetString());
    ASSERT_TRUE(xml.AddElement("R"));
    EXPECT_EQ(std::string(kProlog) + "<R/>\r\n", xml.GetDocument().GetString());
}

TEST(XmlMarkupParse, NodesAndTextBetweenChildrenAreSkipped)
{
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<r>a & b > c<!-- <x/> --><s/>\r\n<!DOCTYPE q [ <!-- ] --> ]><t/></r>"));
    ASSERT_TRUE(xml.FindElement("r"));
    ASSERT_TRUE(xml.FindChildElement());
    EXPECT_TRUE(xml.IntoElement());
    EXPECT_FALSE(xml.FindElement("x"));
    std::vector<std::string> names;
    for (int i : Inspect::DocumentOrder(xml))
        names.push_back(Inspect::TagName(xml, i));
    EXPECT_EQ((std::vector<std::string>{"r", "s", "t"}), names);
}

TEST(XmlMarkupParse, MultibyteTrailBytesAreNotDelimiters)
{
    // In a single-byte code page every byte is a character; either way a
    // high byte never ends a name or a value early.
    XmlMarkup xml;
    ASSERT_TRUE(xml.SetDocument("<a n=\"\xe9\xe8\"><b>\xe4\xf6</b></a>"));
    ASSERT_TRUE(xml.FindElement("a"));
    EXPECT_EQ(std::string("\xe9\xe8"), xml.GetAttribute("n").GetString());
    ASSERT_TRUE(xml.FindChildElement("b"));
    EXPECT_EQ(std::string("\xe4\xf6"), xml.GetChildData().GetString());
}

} // namespace
