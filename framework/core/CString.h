// CString: a string of single- and double-byte characters in the current
// ANSI code page. Copies share their text until one of them changes it, so
// strings are passed by value.
#pragma once

#include "framework/core/Types.h"

#include <cstdarg>
#include <memory>
#include <string>
#include <type_traits>

class CString
{
public:
    // Construction
    CString();
    CString(const CString& other) = default;
    CString(CString&& other) noexcept;
    CString(const char* text);                    // null gives an empty string
    CString(const char* text, int length);        // the first length bytes
    CString(char ch, int repeat = 1);
    explicit CString(const std::string& text);
    ~CString() = default;

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    // Attributes
    int GetLength() const { return static_cast<int>(m_text->size()); }
    bool IsEmpty() const { return m_text->empty(); }
    void Empty();
    char GetAt(int index) const;                  // throws CInvalidArgException out of range
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return m_text->c_str(); }
    const char* GetString() const { return m_text->c_str(); }
    const std::string& str() const { return *m_text; }

    // Comparison
    int Compare(const char* text) const;          // ordinal, case-sensitive
    int CompareNoCase(const char* text) const;    // case-blind under the code page

    // Concatenation
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* text, int length);

    // Extraction (counts in bytes; out-of-range arguments are clamped)
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString Tokenize(const char* delimiters, int& start) const;

    // Searching (byte offsets; -1 when not found)
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    // Changing
    CString& MakeUpper();
    CString& MakeLower();
    int Replace(char oldChar, char newChar);              // number replaced
    int Replace(const char* oldText, const char* newText); // number replaced
    int Remove(char ch);                                  // number removed
    int Insert(int index, char ch);                       // new length
    int Insert(int index, const char* text);              // new length
    int Delete(int index, int count = 1);                 // new length
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);

    // Formatting: printf conventions as the Microsoft C library has them
    // (zero padding of %s and %c, I64/I32/I length prefixes, %p in hex digits).
    // A CString argument is passed as its text, so Format("%s", name) works.
    template <typename... Args>
    void Format(const char* format, const Args&... args)
    {
        FormatArgs(format, PassArg(args)...);
    }
    template <typename... Args>
    void AppendFormat(const char* format, const Args&... args)
    {
        CString tail;
        tail.FormatArgs(format, PassArg(args)...);
        *this += tail;
    }
    void FormatV(const char* format, va_list args);

    // Direct buffer access: GetBuffer gives room for at least minLength
    // characters plus a terminator; ReleaseBuffer(-1) takes the length up to
    // the first NUL.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // String resources of the module that AfxGetResourceHandle names (the
    // definition lives in the Win32 part of the layer). <windows.h> maps the
    // name LoadString to LoadStringA; both spellings are members.
#ifndef LoadString
    BOOL LoadString(UINT id) { return LoadFromResource(id); }
#endif
    BOOL LoadStringA(UINT id) { return LoadFromResource(id); }
    BOOL LoadFromResource(UINT id);

private:
    void FormatArgs(const char* format, ...);
    template <typename T>
    static const T& PassArg(const T& arg)
    {
        static_assert(std::is_trivially_copyable<T>::value,
                      "Format takes numbers, pointers, const char* and CString");
        return arg;
    }
    static const char* PassArg(const CString& arg) { return arg.GetString(); }

    std::string& Mutable();
    static const std::shared_ptr<std::string>& EmptyText();

    std::shared_ptr<std::string> m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);
