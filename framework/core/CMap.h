// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a map of keys to values held by
// value, walked in ascending key order with GetStartPosition/GetNextAssoc.
#pragma once

#include "framework/core/CList.h"
#include "framework/core/CObject.h"

#include <map>

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
    typedef std::map<KEY, VALUE> Map;

public:
    // Construction
    CMap() = default;
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() override = default;

    // Attributes
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_map.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_map.empty(); }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_map.find(key);
        if (it == m_map.end())
            return FALSE;
        value = it->second;
        return TRUE;
    }

    // Operations
    VALUE& operator[](ARG_KEY key) { return m_map[key]; }
    void SetAt(ARG_KEY key, ARG_VALUE value) { m_map[key] = value; }
    BOOL RemoveKey(ARG_KEY key) { return m_map.erase(key) > 0; }
    void RemoveAll() { m_map.clear(); }

    POSITION GetStartPosition() const
    {
        return m_map.empty() ? nullptr : ToPos(&*m_map.begin());
    }

    // Gives the entry at pos and moves pos to the next one (null at the end).
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        if (!pos)
            AfxThrowInvalidArgException();
        const auto* entry = reinterpret_cast<const typename Map::value_type*>(pos);
        key = entry->first;
        value = entry->second;
        auto it = m_map.upper_bound(entry->first);
        pos = it == m_map.end() ? nullptr : ToPos(&*it);
    }

private:
    static POSITION ToPos(const typename Map::value_type* entry)
    {
        return reinterpret_cast<POSITION>(const_cast<typename Map::value_type*>(entry));
    }

    Map m_map;
};
