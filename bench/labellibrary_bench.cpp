// Loads a generated library of 4096 label definitions and prints how many files per second the
// label library reads. Not a test: the figure depends on the machine.
#include "framework/file.h"
#include "labelmodel/labelmanager.h"
#include <windows.h>
#include <cstdio>
#include <vector>

namespace {

const int kFiles = CLabelManager::kMaxLabels;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

bool WriteLibrary(const CString& folder) {
    for (int i = 0; i < kFiles; ++i) {
        CLabelFileNew stock;
        CString family;
        family.Format("Family %d", i % 300);
        stock.SetFamilyName(family);
        stock.SetWidth(0, 20000 + (i % 50) * 1000, true);
        stock.SetHeight(0, 10000 + (i % 30) * 1000);
        CMemFile memory;
        RecordWriter out(&memory);
        out.U32(kLabelFileMagic);
        out.I32(kLabelFileVersionA);
        out.I32(kLabelFileVersionB);
        stock.Save(&memory, false);
        CString path;
        path.Format("%s\\label%04d.label", folder.GetString(), i);
        CFile file;
        if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
            return false;
        if (!file.Write(memory.Data(), UINT(memory.GetLength())) || !file.Close())
            return false;
    }
    return true;
}

void RemoveLibrary(const CString& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder + "\\*.label", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA(folder + "\\" + found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder);
}

}  // namespace

int main() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    CString folder;
    folder.Format("%slabellibrary_bench_%lu", temp, GetCurrentProcessId());
    if (!CreateDirectoryA(folder, nullptr)) {
        printf("cannot create %s\n", folder.GetString());
        return 1;
    }
    if (!WriteLibrary(folder)) {
        printf("cannot write the library in %s\n", folder.GetString());
        RemoveLibrary(folder);
        return 1;
    }

    CLabelManager library;
    library.SetFolder(folder);
    int result = 0;
    for (int run = 1; run <= 3; ++run) {
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        const int loaded = library.LoadLabels();
        library.CollectFamilyNames();
        library.SortFamilyNames();
        QueryPerformanceCounter(&stop);
        const double seconds = Seconds(start, stop);
        printf("run %d: %d label files in %.3f s: %.0f files per second (%d families)\n", run, loaded,
               seconds, seconds > 0 ? loaded / seconds : 0.0, library.GetFamilyCount());
        if (loaded != kFiles)
            result = 1;
    }
    RemoveLibrary(folder);
    return result;
}
