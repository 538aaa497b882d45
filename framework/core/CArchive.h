// CArchive: reads and writes values and objects in the binary archive format
// of the older library and playlist files, over a CByteStream.
//
// Integers are little-endian and of fixed width whatever the machine's long:
// char/BYTE 8 bits, short/WORD 16, int/long/UINT/DWORD/float 32,
// long long/double 64. Strings carry a length prefix (one byte; 0xFF + 16
// bits; 0xFF 0xFFFF + 32 bits). Objects carry the tags of the format: 0 for
// null, 0xFFFF + schema + name for a class met the first time, 0x8000|index
// for a class met before, index for an object met before; the indexes count
// classes and objects together from 1, separately in each archive.
#pragma once

#include "framework/core/CByteStream.h"
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <unordered_map>
#include <vector>

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // Construction
    CArchive(CByteStream* stream, UINT mode, int bufferSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    // Flushes a storing archive not closed yet (errors are then lost: call
    // Close to see them).
    ~CArchive();

    // Attributes
    bool IsLoading() const { return (m_mode & load) != 0; }
    bool IsStoring() const { return (m_mode & load) == 0; }
    CByteStream* GetFile() const { return m_stream; }
    // Loading: no read-ahead bytes are waiting in the buffer.
    bool IsBufferEmpty() const { return m_cur == m_lim; }
    // Loading: every byte of the stream has been read.
    bool AtEnd();

    // The schema met with the object now being loaded (once; -1 after).
    UINT GetObjectSchema();

    // Operations
    UINT Read(void* buffer, UINT count);       // fewer bytes at the end of data
    void Write(const void* buffer, UINT count);
    void Flush();
    // Storing: writes what is buffered. Loading: puts the stream back after
    // the last byte taken. Then detaches from the stream.
    void Close();
    // Detaches without writing what is buffered.
    void Abort();

    // Objects. ReadObject gives a new object the caller owns (or one read
    // before in this archive, or null); a class other than requested (or not
    // derived from it) throws badClass, a schema the class cannot load
    // badSchema, a reference to nothing badIndex, early end endOfFile.
    CObject* ReadObject(const CRuntimeClass* requested);
    void WriteObject(const CObject* object);
    const CRuntimeClass* ReadClass(const CRuntimeClass* requested = nullptr,
                                   UINT* schema = nullptr, DWORD* objectTag = nullptr);
    void WriteClass(const CRuntimeClass* cls);

    // Values
    CArchive& operator<<(char v) { return PutInt(static_cast<unsigned char>(v), 1); }
    CArchive& operator<<(signed char v) { return PutInt(static_cast<unsigned char>(v), 1); }
    CArchive& operator<<(unsigned char v) { return PutInt(v, 1); }
    CArchive& operator<<(short v) { return PutInt(static_cast<unsigned short>(v), 2); }
    CArchive& operator<<(unsigned short v) { return PutInt(v, 2); }
    CArchive& operator<<(int v) { return PutInt(static_cast<unsigned int>(v), 4); }
    CArchive& operator<<(unsigned int v) { return PutInt(v, 4); }
    CArchive& operator<<(long v) { return PutInt(static_cast<unsigned long>(v), 4); }
    CArchive& operator<<(unsigned long v) { return PutInt(v, 4); }
    CArchive& operator<<(long long v) { return PutInt(static_cast<unsigned long long>(v), 8); }
    CArchive& operator<<(unsigned long long v) { return PutInt(v, 8); }
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);

    CArchive& operator>>(char& v) { v = static_cast<char>(GetInt(1)); return *this; }
    CArchive& operator>>(signed char& v) { v = static_cast<signed char>(GetInt(1)); return *this; }
    CArchive& operator>>(unsigned char& v) { v = static_cast<unsigned char>(GetInt(1)); return *this; }
    CArchive& operator>>(short& v) { v = static_cast<short>(GetInt(2)); return *this; }
    CArchive& operator>>(unsigned short& v) { v = static_cast<unsigned short>(GetInt(2)); return *this; }
    CArchive& operator>>(int& v) { v = static_cast<int>(static_cast<unsigned int>(GetInt(4))); return *this; }
    CArchive& operator>>(unsigned int& v) { v = static_cast<unsigned int>(GetInt(4)); return *this; }
    CArchive& operator>>(long& v) { v = static_cast<int>(static_cast<unsigned int>(GetInt(4))); return *this; }
    CArchive& operator>>(unsigned long& v) { v = static_cast<unsigned int>(GetInt(4)); return *this; }
    CArchive& operator>>(long long& v) { v = static_cast<long long>(GetInt(8)); return *this; }
    CArchive& operator>>(unsigned long long& v) { v = GetInt(8); return *this; }
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);

    // Strings in the length-prefixed form; a 16-bit-character string is
    // accepted on load and converted to the ANSI code page.
    void WriteCString(const CString& text);
    CString ReadCString();

private:
    CArchive& PutInt(unsigned long long value, int bytes);
    unsigned long long GetInt(int bytes);
    void ReadExact(void* buffer, UINT count);
    void FillBuffer();
    void WriteIndex(DWORD index, bool isClass);
    DWORD ReadStringLength(bool& wide);
    [[noreturn]] void Fail(int cause) const;
    void RequireLoading() const;
    void RequireStoring() const;

    struct LoadEntry
    {
        const CRuntimeClass* cls;
        CObject* object;
        UINT schema;
    };

    CByteStream* m_stream;
    UINT m_mode;
    std::vector<BYTE> m_buffer;
    std::size_t m_cur = 0; // next byte to take (loading) or free place (storing)
    std::size_t m_lim = 0; // end of valid bytes (loading)
    UINT m_objectSchema = static_cast<UINT>(-1);
    std::vector<LoadEntry> m_loadMap;                   // index 0 is null
    std::unordered_map<const void*, DWORD> m_storeMap;  // classes and objects
    DWORD m_storeCount = 1;
};

CArchive& operator<<(CArchive& ar, const CString& text);
CArchive& operator>>(CArchive& ar, CString& text);
CArchive& operator<<(CArchive& ar, const CObject* object);
CArchive& operator>>(CArchive& ar, CObject*& object);
CArchive& operator>>(CArchive& ar, const CObject*& object);
