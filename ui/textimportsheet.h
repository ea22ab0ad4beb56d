#pragma once
// "Text import": the four pages of the sheet that says how a text file is laid out before the
// table view reads it into a table (format, delimiter, fixed column widths, character set), the
// choices remembered in the profile section "Text import", and the command that runs it all.
#include "framework/propsheet.h"
#include "grid/gridctrl.h"

class COstrelindSoftLabelDoc;

class CTextImportFormatPropertyPage : public CPropertyPage {
public:
    CTextImportFormatPropertyPage();
    int m_nFormat = 0;          // 0 delimited, 1 fixed length
    void DoDataExchange(CDataExchange* dx) override;
};

class CTextImportDelimiterPropertyPage : public CPropertyPage {
public:
    CTextImportDelimiterPropertyPage();
    int m_nDelimiter = 2;       // 0 comma, 1 TAB, 2 other
    CString m_strOther;
    // ',' for comma, TAB for TAB, else the first character of the "Other" text (0 when empty).
    char GetSeparator() const;
    // TAB and ',' pick their radio; any other code (0 too, with an empty text) is "Other".
    void SetSeparator(int code);
    void DoDataExchange(CDataExchange* dx) override;
};

class CTextImportFixedLengthPropertyPage : public CPropertyPage {
public:
    CTextImportFixedLengthPropertyPage();
    int m_widths[26];           // characters, -1 for not set
    CGridCtrl& Grid() { return m_grid; }

    BOOL OnInitDialog() override;
    void OnGridDispInfo(NMHDR* header, LRESULT* result);
    void OnGridEndEdit(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()
public:

private:
    CGridCtrl m_grid;
};

class CTextImportCharacterSetPropertyPage : public CPropertyPage {
public:
    CTextImportCharacterSetPropertyPage();
    int m_nCharset = 0;         // 0 ANSI, 1 OEM
    void DoDataExchange(CDataExchange* dx) override;
};

// The sheet with its four pages, preset from the profile.
class CTextImportSheet : public CPropertySheet {
public:
    explicit CTextImportSheet(CWnd* parent = nullptr);
    void LoadSettings();        // from the "Text import" section (values out of range read as defaults)
    void SaveSettings();        // what OK writes

    CTextImportFormatPropertyPage m_format;
    CTextImportDelimiterPropertyPage m_delimiter;
    CTextImportFixedLengthPropertyPage m_fixed;
    CTextImportCharacterSetPropertyPage m_charset;
};

// The table view's Text import command into table `table`: the open-file dialog, the sheet, then
// the delimited or fixed-width importer. A file that cannot be read leaves the table, its undo
// copies and the modified flag as they were. True when rows were read.
bool TextImportCommand(COstrelindSoftLabelDoc& doc, int table, CWnd* parent);
