// CArray<T, ARG>: a growable array of elements held by value. Elements are
// constructed, copied and destroyed through their own constructors and
// destructors (the storage is a std::vector). An index outside the array
// throws CInvalidArgException.
//
// Also here: CStringArray, CDWordArray, CPtrArray.
#pragma once

#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"

#include <cstddef>
#include <utility>
#include <vector>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    // Construction
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() override = default;

    // Attributes
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_data.empty(); }

    // Grows or shrinks to newSize elements (new ones default-constructed);
    // growBy (when not -1) is how many elements to add room for at a time.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        if (newSize < 0)
            AfxThrowInvalidArgException();
        if (growBy >= 0)
            m_growBy = growBy;
        Reserve(static_cast<std::size_t>(newSize));
        m_data.resize(static_cast<std::size_t>(newSize));
    }

    // Operations
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { std::vector<TYPE>().swap(m_data); }

    const TYPE& GetAt(INT_PTR index) const { return m_data[Checked(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE newElement) { m_data[Checked(index)] = newElement; }
    TYPE& ElementAt(INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE& ElementAt(INT_PTR index) const { return m_data[Checked(index)]; }
    TYPE& operator[](INT_PTR index) { return m_data[Checked(index)]; }
    const TYPE& operator[](INT_PTR index) const { return m_data[Checked(index)]; }

    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }

    // Sets an element, growing the array when index is past its end.
    void SetAtGrow(INT_PTR index, ARG_TYPE newElement)
    {
        if (index < 0)
            AfxThrowInvalidArgException();
        if (index >= GetSize()) {
            TYPE copy(newElement); // newElement may live in this array
            SetSize(index + 1);
            m_data[static_cast<std::size_t>(index)] = std::move(copy);
        } else {
            m_data[static_cast<std::size_t>(index)] = newElement;
        }
    }

    // Appends a copy; returns its index.
    INT_PTR Add(ARG_TYPE newElement)
    {
        TYPE copy(newElement); // newElement may live in this array
        Reserve(m_data.size() + 1);
        m_data.push_back(std::move(copy));
        return GetSize() - 1;
    }

    // Appends copies of src's elements; returns the index of the first.
    INT_PTR Append(const CArray& src)
    {
        INT_PTR oldSize = GetSize();
        if (&src == this) {
            std::vector<TYPE> copy(m_data);
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            Reserve(m_data.size() + src.m_data.size());
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return oldSize;
    }

    // Makes this array a copy of src.
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserts count copies at index; an index past the end grows the array.
    void InsertAt(INT_PTR index, ARG_TYPE newElement, INT_PTR count = 1)
    {
        if (index < 0 || count < 0)
            AfxThrowInvalidArgException();
        TYPE copy(newElement);
        if (index > GetSize())
            SetSize(index);
        Reserve(m_data.size() + static_cast<std::size_t>(count));
        m_data.insert(m_data.begin() + index, static_cast<std::size_t>(count), copy);
    }

    void InsertAt(INT_PTR startIndex, const CArray* newArray)
    {
        if (!newArray || startIndex < 0)
            AfxThrowInvalidArgException();
        std::vector<TYPE> copy(newArray->m_data);
        if (startIndex > GetSize())
            SetSize(startIndex);
        Reserve(m_data.size() + copy.size());
        m_data.insert(m_data.begin() + startIndex, copy.begin(), copy.end());
    }

    // Removes count elements from index on; the range must lie in the array.
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count < 0 || index + count > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + index, m_data.begin() + index + count);
    }

    // Standard iteration (range-for, <algorithm>).
    typename std::vector<TYPE>::iterator begin() { return m_data.begin(); }
    typename std::vector<TYPE>::iterator end() { return m_data.end(); }
    typename std::vector<TYPE>::const_iterator begin() const { return m_data.begin(); }
    typename std::vector<TYPE>::const_iterator end() const { return m_data.end(); }

private:
    std::size_t Checked(INT_PTR index) const
    {
        if (index < 0 || index >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<std::size_t>(index);
    }

    // Room is added growBy elements at a time when a growth step was set.
    void Reserve(std::size_t needed)
    {
        if (needed <= m_data.capacity())
            return;
        if (m_growBy > 0) {
            std::size_t step = static_cast<std::size_t>(m_growBy);
            std::size_t room = m_data.capacity() + step;
            m_data.reserve(room < needed ? needed : room);
        }
    }

    std::vector<TYPE> m_data;
    INT_PTR m_growBy = 0;
};

class CStringArray : public CArray<CString, const CString&>
{
};

class CDWordArray : public CArray<DWORD, DWORD>
{
};

class CPtrArray : public CArray<void*, void*>
{
};
