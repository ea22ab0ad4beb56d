// Saves and loads a full project: 255 templates of 50 mixed objects each and 255 tables of
// 1,000 rows x 26 columns (a third of the cells 20-odd characters long, the rest short codes).
// Prints the file size and MB/s for the save and for the load (best of three runs each).
#include "document/labeldoc.h"
#include "framework/msgbox.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// "--short" keeps every cell within the cell's own storage (no heap copy per text).
bool g_shortTexts = false;

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

CGraphRect* Box(CGraphRect* r, int x, int y, int w, int h)
{
    r->SetX(x);
    r->SetY(y);
    r->SetWidth(w);
    r->SetHeight(h);
    return r;
}

void AddObjects(CGraphCollection* area, int count, int seed)
{
    for (int i = 0; i < count; ++i) {
        const int x = 1000 * ((i + seed) % 50), y = 700 * ((i * 3 + seed) % 40);
        switch (i % 5) {
        case 0: area->Append(Box(new CGraphRect, x, y, 5000, 3000)); break;
        case 1: area->Append(Box(new CGraphEllipse, x, y, 4000, 4000)); break;
        case 2: area->Append(new CGraphLine(x, y, x + 9000, y + 1000)); break;
        case 3: {
            auto* text = new CGraphText;
            Box(text, x, y, 20000, 5000);
            text->SetFixedText(CString(("Cable " + std::to_string(seed * 100 + i)).c_str()));
            area->Append(text);
            break;
        }
        default: {
            auto* group = new CGraphGroup;
            group->Append(Box(new CGraphRect, x, y, 1000, 1000));
            group->Append(Box(new CGraphRectRounded, x, y, 2000, 1000));
            area->Append(group);
            break;
        }
        }
    }
}

void BuildProject(COstrelindSoftLabelDoc& doc)
{
    while (doc.GetTemplateCount() < COstrelindSoftLabelDoc::kMaxCount)
        doc.OnNewTemplate();
    while (doc.GetTableCount() < COstrelindSoftLabelDoc::kMaxCount)
        doc.OnNewTable();
    for (int k = 0; k < doc.GetTemplateCount(); ++k) {
        CTemplate* t = doc.GetTemplate(k);
        AddObjects(t->GetArea(0), 50, k);
        auto* stock = new CLabelFileNew;
        stock->SetWidth(0, 60000, false);
        stock->SetHeight(0, 30000);
        t->SetLabelStock(stock);
    }
    char text[32];
    for (int j = 0; j < doc.GetTableCount(); ++j) {
        CDataTableBase* table = doc.GetTableSlot(j).Table();
        for (int r = 0; r < 1000; ++r) {
            for (int c = 0; c < 26; ++c) {
                // Short codes and longer descriptions, as label data tends to be.
                if (c % 3 == 2)
                    std::snprintf(text, sizeof text, g_shortTexts ? "X%d-%d" : "Terminal block X%d-%d", r, c);
                else
                    std::snprintf(text, sizeof text, "%c%d", 'A' + c, r * 7 + j);
                table->SetCellText(r, c, text);
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    g_shortTexts = argc > 1 && std::string(argv[1]) == "--short";
    // No box may wait for a user while timing.
    SetMessageBoxHook([](const MessageBoxRequest& request) {
        std::printf("message: %s\n", request.text ? request.text : "");
        return IDOK;
    });
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string path = std::string(folder) + "project_bench.proj";

    auto doc = std::make_unique<COstrelindSoftLabelDoc>();
    doc->m_bAutoDelete = FALSE;
    doc->OnNewDocument();
    double start = Seconds();
    BuildProject(*doc);
    std::printf("build                 %8.1f ms\n", 1000 * (Seconds() - start));

    double bestSave = 1e9, bestLoad = 1e9;
    for (int run = 0; run < 3; ++run) {
        start = Seconds();
        if (!doc->SaveFileByType(path.c_str())) {
            std::printf("save failed\n");
            return 1;
        }
        bestSave = std::min(bestSave, Seconds() - start);

        auto loaded = std::make_unique<COstrelindSoftLabelDoc>();
        loaded->m_bAutoDelete = FALSE;
        start = Seconds();
        if (!loaded->OnOpenDocument(path.c_str())) {
            std::printf("load failed\n");
            return 1;
        }
        bestLoad = std::min(bestLoad, Seconds() - start);
        if (loaded->GetTemplateCount() != 255 || loaded->GetTableCount() != 255) {
            std::printf("load incomplete\n");
            return 1;
        }
    }

    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    const double bytes = static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
    const double mb = bytes / (1024.0 * 1024.0);
    std::printf("file size             %8.1f MB (%.0f bytes)\n", mb, bytes);
    std::printf("save                  %8.1f ms  %7.1f MB/s\n", 1000 * bestSave, mb / bestSave);
    std::printf("load                  %8.1f ms  %7.1f MB/s\n", 1000 * bestLoad, mb / bestLoad);
    DeleteFileA(path.c_str());
    return 0;
}
