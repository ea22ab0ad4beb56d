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
    // Whether c may stand in the data: values 0-42. "*" (43) is the start and stop character, and
    // lower-case letters have no value: refused, not turned into upper case, so that what a reader
    // gets is exactly the text.
    static bool IsDataCharacter(unsigned char c);
    // The check character for text: the character whose value is the sum of the values modulo 43;
    // 0 (none) for a text with a character that is not data, which no symbol is made for.
    static unsigned char CheckCharacter(const char* text);
    // The bars and spaces for text (start, data, check, stop); false for a text too long. A
    // character that is not data is laid out as the space character: only a design view
    // placeholder ("[A]") is drawn that way.
    bool Encode(const char* text, CBarPattern& out) const;

private:
    bool m_checkCharacter = false;
    int16_t m_reserved = 100;
    bool m_checkInText = false;
};
