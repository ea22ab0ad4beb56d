#pragma once
// Text objects: a box on the label that draws the text its content answers for the label's row.
// CGraphText (152) is the older single-line kind, still read from old files and the base of the
// barcode object; CGraphTextExt (252) draws several lines, can centre them vertically and is the
// kind the design view creates. An object always owns exactly one content (CText) and deletes it;
// a copy clones the content.
#include "labelmodel/graphshapes.h"
#include "labelmodel/textcontent.h"

#include <memory>

// Font heights: the stored height is in pixels at 96 dots per inch, negative for a character
// height; the user sees points.
int FontPointsFromHeight(int lfHeight);     // negative h: (48 - 72h) / 96; positive h unchanged
int FontHeightFromPoints(int points);       // -points * 96 / 72

class CGraphText : public CGraphRect {
public:
    static const int kTypeCode = 152;
    enum Alignment { kAlignLeftOld = 0, kAlignLeft = 1, kAlignCentre = 2, kAlignRight = 3 };
    static const int kTextBufferSize = 1025;    // what a text object asks its content for

    CGraphText();
    CGraphText(const CGraphText& src);
    ~CGraphText() override;

    // ---- operations of CGraphObject ----
    bool QueryDatePart(int* out) override;
    void SetDatePart(int part) override;
    bool QueryDateOffset(int* out) override;
    void SetDateOffset(int offset) override;
    bool QueryTableColumn(int index, int* out) override;
    void SetTableColumn(int index, int column) override;
    bool GetFixedText(CString& inout) override;
    void SetFixedText(const CString& text) override;
    bool IsText() override { return true; }
    int GetContentKind() override;
    void SetContentKind(int kind) override;
    bool HasAlignment() override { return true; }
    bool QueryAlignment(int* out) override;
    void SetAlignment(int alignment) override;
    bool UsesTableColumn(int column) override;
    bool HasFont() override { return true; }
    bool GetLogFont(LOGFONTA* out) override;
    void SetLogFont(const LOGFONTA* font) override;
    bool HasTextProperties() override { return true; }
    bool HasLine() override { return false; }
    CGraphObject* Clone() override { return new CGraphText(*this); }
    bool IsTextEditableInPlace() override;
    // A record with an unknown content code shows "key = %d", gives the object the fields read
    // so far with an empty multi-line text, and answers false (the rest of the stream cannot be
    // found). Any other bad record leaves the object as it was.
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    void Rotate90(int cx, int cy, int dir) override;
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }
    bool IsBold() override { return m_font.lfWeight == FW_BOLD; }
    bool IsUnderline() override { return m_font.lfUnderline != 0; }
    bool IsItalic() override { return m_font.lfItalic != 0; }
    void SetBold(bool on) override { m_font.lfWeight = on ? FW_BOLD : FW_NORMAL; }
    void SetUnderline(bool on) override { m_font.lfUnderline = on ? 1 : 0; }
    void SetItalic(bool on) override { m_font.lfItalic = on ? 1 : 0; }
    void SetFontName(const char* name) override;
    int GetSourceKind() override { return GetContentKind(); }
    void SetSourceKind(int kind) override { SetContentKind(kind); }
    void SetTextColour(COLORREF colour) override { m_textColour = colour; }
    COLORREF GetTextColour() override { return m_textColour; }
    bool HasTextColour() override { return true; }
    bool GetColumnName(char* out, int size) override;
    bool SetColumnName(const char* name) override;
    bool HasTextSource() override { return true; }
    void SetMultiLineText(const char* text) override;
    bool GetCounterPrefix(char* out, int size) override;
    void SetCounterPrefix(const char* prefix) override;
    bool GetCounterStartText(char* out, int size) override;
    void SetCounterStartText(const char* text) override;
    bool GetCounterSuffix(char* out, int size) override;
    void SetCounterSuffix(const char* suffix) override;
    bool IsCounterZeroPadded() override;
    bool HasCounterOptions() override;
    void SetCounterZeroPadded(bool on) override;
    bool GetCounterDigitsText(char* out, int size) override;
    void SetCounterDigitsText(const char* text) override;
    bool GetSeparatorName(char* out, int size) override;
    void SetSeparatorName(const char* name) override;
    bool IsSeparatorAlways() override;
    bool HasSeparator() override;
    void SetSeparatorAlways(bool on) override;
    bool GetDatePartName(char* out, int size) override;
    void SetDatePartByName(const char* name) override;
    bool HasDatePart() override;
    bool HasDateOffset() override;
    bool GetDateOffsetText(char* out, int size) override;
    void SetDateOffsetText(const char* text) override;
    bool HasShrinkToFit() override { return true; }
    bool IsShrinkToFit() override { return m_shrinkToFit; }
    void SetShrinkToFit(bool on) override { m_shrinkToFit = on; }
    void AdvanceCounter(int n) override;
    bool IsCounter() override;
    bool QueryTextLogFont(LOGFONTA* out) override { return GetLogFont(out); }
    void SetTextLogFont(const LOGFONTA* font) override { SetLogFont(font); }
    void SetCharSet(int charSet) override { m_font.lfCharSet = static_cast<BYTE>(charSet); }
    int GetCharSet() override { return m_font.lfCharSet; }
    bool HasCharSet() override { return true; }
    bool HasTableTextOption() override;
    bool SetTableTextOption(bool on) override;
    bool GetTableTextOption() override;

    // ---- own operations ----
    // The barcode object draws its human-readable line with it; a text object draws nothing.
    virtual void DrawCaption(CDC* pDC, int topMargin, int xMargin, bool markShrunk, const char* text);
    // The font of the last drawing for the in-place editor.
    virtual void GetDrawLogFont(LOGFONTA* out);
    // Dashed black outline through the corners of the device rectangle moved by (x, y).
    virtual void DrawDesignFrame(CDC* pDC, int x, int y);
    // Draws text into the device rectangle: clip, colours, font, shrink to fit, alignment and
    // the start point of the rotation. flags are the drawing flags (1 design view, 2 previews).
    virtual void DrawTextInBox(CDC* pDC, int topMargin, int xMargin, bool markShrunk,
                               const char* text, int flags);

    // The object's font for the device of the last PrepareForDevice: the height scaled from
    // 96 dots per inch to the zoomed resolution across the reading direction, the escapement
    // of the rotation, and angles that follow the coordinate system.
    void MakeDrawLogFont(LOGFONTA* out) const;
    // The "does not fit" mark: Wingdings character 0x22 in the rectangle, placed by rotation.
    static void DrawOverflowMark(int rotation, const CRect& deviceRect, CDC* pDC);
    static void MakeOverflowMarkFont(const CRect& deviceRect, LOGFONTA* out);
    static UINT OverflowMarkFormat(int rotation);   // DrawText format; 0 and false: no mark
    static bool HasOverflowMark(int rotation);

    CText* GetContent() const { return m_content.get(); }
    // Takes ownership; a null content is replaced by an empty multi-line text.
    void SetContent(CText* content);
    int GetRotation() const { return m_rotation; }
    void SetRotation(int rotation) { m_rotation = rotation; }
    int GetAlignment() const { return m_alignment; }
    const LOGFONTA& GetFont() const { return m_font; }

protected:
    // The record after the rectangle's: packed font, text colour, alignment, shrink to fit,
    // rotation, content code and the content's record.
    struct TextRecord : RectRecord {
        LOGFONTA font = {};
        COLORREF textColour = 0;
        uint8_t alignment = kAlignCentre;
        bool shrinkToFit = true;
        int16_t rotation = 0;
        std::unique_ptr<CText> content;
        bool unknownContent = false;     // the content code was not one of ours
    };
    // False on a short or bad record; with unknownContent set, the fields read so far and an
    // empty multi-line text are in rec (the message has been shown).
    static bool ReadTextRecord(RecordReader& r, CFile* file, TextRecord& rec);
    void WriteTextRecord(RecordWriter& w, CFile* file) const;
    void ApplyTextRecord(TextRecord& rec);

    // Box width and height on the device, exchanged when the text runs vertically.
    void GetTextBox(int* w, int* h) const;
    // The shrunk height: the font scaled by the smaller of the two fitting ratios, kept between
    // one pixel and the original height with the original's sign.
    static int ShrunkHeight(int height, int boxWidth, int boxHeight, int textWidth, int textHeight);
    // Sets the text alignment of the device context and answers the x offset of the start point.
    int ApplyAlignment(CDC* pDC, int w, int xMargin) const;
    // The start point of a line at x offset o and top margin t; false for an odd rotation.
    bool StartPoint(int o, int t, POINT* p) const;
    // Background mode and colours of the text; the clip for turned text.
    void PrepareTextDrawing(CDC* pDC) const;
    void DrawShrinkMark(CDC* pDC) const;

    uint8_t m_alignment = kAlignCentre;
    bool m_shrinkToFit = true;
    LOGFONTA m_font = {};
    int m_rotation = 0;
    COLORREF m_textColour = 0;
    std::unique_ptr<CText> m_content;
};

class CGraphTextExt : public CGraphText {
public:
    static const int kTypeCode = 252;
    static const int kPlacementCentred = 6;
    static const int kLineBufferSize = 1024;

    CGraphTextExt();
    CGraphTextExt(const CGraphTextExt& src) = default;

    bool IsCentred() override { return m_placement == kPlacementCentred; }
    bool QueryCentred(int* out) override;
    void SetCentred(bool on) override { m_placement = on ? kPlacementCentred : 0; }
    void SetCentredFlag(int on) override { m_placement = on ? kPlacementCentred : 0; }
    bool QueryShrinkToFit(int* out) override;
    void SetShrinkToFitFlag(int on) override { m_shrinkToFit = on != 0; }
    CGraphObject* Clone() override { return new CGraphTextExt(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    int GetTypeCode() override { return kTypeCode; }
    bool HasCentring() override { return true; }

    void GetDrawLogFont(LOGFONTA* out) override;
    void DrawTextInBox(CDC* pDC, int topMargin, int xMargin, bool markShrunk, const char* text,
                       int flags) override;

    // Makes this object the text of a clipboard paste: the font given, the text's lines as a
    // multi-line fixed text, sized to the text on the screen. False (nothing changed) when the
    // handle cannot be locked.
    bool CreateFromClipboardText(const LOGFONTA* font, HGLOBAL text);

    // Lines end at LF; a CR ends a line's text.
    static int CountLines(const char* text);
    // The index-th line into buffer (at most size - 1 characters); false when there is none.
    static bool GetLine(const char* text, int index, char* buffer, int size);
    static int GetLinesHeight(CDC* pDC, const char* text);
    static int GetMaxLineWidth(const char* text, CDC* pDC);

    int GetPlacement() const { return m_placement; }
    const LOGFONTA& GetLastDrawingFont() const { return m_drawFont; }

private:
    int16_t m_placement = kPlacementCentred;
    LOGFONTA m_drawFont = {};
    LOGFONTA m_keptFont = {};
    bool m_hasKeptFont = false;
};
