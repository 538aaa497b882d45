// The result rows of a library scan as its list shows them: mark, index
// number, path.
#pragma once

#include "framework/ui/AfxWin.h"

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace scan_rows {

struct Row
{
    std::string mark;
    int index;
    std::string path;
    bool operator==(const Row& o) const
    {
        return mark == o.mark && index == o.index && path == o.path;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << '{' << row.mark << ", " << row.index << ", " << row.path << '}';
}

inline std::vector<Row> ReadRows(const CListCtrl& list)
{
    std::vector<Row> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        rows.push_back(Row{list.GetItemText(row, 0).str(), std::atoi(list.GetItemText(row, 1)),
                           list.GetItemText(row, 2).str()});
    return rows;
}

} // namespace scan_rows
