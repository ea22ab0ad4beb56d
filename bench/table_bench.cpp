// Times the whole-table operations on a large table: 65,536 rows of 26 cells, mixed texts and
// numbers. Prints one line per operation with the time in milliseconds.
#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "document/tablefilter.h"
#include "framework/file.h"

#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

class Stopwatch {
public:
    Stopwatch()
    {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Milliseconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

void Report(const char* what, double ms)
{
    std::printf("%-28s %9.1f ms\n", what, ms);
}

} // namespace

int main()
{
    const int kRows = 65536;
    const int kColumns = 26;
    std::mt19937 random(2024);
    const char* words[] = {"Cable", "Wire", "Terminal", "PLC", "Relay", "Fuse", "X1", "K12"};

    // Texts made before timing, so the fill measures the table alone.
    std::vector<std::string> texts(kRows * kColumns);
    for (int i = 0; i < kRows * kColumns; ++i) {
        if (random() % 2)
            texts[i] = std::to_string(random() % 100000) + (random() % 4 == 0 ? ",5" : "");
        else
            texts[i] = std::string(words[random() % 8]) + "-" + std::to_string(random() % 1000);
    }

    CDataTableBase table;
    Stopwatch fill;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            table.SetCellText(row, column, texts[row * kColumns + column].c_str());
    }
    Report("fill 65536 x 26", fill.Milliseconds());

    CDataTableBase sorted(table);
    Stopwatch sort;
    sorted.SortByColumn(3, false);
    Report("sort by column D", sort.Milliseconds());

    CDataTableFilter filter;
    filter.SetEnabled(true);
    filter.SetIncludeString(0, "Wire");
    filter.ToggleFilterFlag(kFilterInclude1, 1);
    filter.SetExcludeString(0, "-9");
    filter.ToggleFilterFlag(kFilterExclude1, 2);
    filter.ToggleFilterFlag(kFilterTrim, 0);
    filter.ToggleFilterFlag(kFilterShow, 5);
    CDataTableBase filtered;
    CDataTableMap columns;
    CDataTableRowMap rows;
    Stopwatch apply;
    filter.ApplyTableFilter(table, filtered, columns, rows);
    Report("apply a filter", apply.Milliseconds());
    std::printf("%-28s %9d rows\n", "  accepted", filtered.GetRowCount());

    char folder[MAX_PATH], path[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "kbt", 0, path);
    {
        CFile file;
        file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        Stopwatch write;
        table.Save(&file);
        file.Close();
        Report("write TABL record", write.Milliseconds());
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        GetFileAttributesExA(path, GetFileExInfoStandard, &data);
        std::printf("%-28s %9lu bytes\n", "  record size", static_cast<unsigned long>(data.nFileSizeLow));
    }
    {
        CFile file;
        file.Open(path, CFile::modeRead | CFile::typeBinary);
        CDataTableBase loaded;
        Stopwatch read;
        bool ok = loaded.Load(&file);
        Report("read TABL record", read.Milliseconds());
        std::printf("%-28s %9s\n", "  read back", ok && loaded.GetRowCount() == kRows ? "ok" : "FAILED");
    }
    DeleteFileA(path);
    return 0;
}
