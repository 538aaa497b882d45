// One MP3 file's tags, linked for reading and changing through id3lib, and
// written back without ever risking the audio.
//
// Linking reads the file once. A front ID3v2.4 tag, and an ID3v2.3 tag with
// a frame out of bounds, are never handed to id3lib (it would parse the
// former wrongly and allocate the latter as declared): such a file links
// with its end-of-file tags only and cannot be written (Writable() false),
// so its frames are never lost.
//
// Write() renders both tags and puts them in the file: when the new ID3v2
// tag fits in the old tag's space it is written in place, padded to that
// size, together with the ID3v1 trailer (overwritten or appended); a
// failure there puts the old bytes back. Otherwise the whole file is written
// anew beside the old one and replaces it only when complete
// (library/file/SafeFileWrite). Either way the bytes between the tags are
// never changed, and a failed write leaves the file as it was.
#pragma once

#include "framework/core/CString.h"
#include "library/tags/Id3v2Tag.h"

#include <id3/tag.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Id3TagFile
{
public:
    explicit Id3TagFile(const CString& path);
    Id3TagFile(const Id3TagFile&) = delete;
    Id3TagFile& operator=(const Id3TagFile&) = delete;

    // The file could be opened and read.
    bool IsOpen() const { return m_open; }
    // The file's tags can be written (open, and no front tag id3lib cannot
    // take).
    bool Writable() const { return m_open && !m_foreignFront; }
    ID3_Tag& Tag() { return m_tag; }

    // Writes both tags; false when the file could not be written (then it
    // is unchanged). Writing again after a write writes the tags again.
    bool Write();

    // The frames removed of one kind; the number removed.
    int RemoveAll(ID3_FrameID id);

    // The first attached picture of the tags as linked, or of the front
    // tag id3lib was not given: its MIME type and data. False when none.
    bool FirstPicture(std::string* mimeType, std::string* data) const;

private:
    CString m_path;
    ID3_Tag m_tag;
    bool m_open = false;
    bool m_foreignFront = false;
    uint64_t m_fileSize = 0;
    uint64_t m_front = 0;   // bytes of the ID3v2 tag at the front, 0 for none
    bool m_hasV1 = false;   // an ID3v1 tag ends the file
    // The front tag read by the bounded reader when id3lib cannot take it.
    id3v2::Tag m_own;
};
