#pragma once
// The symbology family: CBarcode is what a barcode object owns to encode, measure and draw its
// symbol and to store its settings; CBarcodeModular holds the settings every symbology shares and
// lays out linear symbols; CBarcodeModularRatio adds the wide-to-narrow ratio. The owner keeps the
// symbology; the symbology keeps only its settings (and the bar brush during one drawing).
#include "barcode/barcodeowner.h"
#include "framework/cstring.h"
#include "framework/gdi.h"
#include "framework/object.h"
#include <cstdint>
#include <string>
#include <vector>

class CBarFill;
class CFile;
class RecordReader;
class RecordWriter;

// Type codes written after a barcode object's record.
enum BarcodeTypeCode {
    kBarcodeCode39 = 401,
    kBarcodeCode2of5Int = 402,
    kBarcodeEAN13 = 403,
    kBarcodeUPCA = 404,
    kBarcodeEAN8 = 405,
    kBarcodeCode128 = 406,
    kBarcodeEAN128 = 407,
    kBarcodeQRCode = 408,
};

// The longest text a symbology encodes: the owner formats its content into 8192 characters.
// A longer text is not encoded at all: nothing is drawn and it measures 0.
constexpr int kMaxBarcodeText = 8192;

// The caption of the messages that stop a print run on a barcode.
extern const char kBarcodePrintStopCaption[];
// The message that stops a print run on label number labelNumber (1-based) because its text
// cannot be encoded in the symbology of that name.
CString FormatUnencodableMessage(const char* symbologyName, int labelNumber, const char* text);
// start followed by text and a closing double quote, the text cut so that the whole message
// stays within 8191 characters (what a message box is given).
CString CloseQuotedMessage(const CString& start, const char* text);

// Micrometres to pixels, (um x dpi + 12700) / 25400, without overflow; clamped to int.
int BarcodeUmToPx(int64_t um, int dpi);
// Whether text holds nothing but the digits 0-9 (an empty text does).
bool IsDigitText(const char* text);
// Clamps a 64-bit length to int.
int ClampToInt(int64_t v);

// Where a symbol stands on the device: bars are placed along the symbol from (X, Y) in the
// direction the owner's rotation gives, and clipped to the owner's box.
struct CBarOrigin {
    CDC* dc = nullptr;
    // Where the bars gather to be filled together; null fills each bar on its own.
    CBarFill* fill = nullptr;
    int rotation = 0;
    CRect clip;
    int X = 0;
    int Y = 0;
    // The device rectangle of a box `along` pixels along the symbol (length `length`) and
    // `across` pixels below its top edge (depth `depth`), turned with the rotation.
    // False for a rotation other than 0, 900, 1800, 2700.
    bool MapRect(int along, int length, int across, int depth, CRect& out) const;
    // The device point `along` pixels along the symbol and `across` below its top edge.
    CPoint MapPoint(int along, int across) const;
};

class CBarcode : public CObject {
public:
    CBarcode() = default;
    CBarcode(const CBarcode&);             // the brush is per drawing: never copied
    CBarcode& operator=(const CBarcode&);
    ~CBarcode() override;

    virtual CBarcode* Clone() const = 0;
    // Draws the symbol for text with its origin at device point (x, y); dpiX and dpiY are the
    // device's horizontal and vertical resolution. record < 1 is the design view. Answers the
    // symbol's length along its direction in pixels; 0 when nothing was drawn.
    virtual int Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int x, int y, int record,
                     const char* text) = 0;
    virtual void ReleaseBrush();
    virtual bool IsTextEditableInPlace() const { return true; }
    virtual bool AllowsPlaceholderText() const { return true; }
    virtual bool UsesFont() const { return true; }
    virtual bool IsCentred() const { return false; }
    virtual bool QueryCentred(int* /*out*/) const { return false; }
    virtual void SetCentred(bool) {}
    virtual void SetCentredFlag(int) {}
    virtual bool HasCentring() const { return false; }
    // The symbol's width in micrometres at dpi across the bars; 0 for a resolution of 0.
    virtual int MeasureWidth(const char* text, int dpi) = 0;
    // The symbol's height in micrometres at dpi along the bars.
    virtual int GetSymbolHeight(CBarcodeOwner* owner, int dpi) = 0;
    // Reads the record after the type code; on failure the settings are unchanged.
    virtual bool Load(CFile* file) = 0;
    virtual bool Save(CFile* file) const = 0;
    virtual int GetTypeCode() const = 0;
    virtual bool GetName(char* buffer, int size) const = 0;
    virtual bool HasBarHeight() const { return true; }
    virtual int GetBarHeight() const = 0;
    virtual void SetBarHeight(int um) = 0;
    virtual int GetHeightReduction() const { return -1; }
    virtual void SetHeightReduction(int) {}
    virtual int GetModuleWidth() const = 0;
    virtual void SetModuleWidth(int um) = 0;
    virtual int GetRatio() const { return 0; }
    virtual void SetRatio(int) {}
    virtual bool HasSpaceCorrection() const { return true; }
    virtual int GetSpaceCorrection() const = 0;
    virtual void SetSpaceCorrection(int px) = 0;
    virtual bool HasVersion() const { return false; }
    virtual int GetVersion() const { return -1; }
    virtual void SetVersion(int) {}
    virtual bool HasErrorCorrectionLevel() const { return false; }
    virtual char GetErrorCorrectionLevel() const { return 0; }
    virtual void SetErrorCorrectionLevel(char) {}
    virtual bool HasEncodingMode() const { return false; }
    virtual bool GetEncodingModeName(char* /*buffer*/, int /*size*/) const { return false; }
    virtual void SetEncodingModeByName(const char*) {}
    virtual bool HasMargin() const { return false; }
    virtual int GetMargin() const { return 0; }
    virtual void SetMargin(int) {}
    virtual bool GetCheckDigit() const { return false; }
    virtual void SetCheckDigit(bool) {}
    virtual bool HasCheckDigit() const { return false; }
    virtual bool GetHumanReadable() const = 0;
    virtual void SetHumanReadable(bool on) = 0;
    virtual bool HasHumanReadable() const { return true; }
    virtual bool GetCheckDigitInText() const { return false; }
    virtual void SetCheckDigitInText(bool) {}
    virtual bool CanShowCheckDigitInText() const { return false; }
    virtual bool UsesMagnification() const { return false; }
    virtual int GetModuleWidthUnit() const { return 1; }
    virtual int GetBarHeightUnit() const { return 1; }
    // Whether a symbol can be made for text at all (too long, characters the symbology cannot
    // take, data the QR Code library refuses); an empty text always can (and draws nothing).
    // Draw makes no symbol for data that cannot: a symbol must never carry other data than its
    // text. The owner marks such a text and stops printing on it.
    virtual bool IsEncodable(const char* text) = 0;

    // The owner makes the bar brush before each drawing (from its text colour) and calls
    // ReleaseBrush after it.
    CBrush& GetBarBrush() { return m_brush; }
    CString GetNameString() const;

protected:
    // Whether Draw makes a symbol for text: the owner's placeholder always, data only when it can
    // be encoded as it stands.
    bool MayDraw(CBarcodeOwner* owner, const char* text);
    // One bar x pixels along the symbol, width wide and height deep, clipped to the owner: added
    // to the origin's fill when it has one, else filled with the brush selected into the device
    // context (SelectBarBrush).
    void DrawBar(const CBarOrigin& at, int x, int width, int height);
    // Selects the bar brush (black when the owner made none) and answers the brush it replaced.
    HGDIOBJ SelectBarBrush(CDC* dc);
    // The bar brush, black when the owner made none.
    HBRUSH BarBrush() const;

private:
    CBrush m_brush;
};

// An encoded linear symbol: elements alternate bar, space, bar, ... starting and ending with a
// bar; each is a width in modules (1-4) or kWide (the ratio's wide element). Measuring and
// drawing both walk the same pattern.
class CBarPattern {
public:
    static constexpr uint8_t kWide = 0;
    void Add(uint8_t width) { m_elements.push_back(width); }
    void Reserve(size_t n) { m_elements.reserve(n); }
    void Clear() { m_elements.clear(); }
    size_t Size() const { return m_elements.size(); }
    bool IsEmpty() const { return m_elements.empty(); }
    uint8_t operator[](size_t i) const { return m_elements[i]; }
    // The modules of the pattern as '1' (bar) and '0' (space) with wide = `wide` modules.
    std::string ToModules(int wide) const;

private:
    std::vector<uint8_t> m_elements;
};

class CBarcodeModular : public CBarcode {
public:
    CBarcodeModular() = default;
    CBarcodeModular(int moduleWidth) : m_moduleWidth(moduleWidth) {}

    int GetSymbolHeight(CBarcodeOwner* owner, int dpi) override;
    int GetBarHeight() const override { return m_barHeight; }
    void SetBarHeight(int um) override;
    int GetModuleWidth() const override { return m_moduleWidth; }
    void SetModuleWidth(int um) override;
    int GetSpaceCorrection() const override { return m_spaceCorrection; }
    void SetSpaceCorrection(int px) override { m_spaceCorrection = static_cast<int16_t>(px); }
    bool GetHumanReadable() const override { return m_humanReadable; }
    void SetHumanReadable(bool on) override { m_humanReadable = on; }

    bool GetQuietZone() const { return m_quietZone; }
    void SetQuietZone(bool on) { m_quietZone = on; }

protected:
    // Pixel sizes of a linear drawing.
    struct LinearMetrics {
        int m = 0;      // module, across the bars
        int wide = 0;   // wide element (ratio symbologies)
        int s = 0;      // space correction
        int h = 0;      // bar height, along the bars
    };
    LinearMetrics MakeMetrics(int dpiAcross, int dpiAlong, int ratioTenths) const;
    // The pattern's width in pixels, quiet zones included when the flag is set.
    int64_t PatternPixels(const CBarPattern& pattern, const LinearMetrics& lm) const;
    // Draws the bars of pattern from the quiet-zone offset; answers the symbol's width in pixels,
    // 0 (and nothing drawn) for a rotation that is not a quarter turn or an absurd size.
    int DrawPattern(CBarcodeOwner* owner, CDC* dc, const CBarPattern& pattern,
                    const LinearMetrics& lm, int x, int y);
    // Draws text as the human-readable line below bars of height h, with the owner transparent
    // for the duration.
    void DrawHumanReadable(CBarcodeOwner* owner, CDC* dc, const LinearMetrics& lm, int record,
                           const char* text);
    // Draws the bars of an encoded symbol at the owner's rotation, then the caption as the
    // human-readable line; answers the symbol's width in pixels, 0 when nothing was drawn.
    int DrawLinear(CBarcodeOwner* owner, CDC* dc, const CBarPattern& pattern, int ratioTenths,
                   int dpiX, int dpiY, int x, int y, int record, const char* caption);
    // Resolutions across and along the bars for the owner's rotation.
    static void SplitResolutions(int rotation, int dpiX, int dpiY, int& across, int& along);

    // The record part every symbology writes first. Loaders read it into a CommonRecord and
    // apply it only once their whole record has been read.
    struct CommonRecord {
        bool quietZone;
        bool humanReadable;
        int16_t spaceCorrection;
        int32_t barHeight;
        int32_t moduleWidth;
    };
    static void ReadCommon(RecordReader& r, CommonRecord& out);
    void ApplyCommon(const CommonRecord& c);
    void WriteCommon(RecordWriter& w) const;

    bool m_quietZone = true;
    bool m_humanReadable = true;
    int16_t m_spaceCorrection = 1;
    int32_t m_barHeight = 10000;
    int32_t m_moduleWidth = 300;
};

class CBarcodeModularRatio : public CBarcodeModular {
public:
    int GetRatio() const override { return m_ratio; }
    void SetRatio(int tenths) override;

protected:
    int16_t m_ratio = 25;
};
