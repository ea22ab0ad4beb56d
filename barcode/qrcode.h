#pragma once
// QR Code through libqrencode: the encoding settings, a cache of the last symbol (re-encoded only
// when the text or a setting that changes the matrix changes), and the layout of the modules in
// the owner's box. The object owns its cached symbol; the library's own caches are released when
// the last QR Code object goes.
#include "barcode/barcode.h"
#include <qrencode.h>

class CBarcodeQRCode : public CBarcodeModular {
public:
    enum { kMode8Bit = 2, kModeKanji = 3 };   // the library's mode numbers

    CBarcodeQRCode();
    CBarcodeQRCode(const CBarcodeQRCode& other);   // settings only, not the cache
    CBarcodeQRCode& operator=(const CBarcodeQRCode&) = delete;
    ~CBarcodeQRCode() override;

    CBarcode* Clone() const override { return new CBarcodeQRCode(*this); }
    int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
             const char* text) override;
    bool IsTextEditableInPlace() const override { return false; }
    bool AllowsPlaceholderText() const override { return false; }
    bool UsesFont() const override { return false; }
    bool IsCentred() const override { return m_centred; }
    bool QueryCentred(int* out) const override;
    void SetCentred(bool on) override { m_centred = on; }
    void SetCentredFlag(int value) override { m_centred = value != 0; }
    bool HasCentring() const override { return true; }
    int MeasureWidth(const char* text, int dpi) override;
    int GetSymbolHeight(CBarcodeOwner* owner, int dpi) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    int GetTypeCode() const override { return kBarcodeQRCode; }
    bool GetName(char* buffer, int size) const override;
    bool HasBarHeight() const override { return false; }
    bool HasSpaceCorrection() const override { return false; }
    bool HasVersion() const override { return true; }
    int GetVersion() const override { return m_version; }
    void SetVersion(int version) override { m_version = version; }
    bool HasErrorCorrectionLevel() const override { return true; }
    char GetErrorCorrectionLevel() const override;
    void SetErrorCorrectionLevel(char level) override;
    bool HasEncodingMode() const override { return true; }
    bool GetEncodingModeName(char* buffer, int size) const override;
    void SetEncodingModeByName(const char* name) override;
    bool HasMargin() const override { return true; }
    int GetMargin() const override { return m_margin; }
    void SetMargin(int modules) override { m_margin = modules; }
    bool GetHumanReadable() const override { return false; }
    bool HasHumanReadable() const override { return false; }
    bool IsEncodable(const char* text) override;

    // The symbol for text, from the cache when nothing that changes it has changed; null when
    // the library cannot encode it (or the text is longer than any QR Code holds).
    const QRcode* Encode(const char* text);
    int GetLastVersion() const { return m_lastVersion; }
    bool IsCaseSensitive() const { return m_caseSensitive != 0; }
    // Calls into the library since construction (each encoding counts one).
    int GetEncodeCount() const { return m_encodeCount; }
    static int GetLiveCount() { return s_liveCount; }

private:
    void FreeSymbol();
    int64_t SizeModules(int version) const { return 2 * int64_t(m_margin) + 4 * int64_t(version) + 17; }

    int32_t m_version = 1;
    int32_t m_level = 0;
    int32_t m_mode = kMode8Bit;
    int32_t m_caseSensitive = 1;
    int32_t m_margin = 4;
    int32_t m_reserved = 2;
    int32_t m_lastVersion = 1;
    bool m_centred = true;

    CString m_cachedText;
    int32_t m_cachedVersion = 0;
    int32_t m_cachedLevel = -1;
    int32_t m_cachedMode = -1;
    QRcode* m_symbol = nullptr;
    int m_encodeCount = 0;

    static int s_liveCount;
};

// The message that stops a print run when a QR Code does not fit its box, for label number
// labelNumber (the 1-based row); the text is cut so that the whole message stays within 8191
// characters. Its caption is kBarcodePrintStopCaption.
CString FormatQrClipMessage(int labelNumber, const char* text);
