#pragma once
// CPropertyPage / CPropertySheet: a tabbed dialog over the system's property sheet. Each page is a
// dialog template bound like a CDialog (its controls exchange data with DoDataExchange); the
// sheet is always created modeless and DoModal runs the framework's own loop around it, so that
// PreTranslateMessage of the focus window (a grid's in-place editor) sees keys first and the
// dialog driver of the tests gets the sheet once it is shown.
// Pages that were never shown have no window: their members keep the values they were given.
#include "framework/dialog.h"

#include <prsht.h>
#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId, const char* caption = nullptr);

    // Called when the page is shown (TRUE lets it show) and left (FALSE keeps it: a value did not
    // pass). OnKillActive moves the controls into the members.
    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    // OK of the sheet, for every page that has a window (after OnKillActive of the shown one).
    virtual BOOL OnApply() { OnOK(); return TRUE; }
    virtual void OnReset() { OnCancel(); }
    // A page's OK and Cancel end nothing: the sheet does.
    void OnOK() override {}
    void OnCancel() override {}
    // The sheet does the dialog keys of all its pages.
    BOOL PreTranslateMessage(MSG*) override { return FALSE; }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CPropertySheet* GetSheet() const { return m_pSheet; }
    PROPSHEETPAGEA m_psp = {};

private:
    friend class CPropertySheet;
    friend INT_PTR CALLBACK AfxPropPageProc(HWND, UINT, WPARAM, LPARAM);
    CPropertySheet* m_pSheet = nullptr;
    CString m_strCaption;
};

class CPropertySheet : public CWnd {
public:
    explicit CPropertySheet(const char* caption, CWnd* parent = nullptr, UINT startPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int index);

    // IDOK or IDCANCEL (or -1 when the sheet could not be made). The owner is disabled meanwhile.
    virtual INT_PTR DoModal();
    // The modeless form: creates and shows the sheet, then hands it to the dialog driver.
    BOOL Create(CWnd* parent = nullptr);
    // The sheet was ended with OK or Cancel (its window may still be there).
    bool IsEnded() const;
    // IDOK after OK was accepted, else IDCANCEL.
    INT_PTR GetResult() const { return m_nResult; }
    // Presses a button of the sheet (PSBTN_OK, PSBTN_CANCEL, ...).
    void PressButton(int button);
    BOOL DestroyWindow() override;

    CString m_strCaption;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;

private:
    friend class CPropertyPage;
    BOOL CreateSheet(HWND owner);
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_built;
    INT_PTR m_nResult = IDCANCEL;
};

INT_PTR CALLBACK AfxPropPageProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
