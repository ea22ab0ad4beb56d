#include "framework/windowsdlg.h"

#include <algorithm>
#include <cstring>

namespace {
// A DLGTEMPLATE with its items, laid out word by word as DialogBoxIndirect reads it.
class DialogTemplateWriter {
public:
    DialogTemplateWriter(const char* caption, DWORD style, short cx, short cy, int itemCount)
    {
        Dword(style | DS_SETFONT);
        Dword(0);                       // extended style
        Word(static_cast<WORD>(itemCount));
        Word(0);
        Word(0);
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);                        // no menu
        Word(0);                        // default class
        Text(caption);
        Word(8);                        // point size of the font that follows
        Text("MS Shell Dlg");
    }

    void Item(WORD classAtom, WORD id, const char* text, DWORD style, short x, short y, short cx, short cy)
    {
        if (m_words.size() % 2 != 0)
            Word(0);                    // items start on a DWORD boundary
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);                        // no creation data
    }

    std::vector<WORD> Take() { return std::move(m_words); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const char* text)
    {
        for (const char* p = text; *p != '\0'; ++p)
            Word(static_cast<unsigned char>(*p));   // the captions here are ASCII
        Word(0);
    }
    std::vector<WORD> m_words;
};

const WORD kButton = 0x0080;
const WORD kListBox = 0x0083;

std::vector<WORD> BuildWindowsTemplate()
{
    DialogTemplateWriter t("Windows", DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 250, 130, 4);
    t.Item(kListBox, CWindowsDialog::IDC_WINDOW_LIST, "",
           WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 7, 7, 170, 116);
    t.Item(kButton, IDOK, "&Activate", BS_DEFPUSHBUTTON | WS_TABSTOP, 186, 7, 57, 14);
    t.Item(kButton, CWindowsDialog::IDC_CLOSE_WINDOW, "&Close Window(s)", BS_PUSHBUTTON | WS_TABSTOP, 186, 25, 57, 14);
    t.Item(kButton, IDCANCEL, "Close", BS_PUSHBUTTON | WS_TABSTOP, 186, 109, 57, 14);
    return t.Take();
}
} // namespace

// ---- CWindowsDialog

BEGIN_MESSAGE_MAP(CWindowsDialog, CDialog)
    ON_BN_CLICKED(IDC_CLOSE_WINDOW, OnCloseWindow)
    ON_LBN_DBLCLK(IDC_WINDOW_LIST, OnListDoubleClick)
    ON_LBN_SELCHANGE(IDC_WINDOW_LIST, OnListSelChange)
END_MESSAGE_MAP()

CWindowsDialog::CWindowsDialog(CMDIFrameWnd* frame) : m_pFrame(frame), m_template(BuildWindowsTemplate()) {}

INT_PTR CWindowsDialog::DoModal()
{
    InitModalIndirect(reinterpret_cast<const DLGTEMPLATE*>(m_template.data()), m_pFrame);
    return CDialog::DoModal();
}

BOOL CWindowsDialog::CreateModeless()
{
    return CreateIndirect(reinterpret_cast<const DLGTEMPLATE*>(m_template.data()), m_pFrame);
}

BOOL CWindowsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillList();
    return TRUE;
}

bool CWindowsDialog::IsStillChild(CMDIChildWnd* child) const
{
    const auto& children = m_pFrame->GetChildren();
    return std::find(children.begin(), children.end(), child) != children.end();
}

void CWindowsDialog::FillList()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_WINDOW_LIST);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    m_listed.clear();
    if (m_pFrame == nullptr)
        return;
    for (CMDIChildWnd* child : m_pFrame->GetChildren()) {
        CString title = child->GetWindowText();
        int index = static_cast<int>(::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.GetString())));
        if (index < 0)
            continue;
        ::SendMessageA(list, LB_SETITEMDATA, index, static_cast<LPARAM>(m_listed.size()));
        m_listed.push_back(child);
        if (child == m_pFrame->MDIGetActive())
            ::SendMessageA(list, LB_SETSEL, TRUE, index);
    }
    OnListSelChange();
}

int CWindowsDialog::GetListCount() const
{
    return static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_LIST, LB_GETCOUNT, 0, 0));
}

void CWindowsDialog::SelectItem(int index, bool add)
{
    if (!add)
        ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_LIST, LB_SETSEL, FALSE, -1);
    ::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_LIST, LB_SETSEL, TRUE, index);
    OnListSelChange();
}

void CWindowsDialog::OnListSelChange()
{
    int selected = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_WINDOW_LIST, LB_GETSELCOUNT, 0, 0));
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), selected == 1);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_CLOSE_WINDOW), selected > 0);
}

void CWindowsDialog::ActivateSelected()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_WINDOW_LIST);
    int item = -1;
    if (::SendMessageA(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&item)) != 1 || item < 0)
        return;
    size_t slot = static_cast<size_t>(::SendMessageA(list, LB_GETITEMDATA, item, 0));
    if (slot < m_listed.size() && IsStillChild(m_listed[slot]))
        m_pFrame->MDIActivate(m_listed[slot]);
    EndDialog(IDOK);
}

void CWindowsDialog::CloseSelected()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_WINDOW_LIST);
    int count = static_cast<int>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    if (count <= 0)
        return;
    std::vector<int> items(static_cast<size_t>(count));
    count = static_cast<int>(::SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(items.data())));
    std::vector<CMDIChildWnd*> closing;
    for (int i = 0; i < count; ++i) {
        size_t slot = static_cast<size_t>(::SendMessageA(list, LB_GETITEMDATA, items[static_cast<size_t>(i)], 0));
        if (slot < m_listed.size())
            closing.push_back(m_listed[slot]);
    }
    // Closing one document may close others of the same document: look each up again.
    for (CMDIChildWnd* child : closing)
        if (IsStillChild(child))
            child->SendMessage(WM_CLOSE);
    FillList();
}

// ---- the document menu of CMDIFrameWnd and its tab strip button

void CMDIFrameWnd::EnableDocumentMenu(BOOL enable)
{
    m_bDocumentMenu = enable;
    if (m_wndTabArea.m_hWnd != nullptr)
        m_wndTabArea.Invalidate();
}

void CMDIFrameWnd::EnableWindowsDialog(UINT commandId, const char* text, BOOL showAlways)
{
    m_nWindowsDialogCmd = commandId;
    m_strWindowsDialogText = text ? text : "";
    if (m_strWindowsDialogText.IsEmpty())
        m_strWindowsDialogText = "&Windows...";
    m_bWindowsDialogAlways = showAlways;
}

HMENU CMDIFrameWnd::BuildDocumentMenu() const
{
    HMENU menu = ::CreatePopupMenu();
    UINT id = 1;
    for (CMDIChildWnd* child : m_children) {
        CString title = child->GetWindowText();
        // An ampersand in a document's name is text, not a mnemonic.
        title.Replace("&", "&&");
        UINT flags = MF_STRING | (child == m_pActiveChild ? MF_CHECKED : 0);
        ::AppendMenuA(menu, flags, id++, title);
    }
    if (m_nWindowsDialogCmd != 0 && (m_bWindowsDialogAlways || !m_children.empty())) {
        if (!m_children.empty())
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, static_cast<UINT>(m_children.size()) + 1, m_strWindowsDialogText);
    }
    return menu;
}

void CMDIFrameWnd::OnDocumentMenuChoice(UINT choice)
{
    if (choice == 0)
        return;
    if (choice <= m_children.size()) {
        MDIActivate(m_children[choice - 1]);
        return;
    }
    if (choice == m_children.size() + 1 && m_nWindowsDialogCmd != 0)
        SendMessage(WM_COMMAND, MAKEWPARAM(m_nWindowsDialogCmd, 0), 0);
}

void CMDIFrameWnd::ShowDocumentMenu()
{
    HMENU menu = BuildDocumentMenu();
    if (::GetMenuItemCount(menu) > 0) {
        CRect button = m_wndTabArea.GetMenuButtonRect();
        POINT pt = { button.right, button.bottom };
        ::ClientToScreen(m_wndTabArea.m_hWnd, &pt);
        UINT choice = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_RETURNCMD |
                                                                   TPM_NONOTIFY | TPM_LEFTBUTTON,
                                                         pt.x, pt.y, 0, m_hWnd, nullptr));
        OnDocumentMenuChoice(choice);
    }
    ::DestroyMenu(menu);
}

void CMDIFrameWnd::ShowWindowsDialog()
{
    CWindowsDialog dialog(this);
    dialog.DoModal();
}

BOOL CMDIFrameWnd::OnWindowsDialogCmd(UINT nID, int nCode, void* pExtra, CmdHandlerInfo* pHandlerInfo)
{
    if (m_nWindowsDialogCmd == 0 || nID != m_nWindowsDialogCmd)
        return FALSE;
    if (nCode == CN_COMMAND) {
        if (pHandlerInfo != nullptr)
            pHandlerInfo->target = this;
        else
            ShowWindowsDialog();
        return TRUE;
    }
    if (nCode == CN_UPDATE_COMMAND_UI && pExtra != nullptr) {
        if (pHandlerInfo == nullptr)
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
        return TRUE;
    }
    return FALSE;
}

CRect CMDITabArea::GetMenuButtonRect() const
{
    if (m_pFrame == nullptr || !m_pFrame->IsDocumentMenuEnabled() || m_hWnd == nullptr)
        return CRect();
    CRect client;
    GetClientRect(&client);
    if (client.Width() < 40)
        return CRect();
    return CRect(client.right - 22, 4, client.right - 4, kStripHeight - 2);
}

void CMDITabArea::DrawMenuButton(CDC& dc)
{
    CRect button = GetMenuButtonRect();
    if (button.IsRectEmpty())
        return;
    const TabColors colors = GetTabColors();
    dc.FillSolidRect(&button, colors.face);
    CBrush edge(colors.edge);
    ::FrameRect(dc.m_hDC, &button, edge);
    // A small downward triangle.
    CPoint c = button.CenterPoint();
    POINT arrow[3] = { { c.x - 4, c.y - 2 }, { c.x + 4, c.y - 2 }, { c.x, c.y + 2 } };
    CBrush brush(colors.text);
    CPen pen(PS_SOLID, 1, colors.text);
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Polygon(arrow, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
