// The heads of controller maps and skins as the program's lists read them:
// any text as a map's first lines and as a skin file. The first byte picks
// the code page (odd: 932); the rest is the text.
#include "foundation/shortcuts/ShortcutFile.h"
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlWritten.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    XmlSetNativeCodePage((data[0] & 1) ? 932 : 0);
    const CString text(std::string(reinterpret_cast<const char*>(data) + 1, size - 1).c_str());

    ControllerMapHeader header;
    if (ParseControllerMapHead(text, header)) {
        // The name and version, written into a map's root, read back.
        XmlMarkup written;
        written.AddElement("ControllerMapper");
        written.SetAttribute("name", header.m_strName);
        written.SetAttribute("version", header.m_strVersion);
        ControllerMapHeader again;
        FUZZ_CHECK(ParseControllerMapHead(written.GetDocument(), again), "a written map head does not read");
        FUZZ_CHECK(std::string(again.m_strName.GetString()) == XmlWritten(header.m_strName) &&
                       std::string(again.m_strVersion.GetString()) == XmlWritten(header.m_strVersion),
                   "a written map head reads otherwise");
    }

    SkinHeaderInfo info;
    ParseSkinHead(text, info);
    FUZZ_CHECK(info.m_strSize.Find(" x ") >= 0, "the size text has no \" x \"");
    FUZZ_CHECK(info.m_strSize.GetLength() <= text.GetLength() + 3, "the size text is longer than the skin");
    return 0;
}
