#pragma once
// CLinkImageFileDialog: the old-style open-file dialog on template 331 "Link image", in which the
// user drags thumbnails of the current folder onto the image slots, one per image column of the
// table, and steps through the table's rows. LinkImageCommand is the table view's entry.
#include "framework/filedlg.h"
#include "ui/imagebrowser.h"
#include "ui/imagewindow.h"

class COstrelindSoftLabelDoc;
class CLinkImageRows;

class CLinkImageFileDialog : public CFileDialog {
public:
    // filter as "Name|*.a;*.b||"; initialDir may be null.
    CLinkImageFileDialog(const char* filter, const char* initialDir, CWnd* parent);

    CLinkImageRows* m_owner = nullptr;     // the table view's rows; null: nothing but repainting
    CImageWindow m_slots[4];
    CImageBrowser m_browser;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCurrentRow();
    void StepRow(bool next);
    // The selection of the folder list (lst2), the type or the drive box (cmb1, cmb2).
    int CurrentSelection(int id) const;
    void RememberSelections();
    // Whether a notification of one of the three controls moves the browser to other files: a
    // folder opened, or a selection that differs from the one remembered (which it then becomes).
    bool IsFolderChange(int id, int code);

    static const int kUnknownSelection = -2;
    CString m_initialDir;
    int m_folderSelection = kUnknownSelection;
    int m_typeSelection = kUnknownSelection;
    int m_driveSelection = kUnknownSelection;
};

// Whether the command can run: a document whose current table has an image column.
bool CanLinkImages(const COstrelindSoftLabelDoc* doc);
// Opens the dialog over the rows (the table view's document and current row; its row moves)
// owned by `owner` (the table view); folder null starts in the clip-art folder. Nothing without
// an image column. Answers the dialog's result (not used by the view).
INT_PTR LinkImageCommand(CLinkImageRows& rows, CWnd* owner, const char* folder = nullptr);
