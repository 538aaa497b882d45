// XmlMarkup over any text: the parse and a walk over every element with
// its attributes and data; and a document built with a value taken from
// the input, which must read back. The first
// byte picks the code page (odd: 932, double-byte; even: single-byte), the
// second the length of a value taken from the bytes after it; the rest is
// the document.
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlWritten.h"

#include <string>

namespace {

// Visits every element below the current level, reading what a reader
// reads; at most `budget` elements in all.
void Walk(XmlMarkup& xml, int depth, int& budget)
{
    while (budget > 0 && xml.FindElement()) {
        --budget;
        xml.GetAttribute("a");
        xml.GetAttribute("NAME");
        if (depth < 64 && xml.IntoElement()) {
            Walk(xml, depth + 1, budget);
            xml.OutOfElement();
        }
        xml.FindChildElement();
        xml.GetChildData();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzParts parts;
    if (!FuzzParts::Split(data, size, &parts))
        return 0;
    XmlSetNativeCodePage((parts.choice & 1) ? 932 : 0);
    const std::string value = parts.head.c_str(); // an attribute's text ends at a zero byte
    const std::string& text = parts.rest;

    XmlMarkup xml;
    if (!xml.SetDocument(CString(text))) {
        xml.GetError();
        return 0;
    }
    int budget = 10000;
    Walk(xml, 0, budget);

    // A document built as the program builds one (a prolog, a root, an
    // element with the value as its data and as an attribute) reads back
    // the value, in itself and in a fresh parse of its text.
    const std::string expected = XmlWritten(value.c_str());
    XmlMarkup built;
    built.SetDocument(CString("<?xml version=\"1.0\"?>\r\n")); // a prolog, no root yet
    FUZZ_CHECK(built.AddElement("ROOT"), "AddElement of the root failed");
    FUZZ_CHECK(built.IntoElement(), "IntoElement failed");
    FUZZ_CHECK(built.AddElement("ITEM", value.c_str()), "AddElement failed");
    FUZZ_CHECK(built.SetAttribute("v", value.c_str()), "SetAttribute failed");
    const std::string read = built.GetAttribute("v").str();
    FUZZ_CHECK(read == expected, "attribute read back as [%s], set [%s]", read.c_str(),
               value.c_str());

    XmlMarkup again;
    FUZZ_CHECK(again.SetDocument(built.GetDocument()), "the built document does not parse: %s",
               again.GetError().GetString());
    FUZZ_CHECK(again.FindElement("ROOT") && again.IntoElement() && again.FindElement("ITEM"),
               "the built document lost its elements");
    const std::string reread = again.GetAttribute("v").str();
    FUZZ_CHECK(reread == expected, "attribute re-read as [%s], set [%s]", reread.c_str(),
               value.c_str());
    XmlMarkup reader{built.GetDocument()};
    FUZZ_CHECK(reader.FindElement("ROOT") && reader.FindChildElement("ITEM"),
               "the element is gone");
    const std::string childData = reader.GetChildData().str();
    FUZZ_CHECK(childData == expected, "data re-read as [%s], set [%s]", childData.c_str(),
               value.c_str());
    return 0;
}
