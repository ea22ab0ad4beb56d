#include "ui/linkimagedlg.h"

#include "document/labeldoc.h"
#include "ui/labelapp.h"
#include "ui/linkimagerows.h"
#include "ui/res/linkimage.h"

#include <dlgs.h>

CLinkImageFileDialog::CLinkImageFileDialog(const char* filter, const char* initialDir, CWnd* parent)
    : CFileDialog(TRUE, "*.jpg", nullptr, OFN_HIDEREADONLY | OFN_ENABLETEMPLATE | OFN_FILEMUSTEXIST, filter,
                  parent, FALSE),
      m_initialDir(initialDir)
{
    RegisterImageWindowClasses();
    m_ofn.hInstance = ::GetModuleHandleA(nullptr);
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(IDD_LINK_IMAGE);
    m_ofn.lpstrInitialDir = m_initialDir.IsEmpty() ? nullptr : m_initialDir.GetString();
    // The old-style dialog puts "Open" over the template's caption unless given a title.
    m_ofn.lpstrTitle = "Link image";
}

void CLinkImageFileDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_LINKIMAGE_BROWSER, m_browser);
    for (int i = 0; i < 4; ++i)
        DDX_Control(dx, IDC_LINKIMAGE_SLOT1 + i, m_slots[i]);
}

BOOL CLinkImageFileDialog::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    UpdateData(FALSE);
    for (int id : {IDOK, pshHelp, chx1, stc3, edt1, lst1}) {
        if (HWND item = ::GetDlgItem(m_hWnd, id))
            ::ShowWindow(item, SW_HIDE);
    }
    SetDlgItemText(IDCANCEL, LoadStringOr(IDS_LINKIMAGE_CLOSE, "Close").GetString());
    m_browser.PostMessage(WM_IMAGEBROWSER_RESCAN);
    RememberSelections();
    if (m_owner) {
        const int columns = m_owner->CountImageColumns();
        for (int i = 0; i < 4; ++i) {
            m_slots[i].SetRows(m_owner);
            if (i >= columns) {
                m_slots[i].ShowWindow(SW_HIDE);
                if (HWND label = ::GetDlgItem(m_hWnd, IDC_LINKIMAGE_LABEL1 + i))
                    ::ShowWindow(label, SW_HIDE);
            }
        }
        ShowCurrentRow();
        for (CImageWindow& slot : m_slots)
            slot.DragAcceptFiles(TRUE);
    }
    return TRUE;
}

void CLinkImageFileDialog::ShowCurrentRow()
{
    if (m_owner)
        SetDlgItemInt(IDC_LINKIMAGE_ROW, static_cast<UINT>(m_owner->GetCurrentRow()), FALSE);
}

void CLinkImageFileDialog::StepRow(bool next)
{
    if (m_owner) {
        if (next)
            m_owner->MoveToNextRow();
        else
            m_owner->MoveToPreviousRow();
    }
    for (CImageWindow& slot : m_slots) {
        if (slot.m_hWnd)
            slot.Invalidate(TRUE);
    }
    ShowCurrentRow();
}

BOOL CLinkImageFileDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_LINKIMAGE_PREVIOUS:
    case IDC_LINKIMAGE_NEXT:
        if (HIWORD(wParam) == BN_CLICKED) {
            StepRow(id == IDC_LINKIMAGE_NEXT);
            return TRUE;
        }
        break;
    case lst2:
    case cmb1:
    case cmb2:
        // A rescan reads the whole folder again and drops every thumbnail: only a selection that
        // really changed, or a folder opened (the old-style dialog changes the current folder
        // only on a double click in its folder list), asks for one; focus and drop-down
        // notifications do not. The rescan is posted so that it runs after the dialog has moved.
        if (IsFolderChange(id, HIWORD(wParam)) && m_browser.m_hWnd)
            m_browser.PostMessage(WM_IMAGEBROWSER_RESCAN);
        break;
    default:
        break;
    }
    return CFileDialog::OnCommand(wParam, lParam);
}

int CLinkImageFileDialog::CurrentSelection(int id) const
{
    HWND control = ::GetDlgItem(m_hWnd, id);
    if (control == nullptr)
        return -1;
    return static_cast<int>(::SendMessageA(control, id == lst2 ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
}

void CLinkImageFileDialog::RememberSelections()
{
    m_folderSelection = CurrentSelection(lst2);
    m_typeSelection = CurrentSelection(cmb1);
    m_driveSelection = CurrentSelection(cmb2);
}

bool CLinkImageFileDialog::IsFolderChange(int id, int code)
{
    if (id == lst2 && code == LBN_DBLCLK) {
        // The list is filled again for the folder opened: what was selected says nothing any more.
        m_folderSelection = kUnknownSelection;
        return true;
    }
    const bool selectionNote = id == lst2 ? code == LBN_SELCHANGE : code == CBN_SELCHANGE;
    if (!selectionNote)
        return false;
    int& remembered = id == lst2 ? m_folderSelection : id == cmb1 ? m_typeSelection : m_driveSelection;
    const int now = CurrentSelection(id);
    if (now == remembered)
        return false;
    remembered = now;
    // Another drive fills the folder list again as well.
    if (id == cmb2)
        m_folderSelection = kUnknownSelection;
    return true;
}

bool CanLinkImages(const COstrelindSoftLabelDoc* doc)
{
    return doc != nullptr && doc->CountImageColumns() > 0;
}

INT_PTR LinkImageCommand(CLinkImageRows& rows, CWnd* owner, const char* folder)
{
    if (!CanLinkImages(rows.Document()))
        return IDCANCEL;
    const CString filter = LoadStringOr(IDS_LINKIMAGE_FILTER, "Image files |*.jpg;*.jpeg;*.bmp;*.png;*.wmf||");
    const CString start = folder ? CString(folder) : COstrelindSoftLabelApp::GetClipartFolder();
    CLinkImageFileDialog dialog(filter.GetString(), start.GetString(), owner);
    dialog.m_owner = &rows;
    if (owner)
        dialog.m_ofn.hwndOwner = owner->m_hWnd;
    return dialog.DoModal();
}
