#pragma once
// EmfRecorder: a device context that records into an enhanced metafile (with the screen as its
// reference device), and what was asked of GDI read back from the records: texts with the font,
// alignment and colours in force, lines, clip rectangles and fonts created. For tests that check
// the requests rather than pixels, which differ between font sets.
#include "framework/gdi.h"

#include <string>
#include <vector>

struct EmfText {
    int x = 0, y = 0;                  // reference point
    UINT options = 0;                  // ETO_ flags
    RECT rect = {};                    // the clip or opaque rectangle (when the options name one)
    std::string text;                  // converted to cp1252
    std::wstring wide;                 // as recorded
    LOGFONTA font = {};                // the font selected when it was drawn
    UINT textAlign = 0;
    int bkMode = OPAQUE;
    COLORREF textColour = 0;
    COLORREF bkColour = RGB(255, 255, 255);
};

struct EmfLine {
    POINT from;
    POINT to;
};

class EmfRecorder {
public:
    EmfRecorder();
    ~EmfRecorder();
    EmfRecorder(const EmfRecorder&) = delete;
    EmfRecorder& operator=(const EmfRecorder&) = delete;

    CDC& dc() { return m_dc; }

    // Ends the recording and reads the records (once; later calls do nothing).
    void Finish();

    const std::vector<EmfText>& Texts() { Finish(); return m_texts; }
    const std::vector<EmfLine>& Lines() { Finish(); return m_lines; }
    const std::vector<LOGFONTA>& FontsCreated() { Finish(); return m_fonts; }
    const std::vector<RECT>& ClipRects() { Finish(); return m_clips; }   // IntersectClipRect
    int RecordCount(DWORD type) { Finish(); return CountOf(type); }

private:
    int CountOf(DWORD type) const;
    void Read(const ENHMETARECORD* record, void* state);

    CDC m_dc;
    HENHMETAFILE m_emf = nullptr;
    bool m_finished = false;
    std::vector<EmfText> m_texts;
    std::vector<EmfLine> m_lines;
    std::vector<LOGFONTA> m_fonts;
    std::vector<RECT> m_clips;
    std::vector<DWORD> m_types;
};
