// The command vocabulary: every user action's name and command id, the
// description of each command id, and the key names of shortcut files.
// Three process-wide tables built by code from fixed rows; nothing reads
// them from a file. Names compare byte by byte, case-sensitively.
//
// A look-up of a name that a table lacks gives 0 and leaves the table as
// it was: listing a table shows only the rows that were entered.
#pragma once

#include "framework/core/CString.h"

#include <cstdint>
#include <map>
#include <string>

// A table from names to numbers.
template <class V>
class CommandNameMap
{
public:
    using Rows = std::map<std::string, V>;

    // Attributes
    // The value of a name, 0 when the name is not in the table.
    V Lookup(const char* name) const
    {
        typename Rows::const_iterator it = m_rows.find(name ? name : "");
        return it == m_rows.end() ? V() : it->second;
    }
    bool Contains(const char* name) const { return m_rows.count(name ? name : "") != 0; }
    size_t GetCount() const { return m_rows.size(); }
    // In name order.
    typename Rows::const_iterator begin() const { return m_rows.begin(); }
    typename Rows::const_iterator end() const { return m_rows.end(); }

    // Operations
    void SetAt(const char* name, V value) { m_rows[name] = value; }
    void RemoveAll() { m_rows.clear(); }

private:
    Rows m_rows;
};

// Command ids to their descriptions.
class CommandDescriptionTable
{
public:
    using Rows = std::map<int32_t, CString>;

    // Attributes
    // The description, empty when the id has none.
    CString Lookup(int32_t id) const;
    bool Contains(int32_t id) const { return m_rows.count(id) != 0; }
    size_t GetCount() const { return m_rows.size(); }
    // In id order.
    Rows::const_iterator begin() const { return m_rows.begin(); }
    Rows::const_iterator end() const { return m_rows.end(); }

    // Operations
    void SetAt(int32_t id, const CString& text) { m_rows[id] = text; }
    void RemoveAll() { m_rows.clear(); }

private:
    Rows m_rows;
};

// Action name -> command id (27001 to 28510); 309 names.
extern CommandNameMap<int32_t> ActionNameMap;
// Command id -> description; 331 rows.
extern CommandDescriptionTable CommandDescriptionMap;
// Key name -> Windows virtual-key code; 71 names.
extern CommandNameMap<uint16_t> KeyNameMap;

// Enter the rows; entering them again changes nothing.
void BuildActionNameMap();
void BuildCommandDescriptionMap();
void BuildKeyNameMap();

// Empties KeyNameMap, ActionNameMap and the controller map at shutdown;
// the descriptions and the light map stay.
void ClearCommandMaps();

// The key names in the order the key editor lists them ("0".."9",
// "a".."z", "F1".."F12", "bksp" .. "del", "num0".."num9"); 71 names.
extern const char* const kKeyListOrder[71];
