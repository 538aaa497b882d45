// Writing a font or a pair of colours back into a skin file.
#include "skin/file/Skin.h"

#include "foundation/xml/XmlMarkup.h"

#include <cstdio>

namespace {

// Finds the first child of the root named `element` whose "action" is
// `action` and sets the attributes there; the results of SaveFont.
int SetOnMatch(CString& text, const CString& element, const CString& action,
               const char* name1, const CString& value1, const char* name2, const CString& value2)
{
    XmlMarkup xml;
    xml.SetDocument(text);
    if (!xml.FindElement("TavrixVJSkin"))
        return -2;
    while (xml.FindChildElement(element.GetString())) {
        xml.IntoElement();
        if (xml.GetAttribute("action") == action) {
            xml.SetAttribute(name1, value1.GetString());
            xml.SetAttribute(name2, value2.GetString());
            text = xml.GetDocument();
            return 0;
        }
        xml.OutOfElement();
    }
    return -1;
}

CString HexColour(uint32_t colour)
{
    CString text;
    text.Format("%02x%02x%02x", static_cast<unsigned>(colour & 0xFF),
                static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    return text;
}

} // namespace

int Skin::SaveFontText(CString& text, const CString& element, const CString& action,
                       const CString& face, int sizePoints)
{
    CString size;
    size.Format("%02d", sizePoints);
    return SetOnMatch(text, element, action, "font", face, "fsize", size);
}

int Skin::SaveColorsText(CString& text, const CString& element, const CString& action,
                         uint32_t bkColor, uint32_t txColor)
{
    return SetOnMatch(text, element, action, "bkcolor", HexColour(bkColor), "txcolor",
                      HexColour(txColor));
}
