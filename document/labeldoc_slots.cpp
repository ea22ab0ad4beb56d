// The project document's template and table slots: adding, deleting and naming them.
#include "document/labeldoc.h"

#include "document/documentstrings.h"
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/filedlg.h"
#include "framework/msgbox.h"
#include "labelmodel/template.h"

#include <utility>

namespace {

bool ConfirmDelete(UINT id, const char* fallback)
{
    return ShowMessageBox(nullptr, LoadStringOr(id, fallback), nullptr, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Access

CTemplate* COstrelindSoftLabelDoc::GetTemplate(int index) const
{
    return index >= 0 && index < kSlotCount ? m_templates[index].get() : nullptr;
}

void COstrelindSoftLabelDoc::SetCurrentTemplate(int index)
{
    if (index >= 0 && index < m_templateCount)
        m_currentTemplate = index;
}

const CString& COstrelindSoftLabelDoc::GetTemplateName(int index) const
{
    static const CString none;
    return index >= 0 && index < kSlotCount ? m_templateNames[index] : none;
}

void COstrelindSoftLabelDoc::SetTemplateName(int index, const char* name)
{
    if (index < 0 || index >= kSlotCount)
        return;
    m_templateNames[index] = name;
    if (m_templateTabs != nullptr && index < m_templateTabs->GetTabCount())
        m_templateTabs->SetTabLabel(index, name);
}

void COstrelindSoftLabelDoc::SetCurrentTable(int index)
{
    if (index >= 0 && index < m_tableCount)
        m_currentTable = index;
}

TableSlot& COstrelindSoftLabelDoc::GetTableSlot(int index)
{
    if (index < 0)
        index = 0;
    if (index >= kSlotCount)
        index = kSlotCount - 1;
    return m_tableSlots[index];
}

const CString& COstrelindSoftLabelDoc::GetTableName(int index) const
{
    static const CString none;
    return index >= 0 && index < kSlotCount ? m_tableNames[index] : none;
}

void COstrelindSoftLabelDoc::SetTableName(int index, const char* name)
{
    if (index < 0 || index >= kSlotCount)
        return;
    m_tableNames[index] = name;
    if (m_tableTabs != nullptr && index < m_tableTabs->GetTabCount())
        m_tableTabs->SetTabLabel(index, name);
}

void COstrelindSoftLabelDoc::TakeNamesFromTabs()
{
    // Users relabel tabs in the tab views; those labels are the names a project stores.
    if (m_templateTabs != nullptr) {
        const int tabs = std::min(m_templateTabs->GetTabCount(), static_cast<int>(kSlotCount));
        for (int i = 0; i < tabs; ++i)
            m_templateNames[i] = m_templateTabs->GetTabLabel(i);
    }
    if (m_tableTabs != nullptr) {
        const int tabs = std::min(m_tableTabs->GetTabCount(), static_cast<int>(kSlotCount));
        for (int i = 0; i < tabs; ++i)
            m_tableNames[i] = m_tableTabs->GetTabLabel(i);
    }
}

void COstrelindSoftLabelDoc::ShowTabs(CLabelDocTabs* tabs, int count, const CString* names)
{
    if (tabs == nullptr)
        return;
    while (tabs->GetTabCount() > count)
        tabs->RemoveTab(tabs->GetTabCount() - 1);
    while (tabs->GetTabCount() < count)
        tabs->InsertTab(tabs->GetTabCount(), names[tabs->GetTabCount()]);
    for (int i = 0; i < count; ++i)
        tabs->SetTabLabel(i, names[i]);
    tabs->SelectTab(0);
}

// ---------------------------------------------------------------------------------------------
// Names

CString COstrelindSoftLabelDoc::MakeUniqueTabName(const char* base, int n, bool templates) const
{
    const CString* names = templates ? m_templateNames : m_tableNames;
    CLabelDocTabs* tabs = templates ? m_templateTabs : m_tableTabs;
    auto taken = [&](const CString& name, int last) {
        for (int i = 0; i <= last && i < kSlotCount; ++i) {
            if (tabs != nullptr) {
                if (i < tabs->GetTabCount() && tabs->GetTabLabel(i) == name)
                    return true;
            } else if (names[i] == name) {
                return true;
            }
        }
        return false;
    };
    CString name;
    // Each step past a taken name moves on by one; at most 256 names can be in the way.
    for (int tries = 0; tries <= kSlotCount + 1; ++tries, ++n) {
        name.Format("%s %d", base, n);
        if (!taken(name, n))
            break;
    }
    return name;
}

// ---------------------------------------------------------------------------------------------
// Adding

void COstrelindSoftLabelDoc::OnNewTemplate()
{
    if (m_templateCount >= kMaxCount)
        return;
    ++m_templateCount;
    SetModifiedFlag(TRUE);
    const int index = m_templateCount - 1;
    const CString name = MakeUniqueTabName(LoadStringOr(IDS_TEMPLATE_BASE_NAME, "Template"), m_templateCount, true);
    m_templateNames[index] = name;
    m_currentTemplate = index;
    if (m_templateTabs != nullptr) {
        m_templateTabs->InsertTab(index, name);
        m_templateTabs->SelectTab(index);
    }
}

void COstrelindSoftLabelDoc::AddTemplateTab()
{
    if (m_templateCount >= kMaxCount) {
        // The "+" tab was clicked with no room left: show the last template again.
        if (m_templateTabs != nullptr)
            m_templateTabs->SelectTab(m_templateCount - 1);
        return;
    }
    OnNewTemplate();
    m_currentTemplate = m_templateCount - 1;
}

void COstrelindSoftLabelDoc::OnNewTable()
{
    if (m_tableCount >= kMaxCount)
        return;
    ++m_tableCount;
    SetModifiedFlag(TRUE);
    const int index = m_tableCount - 1;
    const CString name = MakeUniqueTabName(LoadStringOr(IDS_TABLE_BASE_NAME, "Table"), m_tableCount, false);
    m_tableNames[index] = name;
    m_currentTable = index;
    if (m_tableTabs != nullptr) {
        m_tableTabs->InsertTab(index, name);
        m_tableTabs->SelectTab(index);
    }
}

void COstrelindSoftLabelDoc::AddTableTab()
{
    if (m_tableCount >= kMaxCount) {
        if (m_tableTabs != nullptr)
            m_tableTabs->SelectTab(m_tableCount - 1);
        return;
    }
    OnNewTable();
    m_currentTable = m_tableCount - 1;
}

// ---------------------------------------------------------------------------------------------
// Deleting

void COstrelindSoftLabelDoc::OnUpdateDeleteTemplate(CCmdUI* ui)
{
    ui->Enable(m_templateCount > 1);
}

void COstrelindSoftLabelDoc::OnUpdateDeleteTable(CCmdUI* ui)
{
    ui->Enable(m_tableCount > 1);
}

void COstrelindSoftLabelDoc::OnDeleteTemplate()
{
    const int index = m_currentTemplate;
    if (m_templateCount <= 1 || index < 0 || index >= m_templateCount)
        return;
    if (!ConfirmDelete(IDS_CONFIRM_DELETE_TEMPLATE, "Delete active template. Are you sure?"))
        return;
    const bool wasLast = index == m_templateCount - 1;
    if (m_templateTabs != nullptr) {
        if (wasLast)
            m_templateTabs->SelectTab(index - 1);
        m_templateTabs->RemoveTab(index);
    }
    // The following templates move down one slot, keeping their order; the last slot is new.
    for (int i = index; i < kSlotCount - 1; ++i) {
        m_templates[i] = std::move(m_templates[i + 1]);
        m_templateNames[i] = m_templateNames[i + 1];
        m_stackedLayout[i] = m_stackedLayout[i + 1];
    }
    m_templates[kSlotCount - 1] = std::make_unique<CTemplate>();
    m_templateNames[kSlotCount - 1].Empty();
    m_stackedLayout[kSlotCount - 1] = 0;
    --m_templateCount;
    m_currentTemplate = wasLast ? index - 1 : index;
    SetModifiedFlag(TRUE);
    InvalidateDesignViews();
    InvalidateLabelPreviews();
}

void COstrelindSoftLabelDoc::OnDeleteTable()
{
    const int index = m_currentTable;
    if (m_tableCount <= 1 || index < 0 || index >= m_tableCount)
        return;
    if (!ConfirmDelete(IDS_CONFIRM_DELETE_TABLE, "Delete active table. Are you sure?"))
        return;
    const bool wasLast = index == m_tableCount - 1;
    if (m_tableTabs != nullptr) {
        m_tableTabs->RemoveTab(index);
        if (wasLast)
            m_tableTabs->SelectTab(index - 1);
    }
    // Each slot moves with its filter, filtered table, both maps and its undo copies; the last
    // slot gets a fresh empty table, so no slot is ever without one.
    for (int i = index; i < kSlotCount - 1; ++i) {
        m_tableSlots[i] = std::move(m_tableSlots[i + 1]);
        m_tableNames[i] = m_tableNames[i + 1];
        m_tableUndo[i] = std::move(m_tableUndo[i + 1]);
    }
    m_tableSlots[kSlotCount - 1] = TableSlot();
    m_tableNames[kSlotCount - 1].Empty();
    m_tableUndo[kSlotCount - 1] = CTableUndo();
    --m_tableCount;
    m_currentTable = wasLast ? index - 1 : index;
    TablesChanged();
}

// ---------------------------------------------------------------------------------------------
// Exporting the current template

void COstrelindSoftLabelDoc::OnExportTemplate()
{
    CTemplate* current = GetCurrentTemplate();
    if (current->GetLabelStock() == nullptr)
        return;
    // The person is asked before an existing template file is replaced.
    CFileDialog dialog(FALSE, "tpe", nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING,
                       "Template files (*.tpe)|*.tpe||", AfxGetMainWnd());
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    // An export: the project keeps its name, its modified state and its undo.
    if (!current->SaveTemplateFile(path))
        ReportSaveFailure(path);
}

void COstrelindSoftLabelDoc::OnUpdateExportTemplate(CCmdUI* ui)
{
    ui->Enable(GetCurrentTemplate()->GetLabelStock() != nullptr);
}
