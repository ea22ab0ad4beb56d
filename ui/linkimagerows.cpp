#include "ui/linkimagerows.h"

#include "document/labeldoc.h"

#include <cstring>

CLinkImageRows::CLinkImageRows(COstrelindSoftLabelDoc* doc, int currentRow)
    : m_doc(doc), m_row(currentRow < 1 ? 1 : currentRow)
{
}

void CLinkImageRows::MoveToPreviousRow()
{
    if (onPreviousRow)
        m_row = onPreviousRow();
    else if (m_row > 1)
        --m_row;
    if (m_row < 1)
        m_row = 1;
}

void CLinkImageRows::MoveToNextRow()
{
    if (onNextRow)
        m_row = onNextRow();
    else
        ++m_row;
    if (m_row < 1)
        m_row = 1;
}

int CLinkImageRows::CountImageColumns() const
{
    return m_doc ? m_doc->CountImageColumns() : 0;
}

int CLinkImageRows::ImageColumn(int k) const
{
    if (!m_doc || k < 0)
        return -1;
    for (int column = 0; column < 26; ++column) {
        if (m_doc->GetImageColumnNumber(column) == k + 1)
            return column;
    }
    return -1;
}

int CLinkImageRows::ShownImageColumn(int k) const
{
    const int column = ImageColumn(k);
    return column < 0 ? -1 : m_doc->GetShownColumn(column);
}

void CLinkImageRows::PushTableUndo()
{
    if (!m_doc)
        return;
    const int index = m_doc->GetCurrentTableIndex();
    m_doc->GetTableUndo(index).PushTableUndo(m_doc->GetTableSlot(index));
}

bool CLinkImageRows::SetImageCell(int k, int offset, const char* text)
{
    const int column = ShownImageColumn(k);
    if (column < 0 || offset < 0)
        return false;
    return m_doc->SetTableCellText(text ? text : "", GetCurrentRow() - 1 + offset, column);
}

CString CLinkImageRows::GetImageCell(int k) const
{
    const int column = ShownImageColumn(k);
    if (column < 0)
        return CString();
    char buffer[261] = {};
    m_doc->GetTableCellText(GetCurrentRow() - 1, column, sizeof buffer, buffer);
    return CString(buffer);
}

bool CLinkImageRows::ClearImageCell(int k)
{
    const int column = ShownImageColumn(k);
    if (column < 0)
        return false;
    const bool done = m_doc->SetTableCellText("", GetCurrentRow() - 1, column);
    Changed();
    return done;
}

bool CLinkImageRows::AreImageCellsFilled() const
{
    const int count = CountImageColumns();
    int shown = 0;
    for (int k = 0; k < count; ++k) {
        if (ShownImageColumn(k) < 0)
            continue;
        ++shown;
        if (GetImageCell(k).IsEmpty())
            return false;
    }
    return shown > 0;
}

void CLinkImageRows::Changed()
{
    if (!m_doc)
        return;
    m_doc->TablesChanged();
}
