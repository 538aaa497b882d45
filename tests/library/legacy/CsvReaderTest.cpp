// The CSV export read by a spreadsheet's CSV reader: Python's csv module
// parses the records the export writes into the very values that went in.
// Built natively only (Wine cannot start a Linux program).
#include "library/legacy/ExportText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

CString Length(int seconds)
{
    CString text;
    text.Format("%03d:%02d", seconds / 60, seconds % 60);
    return text;
}

// The rows Python's csv module reads from the file, each field ended by
// 0x1F and each row by 0x1E.
bool ReadWithPython(const std::string& path, std::string& out)
{
    const std::string command =
        "python3 -c 'import csv,sys\n"
        "with open(sys.argv[1], newline=\"\", encoding=\"latin-1\") as f:\n"
        "    for row in csv.reader(f):\n"
        "        sys.stdout.write(\"\".join(v + \"\\x1f\" for v in row) + \"\\x1e\")' " +
        path;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    return pclose(pipe) == 0;
}

} // namespace

TEST(CsvExport, PythonsCsvReaderGetsTheValuesBack)
{
    if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 with its csv module is not here";
    const std::vector<std::vector<std::string>> values = {
        {"Band", "Song", "C:\\Music\\song.mp3"},
        {"The \"Quoted\" Ones", "12\" Mix", "C:\\a,b\\c.mp3"},
        {"\"", "\"\"", ""},
        {"Comma, Inc.", "It's", "D:\\x.wav"},
    };
    tagExportFields fields;
    fields.Artist = true;
    fields.Title = true;
    fields.Filename = true;
    std::string text = legacy::CsvHeaderRecord(fields) + "\r\n";
    for (const auto& v : values) {
        CTrackRecord r;
        r.m_Artist = v[0].c_str();
        r.m_Title = v[1].c_str();
        r.m_FileName = v[2].c_str();
        text += legacy::CsvDataRecord(fields, r, Length) + "\r\n";
    }
    tavrix_test::TempDir dir;
    const std::string path = dir.File("export.csv");
    ASSERT_TRUE(tavrix_test::WriteFileBytes(path, text));

    std::string read;
    ASSERT_TRUE(ReadWithPython(path, read)) << read;
    std::string expected = "Artist\x1fTitle\x1f" "Filename\x1f\x1e";
    for (const auto& v : values)
        expected += v[0] + "\x1f" + v[1] + "\x1f" + v[2] + "\x1f\x1e";
    EXPECT_EQ(expected, read);
}
