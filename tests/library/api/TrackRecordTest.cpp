// The track record: construction, every copy path, and its archive bytes.
#include "library/records/CTrackRecord.h"

#include "framework/core/CArchive.h"
#include "framework/core/CMemFile.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

CTrackRecord FullRecord()
{
    CTrackRecord r;
    r.m_Title = "Title";
    r.m_Artist = "Artist";
    r.m_Album = "Album";
    r.m_FileName = "C:\\Music\\a.mp3";
    r.m_Genre = "Rock";
    r.m_BPMText = "128.50";
    r.m_FileType = "MP3";
    r.m_Cue1Name = "Intro";
    r.m_Cue2Name = "Drop";
    r.m_Year = "1999";
    int32_t* ints[] = {&r.m_Index, &r.m_Length, &r.m_PlayCount, &r.m_BPM, &r.m_Cue1, &r.m_Cue2,
                       &r.m_Start, &r.m_End, &r.m_Volume, &r.m_Reserved1, &r.m_Reserved2,
                       &r.m_Played, &r.m_HasPicture, &r.m_Bitrate, &r.m_SampleRate,
                       &r.m_Channels};
    int32_t v = 1;
    for (int32_t* p : ints)
        *p = v++ * 7 - 50;   // distinct, some negative
    return r;
}

void ExpectEqualRecords(const CTrackRecord& a, const CTrackRecord& b)
{
    EXPECT_STREQ(a.m_Title, b.m_Title);
    EXPECT_STREQ(a.m_Artist, b.m_Artist);
    EXPECT_STREQ(a.m_Album, b.m_Album);
    EXPECT_STREQ(a.m_FileName, b.m_FileName);
    EXPECT_STREQ(a.m_Genre, b.m_Genre);
    EXPECT_STREQ(a.m_BPMText, b.m_BPMText);
    EXPECT_STREQ(a.m_FileType, b.m_FileType);
    EXPECT_STREQ(a.m_Cue1Name, b.m_Cue1Name);
    EXPECT_STREQ(a.m_Cue2Name, b.m_Cue2Name);
    EXPECT_STREQ(a.m_Year, b.m_Year);
    EXPECT_EQ(a.m_Index, b.m_Index);
    EXPECT_EQ(a.m_Length, b.m_Length);
    EXPECT_EQ(a.m_PlayCount, b.m_PlayCount);
    EXPECT_EQ(a.m_BPM, b.m_BPM);
    EXPECT_EQ(a.m_Cue1, b.m_Cue1);
    EXPECT_EQ(a.m_Cue2, b.m_Cue2);
    EXPECT_EQ(a.m_Start, b.m_Start);
    EXPECT_EQ(a.m_End, b.m_End);
    EXPECT_EQ(a.m_Volume, b.m_Volume);
    EXPECT_EQ(a.m_Reserved1, b.m_Reserved1);
    EXPECT_EQ(a.m_Reserved2, b.m_Reserved2);
    EXPECT_EQ(a.m_Played, b.m_Played);
    EXPECT_EQ(a.m_HasPicture, b.m_HasPicture);
    EXPECT_EQ(a.m_Bitrate, b.m_Bitrate);
    EXPECT_EQ(a.m_SampleRate, b.m_SampleRate);
    EXPECT_EQ(a.m_Channels, b.m_Channels);
}

void ExpectEmptyRecord(const CTrackRecord& r)
{
    for (const CString* s : {&r.m_Title, &r.m_Artist, &r.m_Album, &r.m_FileName, &r.m_Genre,
                             &r.m_BPMText, &r.m_FileType, &r.m_Cue1Name, &r.m_Cue2Name, &r.m_Year})
        EXPECT_TRUE(s->IsEmpty());
    for (int32_t v : {r.m_Index, r.m_Length, r.m_PlayCount, r.m_BPM, r.m_Cue1, r.m_Cue2, r.m_Start,
                      r.m_End, r.m_Reserved1, r.m_Reserved2, r.m_Played, r.m_HasPicture,
                      r.m_Bitrate, r.m_SampleRate, r.m_Channels})
        EXPECT_EQ(0, v);
    EXPECT_EQ(100, r.m_Volume);
}

Bytes Store(CTrackRecord& r)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        r.Serialize(ar);
        ar.Close();
    }
    return Bytes(file.GetData().begin(), file.GetData().end());
}

void Load(const Bytes& bytes, CTrackRecord& r)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    r.Serialize(ar);
}

// Byte builders for the golden layouts, written from the format alone.
void PutInt(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void PutWord(Bytes& b, uint16_t v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void PutString(Bytes& b, const std::string& s)
{
    if (s.size() < 255) {
        b.push_back(static_cast<unsigned char>(s.size()));
    } else if (s.size() < 0xFFFE) {
        b.push_back(0xFF);
        PutWord(b, static_cast<uint16_t>(s.size()));
    } else {
        b.push_back(0xFF);
        PutWord(b, 0xFFFF);
        PutInt(b, static_cast<uint32_t>(s.size()));
    }
    b.insert(b.end(), s.begin(), s.end());
}

Bytes GoldenOf(const CTrackRecord& r)
{
    Bytes b;
    PutInt(b, static_cast<uint32_t>(r.m_Index));
    for (const char* s : {r.m_Title.GetString(), r.m_Artist.GetString(), r.m_Album.GetString(),
                          r.m_FileName.GetString(), r.m_Genre.GetString(), r.m_BPMText.GetString(),
                          r.m_FileType.GetString(), r.m_Cue1Name.GetString(),
                          r.m_Cue2Name.GetString(), r.m_Year.GetString()})
        PutString(b, s);
    for (int32_t v : {r.m_Length, r.m_PlayCount, r.m_BPM, r.m_Cue1, r.m_Cue2, r.m_Start, r.m_End,
                      r.m_Volume, r.m_Reserved1, r.m_Reserved2, r.m_Played, r.m_Bitrate,
                      r.m_SampleRate, r.m_Channels, r.m_HasPicture})
        PutInt(b, static_cast<uint32_t>(v));
    return b;
}

} // namespace

TEST(TrackRecord, NewAndClearedRecordsAreEmptyWithVolume100)
{
    CTrackRecord fresh;
    ExpectEmptyRecord(fresh);
    CTrackRecord r = FullRecord();
    r.ClearRecord();
    ExpectEmptyRecord(r);
}

TEST(TrackRecord, EveryCopyPathCopiesAll26MembersDeeply)
{
    const CTrackRecord src = FullRecord();
    struct Case { const char* name; void (*copy)(const CTrackRecord&, CTrackRecord&); };
    const Case cases[] = {
        {"copy constructor", [](const CTrackRecord& s, CTrackRecord& d) { CTrackRecord c(s); d = c; }},
        {"assignment", [](const CTrackRecord& s, CTrackRecord& d) { d = s; }},
        {"Copy", [](const CTrackRecord& s, CTrackRecord& d) { EXPECT_TRUE(d.Copy(s)); }},
        {"Duplicate", [](const CTrackRecord& s, CTrackRecord& d) {
             CTrackRecord tmp(s);
             d.Duplicate(&tmp);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTrackRecord dst;
        dst.m_Volume = 3;
        c.copy(src, dst);
        ExpectEqualRecords(src, dst);
        dst.m_Title.SetAt(0, 'X');
        dst.m_FileName += "x";
        EXPECT_STREQ("Title", src.m_Title);
        EXPECT_STREQ("C:\\Music\\a.mp3", src.m_FileName);
    }
    // The copy constructor itself, without an assignment after it.
    CTrackRecord direct(src);
    ExpectEqualRecords(src, direct);
}

TEST(TrackRecord, SelfAssignmentAndSelfDuplicateKeepTheRecord)
{
    CTrackRecord r = FullRecord();
    CTrackRecord& alias = r;
    r = alias;
    r.Duplicate(&r);
    ExpectEqualRecords(FullRecord(), r);
}

TEST(TrackRecord, SerializeWritesTheGoldenLayoutWithHasPictureLast)
{
    CTrackRecord r = FullRecord();
    r.m_HasPicture = 0x01020304;
    Bytes bytes = Store(r);
    EXPECT_EQ(GoldenOf(r), bytes);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(Bytes({0x04, 0x03, 0x02, 0x01}), Bytes(bytes.end() - 4, bytes.end()));
    // The first field is the index, as a 32-bit little-endian integer.
    EXPECT_EQ(Bytes({0xD5, 0xFF, 0xFF, 0xFF}), Bytes(bytes.begin(), bytes.begin() + 4));
}

TEST(TrackRecord, StringLengthPrefixesAtTheirLimits)
{
    struct Case { size_t length; Bytes prefix; };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        CTrackRecord r;
        r.m_Title = std::string(c.length, 'a').c_str();
        Bytes bytes = Store(r);
        // Index (4 bytes), then the title's prefix and text.
        ASSERT_GE(bytes.size(), 4 + c.prefix.size() + c.length);
        EXPECT_EQ(c.prefix, Bytes(bytes.begin() + 4, bytes.begin() + 4 + c.prefix.size()));
        EXPECT_EQ(GoldenOf(r), bytes);
        CTrackRecord back;
        Load(bytes, back);
        EXPECT_EQ(static_cast<int>(c.length), back.m_Title.GetLength());
        ExpectEqualRecords(r, back);
    }
}

TEST(TrackRecord, RoundTripKeepsAll26Members)
{
    CTrackRecord r = FullRecord();
    CTrackRecord back;
    back.m_Volume = 7;
    Load(Store(r), back);
    ExpectEqualRecords(r, back);
}

TEST(TrackRecord, ReadsAWideStringMarkedByTheFramework)
{
    CTrackRecord r = FullRecord();
    Bytes golden = GoldenOf(r);
    // Replace the title "Title" by the 16-bit announcement of "Wide".
    Bytes b;
    PutInt(b, static_cast<uint32_t>(r.m_Index));
    b.push_back(0xFF);
    PutWord(b, 0xFFFE);
    b.push_back(4);
    for (char ch : std::string("Wide")) {
        b.push_back(static_cast<unsigned char>(ch));
        b.push_back(0);
    }
    b.insert(b.end(), golden.begin() + 4 + 1 + 5, golden.end());
    CTrackRecord back;
    Load(b, back);
    EXPECT_STREQ("Wide", back.m_Title);
    back.m_Title = r.m_Title;
    ExpectEqualRecords(r, back);
}

TEST(TrackRecord, EndOfDataInsideARecordIsTheArchivesError)
{
    CTrackRecord r = FullRecord();
    Bytes bytes = Store(r);
    bytes.resize(bytes.size() - 2);
    CTrackRecord back;
    try {
        Load(bytes, back);
        FAIL() << "no error";
    } catch (CArchiveException& e) {
        EXPECT_EQ(CArchiveException::endOfFile, e.m_cause);
    }
}

namespace {

// An archive of one object: the new-class tag, the schema, the class name,
// then the fields.
Bytes ObjectArchive(const char* className, uint16_t schema, const Bytes& fields)
{
    Bytes b;
    PutWord(b, 0xFFFF);
    PutWord(b, schema);
    std::string name(className);
    PutWord(b, static_cast<uint16_t>(name.size()));
    b.insert(b.end(), name.begin(), name.end());
    b.insert(b.end(), fields.begin(), fields.end());
    return b;
}

CObject* ReadOne(const Bytes& bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CTrackRecord* p = nullptr;
    ar >> p;
    return p;
}

} // namespace

TEST(TrackRecord, StoredAsObjectCarriesClassTagSchema3AndName)
{
    CTrackRecord r = FullRecord();
    CTrackRecord second;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &r;
        ar << &second;
        ar << static_cast<CObject*>(nullptr);
        ar.Close();
    }
    Bytes expected = ObjectArchive("CTrackRecord", 3, GoldenOf(r));
    PutWord(expected, 0x8001);   // the class got index 1, the first object 2
    Bytes g2 = GoldenOf(second);
    expected.insert(expected.end(), g2.begin(), g2.end());
    PutWord(expected, 0);
    EXPECT_EQ(expected, Bytes(file.GetData().begin(), file.GetData().end()));
}

TEST(TrackRecord, SchemasOneToThreeReadAlike)
{
    CTrackRecord r = FullRecord();
    for (uint16_t schema : {1, 2, 3}) {
        SCOPED_TRACE(schema);
        std::unique_ptr<CObject> obj(ReadOne(ObjectArchive("CTrackRecord", schema, GoldenOf(r))));
        ASSERT_NE(nullptr, obj);
        ASSERT_TRUE(obj->IsKindOf(RUNTIME_CLASS(CTrackRecord)));
        ExpectEqualRecords(r, *static_cast<CTrackRecord*>(obj.get()));
    }
}

TEST(TrackRecord, OlderRecordClassIsRegisteredButRefusedAsWrongClass)
{
    const CRuntimeClass* old = CRuntimeClass::FromName("CTrackRecord40");
    ASSERT_NE(nullptr, old);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 1u, old->m_wSchema);
    const CRuntimeClass* cur = CRuntimeClass::FromName("CTrackRecord");
    ASSERT_EQ(RUNTIME_CLASS(CTrackRecord), cur);
    EXPECT_EQ(VERSIONABLE_SCHEMA | 3u, cur->m_wSchema);
    EXPECT_STREQ("CTrackRecord", cur->m_lpszClassName);

    try {
        delete ReadOne(ObjectArchive("CTrackRecord40", 1, Bytes()));
        FAIL() << "no error";
    } catch (CArchiveException& e) {
        EXPECT_EQ(CArchiveException::badClass, e.m_cause);
    }
}

TEST(TrackRecord, OlderRecordStartsEmptyAndStoresNothing)
{
    std::unique_ptr<CObject> obj(RUNTIME_CLASS(CTrackRecord40)->CreateObject());
    ASSERT_NE(nullptr, obj);
    CTrackRecord40* old = static_cast<CTrackRecord40*>(obj.get());
    for (const CString& s : old->m_Strings)
        EXPECT_TRUE(s.IsEmpty());
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        old->Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(0u, file.GetLength());
}

TEST(TrackRecord, LoadDBAndSaveDBDoNothing)
{
    CTrackRecord r = FullRecord();
    EXPECT_EQ(0, r.LoadDB("C:\\nowhere\\x.txd"));
    EXPECT_EQ(0, r.SaveDB(""));
    ExpectEqualRecords(FullRecord(), r);
}
