#pragma once
// The EAN/UPC family: EAN 13, EAN 8 and UPC-A. Sized by magnification (module width) and a height
// reduction; the digits are drawn in the owner's font between and beside the bars.
#include "barcode/barcode.h"

class CBarcodeEAN : public CBarcodeModular {
public:
    CBarcodeEAN();

    int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
             const char* text) override;
    int GetSymbolHeight(CBarcodeOwner* owner, int dpi) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetHeightReduction() const override { return m_heightReduction; }
    void SetHeightReduction(int percent) override { m_heightReduction = static_cast<int16_t>(percent); }
    bool UsesMagnification() const override { return true; }
    int GetModuleWidthUnit() const override { return 2; }
    int GetBarHeightUnit() const override { return 2; }
    // Digits only, at most the symbology's data digits (left-padded with "0" when fewer), or
    // those and their own correct check digit. A longer text, or a wrong check digit, would
    // print another number than the text's.
    bool IsEncodable(const char* text) override;

    // The bar height the drawing uses: (100 - reduction) percent of 22860 um at module 330 um.
    virtual int GetScaledBarHeight() const;
    // 2 (set B) or 1 (set A) for the digit at position of the left half.
    virtual int GetDigitParity(int /*position*/, int /*leadingDigit*/) const { return 1; }

    // The digits that are drawn, check digit included. Data is digits only: anything else is
    // laid out as "0", which only a design view placeholder ("[A]") is drawn with.
    virtual CString DigitString(const char* text) const = 0;
    // The EAN/UPC check digit of digits (weights 3, 1, 3, ... from the right).
    static char CheckDigit(const char* digits);

protected:
    // Where the halves are and how their texts stand.
    struct Layout {
        int firstLeft;          // position of the first digit of the left half
        int firstRight;         // position of the first digit of the right half
        int halfCount;          // digits in each half
        int parityOffset;       // subtracted from the position for GetDigitParity
        bool centredText;       // texts centred on the digit (EAN 8) or from its left edge
        bool upcaOuterDigits;   // UPC-A: first and last digit outside, their bars guard high
        bool leadingDigitLeft;  // EAN 13: position 0 drawn in the left quiet zone
        int dataDigits;         // digits of data before the check digit
    };
    virtual Layout GetLayout() const = 0;

    // Left-pads text with "0" to count characters (a longer text gives its first count), turns
    // non-digits into "0" and appends the check digit. Empty for a text too long.
    static CString PadAndCheck(const char* text, int count);

private:
    int16_t m_heightReduction = 0;
    // Working values of the last drawing, in pixels.
    int m_guardPx = 0;
    int m_barPx = 0;
    int m_modulePx = 0;
};

class CBarcodeEAN13 : public CBarcodeEAN {
public:
    CBarcode* Clone() const override { return new CBarcodeEAN13(*this); }
    int MeasureWidth(const char* text, int dpi) override;
    int GetTypeCode() const override { return kBarcodeEAN13; }
    bool GetName(char* buffer, int size) const override;
    int GetDigitParity(int position, int leadingDigit) const override;
    CString DigitString(const char* text) const override { return PadAndCheck(text, 12); }

protected:
    Layout GetLayout() const override { return {1, 7, 6, 1, false, false, true, 12}; }
};

class CBarcodeEAN8 : public CBarcodeEAN13 {
public:
    CBarcode* Clone() const override { return new CBarcodeEAN8(*this); }
    int MeasureWidth(const char* text, int dpi) override;
    int GetTypeCode() const override { return kBarcodeEAN8; }
    bool GetName(char* buffer, int size) const override;
    int GetDigitParity(int, int) const override { return 1; }
    CString DigitString(const char* text) const override { return PadAndCheck(text, 7); }

protected:
    Layout GetLayout() const override { return {0, 4, 4, 0, true, false, false, 7}; }
};

class CBarcodeUPCA : public CBarcodeEAN13 {
public:
    CBarcode* Clone() const override { return new CBarcodeUPCA(*this); }
    int MeasureWidth(const char* text, int dpi) override;
    int GetTypeCode() const override { return kBarcodeUPCA; }
    bool GetName(char* buffer, int size) const override;
    int GetDigitParity(int, int) const override { return 1; }
    // "0", then the first 11 characters left-padded, then the check digit: a 12-digit UPC-A
    // number keeps its place and gets its own check digit back.
    CString DigitString(const char* text) const override;

protected:
    Layout GetLayout() const override { return {1, 7, 6, 1, false, true, false, 11}; }
};
