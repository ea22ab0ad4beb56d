#include "ui/mainframe.h"

#include "framework/app.h"
#include "framework/menuimages.h"
#include "framework/msgbox.h"
#include "framework/ribbonlook.h"
#include "ui/commandids.h"
#include "ui/labelapp.h"
#include "ui/resourceids.h"

#include <shellapi.h>

namespace {
const char kStatusTemplate[] = "01234567890123456789012345678901234567890123456789012345678901234567890123456789";
// The same line the project document shows while its template has no label.
const char kMakerNotice[] = "  Label design and printing";
// The program asks for the menu pictures drawn in more colours.
constexpr bool kHighColourMenuImages = true;

COstrelindSoftLabelApp* LabelApp()
{
    return dynamic_cast<COstrelindSoftLabelApp*>(AfxGetApp());
}
} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ENDSESSION()
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_WM_DROPFILES()
    ON_COMMAND_RANGE(ID_APPLOOK_FIRST, ID_APPLOOK_LAST, OnApplicationLook)
    ON_UPDATE_COMMAND_UI_RANGE(ID_APPLOOK_FIRST, ID_APPLOOK_LAST, OnUpdateApplicationLook)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_LABEL, OnUpdateStatusPaneLabel)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_ROWS, OnUpdateStatusPaneRows)
    ON_COMMAND(ID_LOCK_DOCUMENT, OnLockDocument)
    ON_UPDATE_COMMAND_UI(ID_LOCK_DOCUMENT, OnUpdateLockDocument)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    SetLookField(ReadApplicationLook());
}

CMainFrame::~CMainFrame()
{
    if (m_pGoneFlag != nullptr)
        *m_pGoneFlag = true;
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    OnApplicationLook(GetApplicationLook());
    // Tabbed documents: the strip draws OneNote tabs in the look's colours, without icons, with
    // the close box on the active tab; the document menu sits at its right.
    EnableDocumentMenu(TRUE);
    if (!m_wndRibbonBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_RIBBON_BAR))
        return -1;
    CreateRibbon();
    RestoreRibbonState();
    if (!CreateStatusBar())
        return -1;
    CString windowsText;
    if (!windowsText.LoadString(IDS_WINDOWS_DIALOG))
        windowsText = "&Windows...";
    EnableWindowsDialog(ID_WINDOWS_DIALOG, windowsText, TRUE);
    // The context menus show these pictures beside their commands.
    CMenuImages::Get().AddToolBar(IDR_MENU_IMAGES, kHighColourMenuImages ? IDB_MENU_IMAGES_HC : 0);
    RecalcLayout();
    return 0;
}

BOOL CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
        return FALSE;
    static const UINT panes[] = { ID_STATUS_PANE_LABEL, ID_STATUS_PANE_ROWS };
    if (!m_wndStatusBar.SetIndicators(panes, 2))
        return FALSE;
    int width = m_wndStatusBar.MeasureText(kStatusTemplate);
    // "Pane 1" on the left takes the room the right-hand "Pane 2" leaves.
    m_wndStatusBar.SetPaneInfo(0, ID_STATUS_PANE_LABEL, SBPS_STRETCH, width);
    m_wndStatusBar.SetPaneInfo(1, ID_STATUS_PANE_ROWS, SBPS_NORMAL, width);
    m_wndStatusBar.SetPaneText(0, GetProductLine());
    m_wndStatusBar.SetPaneText(1, "");
    return TRUE;
}

const char* CMainFrame::StatusTemplate()
{
    return kStatusTemplate;
}

CString CMainFrame::GetProductLine()
{
    CString name;
    if (!name.LoadString(IDS_APP_TITLE) || name.IsEmpty())
        name = AfxGetAppName();
    // The pane held 512 bytes: keep the line within that.
    CString line = name + " V10.0" + kMakerNotice;
    return line.GetLength() > 511 ? line.Left(511) : line;
}

void CMainFrame::OnUpdateStatusPaneLabel(CCmdUI* ui)
{
    ui->SetText(GetProductLine());
}

void CMainFrame::OnUpdateStatusPaneRows(CCmdUI* ui)
{
    ui->SetText("");
}

// ---- the look

UINT CMainFrame::ReadApplicationLook()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return kDefaultApplicationLook;
    return app->GetProfileInt(LookSection(), kApplicationLookEntry, static_cast<int>(kDefaultApplicationLook));
}

UINT CMainFrame::GetApplicationLook() const
{
    COstrelindSoftLabelApp* app = LabelApp();
    return app != nullptr ? app->m_nAppLook : m_nLookFallback;
}

void CMainFrame::SetLookField(UINT look)
{
    m_nLookFallback = look;
    if (COstrelindSoftLabelApp* app = LabelApp())
        app->m_nAppLook = look;
}

void CMainFrame::OnApplicationLook(UINT id)
{
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    SetLookField(id);
    CRibbonLook::Apply(id);
    if (m_hWnd != nullptr)
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(LookSection(), kApplicationLookEntry, static_cast<int>(id));
    ::SetCursor(previous);
}

void CMainFrame::OnUpdateApplicationLook(CCmdUI* ui)
{
    ui->SetRadio(GetApplicationLook() == ui->m_nID);
}

// ---- files dropped on the frame

void CMainFrame::OnDropFiles(HDROP drop)
{
    SetForegroundWindow();
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = {};
        // A name that does not fit the buffer would open a different (cut) path: leave it.
        UINT length = ::DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0 || length >= MAX_PATH)
            continue;
        ::DragQueryFileA(drop, i, path, MAX_PATH);
        if (CWinApp* app = AfxGetApp())
            app->OpenDocumentFile(path);
    }
    ::DragFinish(drop);
}

// ---- ribbon access by command id

CMFCRibbonBaseElement* CMainFrame::FindRibbonElement(UINT id) const
{
    return m_wndRibbonBar.FindByID(id, FALSE, TRUE);
}

int CMainFrame::AddFamilyNames(const std::vector<CString>& names)
{
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(FindRibbonElement(ID_FAMILY_NAME));
    if (combo == nullptr)
        return 0;
    int added = 0;
    for (const CString& name : names) {
        if (name.IsEmpty())
            continue;
        combo->AddItem(name.GetLength() > 255 ? name.Left(255) : name);
        ++added;
    }
    return added;
}

CString CMainFrame::GetRibbonText(UINT id, int maxLength) const
{
    auto* edit = dynamic_cast<CMFCRibbonEdit*>(FindRibbonElement(id));
    if (edit == nullptr || maxLength <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(maxLength) + 1, '\0');
    edit->CopyEditText(buffer.data(), maxLength + 1);
    return CString(buffer.data());
}
