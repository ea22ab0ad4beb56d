#pragma once
// CInPlaceEdit: the edit control the design canvas lays over a text object so that its text can be
// typed where it stands. It keeps the object's drawing font (never turned) and shows it; the font
// object lives as long as the editor.
#include "framework/edit.h"

class CInPlaceEdit : public CEdit {
public:
    CInPlaceEdit() { m_logFont = LOGFONTA{}; }
    ~CInPlaceEdit() override;

    // Filled by the canvas before the window is created.
    LOGFONTA m_logFont;
    const CFont& GetEditFont() const { return m_font; }

    // The edit window, then its font made from m_logFont. (An edit control is a system class, so
    // its creation never passes our window procedure: the font is made here instead of WM_CREATE.)
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

private:
    CFont m_font;
};
