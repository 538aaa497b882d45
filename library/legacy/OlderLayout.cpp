#include "library/legacy/OlderLayout.h"

#include "foundation/libraryfile/LibraryFileLayout.h"
#include "foundation/xml/XmlMarkup.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct OlderField
{
    const char* element;
    CString CTrackRecord::*text;    // a text field, else null
    int32_t CTrackRecord::*number;  // a number field ("%d"), else null
};

const OlderField kFields[] = {
    {"FN", &CTrackRecord::m_FileName, nullptr},
    {"AR", &CTrackRecord::m_Artist, nullptr},
    {"AL", &CTrackRecord::m_Album, nullptr},
    {"TI", &CTrackRecord::m_Title, nullptr},
    {"GE", &CTrackRecord::m_Genre, nullptr},
    {"FT", &CTrackRecord::m_FileType, nullptr},
    {"BP", &CTrackRecord::m_BPMText, nullptr},
    {"YR", &CTrackRecord::m_Year, nullptr},
    {"ID", nullptr, &CTrackRecord::m_Index},
    {"LE", nullptr, &CTrackRecord::m_Length},
    {"PC", nullptr, &CTrackRecord::m_PlayCount},
    {"RS", nullptr, &CTrackRecord::m_HasPicture},
};

const char* const kRecordMark = "<TRK/>\r\n";

// One TRK element with its children, as XmlMarkup writes it. Each record
// is built in a document of its own: adding to one large document would
// copy the whole text for every element.
std::string RecordText(const CTrackRecord& record)
{
    XmlMarkup xml;
    xml.AddElement(libraryfile::kRecordName);
    xml.IntoElement();
    for (const OlderField& f : kFields) {
        CString value;
        if (f.text)
            value = record.*f.text;
        else
            value.Format("%d", static_cast<int>(record.*f.number));
        xml.AddElement(f.element, value);
    }
    const CString text = xml.GetDocument();
    return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
}

int32_t Number(const CString& text)
{
    const long long value = std::strtoll(text.GetString(), nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace

std::string legacy::BuildOlderLayoutText(const CArray<CTrackRecord, CTrackRecord&>& records,
                                         const CString& version, const CString& date)
{
    const INT_PTR count = records.GetSize();
    CString tracks;
    tracks.Format("%d", static_cast<int>(count));
    XmlMarkup head(libraryfile::kProlog);
    head.AddElement(libraryfile::kRootName);
    head.SetAttribute(libraryfile::kVersionAttribute, version);
    head.SetAttribute(libraryfile::kDateAttribute, date);
    head.SetAttribute(libraryfile::kTracksAttribute, tracks);
    if (count == 0) {
        const CString text = head.GetDocument();
        return std::string(text.GetString(), static_cast<size_t>(text.GetLength()));
    }
    // The root as it stands with one empty child; the records go where that
    // child is.
    head.IntoElement();
    head.AddElement(libraryfile::kRecordName);
    const CString frame = head.GetDocument();
    const std::string around(frame.GetString(), static_cast<size_t>(frame.GetLength()));
    const size_t at = around.find(kRecordMark);
    std::string text = around.substr(0, at);
    for (INT_PTR i = 0; i < count; ++i)
        text += RecordText(records[i]);
    text += around.substr(at + std::char_traits<char>::length(kRecordMark));
    return text;
}

int legacy::ReadOlderLayoutRecords(XmlMarkup& xml, CArray<CTrackRecord, CTrackRecord&>* records)
{
    if (!xml.FindElement(libraryfile::kRootName))
        return 0;
    int count = 0;
    while (xml.FindChildElement(libraryfile::kRecordName)) {
        xml.IntoElement();
        CTrackRecord r;
        for (const OlderField& f : kFields) {
            // A missing child leaves its field empty and the search where
            // it was, so the next child is still found.
            if (!xml.FindChildElement(f.element))
                continue;
            if (f.text)
                r.*f.text = xml.GetChildData();
            else
                r.*f.number = Number(xml.GetChildData());
        }
        if (records)
            records->Add(r);
        ++count;
        xml.OutOfElement();
    }
    return count;
}
