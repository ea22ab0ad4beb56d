#pragma once
// Helpers of the collection and template tests: boxes in millimetres, a stand-in for a field that
// reads a table column and has a font (for the forwarders and the duplicate's column naming), and
// record bytes of collections.
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "objecttestutil.h"

#include <cstring>
#include <vector>

namespace colltest {

using objtest::Bytes;

inline CGraphRect* RectMm(int x, int y, int w, int h, bool selected = false)
{
    CGraphRect* r = new CGraphRect;
    r->SetX(x * 1000);
    r->SetY(y * 1000);
    r->SetWidth(w * 1000);
    r->SetHeight(h * 1000);
    r->SetSelected(selected);
    return r;
}

// A box that reads one table column (A = 0; -1 none) and carries a font, as a text field does.
class ColumnField : public CGraphRect {
public:
    explicit ColumnField(int column = -1) : m_column(column)
    {
        m_font.lfHeight = -16;
        m_font.lfWeight = FW_NORMAL;
        strcpy(m_font.lfFaceName, "Arial");
    }
    CGraphObject* Clone() override { return new ColumnField(*this); }
    bool UsesTableColumn(int column) override { return m_column >= 0 && column == m_column; }
    bool GetColumnName(char* out, int size) override
    {
        if (m_column < 0 || size < 2)
            return false;
        out[0] = static_cast<char>('A' + m_column);
        out[1] = 0;
        return true;
    }
    bool SetColumnName(const char* name) override
    {
        if (!name || name[0] < 'A' || name[0] > 'Z' || name[1])
            return false;
        m_column = name[0] - 'A';
        return true;
    }
    bool HasFont() override { return true; }
    bool GetLogFont(LOGFONTA* out) override { *out = m_font; return true; }
    void SetLogFont(const LOGFONTA* font) override { m_font = *font; }
    void SetFontName(const char* name) override { strncpy(m_font.lfFaceName, name, LF_FACESIZE - 1); }
    bool IsBold() override { return m_font.lfWeight == FW_BOLD; }
    void SetBold(bool on) override { m_font.lfWeight = on ? FW_BOLD : FW_NORMAL; }
    bool HasAlignment() override { return true; }
    bool QueryAlignment(int* out) override { *out = m_alignment; return true; }
    void SetAlignment(int alignment) override { m_alignment = alignment; }
    bool HasTextColour() override { return true; }
    COLORREF GetTextColour() override { return m_textColour; }
    void SetTextColour(COLORREF c) override { m_textColour = c; }
    bool HasLine() override { return false; }

    int Column() const { return m_column; }

private:
    int m_column;
    LOGFONTA m_font = {};
    int m_alignment = 1;
    COLORREF m_textColour = 0;
};

inline Bytes SaveRecord(CGraphObject& o)
{
    CMemFile file;
    if (!o.Save(&file))
        return Bytes();
    return file.Bytes();
}

// Loads a collection record (the first `count` bytes) into c.
inline bool LoadRecord(CGraphCollection& c, const Bytes& bytes, size_t count)
{
    CMemFile file;
    objtest::FillFile(file, bytes, count);
    return c.LoadObjects(&file);
}

inline bool LoadRecord(CGraphCollection& c, const Bytes& bytes)
{
    return LoadRecord(c, bytes, bytes.size());
}

} // namespace colltest
