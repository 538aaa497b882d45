// Reading ID3 tags written with id3lib onto MP3 files made by lame: each
// frame, genre references, tempo forms, pictures, trimming, defaults, the
// file-name fallback, damaged tags and the record helpers.
#include "library/state/LibraryState.h"
#include "library/api/VIZU.h"
#include "tests/library/tags/TagsFixture.h"

#include <id3/tag.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace tavrix_test;

namespace {

void AddText(ID3_Tag& tag, ID3_FrameID id, const char* text)
{
    ID3_Frame* frame = new ID3_Frame(id);
    frame->GetField(ID3FN_TEXT)->Set(text);
    tag.AttachFrame(frame);
}

void AddCounter(ID3_Tag& tag, uint32 count)
{
    ID3_Frame* frame = new ID3_Frame(ID3FID_PLAYCOUNTER);
    frame->GetField(ID3FN_COUNTER)->Set(count);
    tag.AttachFrame(frame);
}

void AddComment(ID3_Tag& tag, const char* text)
{
    ID3_Frame* frame = new ID3_Frame(ID3FID_COMMENT);
    frame->GetField(ID3FN_LANGUAGE)->Set("eng");
    frame->GetField(ID3FN_DESCRIPTION)->Set("");
    frame->GetField(ID3FN_TEXT)->Set(text);
    tag.AttachFrame(frame);
}

void AddPicture(ID3_Tag& tag)
{
    static const uchar jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0xFF, 0xD9};
    ID3_Frame* frame = new ID3_Frame(ID3FID_PICTURE);
    frame->GetField(ID3FN_MIMETYPE)->Set("image/jpeg");
    frame->GetField(ID3FN_PICTURETYPE)->Set(3);
    frame->GetField(ID3FN_DESCRIPTION)->Set("cover");
    frame->GetField(ID3FN_DATA)->Set(jpeg, sizeof jpeg);
    tag.AttachFrame(frame);
}

// A copy of the untagged tone with a tag of the given type built by fill.
std::string TaggedMp3(const TempDir& dir, const std::string& name,
                      const std::function<void(ID3_Tag&)>& fill, flags_t type = ID3TT_ID3V2)
{
    std::string path = CopyOfToneMp3(dir, name);
    ID3_Tag tag;
    tag.Link(path.c_str(), ID3TT_NONE);
    fill(tag);
    EXPECT_NE(0u, tag.Update(type)) << path;
    return path;
}

class Id3Read : public KVLibIniTest
{
protected:
    TempDir m_dir;
};

} // namespace

TEST_F(Id3Read, FullTagGivesEveryFieldTrimmedWithTheStreamFacts)
{
    std::string path = TaggedMp3(m_dir, "full.mp3", [](ID3_Tag& tag) {
        AddText(tag, ID3FID_TITLE, "  The Title \t");
        AddText(tag, ID3FID_LEADARTIST, " The Artist ");
        AddText(tag, ID3FID_ALBUM, "The Album  ");
        AddText(tag, ID3FID_CONTENTTYPE, "(17)");
        AddText(tag, ID3FID_YEAR, " 1999");
        AddComment(tag, "  A comment ");
        AddCounter(tag, 42);
        AddText(tag, ID3FID_BPM, "128.50");
        AddText(tag, ID3FID_ENCODEDBY, "The Encoder");
        AddPicture(tag);
    });
    TAG_INFO info;
    ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
    EXPECT_EQ(path, info.Path.str());
    EXPECT_EQ("The Title", info.Title.str());
    EXPECT_EQ("The Artist", info.Artist.str());
    EXPECT_EQ("The Album", info.Album.str());
    EXPECT_EQ("Rock", info.Genre.str());
    EXPECT_EQ("1999", info.Year.str());
    EXPECT_EQ("A comment", info.Comment.str());
    EXPECT_EQ(42, info.PlayCount);
    EXPECT_EQ("12850", info.BPMText.str());
    EXPECT_EQ(128, info.BPM);
    EXPECT_TRUE(info.HasBPM);
    EXPECT_EQ("The Encoder", info.EncodedBy.str());
    EXPECT_TRUE(info.HasPicture);
    EXPECT_EQ("MP3", info.FileType.str());
    EXPECT_EQ(3, info.Length);
    EXPECT_EQ(128, info.Bitrate);
    EXPECT_EQ(44100, info.SampleRate);
    EXPECT_EQ(2, info.Channels);
    EXPECT_TRUE(info.LengthText.IsEmpty()) << "only the quick reader fills it";
}

TEST_F(Id3Read, ArtistComesFromTheFirstArtistFrameThatExists)
{
    struct Case { std::vector<std::pair<ID3_FrameID, const char*>> frames; const char* artist; };
    const Case cases[] = {
        {{{ID3FID_COMPOSER, "Composer"}, {ID3FID_BAND, "Band"}}, "Band"},
        {{{ID3FID_COMPOSER, "Composer"}}, "Composer"},
        {{{ID3FID_CONDUCTOR, "Conductor"}, {ID3FID_LEADARTIST, "Lead"}}, "Lead"},
        {{{ID3FID_CONDUCTOR, "Conductor"}, {ID3FID_COMPOSER, "Composer"}}, "Conductor"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.artist);
        std::string path = TaggedMp3(m_dir, "artist" + std::to_string(n++) + ".mp3", [&](ID3_Tag& tag) {
            AddText(tag, ID3FID_TITLE, "T");
            for (const auto& f : c.frames)
                AddText(tag, f.first, f.second);
        });
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
        EXPECT_EQ(c.artist, info.Artist.str());
    }
}

TEST_F(Id3Read, OnlyALeadingGenreReferenceIsResolved)
{
    struct Case { const char* text; const char* genre; };
    const Case cases[] = {
        {"(13)", "Pop"}, {"(13)Pop", "Pop"}, {"(126)", "Misc"}, {"(125)", "Dance Hall"},
        {"Trip-Hop", "Trip-Hop"}, {"Rock (live)", "Rock (live)"}, {"(RX)", "(RX)"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string path = TaggedMp3(m_dir, "genre" + std::to_string(n++) + ".mp3",
                                     [&](ID3_Tag& tag) { AddText(tag, ID3FID_CONTENTTYPE, c.text); });
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
        EXPECT_EQ(c.genre, info.Genre.str());
        TAG_INFO quick;
        ASSERT_TRUE(VIZU::GetID3TagQuick(&quick, path.c_str()));
        EXPECT_EQ(c.genre, quick.Genre.str());
    }
}

TEST_F(Id3Read, TempoIsNormalisedToFiveDigits)
{
    struct Case { const char* text; const char* bpmText; int bpm; bool has; };
    const Case cases[] = {
        {"120", "12000", 120, true},
        {"98.5", "09850", 98, true},
        {"128.50", "12850", 128, true},
        {nullptr, "00000", 0, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "no frame");
        std::string path = TaggedMp3(m_dir, "bpm" + std::to_string(n++) + ".mp3", [&](ID3_Tag& tag) {
            AddText(tag, ID3FID_TITLE, "T");
            if (c.text)
                AddText(tag, ID3FID_BPM, c.text);
        });
        TAG_INFO info;
        ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
        EXPECT_EQ(c.bpmText, info.BPMText.str());
        EXPECT_EQ(c.bpm, info.BPM);
        EXPECT_EQ(c.has, info.HasBPM);
        CTrackRecord rec;
        ASSERT_TRUE(VIZU::ReadID3Tag(&rec, path.c_str()));
        EXPECT_EQ(c.bpmText, rec.m_BPMText.str());
        EXPECT_EQ(c.bpm, rec.m_BPM);
    }
}

// A tempo frame in UTF-16 is read like one in Latin-1 (docs/decisions.md).
TEST_F(Id3Read, UnicodeTextFramesAndTheirTempoRead)
{
    std::string path = MediaPath("tags_utf16.mp3");
    TAG_INFO info;
    ASSERT_TRUE(VIZU::GetID3TagInfo(&info, path.c_str()));
    EXPECT_EQ("Wide Title", info.Title.str());
    EXPECT_EQ("Wide Artist", info.Artist.str());
    EXPECT_EQ("12000", info.BPMText.str());
    EXPECT_EQ(120, info.BPM);
    EXPECT_TRUE(info.HasBPM);
    EXPECT_EQ(3, info.Length);
}

TEST_F(Id3Read, QuickReaderTakesTheLengthFrameOrScans)
{
    TAG_INFO withFrame;
    ASSERT_TRUE(VIZU::GetID3TagQuick(&withFrame, MediaPath("tags_utf16.mp3").c_str()));
    EXPECT_FALSE(withFrame.LengthText.IsEmpty());
    EXPECT_EQ(atoi(withFrame.LengthText) / 1000, withFrame.Length);
    EXPECT_EQ(3, withFrame.Length);
    EXPECT_EQ(0, withFrame.SampleRate) << "no scan when the frame gives a length";
    EXPECT_EQ("Wide Title", withFrame.Title.str());

    std::string path = TaggedMp3(m_dir, "quick.mp3", [](ID3_Tag& tag) {
        AddText(tag, ID3FID_TITLE, " Q ");
        AddText(tag, ID3FID_BPM, "99");
        AddComment(tag, "not read");
    });
    TAG_INFO scanned;
    ASSERT_TRUE(VIZU::GetID3TagQuick(&scanned, path.c_str()));
    EXPECT_EQ("Q", scanned.Title.str());
    EXPECT_TRUE(scanned.LengthText.IsEmpty());
    EXPECT_EQ(3, scanned.Length);
    EXPECT_EQ(44100, scanned.SampleRate);
    EXPECT_TRUE(scanned.BPMText.IsEmpty());
    EXPECT_TRUE(scanned.Comment.IsEmpty());
    EXPECT_EQ("MP3", scanned.FileType.str());
}

TEST_F(Id3Read, Id3v1TagReadsWithItsGenreNumber)
{
    std::string path = TaggedMp3(
        m_dir, "v1.mp3",
        [](ID3_Tag& tag) {
            AddText(tag, ID3FID_TITLE, "Old Title");
            AddText(tag, ID3FID_LEADARTIST, "Old Artist");
            AddText(tag, ID3FID_CONTENTTYPE, "(9)");
        },
        ID3TT_ID3V1);
    TAG_INFO info;
    ASSERT_TRUE(VIZU::GetTagInfo(path.c_str(), &info));
    EXPECT_EQ("Old Title", info.Title.str());
    EXPECT_EQ("Old Artist", info.Artist.str());
    EXPECT_EQ("Metal", info.Genre.str());

    CTrackRecord rec;
    rec.m_FileName = "kept";
    ASSERT_TRUE(VIZU::ReadID3Tag(&rec, path.c_str()));
    EXPECT_EQ("Old Title", rec.m_Title.str());
    EXPECT_EQ("Unknown", rec.m_Album.str());
    EXPECT_EQ("Metal", rec.m_Genre.str());
    EXPECT_EQ("kept", rec.m_FileName.str());
    EXPECT_EQ(3, rec.m_Length);
    EXPECT_EQ("MP3", rec.m_FileType.str());
}

TEST_F(Id3Read, ExtensionGateOfGetTagInfo)
{
    std::string upper = CopyOfToneMp3(m_dir, "LOUD.MP3");
    TAG_INFO info;
    EXPECT_TRUE(VIZU::GetTagInfo(upper.c_str(), &info));
    EXPECT_EQ("MP3", info.FileType.str());

    for (const char* name : {"tone.mp3.bak", "tone.ogg", "tone.mp"}) {
        SCOPED_TRACE(name);
        std::string path = CopyOfToneMp3(m_dir, name);
        TAG_INFO other;
        other.Title = "untouched";
        EXPECT_FALSE(VIZU::GetTagInfo(path.c_str(), &other));
        EXPECT_EQ("untouched", other.Title.str());
        EXPECT_FALSE(VIZU::GetID3TagQuick(&other, path.c_str()));
        CTrackRecord rec;
        EXPECT_FALSE(VIZU::ReadID3Tag(&rec, path.c_str()));
        EXPECT_FALSE(VIZU::ReadDekodaTag(&rec, path.c_str(), 0));
    }
}

TEST_F(Id3Read, DefaultsWithoutTagsAndFileNameFallback)
{
    std::string plain = CopyOfToneMp3(m_dir, "Some Artist - Some Song.mp3");
    TAG_INFO none;
    ASSERT_TRUE(VIZU::GetTagInfo(plain.c_str(), &none));
    EXPECT_EQ("Some Artist - Some Song", none.Title.str());
    EXPECT_EQ("Unknown", none.Artist.str());
    EXPECT_EQ("Unknown", none.Album.str());
    EXPECT_EQ("Other", none.Genre.str());
    EXPECT_EQ("", none.Year.str());
    EXPECT_EQ("00000", none.BPMText.str());

    WriteIni("FilenameParseString=%1 - %2\r\nFilenameParseDelim=-\r\n");
    TAG_INFO parsed;
    ASSERT_TRUE(VIZU::GetTagInfo(plain.c_str(), &parsed));
    EXPECT_EQ("Some Song", parsed.Title.str());
    EXPECT_EQ("Some Artist", parsed.Artist.str());
    EXPECT_EQ("Unknown", parsed.Album.str());

    // A title without an artist: every text field comes from the file name.
    std::string titled = TaggedMp3(m_dir, "Name Artist - Name Song.mp3", [](ID3_Tag& tag) {
        AddText(tag, ID3FID_TITLE, "Tag Title");
        AddText(tag, ID3FID_ALBUM, "Tag Album");
        AddText(tag, ID3FID_YEAR, "2001");
    });
    TAG_INFO fromName;
    ASSERT_TRUE(VIZU::GetTagInfo(titled.c_str(), &fromName));
    EXPECT_EQ("Name Song", fromName.Title.str());
    EXPECT_EQ("Name Artist", fromName.Artist.str());
    EXPECT_EQ("Unknown", fromName.Album.str());
    EXPECT_EQ("", fromName.Year.str());

    // Without a mask the title stays and the artist is defaulted.
    WriteIni("");
    TAG_INFO kept;
    ASSERT_TRUE(VIZU::GetTagInfo(titled.c_str(), &kept));
    EXPECT_EQ("Tag Title", kept.Title.str());
    EXPECT_EQ("Unknown", kept.Artist.str());
    EXPECT_EQ("Tag Album", kept.Album.str());
    EXPECT_EQ("2001", kept.Year.str());
}

TEST_F(Id3Read, CheckTagInfoTreatsNAAsMissingAndLimitsThePlayCounter)
{
    struct Case { int32_t in; int32_t out; };
    for (const Case& c : {Case{10000, 0}, Case{-1, 0}, Case{9999, 9999}, Case{0, 0}}) {
        SCOPED_TRACE(c.in);
        TAG_INFO info;
        info.Path = "C:\\M\\File Name.wav";
        info.Title = "T";
        info.Artist = "NA";
        info.Genre = "NA";
        info.PlayCount = c.in;
        VIZU::CheckTagInfo(&info);
        EXPECT_EQ(c.out, info.PlayCount);
        EXPECT_EQ("Unknown", info.Artist.str());
        EXPECT_EQ("Other", info.Genre.str());
        EXPECT_EQ("T", info.Title.str());
    }
    CTrackRecord rec;
    rec.m_FileName = "C:\\M\\File Name.wav";
    rec.m_Title = "NA";
    rec.m_PlayCount = 12345;
    VIZU::CheckTagFields(&rec);
    EXPECT_EQ("File Name", rec.m_Title.str());
    EXPECT_EQ("Unknown", rec.m_Artist.str());
    EXPECT_EQ("Unknown", rec.m_Album.str());
    EXPECT_EQ("Other", rec.m_Genre.str());
    EXPECT_EQ(0, rec.m_PlayCount);
}

TEST_F(Id3Read, UnreadableStreamsFail)
{
    std::string junk = m_dir.File("junk.mp3");
    ASSERT_TRUE(WriteFileBytes(junk, std::string(5000, 'j')));
    TAG_INFO info;
    info.Path = junk.c_str();
    info.Length = info.Bitrate = info.SampleRate = info.Channels = 7;
    EXPECT_EQ(-1, VIZU::GetDekodaMP3Info(&info, 5));
    EXPECT_EQ(0, info.Length);
    EXPECT_EQ(0, info.Bitrate);
    EXPECT_EQ(0, info.SampleRate);
    EXPECT_EQ(0, info.Channels);
    EXPECT_FALSE(VIZU::GetTagInfo(junk.c_str(), &info));
    EXPECT_FALSE(VIZU::GetTagInfo(m_dir.File("missing.mp3").c_str(), &info));
    CTrackRecord rec;
    rec.m_Length = 9;
    EXPECT_FALSE(VIZU::ReadDekodaTag(&rec, junk.c_str(), 5));
    EXPECT_EQ(0, rec.m_Length);
    EXPECT_TRUE(VIZU::ReadDekodaTag(&rec, MediaPath("tone440.mp3").c_str(), 5));
    EXPECT_EQ(3, rec.m_Length);
    EXPECT_EQ(128, rec.m_Bitrate);
}

TEST_F(Id3Read, DamagedTagsFailOrReadButNeverCrash)
{
    std::string good = TaggedMp3(m_dir, "good.mp3", [](ID3_Tag& tag) {
        AddText(tag, ID3FID_TITLE, "Title");
        AddText(tag, ID3FID_LEADARTIST, "Artist");
        AddText(tag, ID3FID_BPM, "120");
    });
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(good, bytes));
    ASSERT_EQ("ID3", bytes.substr(0, 3));
    // Only the stream scan decides success: a tag size that points past
    // the end of the file leaves no audio to scan.
    struct Case { const char* name; std::function<void(std::string&)> damage; bool read; };
    const Case cases[] = {
        {"huge tag size", [](std::string& b) { b[6] = b[7] = b[8] = b[9] = 0x7F; }, false},
        {"huge frame size", [](std::string& b) { b[14] = b[15] = b[16] = b[17] = '\xFF'; }, true},
        {"frame size past the tag", [](std::string& b) { b[16] = 0x7F; }, true},
        {"garbage frames", [](std::string& b) { for (size_t i = 10; i < 60 && i < b.size(); ++i) b[i] = static_cast<char>(i * 37); }, true},
        {"cut inside the tag", [](std::string& b) { b.resize(25); }, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string damaged = bytes;
        c.damage(damaged);
        std::string path = m_dir.File("damaged" + std::to_string(n++) + ".mp3");
        ASSERT_TRUE(WriteFileBytes(path, damaged));
        TAG_INFO info;
        EXPECT_EQ(c.read, VIZU::GetTagInfo(path.c_str(), &info));
        if (c.read) {
            EXPECT_EQ(3, info.Length);
            EXPECT_EQ("MP3", info.FileType.str());
        }
        TAG_INFO quick;
        EXPECT_TRUE(VIZU::GetID3TagQuick(&quick, path.c_str()));
        CTrackRecord rec;
        EXPECT_TRUE(VIZU::ReadID3Tag(&rec, path.c_str()));
    }
}

TEST_F(Id3Read, CopyTagInfoToRecordCopiesTheTagFieldsOnly)
{
    TAG_INFO info;
    info.Path = "C:\\a.mp3";
    info.Title = "T";
    info.Artist = "A";
    info.Album = "B";
    info.Year = "1990";
    info.Genre = "Pop";
    info.Comment = "not copied";
    info.BPMText = "12000";
    info.FileType = "MP3";
    info.PlayCount = 4;
    info.Length = 200;
    info.Bitrate = 192;
    info.Channels = 2;
    info.SampleRate = 48000;
    info.BPM = 120;
    info.HasPicture = true;
    CTrackRecord rec;
    rec.m_Volume = 77;
    rec.m_Cue1 = 12;
    rec.m_Index = 9;
    EXPECT_TRUE(VIZU::CopyTagInfoToRecord(&rec, &info));
    EXPECT_EQ("C:\\a.mp3", rec.m_FileName.str());
    EXPECT_EQ("T", rec.m_Title.str());
    EXPECT_EQ("A", rec.m_Artist.str());
    EXPECT_EQ("B", rec.m_Album.str());
    EXPECT_EQ("1990", rec.m_Year.str());
    EXPECT_EQ("Pop", rec.m_Genre.str());
    EXPECT_EQ("12000", rec.m_BPMText.str());
    EXPECT_EQ("MP3", rec.m_FileType.str());
    EXPECT_EQ(4, rec.m_PlayCount);
    EXPECT_EQ(200, rec.m_Length);
    EXPECT_EQ(192, rec.m_Bitrate);
    EXPECT_EQ(120, rec.m_BPM);
    EXPECT_EQ(1, rec.m_HasPicture);
    EXPECT_EQ(77, rec.m_Volume);
    EXPECT_EQ(12, rec.m_Cue1);
    EXPECT_EQ(9, rec.m_Index);
    EXPECT_NE(48000, rec.m_SampleRate);
}

TEST(GenreList, NamesByNumberAndNumbersByName)
{
    struct Case { const char* name; int number; };
    const Case cases[] = {
        {"rock", 17}, {"Polka ", 12}, {"Blues", 0}, {"Psychadelic", 67}, {"AlternRock", 40},
        {"Humour", 100}, {"A capella", 123}, {"DANCE HALL", 125}, {"Psychedelic", 12}, {"", 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.number, VIZU::GetGenreNumFromString(c.name));
    }
}

TEST_F(Id3Read, UpdateRecordFromTagRefreshesTheMatchingRecord)
{
    std::string path = TaggedMp3(m_dir, "update.mp3", [](ID3_Tag& tag) {
        AddText(tag, ID3FID_TITLE, "New Title");
        AddText(tag, ID3FID_LEADARTIST, "New Artist");
    });
    m_Tracks.RemoveAll();
    EXPECT_FALSE(VIZU::UpdateRecordFromTag(path.c_str())) << "empty library";

    CTrackRecord other;
    other.m_FileName = "C:\\other.mp3";
    other.m_Title = "Other";
    CTrackRecord rec;
    rec.m_FileName = path.c_str();
    rec.m_Title = "Old";
    rec.m_Volume = 55;
    m_Tracks.Add(other);
    m_Tracks.Add(rec);

    std::string upper = path;
    for (char& ch : upper)
        ch = static_cast<char>(toupper(static_cast<unsigned char>(ch)));
    EXPECT_FALSE(VIZU::UpdateRecordFromTag(upper.c_str())) << "paths compare exactly";
    EXPECT_EQ("Old", m_Tracks[1].m_Title.str());

    EXPECT_TRUE(VIZU::UpdateRecordFromTag(path.c_str()));
    EXPECT_EQ("New Title", m_Tracks[1].m_Title.str());
    EXPECT_EQ("New Artist", m_Tracks[1].m_Artist.str());
    EXPECT_EQ(3, m_Tracks[1].m_Length);
    EXPECT_EQ(55, m_Tracks[1].m_Volume);
    EXPECT_EQ("Other", m_Tracks[0].m_Title.str());
    EXPECT_TRUE(VIZU::IsDirty());
    m_Tracks.RemoveAll();
}
