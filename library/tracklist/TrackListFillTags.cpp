// Track rows read from the files' own tags, and a list read back into records.
#include "library/tracklist/TrackListFill.h"

#include "framework/ui/CImageList.h"
#include "framework/ui/CListCtrl.h"
#include "library/tracklist/TrackListFillText.h"
#include "library/tags/TagReading.h"

bool tracklist::InsertTrackIntoList(CListCtrl* list, const CString& path, CImageList* images)
{
    TrackRowWriter writer(list ? list->GetSafeHwnd() : nullptr);
    writer.SetSmallImages(images ? images->GetSafeHandle() : nullptr);
    TAG_INFO info;
    int image = track_image::kPlain;
    if (HasTypeEnding(path.str(), "mp3")) {
        tags::GetTagInfo(path, &info);
        image = track_image::kMP3;
    } else if (HasTypeEnding(path.str(), "wav")) {
        tags::GetTagInfo(path, &info);
        image = track_image::kWAV;
    }
    int position = writer.Count();
    TrackRow row = MakeTagRow(info);
    writer.Insert(position, row, image, position);
    return true;
}

bool tracklist::UpdateListItemFromTag(const CString& path, CListCtrl* list, int row)
{
    TAG_INFO info;
    tags::GetTagInfo(path, &info);
    TrackRow texts = MakeTagRow(info);
    texts.Put(9, "0");
    TrackRowWriter writer(list ? list->GetSafeHwnd() : nullptr);
    writer.Rewrite(row, texts);
    if (list)
        list->RedrawItems(row, row);
    return true;
}

// Each row gets a record of its own: one that the tag reader could not fill
// carries the row's path and otherwise the values of a new record, never
// fields of the row before.
int tracklist::CopyListToArray(CListCtrl* list, TrackArray* tracks)
{
    if (!tracks)
        return 0;
    tracks->RemoveAll();
    TrackRowWriter writer(list ? list->GetSafeHwnd() : nullptr);
    const int rows = writer.Count();
    int appended = 0;
    for (int i = 0; i < rows; ++i) {
        CString path = writer.GetText(i, 8);
        TAG_INFO info;
        CTrackRecord rec;
        if (tags::GetTagInfo(path, &info))
            tags::CopyTagInfoToRecord(&rec, &info);
        else
            rec.m_FileName = path;
        tracks->Add(rec);
        ++appended;
    }
    return appended;
}
