#pragma once
// CImageWindow: one image slot of the link-image dialog, showing the picture of its image column
// at the current row and taking dropped files and the Delete key. Its slot is its id minus 1056.
#include "framework/msgmap.h"
#include "framework/cstring.h"
#include "framework/wnd.h"

#include <vector>

class CLinkImageRows;

class CImageWindow : public CWnd {
public:
    static const int kFirstId = 1056;
    static const int kPicture = 48;

    CImageWindow() = default;
    ~CImageWindow() override;

    int Slot() const { return GetDlgCtrlID() - kFirstId; }
    // The rows of the owner table view; null without an owner (then only repainting happens).
    CLinkImageRows* Rows() const { return m_rows; }
    void SetRows(CLinkImageRows* rows) { m_rows = rows; }

    // Writes the paths from the current row on (one undo copy first); at most 1024. Paths longer
    // than a picture's record keeps are refused with a message and passed over. Posts "Next" to
    // the parent when the row is then full.
    void TakeFiles(const std::vector<CString>& paths);

    // Pictures read from files so far: a slot reads its picture once per path, not at every paint.
    int GetPictureReads() const { return m_pictureReads; }
    // The path the kept picture belongs to.
    const CString& GetPicturePath() const { return m_picturePath; }

    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnDropFiles(HDROP drop);
    void OnDestroy();

private:
    // The 48 x 48 picture of path, drawn once on a white square; null when no picture reads.
    HBITMAP MakePicture(HDC reference, const CString& path);
    void DropPicture();

    CLinkImageRows* m_rows = nullptr;
    // The picture shown for m_picturePath, kept until the slot's cell holds another path. Camera
    // pictures take most of a second each to read; Previous and Next repaint every slot.
    CString m_picturePath;
    HBITMAP m_picture = nullptr;
    int m_pictureReads = 0;
};
