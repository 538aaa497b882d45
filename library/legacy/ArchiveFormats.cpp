#include "library/legacy/ArchiveFormats.h"

#include "framework/core/CArchive.h"
#include "framework/core/Exceptions.h"

#include <exception>
#include <memory>
#include <unordered_set>
#include <vector>

namespace {

// The buffer of the readers and of each record's writer.
const int kArchiveBuffer = 4096;

} // namespace

void legacy::StorePlaylistRecord(CByteStream& stream, const CTrackRecord& record)
{
    CArchive ar(&stream, CArchive::store, kArchiveBuffer);
    ar.WriteObject(&record);
    ar.Close();
}

int legacy::ReadArchivePlaylist(CByteStream& stream, TrackArray& tracks)
{
    int count = 0;
    // The archive hands out a record met again (a reference to an object
    // read before) as the same object, so every object lives until the end.
    std::vector<std::unique_ptr<CObject>> read;
    std::unordered_set<const CObject*> known;
    try {
        CArchive ar(&stream, CArchive::load, kArchiveBuffer);
        while (!ar.AtEnd()) {
            CObject* object = ar.ReadObject(RUNTIME_CLASS(CTrackRecord));
            // A null object is no record: the file is damaged.
            if (!object)
                return -1;
            if (known.insert(object).second)
                read.emplace_back(object);
            tracks.Add(*static_cast<CTrackRecord*>(object));
            ++count;
        }
        ar.Close();
    } catch (const CException&) {
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
    return count;
}

int legacy::ReadArchiveLibrary(CByteStream& stream, TrackArray& tracks)
{
    try {
        CArchive ar(&stream, CArchive::load, kArchiveBuffer);
        CString header;
        int declared = 0;
        ar >> header >> declared;
        if (declared < 0)
            return -1;
        tracks.RemoveAll();
        CTrackRecord record;
        for (int i = 0; i < declared; ++i) {
            record.ClearRecord();
            record.Serialize(ar);
            tracks.Add(record);
        }
        ar.Close();
        return declared;
    } catch (const CException&) {
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
}

void legacy::WriteArchiveLibrary(CByteStream& stream, const CString& header,
                                 const TrackArray& tracks)
{
    CArchive ar(&stream, CArchive::store, kArchiveBuffer);
    ar << header << static_cast<int>(tracks.GetSize());
    for (INT_PTR i = 0; i < tracks.GetSize(); ++i)
        const_cast<CTrackRecord&>(tracks[i]).Serialize(ar);
    ar.Close();
}
