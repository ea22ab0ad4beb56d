// The template guide: the grid of text rows and columns, and the objects it builds.
#include "ui/templateguidedlg.h"

#include "document/labeldoc.h"
#include "framework/app.h"
#include "framework/msgmap.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"
#include "labelmodel/textcontent.h"
#include "ui/labeldialogids.h"

#include <cstring>

namespace {
const int kGuideRows = CTemplateColumnMap::kRows;
const int kSlots = CTemplateColumnMap::kColumnsPerRow;
const int kTableColumns = 26;
const int kColumnWidths[3] = {70, 120, 24};
} // namespace

BEGIN_MESSAGE_MAP(CTemplateGuideDlg, CDialogEx)
    ON_NOTIFY(GRIDN_GETDISPINFO, IDC_GUIDE_GRID, OnGridDisplayInfo)
    ON_NOTIFY(GRIDN_BEGINEDIT, IDC_GUIDE_GRID, OnGridBeginEdit)
    ON_NOTIFY(GRIDN_ENDEDIT, IDC_GUIDE_GRID, OnGridEndEdit)
    ON_NOTIFY(GRIDN_CELLDOWN, IDC_GUIDE_GRID, OnGridCellDown)
    ON_BN_CLICKED(IDC_GUIDE_FRAME, OnOptionClicked)
    ON_BN_CLICKED(IDC_GUIDE_IMAGE, OnOptionClicked)
END_MESSAGE_MAP()

CTemplateGuideDlg::CTemplateGuideDlg(CWnd* parent) : CDialogEx(IDD_TEMPLATE_GUIDE, parent)
{
    // The dialog template names the grid's window class.
    CGridCtrl::RegisterWindowClass();
}

CTemplateGuideDlg::~CTemplateGuideDlg() = default;

void CTemplateGuideDlg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_GUIDE_GRID, m_grid);
}

BOOL CTemplateGuideDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_grid.DeleteAllItems();
    m_grid.SetVirtualMode(TRUE);
    m_grid.SetColumnCount(kColumns);
    m_grid.SetRowCount(kRows);
    m_grid.SetFixedRowCount(1);
    m_grid.SetEditable(TRUE);
    m_grid.SetColumnWidth(0, kColumnWidths[0]);
    m_grid.SetColumnWidth(1, kColumnWidths[1]);
    for (int c = kFirstTableColumn; c < kColumns; ++c)
        m_grid.SetColumnWidth(c, kColumnWidths[2]);
    // In virtual mode the read-only state also comes with every cell's display information.
    for (int r = 1; r < kRows; ++r)
        for (int c = kFirstTableColumn; c < kColumns; ++c)
            m_grid.SetItemState(r, c, GVIS_READONLY);
    m_strTextRow = LoadStringOr(IDS_GUIDE_TEXT_ROW, "Text row");
    m_strDelimiter = LoadStringOr(IDS_GUIDE_DELIMITER, "Delimiter");
    // One snapshot for everything the guide does: one Undo takes it all back.
    if (m_pDoc != nullptr && m_nArea >= 0 && m_nArea < CTemplate::kAreas)
        m_pDoc->GetCurrentTemplate()->PushUndo(m_nArea, true);
    RebuildArea();
    return TRUE;
}

CString CTemplateGuideDlg::GetCellText(int row, int column) const
{
    CString text;
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return text;
    if (row == 0) {
        if (column == 0)
            text = m_strTextRow;
        else if (column == 1)
            text = m_strDelimiter;
        else
            text.Format("%c", 'A' + column - kFirstTableColumn);
        return text;
    }
    if (column == 0)
        text.Format("%d", row);
    else if (m_pDoc == nullptr)
        return text;
    else if (column == 1)
        text = m_pDoc->GetGuideRowCaption(row - 1, m_nArea);
    else if (m_pDoc->IsGuideColumnUsed(m_nArea, row - 1, column - kFirstTableColumn))
        text = "x";
    return text;
}

void CTemplateGuideDlg::OnGridDisplayInfo(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<GRID_DISPINFO*>(header);
    info->strText = GetCellText(info->row, info->col);
    if (info->row >= 1 && info->col >= kFirstTableColumn)
        info->state |= GVIS_READONLY;
    *result = 0;
}

void CTemplateGuideDlg::OnGridBeginEdit(NMHDR* header, LRESULT* result)
{
    const auto* cell = reinterpret_cast<GRID_NOTIFY*>(header);
    *result = cell->iColumn == 1 && cell->iRow >= 1 ? 0 : -1;
}

void CTemplateGuideDlg::OnGridEndEdit(NMHDR* header, LRESULT* result)
{
    const auto* info = reinterpret_cast<GRID_DISPINFO*>(header);
    *result = 0;
    if (info->col == 1)
        SetRowDelimiter(info->row, info->strText);
}

void CTemplateGuideDlg::SetRowDelimiter(int row, const char* text)
{
    if (m_pDoc == nullptr || row < 1 || row > kGuideRows)
        return;
    CTemplateColumnMap* map = m_pDoc->GetCurrentTemplate()->GetColumnMap(m_nArea);
    if (map == nullptr)
        return;
    // The map's field holds ten characters and the terminator: a longer text is cut there.
    char* field = map->separators[row - 1];
    std::memset(field, 0, CTemplateColumnMap::kSeparatorField);
    std::strncpy(field, text ? text : "", kMaxDelimiter);
    m_pDoc->SetModifiedFlag(TRUE);
    if (m_grid.m_hWnd != nullptr)
        m_grid.Invalidate();
    RebuildArea();
}

void CTemplateGuideDlg::ToggleCell(int row, int column)
{
    if (m_pDoc == nullptr || row < 1 || row > kGuideRows || column < kFirstTableColumn || column >= kColumns)
        return;
    const int tableColumn = column - kFirstTableColumn;
    if (m_pDoc->IsGuideColumnUsed(m_nArea, row - 1, tableColumn))
        m_pDoc->RemoveGuideRowColumn(tableColumn, row - 1);
    else
        m_pDoc->AddGuideRowColumn(row - 1, tableColumn);
    if (m_grid.m_hWnd != nullptr)
        m_grid.Invalidate();
    RebuildArea();
}

void CTemplateGuideDlg::OnGridCellDown(NMHDR* header, LRESULT* result)
{
    const auto* cell = reinterpret_cast<GRID_NOTIFY*>(header);
    *result = 0;
    ToggleCell(cell->iRow, cell->iColumn);
}

void CTemplateGuideDlg::RebuildArea()
{
    if (m_pDoc == nullptr || m_nArea < 0 || m_nArea >= CTemplate::kAreas)
        return;
    CTemplate* current = m_pDoc->GetCurrentTemplate();
    const CLabel* stock = current->GetLabelStock();
    CGraphCollection* objects = current->GetArea(m_nArea);
    CTemplateColumnMap* map = current->GetColumnMap(m_nArea);
    if (stock == nullptr || objects == nullptr || map == nullptr)
        return;
    objects->DeleteAll();

    const int height = stock->GetHeight(m_nArea);
    const int width = stock->GetWidth(m_nArea);
    const bool frame = m_hWnd != nullptr && IsDlgButtonChecked(IDC_GUIDE_FRAME) == BST_CHECKED;
    const bool image = m_hWnd != nullptr && IsDlgButtonChecked(IDC_GUIDE_IMAGE) == BST_CHECKED;
    const int margin = frame ? height / 10 : height / 20;

    int used = 0;
    for (int r = 0; r < kGuideRows; ++r) {
        bool any = false;
        for (int k = 0; k < kSlots; ++k)
            any = any || map->columns[r * kSlots + k] >= 0;
        used += any ? 1 : 0;
    }

    if (frame) {
        auto* rect = new CGraphRectRounded;
        rect->SetX(margin / 2);
        rect->SetY(margin / 2);
        rect->SetWidth(width - margin);
        rect->SetHeight(height - margin);
        objects->Append(rect);
    }
    int y = margin;
    if (image) {
        auto* picture = new CGraphImageExtExt;
        picture->SetX(margin);
        picture->SetY(margin);
        const int pictureWidth = used > 0 ? width / 2 - margin : width - 2 * margin;
        const int pictureHeight = used > 0 ? height / 2 - margin : height - 2 * margin;
        picture->SetWidth(pictureWidth);
        picture->SetHeight(pictureHeight);
        objects->Append(picture);
        y = pictureHeight + 2 * margin;
    }
    if (used > 0) {
        const int available = image ? height / 2 : height;
        const int rowHeight = (available - 2 * margin) / used;
        for (int r = 0; r < kGuideRows; ++r) {
            // The columns in the order they were chosen: the newest is in the first slot.
            char letters[kSlots + 1] = {};
            int count = 0;
            for (int k = kSlots - 1; k >= 0; --k) {
                const int column = map->columns[r * kSlots + k];
                if (column >= 0 && column < kTableColumns)
                    letters[count++] = static_cast<char>('A' + column);
            }
            if (count == 0)
                continue;
            auto* text = new CGraphTextExt;
            text->SetX(margin);
            text->SetY(y);
            text->SetWidth(width - 2 * margin);
            text->SetHeight(rowHeight);
            text->SetLogFont(&m_pDoc->GetDefaultFont());
            text->SetContentKind(kKindTable);
            text->SetColumnName(letters);
            char separator[CTemplateColumnMap::kSeparatorField] = {};
            std::memcpy(separator, map->separators[r], sizeof separator - 1);
            text->SetSeparatorName(separator);
            objects->Append(text);
            y += rowHeight;
        }
    }
    m_pDoc->SetModifiedFlag(TRUE);
    m_pDoc->InvalidateDesignViews();
    m_pDoc->InvalidateLabelPreviews();
}

void RunTemplateGuideDialog(COstrelindSoftLabelDoc* doc, int area)
{
    if (doc == nullptr)
        return;
    CTemplateGuideDlg dialog(AfxGetMainWnd());
    dialog.m_pDoc = doc;
    dialog.m_nArea = area;
    dialog.DoModal();
}
