// The layout of a library file (playlist and history files share it): the
// prolog, the root element with its attributes, one record element per
// track and, inside a record, every field in the order it is written. This
// is the one description that the library file's writer and every reader
// follow. No file access and no Windows header here.
//
// A field is either the text of a child element of the record or an
// attribute of one; the attributes of one child element follow each other.
// The record type is a template parameter (the program uses CTrackRecord),
// so this layer includes nothing of the library.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <cstring>

namespace libraryfile {

// The first line, CR LF included.
extern const char* const kProlog;
// The root element and its attributes, in the order they are written.
extern const char* const kRootName;
extern const char* const kVersionAttribute;
extern const char* const kDateAttribute;
extern const char* const kTracksAttribute;
// The head of the file: the prolog and the root's start tag, one line each.
constexpr int kHeadLines = 2;
// The element of one record.
extern const char* const kRecordName;

template <class TRecord>
struct Field
{
    const char* element;      // the record's child element
    const char* attribute;    // an attribute of it, or null for its own text
    CString TRecord::*text;   // the member of a text field, else null
    int32_t TRecord::*number; // the member of a number field, else null
};

constexpr int kFieldCount = 19;

// The fields of a record in written order (kFieldCount of them).
template <class TRecord>
const Field<TRecord>* Fields()
{
    using R = TRecord;
    static const Field<R> fields[kFieldCount] = {
        {"FN", nullptr, &R::m_FileName, nullptr},
        {"AR", nullptr, &R::m_Artist, nullptr},
        {"AL", nullptr, &R::m_Album, nullptr},
        {"TI", nullptr, &R::m_Title, nullptr},
        {"GE", nullptr, &R::m_Genre, nullptr},
        {"BI", "FT", &R::m_FileType, nullptr},
        {"BI", "BP", &R::m_BPMText, nullptr},
        {"BI", "YR", &R::m_Year, nullptr},
        {"NU", "ID", nullptr, &R::m_Index},
        {"NU", "LE", nullptr, &R::m_Length},
        {"NU", "PC", nullptr, &R::m_PlayCount},
        {"NU", "HP", nullptr, &R::m_HasPicture},
        {"NU", "VL", nullptr, &R::m_Volume},
        {"NU", "SP", nullptr, &R::m_Start},
        {"NU", "EP", nullptr, &R::m_End},
        {"CU", "C1", nullptr, &R::m_Cue1},
        {"CU", "C1N", &R::m_Cue1Name, nullptr},
        {"CU", "C2", nullptr, &R::m_Cue2},
        {"CU", "C2N", &R::m_Cue2Name, nullptr},
    };
    return fields;
}

// True when field i is an attribute and the first of its element.
template <class TRecord>
bool OpensElement(const Field<TRecord>* fields, int i)
{
    return fields[i].attribute &&
           (i == 0 || std::strcmp(fields[i - 1].element, fields[i].element) != 0);
}

// True when field i is an attribute and the last of its element.
template <class TRecord>
bool ClosesElement(const Field<TRecord>* fields, int i)
{
    return fields[i].attribute &&
           (i + 1 == kFieldCount || std::strcmp(fields[i + 1].element, fields[i].element) != 0);
}

} // namespace libraryfile
