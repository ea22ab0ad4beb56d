// Times the Excel import of a large workbook and the delimited import of a large text file.
// Usage: import_bench <workbook.xls> <text.csv>   (bench/import_bench.sh makes both)
#include "document/datatable.h"
#include "document/excelimport.h"
#include "document/textimport.h"

#include <windows.h>

#include <cstdio>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: import_bench <workbook.xls> <text.csv>\n");
        return 2;
    }
    LARGE_INTEGER start, end;

    {
        std::vector<uint8_t> stream;
        bool compound = false;
        QueryPerformanceCounter(&start);
        LoadExcelStream(argv[1], stream, compound);
        QueryPerformanceCounter(&end);
        std::printf("workbook stream: %u bytes loaded in %.3f s\n", static_cast<unsigned>(stream.size()),
                    Seconds(start, end));
    }

    CDataTableBase book;
    CExcelFileManager manager;
    manager.SetSheetChooser([](const CExcelFile&, int& index) { index = 0; return 1; });
    QueryPerformanceCounter(&start);
    const ExcelImportResult result = manager.Open(argv[1], book);
    QueryPerformanceCounter(&end);
    if (result != ExcelImportResult::kImported) {
        std::fprintf(stderr, "workbook import failed\n");
        return 1;
    }
    std::printf("workbook: %d rows, %d cells in row 0, %.3f s\n", book.GetRowCount(), book.GetCellCount(0),
                Seconds(start, end));

    CDataTableBase text;
    QueryPerformanceCounter(&start);
    const bool imported = ImportDelimitedText(text, argv[2], ';', false);
    QueryPerformanceCounter(&end);
    if (!imported) {
        std::fprintf(stderr, "text import failed\n");
        return 1;
    }
    std::printf("text: %d rows, %.3f s\n", text.GetRowCount(), Seconds(start, end));
    return 0;
}
