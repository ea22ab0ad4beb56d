#pragma once
// CSelectLabelDialog: "Select label", the choice of the current template's label definition from
// the label library. It lists the library's definitions through three filters, sorts by any
// column, shows the chosen definition's picture, deletes definitions, opens their information
// files and imports files into the library folders. The library manager is the caller's; the
// dialog keeps its own family list and the path of the chosen file.
#include "framework/controls.h"
#include "framework/cstring.h"
#include "framework/dialogex.h"
#include "ui/labelimagepreview.h"

#include <vector>

class CLabelFileNew;
class CLabelManager;
class COstrelindSoftLabelDoc;

class CSelectLabelDialog : public CDialogEx {
public:
    enum { kColumns = 4, kMaxFamilies = 512, kArticleField = 256 };
    enum Column { kColumnFamily = 0, kColumnName = 1, kColumnWidth = 2, kColumnHeight = 3 };

    // The folders start as the manager's (labels, label images, label info).
    explicit CSelectLabelDialog(CLabelManager& manager, CWnd* parent = nullptr);
    ~CSelectLabelDialog() override;

    void SetFolders(const char* labels, const char* images, const char* info);
    const CString& GetLabelsFolder() const { return m_labelsFolder; }
    // The chosen ".label" file after OK; empty before.
    const CString& GetSelectedPath() const { return m_selectedPath; }

    // ---- the controls, for the document's runner and for tests
    CListCtrl& GetList() { return m_list; }
    CComboBox& GetMarkingCombo() { return m_marking; }
    CComboBox& GetPrinterCombo() { return m_printer; }
    CComboBox& GetFamilyCombo() { return m_family; }
    CLabelImagePreview& GetPreview() { return m_preview; }
    // The dialog's family list in its order ("All" not counted).
    const std::vector<CString>& GetFamilies() const { return m_families; }
    // Whether the next click on the column sorts descending.
    bool IsDescending(int column) const { return column >= 0 && column < kColumns && m_descending[column]; }

    // ---- what the events do
    void FillFamilyCombo();
    void FillList();
    // Sorts by the column in its current direction (no reversal).
    void SortByColumn(int column);
    // A column click: sorts, then reverses the column's direction.
    void OnColumnClicked(int column);
    void ShowPictureOf(int row);
    void OnFilterChanged();        // the family
    void OnTypeFilterChanged();    // marking or printer type
    void OnSearch();
    void OnDelete();
    void OnShowInfo();
    void OnImport();
    // Copies chosen files into the library by their extension and fills the dialog anew; with
    // exactly one definition imported, its row is selected. Answers the definitions imported.
    int ImportFiles(const std::vector<CString>& files);

    // ---- the natural order of the name column (negative, 0, positive like strcmp)
    static int CompareNames(const char* a, const char* b);

    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnListItemChanged(NMHDR* header, LRESULT* result);
    void OnListColumnClick(NMHDR* header, LRESULT* result);
    void OnListDisplayInfo(NMHDR* header, LRESULT* result);
    void OnListDeleteAll(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    struct Row {
        CString family;
        CString name;                  // the file title
        double width = 0;              // millimetres
        double height = 0;
        CString widthText;             // "%g mm"
        CString heightText;
    };
    struct Filters {
        int marking = 0;
        int printer = 0;
        bool anyFamily = true;
        CString family;
    };
    Filters CurrentFilters() const;
    bool PassesFilters(const CLabelFileNew& definition, const Filters& filters) const;
    int SelectedRow() const;
    // Labels folder + the row's name + ".label"; empty when it does not fit in MAX_PATH.
    CString DefinitionPathOf(int row) const;
    const Row* RowOf(int item) const;
    void ReloadLibrary();
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM self);

    CLabelManager& m_manager;
    CString m_labelsFolder;
    CString m_imagesFolder;
    CString m_infoFolder;
    std::vector<CString> m_families;
    char m_article[kArticleField] = {};
    CString m_selectedPath;
    bool m_descending[kColumns] = {};
    int m_sortColumn = kColumnName;
    bool m_filling = false;
    std::vector<Row> m_rows;           // item data of the list's rows are indices here

    CListCtrl m_list;
    CComboBox m_marking;
    CComboBox m_printer;
    CComboBox m_family;
    CLabelImagePreview m_preview;
};

// The modal dialog for a document's "Select label" command, with the application's library: true
// with path set after OK. Installed as the document's runner by the application.
bool RunSelectLabelDialog(COstrelindSoftLabelDoc* doc, CString& path);
