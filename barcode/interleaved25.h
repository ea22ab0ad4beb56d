#pragma once
// Interleaved 2 of 5: digit pairs, the first digit in the bars and the second in the spaces, with
// an optional modulo-10 check digit that can also be shown in the human-readable line.
#include "barcode/barcode.h"

class CBarcodeCode2of5Int : public CBarcodeModularRatio {
public:
    CBarcode* Clone() const override { return new CBarcodeCode2of5Int(*this); }
    int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
             const char* text) override;
    int MeasureWidth(const char* text, int dpi) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kBarcodeCode2of5Int; }
    bool GetName(char* buffer, int size) const override;
    bool GetCheckDigit() const override { return m_checkDigit; }
    void SetCheckDigit(bool on) override { m_checkDigit = on; }
    bool HasCheckDigit() const override { return true; }
    bool GetCheckDigitInText() const override { return m_checkInText; }
    void SetCheckDigitInText(bool on) override { m_checkInText = on; }
    bool CanShowCheckDigitInText() const override { return true; }
    int GetModuleWidthUnit() const override { return 0; }
    int GetBarHeightUnit() const override { return 0; }
    bool IsEncodable(const char* text) override;

    // The modulo-10 check digit of text, weights 3, 1, 3, ... from the right.
    static char CheckDigit(const char* text);
    // The digits that are drawn: a "0" in front when needed to make the count even, the text,
    // the check digit when it is on. Empty for a text too long. Only digits are data; anything
    // else is laid out as "0", which only a design view placeholder ("[A]") is drawn with.
    CString DigitString(const char* text) const;
    bool Encode(const char* text, CBarPattern& out) const;

private:
    bool m_checkDigit = false;
    bool m_checkInText = true;
    uint8_t m_reservedByte = 0;
    int32_t m_reservedInt = 2;
};
