// The library file's readers over any text, as the library opens a file:
// the head's version and count, the quick reader of the written layout and
// the general XML reader. A text the quick reader accepts must read to the
// same records through the XML reader, and those records must survive a
// write and a read of what was written. The first byte picks the code
// page (odd: 932, double-byte; even: single-byte); the rest is the file.
#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"
#include "foundation/xml/XmlToken.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlWritten.h"
#include "library/file/LibraryDocument.h"
#include "library/file/LibraryLayoutReader.h"

#include <string>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;
using TrackField = libraryfile::Field<CTrackRecord>;

// A text as the library file's writer writes it: as the XML writers do,
// with CR, LF and TAB as a blank and the other control bytes left out (they
// are not allowed in XML).
std::string LibraryWritten(const char* text)
{
    std::string written;
    for (char c : XmlWritten(text)) {
        if (c == '\r' || c == '\n' || c == '\t')
            written += ' ';
        else if (static_cast<unsigned char>(c) >= 0x20)
            written += c;
    }
    return written;
}

void ExpectSameRecords(const Records& a, const Records& b, const char* what)
{
    FUZZ_CHECK(a.GetSize() == b.GetSize(), "%s: %d records against %d", what,
               static_cast<int>(a.GetSize()), static_cast<int>(b.GetSize()));
    const TrackField* fields = libraryfile::Fields<CTrackRecord>();
    for (INT_PTR r = 0; r < a.GetSize(); ++r) {
        for (int f = 0; f < libraryfile::kFieldCount; ++f) {
            const TrackField& field = fields[f];
            if (field.text) {
                const std::string x = LibraryWritten((a[r].*field.text).GetString());
                const std::string y = LibraryWritten((b[r].*field.text).GetString());
                FUZZ_CHECK(x == y, "%s: record %d field %s/%s: [%s] against [%s]", what,
                           static_cast<int>(r), field.element,
                           field.attribute ? field.attribute : "", x.c_str(), y.c_str());
            } else {
                FUZZ_CHECK(a[r].*field.number == b[r].*field.number,
                           "%s: record %d field %s/%s: %d against %d", what, static_cast<int>(r),
                           field.element, field.attribute ? field.attribute : "",
                           a[r].*field.number, b[r].*field.number);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    XmlSetNativeCodePage((data[0] & 1) ? 932 : 0);
    const CString text(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

    CString version;
    int tracks = 0;
    ReadLibraryHead(JoinedFirstLines(text, libraryfile::kHeadLines), version, tracks);

    int count = -1;
    const bool laidOut = CheckLibraryLayout(text, count);
    XmlMarkup xml;
    const bool parsed = xml.SetDocument(text);
    Records viaXml;
    if (parsed)
        ReadLibraryRecords(xml, viaXml, true);
    if (!laidOut)
        return 0;

    FUZZ_CHECK(parsed, "the quick reader took a text the XML parser refuses: %s",
               xml.GetError().GetString());
    Records quick;
    ReadLibraryLayout(text, count, quick, true);
    FUZZ_CHECK(quick.GetSize() == count, "the quick reader counted %d, read %d", count,
               static_cast<int>(quick.GetSize()));
    ExpectSameRecords(quick, viaXml, "quick reader against XML reader");

    // Written and read again: the same records, through both readers.
    const std::string written = BuildLibraryText(quick, version, CString("2026-01-01"));
    const CString again(written);
    int againCount = -1;
    FUZZ_CHECK(CheckLibraryLayout(again, againCount), "the written text is not in the layout");
    Records reread;
    ReadLibraryLayout(again, againCount, reread, true);
    ExpectSameRecords(quick, reread, "written and read again");
    XmlMarkup xmlAgain;
    FUZZ_CHECK(xmlAgain.SetDocument(again), "the written text does not parse: %s",
               xmlAgain.GetError().GetString());
    Records rereadXml;
    ReadLibraryRecords(xmlAgain, rereadXml, true);
    ExpectSameRecords(quick, rereadXml, "written and read again through XML");
    return 0;
}
