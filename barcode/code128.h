#pragma once
// Code 128 with the automatic choice of code sets A, B and C, and EAN 128, which adds FNC1 after
// the start and in place of each marker byte 0xB6 of its text.
#include "barcode/barcode.h"

class CBarcodeCode128 : public CBarcodeModular {
public:
    // Symbol values with a meaning of their own.
    enum : uint8_t {
        kShift = 98, kCodeC = 99, kCodeB = 100, kCodeA = 101, kFnc1 = 102,
        kStartA = 103, kStartB = 104, kStartC = 105, kStop = 106,
    };
    static constexpr unsigned char kFnc1Marker = 0xB6;

    CBarcode* Clone() const override { return new CBarcodeCode128(*this); }
    int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
             const char* text) override;
    int MeasureWidth(const char* text, int dpi) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kBarcodeCode128; }
    bool GetName(char* buffer, int size) const override;
    bool IsEncodable(const char* text) override;

    virtual bool GetDesignPrefix(char* buffer, int size) const;
    virtual bool IsEAN128() const { return false; }
    virtual void WriteAfterStart(std::vector<uint8_t>& /*values*/) const {}

    // The symbol values of text: start, data, check character, stop. False for a text too long
    // or with a character no code set can take (bytes 128 and above other than the marker).
    bool Encode(const char* text, std::vector<uint8_t>& values) const;

protected:
    bool EncodePattern(const char* text, CBarPattern& out) const;
};

class CBarcodeEAN128 : public CBarcodeCode128 {
public:
    CBarcode* Clone() const override { return new CBarcodeEAN128(*this); }
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kBarcodeEAN128; }
    bool GetName(char* buffer, int size) const override;
    bool GetDesignPrefix(char* buffer, int size) const override;
    bool IsEAN128() const override { return true; }
    void WriteAfterStart(std::vector<uint8_t>& values) const override { values.push_back(kFnc1); }
};
