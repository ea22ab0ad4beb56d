#pragma once
// Code 39: two element widths, an optional modulo-43 check character that can also be shown in
// the human-readable line.
#include "barcode/barcode.h"

class CBarcodeCode39 : public CBarcodeModularRatio {
public:
    CBarcode* Clone() const override { return new CBarcodeCode39(*this); }
    int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
             const char* text) override;
    int MeasureWidth(const char* text, int dpi) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kBarcodeCode39; }
    bool GetName(char* buffer, int size) const override;
    bool GetCheckDigit() const override { return m_checkCharacter; }
    void SetCheckDigit(bool on) override { m_checkCharacter = on; }
    bool HasCheckDigit() const override { return true; }
    bool GetCheckDigitInText() const override { return m_checkInText; }
    void SetCheckDigitInText(bool on) override { m_checkInText = on; }
    bool CanShowCheckDigitInText() const override { return m_checkCharacter && m_humanReadable; }
    bool IsEncodable(const char* text) override;

    // The character's value 0-43, or -1 for a character without one.
    static int CharacterValue(unsigned char c);
    // The check character for text: the first of codes 32-127 whose value is the signed sum of
    // the values (-1 each for characters without one) modulo 43; 0xFF when none has it.
    static unsigned char CheckCharacter(const char* text);
    // The bars and spaces for text (start, data, check, stop); false for a text too long.
    bool Encode(const char* text, CBarPattern& out) const;

private:
    bool m_checkCharacter = false;
    int16_t m_reserved = 100;
    bool m_checkInText = false;
};
