#pragma once
// Helpers of the template tests: blocks in memory and a template with a value in every field.
#include "collectiontestutil.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <cstring>

namespace tpltest {

using objtest::Bytes;

inline Bytes BlockBytes(CTemplate& t, bool standalone)
{
    CMemFile file;
    if (!t.WriteTemplate(standalone, &file))
        return Bytes();
    return file.Bytes();
}

inline bool ReadBlock(CTemplate& t, const Bytes& bytes, size_t count)
{
    CMemFile file;
    objtest::FillFile(file, bytes, count);
    return t.ReadTemplate(&file);
}

inline bool ReadBlock(CTemplate& t, const Bytes& bytes)
{
    return ReadBlock(t, bytes, bytes.size());
}

inline uint32_t U32At(const Bytes& b, size_t off)
{
    return uint32_t(b.at(off)) | uint32_t(b.at(off + 1)) << 8 | uint32_t(b.at(off + 2)) << 16 |
           uint32_t(b.at(off + 3)) << 24;
}

inline void PutU32(Bytes& b, size_t off, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(off + i) = uint8_t(v >> (8 * i));
}

// Objects in every area, a stock of its own, and a non-default value in every setting.
inline void FillTemplate(CTemplate& t)
{
    t.GetArea(0)->Append(colltest::RectMm(1, 2, 3, 4));
    t.GetArea(0)->Append(new CGraphLine(0, 0, 5000, 6000));
    t.GetArea(1)->Append(colltest::RectMm(5, 6, 7, 8));
    CGraphGroup* g = new CGraphGroup;
    g->Append(colltest::RectMm(9, 9, 1, 1));
    t.GetArea(2)->Append(g);
    CLabelFileNew* stock = new CLabelFileNew;
    stock->SetFamilyName("Terminal markers");
    stock->SetColumns(4);
    stock->SetRows(12);
    t.SetLabelStock(stock);
    t.SetPrinter("Zebra", "winspool", "USB001");
    t.GetHelpLines().ShowVertical(true);
    t.GetHelpLines().SetVerticalLines(3);
    t.SetLocked(true);
    t.SetPassword("secret");
    t.SetColumnMajor(true);
    t.SetCopies(-3);
    t.SetPasses(4);
    t.SetStopAfterPass(false);
    t.SetFieldContours(false);
    CTemplateColumnMap* map = t.GetColumnMap(1);
    map->columns[0] = 2;
    map->columns[29] = 25;
    strcpy(map->separators[3], ", ");
    t.SetPrintBorders(true);
    t.SetBorderColour(RGB(10, 20, 30));
    t.SetBorderWidth(350);
    t.SetPauseBetweenPages(true);
    t.SetZoom(0, 150);
    t.SetZoom(2, 400);
}

} // namespace tpltest
