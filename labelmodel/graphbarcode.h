#pragma once
// CGraphBarcode (159): a text object whose text, taken from its content for the label's row, is
// encoded and drawn by the symbology it owns (one CBarcode, deleted with the object and cloned with
// it). The object forwards the property commands to its symbology in the user's units, is the
// symbology's owner while it draws, and stops a print run when a QR Code does not fit its box or
// the symbology cannot encode the text.
#include "barcode/barcode.h"
#include "barcode/barcodeowner.h"
#include "labelmodel/graphtext.h"

#include <memory>

class CGraphBarcode : public CGraphText, public CBarcodeOwner {
public:
    static const int kTypeCode = 159;
    static const int kBarcodeTextSize = kMaxBarcodeText + 1;   // what the object asks its content for
    static const int kNameSize = 32;                            // a symbology name buffer

    // Text object defaults with a Code 39 symbology.
    CGraphBarcode();
    CGraphBarcode(const CGraphBarcode& src);      // deep: the symbology is cloned
    ~CGraphBarcode() override;

    // The symbology; null only after a record with an unknown symbology code.
    CBarcode* GetSymbology() const { return m_symbology.get(); }
    // Takes ownership (null leaves the object without a symbology).
    void SetSymbology(CBarcode* symbology) { m_symbology.reset(symbology); }

    // ---- operations of CGraphObject ----
    bool IsBarcode() override { return true; }
    bool IsCentred() override;
    bool QueryCentred(int* out) override;
    void SetCentred(bool on) override;
    void SetCentredFlag(int value) override;
    void SetContentKind(int kind) override;
    bool EditContent(CWnd* parent) override;
    bool CanEditContent() override;
    bool HasFont() override;
    bool GetLogFont(LOGFONTA* out) override;
    CGraphObject* Clone() override { return new CGraphBarcode(*this); }
    bool IsTextEditableInPlace() override;
    // The text object's record, the i16 symbology code and the symbology's record. A bad or short
    // record leaves the object as it was. An unknown symbology code gives the object the text
    // fields read and no symbology, and answers false: the rest of the stream cannot be found.
    bool Load(CFile* file) override;
    bool Save(CFile* file) override;
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }
    bool GetSymbologyName(char* out, int size) override;
    // Replaces the symbology by the one of that name (compared without regard to case), carrying
    // module width, bar height and height reduction over when both size the same way. False for
    // an unknown name (nothing changed).
    bool SetSymbologyByName(const char* name) override;
    int GetModuleWidth() override;
    bool GetModuleWidthText(char* out, int size) override;
    void SetModuleWidth(int value) override;
    int GetMagnification() override;
    bool GetMagnificationText(char* out, int size) override;
    void SetMagnification(int percent) override;
    int GetBarHeight() override;
    bool GetBarHeightText(char* out, int size) override;
    void SetBarHeight(int value) override;
    int GetHeightPercent() override;
    bool GetHeightPercentText(char* out, int size) override;
    void SetHeightPercent(int percent) override;
    bool GetRatioText(char* out, int size) override;
    void SetRatioText(const char* text) override;
    bool GetSpaceCorrectionText(char* out, int size) override;
    void SetSpaceCorrectionText(const char* text) override;
    bool GetVersionText(char* out, int size) override;
    void SetVersionText(const char* text) override;
    bool GetErrorCorrectionLevelText(char* out, int size) override;
    void SetErrorCorrectionLevelText(const char* text) override;
    bool GetEncodingModeName(char* out, int size) override;
    void SetEncodingModeByName(const char* name) override;
    bool GetMarginText(char* out, int size) override;
    void SetMarginText(const char* text) override;
    bool GetCheckDigit() override;
    void SetCheckDigit(bool on) override;
    bool HasCheckDigit() override;
    bool GetHumanReadable() override;
    void SetHumanReadable(bool on) override;
    bool HasHumanReadable() override;
    bool GetCheckDigitInText() override;
    void SetCheckDigitInText(bool on) override;
    bool CanShowCheckDigitInText() override;
    bool HasCentring() override;
    bool UsesMagnification() override;
    int GetModuleWidthUnit() override;
    int GetBarHeightUnit() override;

    // ---- the symbology's owner (also the text object's caption operation) ----
    // The text object's single-line drawing with flags 0; the background mode is restored.
    void DrawCaption(CDC* pDC, int topMargin, int xMargin, bool markShrunk, const char* text) override;
    int GetOwnerRotation() override { return m_rotation; }
    CRect GetOwnerDeviceRect() override { return m_deviceRect; }
    CSize GetOwnerSize() override { return CSize(m_width, m_height); }
    COLORREF GetOwnerTextColour() override { return m_textColour; }
    bool IsOwnerTransparent() override { return m_transparent; }
    bool GetOwnerGround(HDC dc, const RECT& area, COLORREF* colour) override;
    void SetOwnerTransparent(bool transparent) override { m_transparent = transparent; }
    void GetOwnerLogFont(LOGFONTA* out) override { *out = m_font; }
    void GetOwnerDrawLogFont(LOGFONTA* out) override { MakeDrawLogFont(out); }
    bool IsOwnerTextPlaceholder() override { return m_placeholder; }

    // Whether the symbology can make a symbol for text at all (an empty text it always can).
    bool CanEncode(const char* text);
    // Whether the symbol for text can be made and fits the box at the two resolutions (negative:
    // size not checked). A QR Code with an empty text fits; a text the symbology cannot encode
    // (characters it has no value for, data the QR Code library refuses) does not.
    bool FitsBox(const char* text, int fitResolutionX, int fitResolutionY);
    bool IsQrCode() const;

private:
    bool IsTurned() const { return m_rotation == 900 || m_rotation == 2700; }
    // The box's width along the symbol and its depth across it, in micrometres.
    void GetSymbolBox(int* along, int* across) const;
    // The symbol's start point in micrometres for an offset o along the box.
    void SymbolStart(int o, int64_t* x, int64_t* y) const;
    void FillBox(CDC* pDC) const;
    // The size part of FitsBox.
    bool SymbolFitsBox(const char* text, int fitResolutionX, int fitResolutionY);
    // Shows message with the print stop caption and answers false, which ends the print run.
    bool StopPrinting(const CString& message) const;

    std::unique_ptr<CBarcode> m_symbology;
    // Set only while the symbology draws the design view's placeholder of table, date, time or
    // counter data.
    bool m_placeholder = false;
};
