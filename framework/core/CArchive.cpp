#include "framework/core/CArchive.h"

#include "framework/core/AnsiText.h"
#include "framework/core/Exceptions.h"

#include <cstring>
#include <memory>

namespace {

const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const WORD kBigObjectTag = 0x7FFF;
const DWORD kBigClassTag = 0x80000000u;
const DWORD kMaxMapCount = 0x3FFFFFFEu;

// Strings are read in pieces of this size, so a damaged length prefix runs
// into the end of the data instead of allocating gigabytes first.
const UINT kStringChunk = 64 * 1024;

} // namespace

CArchive::CArchive(CByteStream* stream, UINT mode, int bufferSize)
    : m_stream(stream), m_mode(mode),
      m_buffer(static_cast<std::size_t>(bufferSize < 16 ? 16 : bufferSize))
{
    if (!stream)
        AfxThrowInvalidArgException();
    m_loadMap.push_back({nullptr, nullptr, 0});
}

CArchive::~CArchive()
{
    if (m_stream && IsStoring() && !(m_mode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (...) {
            // A destructor cannot report; callers that care call Close.
        }
    }
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_stream ? m_stream->GetFilePath() : CString());
}

void CArchive::RequireLoading() const
{
    if (!m_stream)
        Fail(CArchiveException::genericException);
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const
{
    if (!m_stream)
        Fail(CArchiveException::genericException);
    if (!IsStoring())
        Fail(CArchiveException::readOnly);
}

// Buffer

void CArchive::FillBuffer()
{
    m_cur = 0;
    m_lim = m_stream->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* buffer, UINT count)
{
    RequireLoading();
    BYTE* out = static_cast<BYTE*>(buffer);
    UINT done = 0;
    while (done < count) {
        if (m_cur == m_lim) {
            FillBuffer();
            if (m_lim == 0)
                break;
        }
        std::size_t n = m_lim - m_cur;
        if (n > count - done)
            n = count - done;
        std::memcpy(out + done, m_buffer.data() + m_cur, n);
        m_cur += n;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CArchive::ReadExact(void* buffer, UINT count)
{
    if (Read(buffer, count) != count)
        Fail(CArchiveException::endOfFile);
}

bool CArchive::AtEnd()
{
    RequireLoading();
    if (m_cur < m_lim)
        return false;
    FillBuffer();
    return m_lim == 0;
}

void CArchive::Write(const void* buffer, UINT count)
{
    RequireStoring();
    const BYTE* in = static_cast<const BYTE*>(buffer);
    while (count > 0) {
        if (m_cur == m_buffer.size())
            Flush();
        std::size_t n = m_buffer.size() - m_cur;
        if (n > count)
            n = count;
        std::memcpy(m_buffer.data() + m_cur, in, n);
        m_cur += n;
        in += n;
        count -= static_cast<UINT>(n);
    }
}

void CArchive::Flush()
{
    if (!m_stream)
        return;
    if (IsStoring()) {
        if (m_cur > 0) {
            std::size_t n = m_cur;
            m_cur = 0;
            m_stream->Write(m_buffer.data(), static_cast<UINT>(n));
        }
    } else if (m_cur < m_lim) {
        // Give back the bytes read ahead, so the stream stands after the
        // last byte this archive took.
        m_stream->Seek(-static_cast<LONGLONG>(m_lim - m_cur), CByteStream::current);
        m_cur = m_lim = 0;
    }
}

void CArchive::Close()
{
    if (!m_stream)
        return;
    Flush();
    m_stream = nullptr;
}

void CArchive::Abort()
{
    m_stream = nullptr;
    m_cur = m_lim = 0;
}

// Values

CArchive& CArchive::PutInt(unsigned long long value, int bytes)
{
    BYTE raw[8];
    for (int i = 0; i < bytes; ++i)
        raw[i] = static_cast<BYTE>(value >> (8 * i));
    Write(raw, static_cast<UINT>(bytes));
    return *this;
}

unsigned long long CArchive::GetInt(int bytes)
{
    BYTE raw[8];
    ReadExact(raw, static_cast<UINT>(bytes));
    unsigned long long value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | raw[i];
    return value;
}

CArchive& CArchive::operator<<(float v)
{
    static_assert(sizeof(float) == 4, "32-bit float");
    std::uint32_t bits;
    std::memcpy(&bits, &v, 4);
    return PutInt(bits, 4);
}

CArchive& CArchive::operator<<(double v)
{
    static_assert(sizeof(double) == 8, "64-bit double");
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    return PutInt(bits, 8);
}

CArchive& CArchive::operator>>(float& v)
{
    std::uint32_t bits = static_cast<std::uint32_t>(GetInt(4));
    std::memcpy(&v, &bits, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& v)
{
    std::uint64_t bits = GetInt(8);
    std::memcpy(&v, &bits, 8);
    return *this;
}

// Strings

void CArchive::WriteCString(const CString& text)
{
    DWORD length = static_cast<DWORD>(text.GetLength());
    if (length < 0xFF) {
        *this << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    Write(text.GetString(), length);
}

DWORD CArchive::ReadStringLength(bool& wide)
{
    BYTE b;
    *this >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    *this >> w;
    if (w == 0xFFFE) {
        // The marker of a string of 16-bit characters; its length follows.
        if (wide)
            Fail(CArchiveException::genericException);
        wide = true;
        return ReadStringLength(wide);
    }
    if (w < 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    return d;
}

CString CArchive::ReadCString()
{
    RequireLoading();
    bool wide = false;
    DWORD length = ReadStringLength(wide);
    if (!wide) {
        std::string text;
        while (text.size() < length) {
            DWORD left = length - static_cast<DWORD>(text.size());
            UINT n = left < kStringChunk ? static_cast<UINT>(left) : kStringChunk;
            std::size_t at = text.size();
            text.resize(at + n);
            ReadExact(&text[at], n);
        }
        return CString(text);
    }
    std::u16string text;
    while (text.size() < length) {
        DWORD left = length - static_cast<DWORD>(text.size());
        UINT n = left < kStringChunk ? static_cast<UINT>(left) : kStringChunk;
        std::size_t at = text.size();
        text.resize(at + n);
        for (std::size_t i = at; i < at + n; ++i) {
            WORD c;
            *this >> c;
            text[i] = static_cast<char16_t>(c);
        }
    }
    return CString(ansitext::FromUtf16(text));
}

// Objects

void CArchive::WriteIndex(DWORD index, bool isClass)
{
    if (index < kBigObjectTag) {
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    } else {
        *this << kBigObjectTag << static_cast<DWORD>(isClass ? (kBigClassTag | index) : index);
    }
}

void CArchive::WriteClass(const CRuntimeClass* cls)
{
    RequireStoring();
    if (!cls || !cls->IsSerializable())
        Fail(CArchiveException::badClass);
    auto found = m_storeMap.find(cls);
    if (found != m_storeMap.end()) {
        WriteIndex(found->second, true);
        return;
    }
    if (m_storeCount >= kMaxMapCount)
        Fail(CArchiveException::badIndex);
    WORD nameLength = static_cast<WORD>(std::strlen(cls->m_lpszClassName));
    *this << kNewClassTag << static_cast<WORD>(cls->m_wSchema & ~VERSIONABLE_SCHEMA) << nameLength;
    Write(cls->m_lpszClassName, nameLength);
    m_storeMap[cls] = m_storeCount++;
}

void CArchive::WriteObject(const CObject* object)
{
    RequireStoring();
    if (!object) {
        *this << kNullTag;
        return;
    }
    auto found = m_storeMap.find(object);
    if (found != m_storeMap.end()) {
        WriteIndex(found->second, false);
        return;
    }
    WriteClass(object->GetRuntimeClass());
    if (m_storeCount >= kMaxMapCount)
        Fail(CArchiveException::badIndex);
    m_storeMap[object] = m_storeCount++;
    const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* requested, UINT* schema,
                                         DWORD* objectTag)
{
    RequireLoading();
    WORD tag;
    *this >> tag;
    DWORD index;
    bool isClass;
    if (tag == kNewClassTag) {
        isClass = true;
        index = 0;
    } else if (tag == kBigObjectTag) {
        DWORD big;
        *this >> big;
        isClass = (big & kBigClassTag) != 0;
        index = big & ~kBigClassTag;
    } else {
        isClass = (tag & kClassTag) != 0;
        index = tag & static_cast<WORD>(~kClassTag);
    }

    if (!isClass) {
        if (objectTag)
            *objectTag = index;
        return nullptr;
    }

    const CRuntimeClass* cls;
    UINT loadedSchema;
    if (tag == kNewClassTag) {
        WORD fileSchema;
        WORD nameLength;
        *this >> fileSchema >> nameLength;
        std::string name(nameLength, '\0');
        if (nameLength > 0)
            ReadExact(&name[0], nameLength);
        cls = CRuntimeClass::FromName(name.c_str());
        if (!cls || name.size() != std::strlen(name.c_str()))
            Fail(CArchiveException::badClass);
        if ((cls->m_wSchema & ~VERSIONABLE_SCHEMA) != fileSchema &&
            !(cls->m_wSchema & VERSIONABLE_SCHEMA))
            Fail(CArchiveException::badSchema);
        loadedSchema = fileSchema;
        if (m_loadMap.size() >= kMaxMapCount)
            Fail(CArchiveException::badIndex);
        m_loadMap.push_back({cls, nullptr, loadedSchema});
    } else {
        if (index == 0 || index >= m_loadMap.size() || !m_loadMap[index].cls)
            Fail(CArchiveException::badIndex);
        cls = m_loadMap[index].cls;
        loadedSchema = m_loadMap[index].schema;
    }

    if (requested && !cls->IsDerivedFrom(requested))
        Fail(CArchiveException::badClass);
    if (schema)
        *schema = loadedSchema;
    return cls;
}

CObject* CArchive::ReadObject(const CRuntimeClass* requested)
{
    RequireLoading();
    UINT schema = 0;
    DWORD objectTag = 0;
    const CRuntimeClass* cls = ReadClass(requested, &schema, &objectTag);
    if (!cls) {
        if (objectTag == 0)
            return nullptr;
        if (objectTag >= m_loadMap.size() || !m_loadMap[objectTag].object)
            Fail(CArchiveException::badIndex);
        CObject* object = m_loadMap[objectTag].object;
        if (requested && !object->IsKindOf(requested))
            Fail(CArchiveException::badClass);
        return object;
    }

    std::unique_ptr<CObject> object(cls->CreateObject());
    if (!object)
        Fail(CArchiveException::badClass);
    std::size_t entry = m_loadMap.size();
    m_loadMap.push_back({nullptr, object.get(), schema});
    UINT savedSchema = m_objectSchema;
    m_objectSchema = schema;
    try {
        object->Serialize(*this);
    } catch (...) {
        // The half-read object is not handed out; forget it here too.
        m_loadMap[entry].object = nullptr;
        m_objectSchema = savedSchema;
        throw;
    }
    m_objectSchema = savedSchema;
    return object.release();
}

UINT CArchive::GetObjectSchema()
{
    UINT schema = m_objectSchema;
    m_objectSchema = static_cast<UINT>(-1);
    return schema;
}

// Free operators

CArchive& operator<<(CArchive& ar, const CString& text)
{
    ar.WriteCString(text);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& text)
{
    text = ar.ReadCString();
    return ar;
}

CArchive& operator<<(CArchive& ar, const CObject* object)
{
    ar.WriteObject(object);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& object)
{
    object = ar.ReadObject(RUNTIME_CLASS(CObject));
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& object)
{
    object = ar.ReadObject(RUNTIME_CLASS(CObject));
    return ar;
}
