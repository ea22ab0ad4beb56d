// The project document: construction, opening and saving by file type, character sets, zoom and
// the status panes.
#include "document/labeldoc.h"

#include "document/documentids.h"
#include "document/documentstrings.h"
#include "document/filemessages.h"
#include "document/printids.h"
#include "document/tablefiles.h"
#include "framework/app.h"
#include "framework/cmdtarget.h"
#include "framework/msgbox.h"
#include "framework/paths.h"
#include "framework/stdids.h"
#include "framework/view.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/template.h"

#include <cstdio>
#include <cstring>

namespace {

COstrelindSoftLabelDoc::TableFileFormats g_tableFileFormats = COstrelindSoftLabelDoc::DefaultTableFileFormats();

const int kCharsetValues[COstrelindSoftLabelDoc::kCharsetCount] = {
    0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 238, 204, 222, 255,
};
const UINT kCharsetStrings[COstrelindSoftLabelDoc::kCharsetCount] = {
    905, 906, 907, 908, 909, 910, 911, 912, 913, 914, 915, 916, 917, 918, 919, 922, 920, 921, 923,
};

const char kRefuseTemplateObjects[] =
    "Document containing template objects can not be saved as a product file (*.label).";
const char kRefuseTableData[] =
    "Document containing table data can not be saved as a product file (*.label).";
const char kRefuseNoProduct[] =
    "Document not containing a product can not be saved as a product file (*.label).";
const char kRefuseNoProductTemplate[] =
    "Document not containing a product can not be saved as a template file (*.tpe).";
const char kVersionLine[] = " V10.0  Label design and printing";

void ShowError(const char* text)
{
    ShowMessageBox(nullptr, text, nullptr, MB_OK | MB_ICONERROR);
}

void ReadFontProfile(LOGFONTA& font, const char* section, const char* faceEntry, const char* face,
                     int size, bool withStyle)
{
    CWinApp* app = AfxGetApp();
    CString name = app ? app->GetProfileString(section, faceEntry, face) : CString(face);
    lstrcpynA(font.lfFaceName, name, LF_FACESIZE);
    font.lfHeight = app ? static_cast<int>(app->GetProfileInt(section, "Size", size)) : size;
    font.lfWeight = app ? static_cast<int>(app->GetProfileInt(section, "Weight", 400)) : 400;
    if (withStyle && app) {
        font.lfItalic = app->GetProfileInt(section, "Italic", 0) ? 1 : 0;
        font.lfUnderline = app->GetProfileInt(section, "Underline", 0) ? 1 : 0;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(COstrelindSoftLabelDoc, CDocument)
    ON_COMMAND(ID_NEW_TEMPLATE, OnNewTemplate)
    ON_COMMAND(ID_NEW_TABLE, OnNewTable)
    ON_COMMAND(ID_DELETE_TEMPLATE, OnDeleteTemplate)
    ON_UPDATE_COMMAND_UI(ID_DELETE_TEMPLATE, OnUpdateDeleteTemplate)
    ON_COMMAND(ID_DELETE_TABLE, OnDeleteTable)
    ON_UPDATE_COMMAND_UI(ID_DELETE_TABLE, OnUpdateDeleteTable)
    ON_COMMAND(ID_TEMPLATE_EXPORT, OnExportTemplate)
    ON_UPDATE_COMMAND_UI(ID_TEMPLATE_EXPORT, OnUpdateExportTemplate)
    ON_COMMAND(ID_LABEL_SAVE, OnSaveLabelDefinition)
    ON_UPDATE_COMMAND_UI(ID_LABEL_SAVE, OnUpdateSaveLabelDefinition)
    ON_COMMAND(ID_LABEL_SAVE_AS, OnSaveLabelDefinitionAs)
    ON_UPDATE_COMMAND_UI(ID_LABEL_SAVE_AS, OnUpdateSaveLabelDefinition)
    ON_COMMAND(ID_DOC_DETACH_PATH, OnTableImported)
    // A ".tbf" document is detached like an imported table: saving it as it came would write
    // only the table over the file and drop the templates.
    ON_COMMAND(ID_DOC_TBF_OPENED, OnTableImported)
    ON_COMMAND(ID_DOC_RESERVED1, OnReserved)
    ON_COMMAND(ID_DOC_RESERVED2, OnReserved)
    ON_UPDATE_COMMAND_UI(ID_DOC_RESERVED1, OnUpdateReserved)
    ON_UPDATE_COMMAND_UI(ID_DOC_RESERVED2, OnUpdateReserved)
    ON_COMMAND(ID_FILE_SEND_TO, OnFileSend)
    ON_COMMAND(ID_LABEL_IMPORT, OnImportToLabelLibrary)
    ON_COMMAND(ID_SELECT_LABEL, OnSelectLabel)
    ON_UPDATE_COMMAND_UI(ID_SELECT_LABEL, OnUpdateSelectLabel)
    ON_COMMAND(ID_TEMPLATE_GUIDE, OnTemplateGuide)
    ON_UPDATE_COMMAND_UI(ID_TEMPLATE_GUIDE, OnUpdateTemplateGuide)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_LABEL, OnUpdateStatusLabel)
    ON_UPDATE_COMMAND_UI(ID_STATUS_PANE_ROWS, OnUpdateStatusRows)
    // Printing (labeldoc_print.cpp, labeldoc_printdlg.cpp).
    ON_COMMAND(ID_PRINT_REVERSE_ORDER, OnPrintReverseOrder)
    ON_UPDATE_COMMAND_UI(ID_PRINT_REVERSE_ORDER, OnUpdatePrintReverseOrder)
    ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------------------------
// Construction

COstrelindSoftLabelDoc::COstrelindSoftLabelDoc()
{
    for (auto& slot : m_templates)
        slot = std::make_unique<CTemplate>();
    memset(m_stackedLayout, 0, sizeof m_stackedLayout);

    memset(&m_defaultFont, 0, sizeof m_defaultFont);
    m_defaultFont.lfHeight = -13;
    m_defaultFont.lfWeight = FW_NORMAL;
    m_defaultFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(m_defaultFont.lfFaceName, "Times New Roman", LF_FACESIZE);
    ReadFontProfile(m_defaultFont, "Default font", "Facename", "Arial", -13, true);

    memset(&m_tableFont, 0, sizeof m_tableFont);
    m_tableFont.lfCharSet = DEFAULT_CHARSET;

    for (int k = 0; k < kCharsetCount; ++k)
        m_charsetNames[k].LoadString(kCharsetStrings[k]);

    // The tab views label their first tabs so; a document without windows keeps the same names.
    const CString templateWord = LoadStringOr(IDS_TEMPLATE_BASE_NAME, "Template");
    const CString tableWord = LoadStringOr(IDS_TABLE_BASE_NAME, "Table");
    for (int k = 0; k < kDefaultCount; ++k) {
        m_templateNames[k].Format("%s %d", templateWord.GetString(), k + 1);
        m_tableNames[k].Format("%s %d", tableWord.GetString(), k + 1);
    }
}

COstrelindSoftLabelDoc::~COstrelindSoftLabelDoc() = default;

void COstrelindSoftLabelDoc::SetTableFileFormats(const TableFileFormats& formats)
{
    g_tableFileFormats = formats;
}

COstrelindSoftLabelDoc::TableFileFormats COstrelindSoftLabelDoc::DefaultTableFileFormats()
{
    TableFileFormats formats;
    formats.importTable = ImportTableFile;
    formats.readTbf = ReadTbfFile;
    formats.writeTbf = WriteTbfFile;
    return formats;
}

BOOL COstrelindSoftLabelDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    for (int a = 0; a < CTemplate::kAreas; ++a)
        GetCurrentTemplate()->GetArea(a)->DeleteAll();
    memset(&m_tableFont, 0, sizeof m_tableFont);
    m_tableFont.lfClipPrecision = 1;
    m_tableFont.lfCharSet = DEFAULT_CHARSET;
    ReadFontProfile(m_tableFont, "Table font", "Name", "System", -12, false);
    if (CWinApp* app = AfxGetApp())
        m_tableFont.lfCharSet = static_cast<BYTE>(app->GetProfileInt("Table font", "Character Set", 1));
    for (CTableUndo& undo : m_tableUndo)
        undo.SetRecordUndo(true);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Opening

bool COstrelindSoftLabelDoc::IsProjectFile(const char* path)
{
    return HasExtension(path, ".proj");
}

bool COstrelindSoftLabelDoc::IsTbfFile(const char* path)
{
    return HasExtension(path, ".tbf");
}

bool COstrelindSoftLabelDoc::IsTableFile(const char* path)
{
    if (!HasExtension(path, ".tbl"))
        return false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return false;
    uint8_t head[4];
    if (file.Read(head, sizeof head) != sizeof head)
        return false;
    const unsigned signature = head[0] | (head[1] << 8);
    const unsigned columns = head[2] | (head[3] << 8);
    const unsigned high = signature >> 8;
    const bool knownSignature = signature == 0x0101 || signature == 0x0505 || signature == 0x0515 ||
                                high == 0x7E || high == 0x7F;
    return knownSignature && columns >= 1 && columns <= 26;
}

BOOL COstrelindSoftLabelDoc::OnOpenDocument(const char* path)
{
    if (IsProjectFile(path))
        return ReadProjectFile(path) ? TRUE : FALSE;

    bool (*reader)(TableSlot&, const char*) = nullptr;
    if (IsTableFile(path))
        reader = g_tableFileFormats.importTable;
    else if (IsTbfFile(path))
        reader = g_tableFileFormats.readTbf;
    if (reader == nullptr) {
        // Nothing else reports a file the document cannot read.
        ShowError(CannotOpenFileText(path));
        return FALSE;
    }
    if (!reader(CurrentSlot(), path))
        return FALSE;
    RebuildColumnMap(m_currentTable);
    // The framework names the document after the file once this returns; the table file must
    // not become the project's path.
    m_detachPathPending = true;
    SetModifiedFlag(FALSE);
    return TRUE;
}

void COstrelindSoftLabelDoc::SetPathName(const char* path, BOOL addToRecent)
{
    CDocument::SetPathName(path, addToRecent);
    if (m_detachPathPending) {
        m_detachPathPending = false;
        OnTableImported();
    }
}

void COstrelindSoftLabelDoc::OnTableImported()
{
    m_strPathName.Empty();
    CString title = GetTitle();
    const int dot = title.ReverseFind('.');
    if (dot > 0)
        title = title.Left(dot);
    SetTitle(title);
}

// ---------------------------------------------------------------------------------------------
// Saving

BOOL COstrelindSoftLabelDoc::OnSaveDocument(const char* path)
{
    EndTableEdits();
    return SaveFileByType(path) ? TRUE : FALSE;
}

void COstrelindSoftLabelDoc::EndTableEdits()
{
    // Over a copy: a view may leave while its edit ends.
    const std::vector<CView*> views = GetViews();
    for (CView* view : views) {
        if (auto* tableView = dynamic_cast<CLabelDocTableView*>(view))
            tableView->EndGridEdit();
    }
}

void COstrelindSoftLabelDoc::ReportSaveFailure(const char* path) const
{
    ShowError(CannotOpenFileText(path));
}

bool COstrelindSoftLabelDoc::SaveFileByType(const char* path)
{
    CTemplate* current = GetCurrentTemplate();
    CLabel* stock = current->GetLabelStock();

    if (HasExtension(path, ".label")) {
        for (int a = 0; a < CTemplate::kAreas; ++a) {
            if (!current->GetArea(a)->IsEmpty()) {
                ShowError(kRefuseTemplateObjects);
                return false;
            }
        }
        if (HasTableData()) {
            ShowError(kRefuseTableData);
            return false;
        }
        if (stock == nullptr) {
            ShowError(kRefuseNoProduct);
            return false;
        }
        if (!stock->SaveToFile(path)) {
            ReportSaveFailure(path);
            return false;
        }
        return true;
    }
    if (HasExtension(path, ".tpe")) {
        if (stock == nullptr) {
            ShowError(kRefuseNoProductTemplate);
            return false;
        }
        // An export of one template: the project, its other templates and its tables are
        // not saved by it, so it stays modified and keeps its undo.
        if (!current->SaveTemplateFile(path)) {
            ReportSaveFailure(path);
            return false;
        }
        return true;
    }
    if (HasExtension(path, ".tbf")) {
        // An export of the current table, as the template file above.
        if (g_tableFileFormats.writeTbf == nullptr) {
            ReportSaveFailure(path);
            return false;
        }
        return g_tableFileFormats.writeTbf(CurrentSlot(), path);
    }
    if (IsProjectFile(path)) {
        if (!WriteProjectFile(path)) {
            ReportSaveFailure(path);
            return false;
        }
        ClearUndoAfterProjectSave();
        SetModifiedFlag(FALSE);
        return true;
    }
    return false;
}

BOOL COstrelindSoftLabelDoc::SavesWholeDocument(const char* path) const
{
    // ".label", ".tpe" and ".tbf" write one part of the project; only a project file is the
    // document, so only a project file renames it.
    return IsProjectFile(path) ? TRUE : FALSE;
}

void COstrelindSoftLabelDoc::ClearUndoAfterProjectSave()
{
    for (auto& slot : m_templates)
        slot->ClearUndo();
    GetCurrentTemplate()->ClearRedo();
    for (CTableUndo& undo : m_tableUndo)
        undo.Clear();
}

BOOL COstrelindSoftLabelDoc::SaveModified()
{
    // Before the modified flag is read: an open edit's text marks the project modified.
    EndTableEdits();
    for (auto& slot : m_templates) {
        auto* stock = dynamic_cast<CLabelFileNew*>(slot->GetLabelStock());
        if (stock == nullptr || !stock->IsLoadedFromFile() || !stock->IsModified())
            continue;
        CString text;
        text.Format(LoadStringOr(IDS_STANDARD_LABEL_MODIFIED,
                             "The standard label %s in the family %s is modified. Do you want to save it?"),
                    FileTitleOf(stock->GetPath()).GetString(), stock->GetFamilyName());
        const int answer = ShowMessageBox(nullptr, text, nullptr, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return FALSE;
        if (answer == IDYES) {
            CWnd* main = AfxGetMainWnd();
            stock->SaveLabelFile(main ? main->GetSafeHwnd() : nullptr);
        }
    }
    return CDocument::SaveModified();
}

// ---------------------------------------------------------------------------------------------
// Character sets, zoom, edit state

int COstrelindSoftLabelDoc::CharsetFromName(const char* text) const
{
    if (text == nullptr)
        return 0;
    for (int k = 0; k < kCharsetCount; ++k) {
        if (!m_charsetNames[k].IsEmpty() && m_charsetNames[k] == text)
            return kCharsetValues[k];
    }
    int value = 0;
    if (sscanf(text, "%d", &value) == 1 && value >= 0 && value <= 255)
        return value;
    return 0;
}

CString COstrelindSoftLabelDoc::GetCharsetName(int value) const
{
    for (int k = 0; k < kCharsetCount; ++k) {
        if (kCharsetValues[k] == value)
            return m_charsetNames[k];
    }
    CString text;
    text.Format("%d", value);
    return text;
}

const CString& COstrelindSoftLabelDoc::GetCharsetNameAt(int k) const
{
    static const CString none;
    return k >= 0 && k < kCharsetCount ? m_charsetNames[k] : none;
}

void COstrelindSoftLabelDoc::SetZoom(int area, int percent)
{
    if (percent < CTemplate::kMinZoom || percent > CTemplate::kMaxZoom || area < 0 || area > 2)
        return;
    GetCurrentTemplate()->SetZoom(area, percent);
}

int COstrelindSoftLabelDoc::GetZoom(int area) const
{
    return GetCurrentTemplate()->GetZoom(area);
}

bool COstrelindSoftLabelDoc::IsTemplateEditable() const
{
    return !GetCurrentTemplate()->IsLocked() && !IsEditBlocked();
}

CString COstrelindSoftLabelDoc::GetDocumentFileName() const
{
    CString path(m_externalTemplatePath);
    const int slash = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return path.Mid(slash + 1);
}

// ---------------------------------------------------------------------------------------------
// Status panes

void COstrelindSoftLabelDoc::OnUpdateStatusLabel(CCmdUI* ui)
{
    CString text;
    auto* stock = dynamic_cast<CLabelFileNew*>(GetCurrentTemplate()->GetLabelStock());
    if (IsEditBlocked()) {
        text = "External template: " + GetDocumentFileName();
    } else if (stock != nullptr && stock->IsLoadedFromFile() && *stock->GetPath() != '\0') {
        CString width, height;
        width.Format("%g mm", stock->GetWidth(0) / 1000.0);
        height.Format("%g mm", stock->GetHeight(0) / 1000.0);
        text = LoadStringOr(IDS_STATUS_LABEL, "Label: ") + FileTitleOf(stock->GetPath());
        text.AppendFormat("   ( %s x %s )", width.GetString(), height.GetString());
    } else {
        text = ProgramTitle() + kVersionLine;
    }
    ui->SetText(text.Left(511));
}

CLabelDocTableView* COstrelindSoftLabelDoc::FirstTableView() const
{
    for (CView* view : GetViews()) {
        if (auto* tableView = dynamic_cast<CLabelDocTableView*>(view))
            return tableView;
    }
    return nullptr;
}

void COstrelindSoftLabelDoc::OnUpdateStatusRows(CCmdUI* ui)
{
    CLabelDocTableView* view = FirstTableView();
    if (view == nullptr)
        return;
    const int rows = view->GetSelectedRowCount();
    if (rows <= 0)
        return;
    CString text;
    if (rows == 1)
        text = LoadStringOr(IDS_ONE_ROW_SELECTED, "One row selected");
    else
        text.Format(LoadStringOr(IDS_ROWS_SELECTED, "%d rows selected"), rows);
    ui->SetText(text);
}

void COstrelindSoftLabelDoc::OnUpdateReserved(CCmdUI* ui)
{
    ui->Enable(FALSE);
}
