// CArchive against bytes assembled by hand in the archive format of the
// older library and playlist files: integers, string length prefixes, object
// tags, class re-introduction across appended archives, and every failure.
#include "framework/core/CArchive.h"
#include "framework/core/CMemFile.h"
#include "framework/core/Exceptions.h"
#include "framework/win/CFile.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The record classes are registered by name, so they live outside the
// anonymous namespace.

// A track-like record class: versionable schema 3, some strings and integers.
class CTrackRecord : public CObject
{
    DECLARE_SERIAL(CTrackRecord)
public:
    CTrackRecord() { ++s_alive; }
    CTrackRecord(int index, const char* title, const char* artist, int length)
        : m_Index(index), m_Title(title), m_Artist(artist), m_Length(length)
    {
        ++s_alive;
    }
    CTrackRecord(const CTrackRecord& o) : CObject(o), m_Index(o.m_Index), m_Title(o.m_Title),
        m_Artist(o.m_Artist), m_Length(o.m_Length), m_HasPicture(o.m_HasPicture)
    {
        ++s_alive;
    }
    ~CTrackRecord() override { --s_alive; }
    static int s_alive;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_Index << m_Title << m_Artist << m_Length << m_HasPicture;
        else
            ar >> m_Index >> m_Title >> m_Artist >> m_Length >> m_HasPicture;
        m_LoadedSchema = ar.IsLoading() ? static_cast<int>(ar.GetObjectSchema()) : -1;
    }

    int m_Index = 0;
    CString m_Title;
    CString m_Artist;
    int m_Length = 0;
    int m_HasPicture = 1;
    int m_LoadedSchema = -1;
};
IMPLEMENT_SERIAL(CTrackRecord, CObject, VERSIONABLE_SCHEMA | 3)
int CTrackRecord::s_alive = 0;

// A class the archive knows but that stores nothing.
class CTrackRecord40 : public CObject
{
    DECLARE_SERIAL(CTrackRecord40)
};
IMPLEMENT_SERIAL(CTrackRecord40, CObject, VERSIONABLE_SCHEMA | 1)

// A class that loads only its own schema.
class CStrictRecord : public CObject
{
    DECLARE_SERIAL(CStrictRecord)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    short m_value = 0;
};
IMPLEMENT_SERIAL(CStrictRecord, CObject, 2)

namespace {

// Little-endian bytes written out by hand.
struct Bytes
{
    std::string b;
    Bytes& u8(unsigned v) { b += static_cast<char>(v); return *this; }
    Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes& u32(unsigned long v) { return u16(v & 0xFFFF).u16((v >> 16) & 0xFFFF); }
    Bytes& raw(const std::string& s) { b += s; return *this; }
    // A short string (below 255 bytes): one-byte length.
    Bytes& str(const std::string& s) { return u8(static_cast<unsigned>(s.size())).raw(s); }
    Bytes& add(const Bytes& o) { b += o.b; return *this; }
};

// The record's fields as Serialize lays them out.
Bytes RecordFields(int index, const std::string& title, const std::string& artist, int length)
{
    Bytes r;
    r.u32(static_cast<unsigned long>(index)).str(title).str(artist).u32(static_cast<unsigned long>(length)).u32(1);
    return r;
}

Bytes NewClass(const std::string& name, unsigned schema)
{
    Bytes r;
    r.u16(0xFFFF).u16(schema).u16(static_cast<unsigned>(name.size())).raw(name);
    return r;
}

std::string StoreToBytes(void (*store)(CArchive&))
{
    CMemFile mem;
    CArchive ar(&mem, CArchive::store);
    store(ar);
    ar.Close();
    return std::string(mem.GetData().begin(), mem.GetData().end());
}

std::unique_ptr<CMemFile> MemOf(const std::string& bytes)
{
    return std::make_unique<CMemFile>(bytes.data(), static_cast<UINT>(bytes.size()));
}

int CauseOfLoading(const std::string& bytes, const CRuntimeClass* requested)
{
    auto mem = MemOf(bytes);
    CArchive ar(mem.get(), CArchive::load);
    try {
        while (!ar.AtEnd())
            delete ar.ReadObject(requested);
    } catch (CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

TEST(CArchive, IntegersAreLittleEndianAndFixedWidth)
{
    std::string bytes = StoreToBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEFu) << 7 << static_cast<short>(-1)
           << static_cast<LONGLONG>(0x0102030405060708LL) << 1.5f << 2.25;
    });
    Bytes expected;
    expected.u8(0x12).u16(0x3456).u32(0xFFFFFFFEu).u32(0x89ABCDEFu).u32(7).u16(0xFFFF)
        .u32(0x05060708).u32(0x01020304).u32(0x3FC00000).u32(0).u32(0x40020000);
    EXPECT_EQ(bytes, expected.b);

    auto mem = MemOf(bytes);
    CArchive ar(mem.get(), CArchive::load);
    BYTE b; WORD w; LONG l; DWORD d; int i; short s; LONGLONG q; float f; double g;
    ar >> b >> w >> l >> d >> i >> s >> q >> f >> g;
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(w, 0x3456);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(d, 0x89ABCDEFu);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(s, -1);
    EXPECT_EQ(q, 0x0102030405060708LL);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(g, 2.25);
    EXPECT_TRUE(ar.AtEnd());
}

struct PrefixCase
{
    std::size_t length;
    const char* prefix;
    std::size_t prefixLength;
};

TEST(CArchive, StringLengthPrefixes)
{
    const PrefixCase cases[] = {
        {0, "\x00", 1},
        {1, "\x01", 1},
        {254, "\xFE", 1},
        {255, "\xFF\xFF\x00", 3},
        {256, "\xFF\x00\x01", 3},
        {0xFFFD, "\xFF\xFD\xFF", 3},
        {0xFFFE, "\xFF\xFF\xFF\xFE\xFF\x00\x00", 7},
        {70000, "\xFF\xFF\xFF\x70\x11\x01\x00", 7},
    };
    for (const PrefixCase& c : cases) {
        std::string text(c.length, 'x');
        for (std::size_t i = 0; i < c.length; i += 7)
            text[i] = static_cast<char>('a' + i % 26);
        CMemFile mem;
        {
            CArchive ar(&mem, CArchive::store);
            ar << CString(text);
            ar.Close();
        }
        std::string bytes(mem.GetData().begin(), mem.GetData().end());
        EXPECT_EQ(bytes, std::string(c.prefix, c.prefixLength) + text) << c.length;

        mem.SeekToBegin();
        CArchive ar(&mem, CArchive::load);
        CString back;
        ar >> back;
        EXPECT_EQ(back.GetLength(), static_cast<int>(c.length));
        EXPECT_TRUE(back.str() == text) << c.length;
    }
}

TEST(CArchive, WideStringIsConvertedOnLoad)
{
    Bytes wide;
    wide.u8(0xFF).u16(0xFFFE).u8(4).u16('W').u16('i').u16('d').u16('e');
    Bytes wideLong;
    wideLong.u8(0xFF).u16(0xFFFE).u8(0xFF).u16(300);
    for (int i = 0; i < 300; ++i)
        wideLong.u16('a' + i % 26);
    auto mem = MemOf(wide.b + wideLong.b);
    CArchive ar(mem.get(), CArchive::load);
    CString a, b;
    ar >> a >> b;
    EXPECT_STREQ(a, "Wide");
    EXPECT_EQ(b.GetLength(), 300);
    EXPECT_EQ(b[27], 'b');
    if (GetACP() == 1252) {
        Bytes accent;
        accent.u8(0xFF).u16(0xFFFE).u8(1).u16(0x00E9);
        auto m = MemOf(accent.b);
        CArchive ar2(m.get(), CArchive::load);
        CString e;
        ar2 >> e;
        EXPECT_STREQ(e, "\xE9");
    }
}

TEST(CArchive, ObjectTagsInOneArchive)
{
    CTrackRecord one(1, "Title", "Artist", 200);
    CTrackRecord two(2, "T2", "A2", 30);
    CTrackRecord40 other;
    CMemFile mem;
    {
        CArchive ar(&mem, CArchive::store);
        ar << &one << &two << static_cast<CObject*>(nullptr) << &one << &other;
        ar.Close();
    }
    Bytes expected;
    expected.add(NewClass("CTrackRecord", 3)).add(RecordFields(1, "Title", "Artist", 200))
        .u16(0x8001).add(RecordFields(2, "T2", "A2", 30))   // class 1, object 3
        .u16(0x0000)                                        // null
        .u16(0x0002)                                        // object 2 again
        .add(NewClass("CTrackRecord40", 1));                // class 4, object 5
    EXPECT_EQ(std::string(mem.GetData().begin(), mem.GetData().end()), expected.b);

    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    CObject* a = nullptr;
    CObject* b = nullptr;
    CObject* none = nullptr;
    CObject* again = nullptr;
    CObject* c = nullptr;
    ar >> a >> b >> none >> again >> c;
    std::unique_ptr<CObject> own[] = {std::unique_ptr<CObject>(a), std::unique_ptr<CObject>(b),
                                      std::unique_ptr<CObject>(c)};
    ASSERT_TRUE(a && a->IsKindOf(RUNTIME_CLASS(CTrackRecord)));
    EXPECT_STREQ(static_cast<CTrackRecord*>(a)->m_Artist, "Artist");
    EXPECT_EQ(static_cast<CTrackRecord*>(a)->m_LoadedSchema, 3);
    EXPECT_EQ(static_cast<CTrackRecord*>(b)->m_Length, 30);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(again, a);
    EXPECT_TRUE(c->IsKindOf(RUNTIME_CLASS(CTrackRecord40)));
    EXPECT_TRUE(ar.AtEnd());
}

// The file of the playlists: several archives appended, each introducing
// its class again; read back through one archive.
TEST(CArchive, HandAssembledFileOfTwoArchivesLoads)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("two.txl");
    Bytes file;
    file.add(NewClass("CTrackRecord", 3)).add(RecordFields(1, "First", "A", 10))
        .u16(0x8001).add(RecordFields(2, "Second", "B", 20))     // first archive
        .add(NewClass("CTrackRecord", 3)).add(RecordFields(3, "Third", "C", 30))
        .u16(0x8001).add(RecordFields(4, "Fourth", "D", 40));    // second archive
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, file.b));

    CFile f(path.c_str(), CFile::modeReadWrite);
    CArchive ar(&f, CArchive::load);
    std::vector<std::string> titles;
    std::vector<int> indexes;
    while (!ar.AtEnd()) {
        std::unique_ptr<CObject> o(ar.ReadObject(RUNTIME_CLASS(CTrackRecord)));
        ASSERT_TRUE(o);
        auto* r = static_cast<CTrackRecord*>(o.get());
        titles.push_back(r->m_Title.GetString());
        indexes.push_back(r->m_Index);
    }
    ar.Close();
    EXPECT_EQ(titles, (std::vector<std::string>{"First", "Second", "Third", "Fourth"}));
    EXPECT_EQ(indexes, (std::vector<int>{1, 2, 3, 4}));
}

// Writing a record per archive at the end of a real file gives the same bytes.
TEST(CArchive, ArchivesAppendedToAFileEachIntroduceTheClass)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("list.txl");
    const CTrackRecord records[] = {{1, "One", "X", 61}, {2, "Two", "Y", 62}, {3, "Three", "Z", 63}};
    { CFile create(path.c_str(), CFile::modeCreate | CFile::modeReadWrite); }
    for (const CTrackRecord& r : records) {
        CFile f(path.c_str(), CFile::modeReadWrite);
        f.SeekToEnd();
        CArchive ar(&f, CArchive::store);
        ar.WriteObject(&r);
        ar.Close();
        f.Close();
    }
    Bytes expected;
    expected.add(NewClass("CTrackRecord", 3)).add(RecordFields(1, "One", "X", 61))
        .add(NewClass("CTrackRecord", 3)).add(RecordFields(2, "Two", "Y", 62))
        .add(NewClass("CTrackRecord", 3)).add(RecordFields(3, "Three", "Z", 63));
    std::string bytes;
    ASSERT_TRUE(tavrix_test::ReadFileBytes(path, bytes));
    EXPECT_EQ(bytes, expected.b);
    EXPECT_EQ(CauseOfLoading(bytes, RUNTIME_CLASS(CTrackRecord)), CArchiveException::none);
}

TEST(CArchive, RecordBoundariesAnywhereInTheBuffer)
{
    // Records of varying size across many 4096-byte buffer refills.
    CMemFile mem;
    std::vector<std::string> titles;
    for (int i = 0; i < 500; ++i) {
        titles.push_back(std::string(static_cast<std::size_t>(i % 300), static_cast<char>('a' + i % 26)));
        CTrackRecord r(i, titles.back().c_str(), "artist", i * 3);
        CArchive ar(&mem, CArchive::store);
        ar << &r;
        ar.Close();
    }
    mem.SeekToBegin();
    CArchive ar(&mem, CArchive::load);
    int n = 0;
    while (!ar.AtEnd()) {
        CTrackRecord* r = nullptr;
        ar >> r;
        std::unique_ptr<CTrackRecord> own(r);
        ASSERT_EQ(r->m_Index, n);
        ASSERT_TRUE(r->m_Title.str() == titles[static_cast<std::size_t>(n)]);
        ++n;
    }
    EXPECT_EQ(n, 500);
}

struct FailureCase
{
    const char* what;
    std::string bytes;
    int cause;
};

TEST(CArchive, FailuresCarryTheirCause)
{
    const Bytes record = RecordFields(1, "T", "A", 5);
    const FailureCase cases[] = {
        {"wrong class", NewClass("CTrackRecord40", 1).b, CArchiveException::badClass},
        {"unknown class", Bytes().add(NewClass("CNoSuchClass", 1)).add(record).b,
         CArchiveException::badClass},
        {"good record then wrong class",
         Bytes().add(NewClass("CTrackRecord", 3)).add(record).add(NewClass("CTrackRecord40", 1)).b,
         CArchiveException::badClass},
        {"bad schema", Bytes().add(NewClass("CStrictRecord", 1)).u16(7).b, CArchiveException::badSchema},
        {"class reference to nothing", Bytes().u16(0x8005).b, CArchiveException::badIndex},
        {"object reference to nothing", Bytes().u16(0x0009).b, CArchiveException::badIndex},
        {"reference to a class as an object",
         Bytes().add(NewClass("CTrackRecord", 3)).add(record).u16(0x0001).b, CArchiveException::badIndex},
        {"huge string length", Bytes().add(NewClass("CTrackRecord", 3)).u32(1).u8(0xFF).u16(0xFFFF)
                                   .u32(0xFFFFFFF0u).raw("short").b,
         CArchiveException::endOfFile},
    };
    for (const FailureCase& c : cases)
        EXPECT_EQ(CauseOfLoading(c.bytes, RUNTIME_CLASS(CTrackRecord)), c.cause) << c.what;

    // Versionable classes load an older schema and report it.
    auto mem = MemOf(Bytes().add(NewClass("CTrackRecord", 1)).add(record).b);
    CArchive ar(mem.get(), CArchive::load);
    std::unique_ptr<CObject> o(ar.ReadObject(RUNTIME_CLASS(CTrackRecord)));
    EXPECT_EQ(static_cast<CTrackRecord*>(o.get())->m_LoadedSchema, 1);
    // The strict class loads its own schema.
    EXPECT_EQ(CauseOfLoading(Bytes().add(NewClass("CStrictRecord", 2)).u16(7).b,
                             RUNTIME_CLASS(CStrictRecord)),
              CArchiveException::none);
}

TEST(CArchive, EveryTruncationIsAnEndOfFile)
{
    const std::string whole =
        Bytes().add(NewClass("CTrackRecord", 3)).add(RecordFields(7, "Title", "Artist", 99)).b;
    EXPECT_EQ(CauseOfLoading(whole, RUNTIME_CLASS(CTrackRecord)), CArchiveException::none);
    const int aliveBefore = CTrackRecord::s_alive;
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
        auto mem = MemOf(whole.substr(0, cut));
        CArchive ar(mem.get(), CArchive::load);
        try {
            delete ar.ReadObject(RUNTIME_CLASS(CTrackRecord));
            ADD_FAILURE() << "loaded a record cut at " << cut;
        } catch (CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << cut;
        }
    }
    // The records half read were deleted by the archive.
    EXPECT_EQ(CTrackRecord::s_alive, aliveBefore);
}

TEST(CArchive, DirectionAndCloseRules)
{
    CMemFile mem;
    CArchive store(&mem, CArchive::store);
    int v = 0;
    EXPECT_THROW(store >> v, CArchiveException);
    try {
        store >> v;
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
    }
    store << 5;
    EXPECT_EQ(mem.GetLength(), 0u); // still buffered
    store.Close();
    EXPECT_EQ(mem.GetLength(), 4u);

    mem.SeekToBegin();
    CArchive load(&mem, CArchive::load);
    try {
        load << 1;
        ADD_FAILURE() << "stored into a loading archive";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
    }

    // A loading archive closed early gives back the bytes it read ahead.
    CMemFile two;
    {
        CArchive ar(&two, CArchive::store);
        ar << 1 << 2 << 3;
    } // flushed by the destructor
    EXPECT_EQ(two.GetLength(), 12u);
    two.SeekToBegin();
    CArchive first(&two, CArchive::load);
    int a = 0;
    first >> a;
    first.Close();
    EXPECT_EQ(a, 1);
    EXPECT_EQ(two.GetPosition(), 4u);
}

TEST(CArchive, ErrorsOnFilesNameTheFile)
{
    tavrix_test::TempDir dir;
    const std::string path = dir.File("short.bin");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, std::string("\x01\x02", 2)));
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    try {
        DWORD d;
        ar >> d;
        ADD_FAILURE() << "read past the end";
    } catch (CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
        EXPECT_NE(e.m_strFileName.Find("short.bin"), -1);
    }
}

TEST(CRuntimeClass, KindsAndCreation)
{
    CTrackRecord r;
    EXPECT_TRUE(r.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(r.IsKindOf(RUNTIME_CLASS(CTrackRecord40)));
    EXPECT_STREQ(r.GetRuntimeClass()->m_lpszClassName, "CTrackRecord");
    EXPECT_EQ(r.GetRuntimeClass()->m_wSchema, VERSIONABLE_SCHEMA | 3);
    EXPECT_EQ(CRuntimeClass::FromName("CTrackRecord40"), RUNTIME_CLASS(CTrackRecord40));
    EXPECT_EQ(CRuntimeClass::FromName("CNothing"), nullptr);
    std::unique_ptr<CObject> made(RUNTIME_CLASS(CTrackRecord)->CreateObject());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CTrackRecord)));
    EXPECT_EQ(RUNTIME_CLASS(CException)->CreateObject(), nullptr);
    EXPECT_TRUE(RUNTIME_CLASS(CFileException)->IsDerivedFrom(RUNTIME_CLASS(CException)));
}

} // namespace
