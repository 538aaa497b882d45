// The tag writers: a whole TAG_INFO, the tempo, the play counter and the
// batch tagger's chosen fields.
#include "library/tags/TagWriting.h"

#include "framework/ui/Prompts.h"
#include "library/state/FileTexts.h"
#include "library/tags/Id3TagFile.h"

#include <id3/tag.h>

#include <exception>

namespace {

const char* const kReadOnlyText = "File is Read Only - Cannot Update Tag";
const char* const kCaption = "Kelvane Library Manager";

// The read-only check of the single-file writers, with its message.
bool RefuseReadOnly(const CString& path)
{
    if (!filetexts::IsReadOnly(path))
        return false;
    AfxPromptMessageBox(nullptr, kReadOnlyText, kCaption, MB_OK | MB_ICONINFORMATION);
    return true;
}

void AddText(ID3_Tag& tag, ID3_FrameID id, const CString& text)
{
    ID3_Frame* frame = new ID3_Frame(id);
    frame->GetField(ID3FN_TEXT)->Set(static_cast<const char*>(text));
    tag.AttachFrame(frame);
}

// A text frame replacing those of its kind; an empty text changes nothing.
void ReplaceText(Id3TagFile& file, ID3_FrameID id, const CString& text)
{
    if (text.IsEmpty())
        return;
    file.RemoveAll(id);
    AddText(file.Tag(), id, text);
}

void ReplaceArtist(Id3TagFile& file, const CString& text)
{
    if (text.IsEmpty())
        return;
    for (ID3_FrameID id : {ID3FID_LEADARTIST, ID3FID_BAND, ID3FID_CONDUCTOR, ID3FID_COMPOSER})
        file.RemoveAll(id);
    AddText(file.Tag(), ID3FID_LEADARTIST, text);
}

// The comment without a description, language "XXX"; comments with a
// description stay.
void ReplaceComment(Id3TagFile& file, const CString& text)
{
    if (text.IsEmpty())
        return;
    ID3_Tag& tag = file.Tag();
    while (ID3_Frame* frame = tag.Find(ID3FID_COMMENT, ID3FN_DESCRIPTION, ""))
        delete tag.RemoveFrame(frame);
    ID3_Frame* frame = new ID3_Frame(ID3FID_COMMENT);
    frame->GetField(ID3FN_TEXT)->Set(static_cast<const char*>(text));
    frame->GetField(ID3FN_DESCRIPTION)->Set("");
    frame->GetField(ID3FN_LANGUAGE)->Set("XXX");
    tag.AttachFrame(frame);
}

void ReplaceTempo(Id3TagFile& file, const CString& text)
{
    file.RemoveAll(ID3FID_BPM);
    ID3_Frame* frame = new ID3_Frame(ID3FID_BPM);
    frame->GetField(ID3FN_TEXTENC)->Set(static_cast<uint32>(ID3TE_ISO8859_1));
    frame->GetField(ID3FN_TEXT)->Set(static_cast<const char*>(text));
    file.Tag().AttachFrame(frame);
}

// The counter frame's count set, or a counter frame added with it.
void SetCounter(Id3TagFile& file, uint32_t count)
{
    ID3_Frame* frame = file.Tag().Find(ID3FID_PLAYCOUNTER);
    if (!frame) {
        frame = new ID3_Frame(ID3FID_PLAYCOUNTER);
        file.Tag().AttachFrame(frame);
    }
    frame->GetField(ID3FN_COUNTER)->Set(static_cast<uint32>(count));
}

void SetEncodedBy(Id3TagFile& file, const CString& text)
{
    ID3_Frame* frame = file.Tag().Find(ID3FID_ENCODEDBY);
    if (!frame) {
        AddText(file.Tag(), ID3FID_ENCODEDBY, text);
        return;
    }
    frame->GetField(ID3FN_TEXT)->Set(static_cast<const char*>(text));
}

} // namespace

bool tags::SetID3TagInfo(TAG_INFO* info, CString path)
{
    if (!info || RefuseReadOnly(path))
        return false;
    try {
        Id3TagFile file(path);
        ReplaceTempo(file, info->BPMText);
        if (!file.Write())
            return false;
        ReplaceText(file, ID3FID_TITLE, info->Title);
        ReplaceArtist(file, info->Artist);
        ReplaceText(file, ID3FID_ALBUM, info->Album);
        ReplaceText(file, ID3FID_CONTENTTYPE, info->Genre);
        ReplaceText(file, ID3FID_YEAR, info->Year);
        ReplaceComment(file, info->Comment);
        SetCounter(file, static_cast<uint32_t>(info->PlayCount));
        if (!file.Write())
            return false;
        SetEncodedBy(file, info->EncodedBy);
        return file.Write();
    } catch (...) {
        return false;
    }
}

bool tags::SetBPMTag(CString path, CString bpm)
{
    if (RefuseReadOnly(path))
        return false;
    try {
        Id3TagFile file(path);
        ReplaceTempo(file, bpm);
        return file.Write();
    } catch (...) {
        return false;
    }
}

int tags::IncrementPlayCounter(CString path)
{
    if (filetexts::IsReadOnly(path))
        return -1;
    // A deck's worker thread calls this: nothing may escape.
    try {
        Id3TagFile file(path);
        int result = 0;
        if (ID3_Frame* frame = file.Tag().Find(ID3FID_PLAYCOUNTER)) {
            const uint32 count = frame->GetField(ID3FN_COUNTER)->Get() + 1;
            frame->GetField(ID3FN_COUNTER)->Set(count);
            result = static_cast<int>(count);
        } else {
            SetCounter(file, 1);
        }
        return file.Write() ? result : -1;
    } catch (...) {
        return -1;
    }
}

bool tags::SetBatchID3TagInfo(tagBatchTag* batch)
{
    if (!batch)
        return false;
    const CString path = batch->Tag.Path;
    if (!filetexts::Exists(path) || filetexts::IsReadOnly(path))
        return false;
    try {
        Id3TagFile file(path);
        const TAG_INFO& tag = batch->Tag;
        if (batch->SetArtist)
            ReplaceArtist(file, tag.Artist);
        if (batch->SetAlbum)
            ReplaceText(file, ID3FID_ALBUM, tag.Album);
        if (batch->SetGenre)
            ReplaceText(file, ID3FID_CONTENTTYPE, tag.Genre);
        if (batch->SetYear)
            ReplaceText(file, ID3FID_YEAR, tag.Year);
        if (batch->SetComment)
            ReplaceComment(file, tag.Comment);
        if (batch->SetEncodedBy) {
            SetEncodedBy(file, tag.EncodedBy);
            if (!file.Write())
                return false;
        }
        if (batch->SetBPM) {
            ReplaceTempo(file, tag.BPMText);
            if (!file.Write())
                return false;
        }
        if (batch->SetPlayCount) {
            SetCounter(file, static_cast<uint32_t>(tag.PlayCount));
            if (!file.Write())
                return false;
        }
        if (batch->RemovePictures)
            file.RemoveAll(ID3FID_PICTURE);
        if (!file.Write())
            return false;
    } catch (...) {
        return false;
    }
    if (batch->SetPicture)
        SetID3Picture(path, batch->PictureFile, true);
    return true;
}
