// The reader of the older XML library layout over any text, as its counter
// reads a file: the records of the TRK elements and their count. The count
// is the number of records read, and the records written in the older
// layout read back the same (each text as the XML writer writes it).
// Input: fuzz/XmlInput.h.
#include "foundation/xml/XmlMarkup.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/XmlInput.h"
#include "fuzz/XmlWritten.h"
#include "library/legacy/OlderLayout.h"

#include <string>

namespace {

using Records = CArray<CTrackRecord, CTrackRecord&>;

const CString CTrackRecord::*const kTexts[] = {
    &CTrackRecord::m_FileName, &CTrackRecord::m_Artist,   &CTrackRecord::m_Album,
    &CTrackRecord::m_Title,    &CTrackRecord::m_Genre,    &CTrackRecord::m_FileType,
    &CTrackRecord::m_BPMText,  &CTrackRecord::m_Year};
const int32_t CTrackRecord::*const kNumbers[] = {&CTrackRecord::m_Index, &CTrackRecord::m_Length,
                                                 &CTrackRecord::m_PlayCount,
                                                 &CTrackRecord::m_HasPicture};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CString text;
    if (!SplitXmlInput(data, size, &text))
        return 0;

    XmlMarkup xml;
    if (!xml.SetDocument(text))
        return 0;
    Records read;
    const int count = legacy::ReadOlderLayoutRecords(xml, &read);
    FUZZ_CHECK(count == read.GetSize(), "counted %d, read %d", count,
               static_cast<int>(read.GetSize()));
    XmlMarkup counting;
    counting.SetDocument(text);
    FUZZ_CHECK(legacy::ReadOlderLayoutRecords(counting, nullptr) == count,
               "counting alone gives another count than reading");

    const std::string written =
        legacy::BuildOlderLayoutText(read, CString("5.00"), CString("01/01/26"));
    XmlMarkup again;
    FUZZ_CHECK(again.SetDocument(CString(written)), "the written text does not parse: %s",
               again.GetError().GetString());
    Records reread;
    FUZZ_CHECK(legacy::ReadOlderLayoutRecords(again, &reread) == count,
               "the written text holds another count");
    for (INT_PTR i = 0; i < read.GetSize(); ++i) {
        for (auto t : kTexts) {
            const std::string expected = XmlWritten((read[i].*t).GetString());
            const std::string got = (reread[i].*t).GetString();
            FUZZ_CHECK(expected == got, "record %d: text [%s] read back as [%s]",
                       static_cast<int>(i), expected.c_str(), got.c_str());
        }
        for (auto n : kNumbers)
            FUZZ_CHECK(read[i].*n == reread[i].*n, "record %d: number %d read back as %d",
                       static_cast<int>(i), read[i].*n, reread[i].*n);
    }
    return 0;
}
