// Encodes and draws 100,000 mixed barcodes (all eight symbologies, texts from a table with a running
// number so that no symbol repeats) into a 300-dpi memory DC and prints symbols per second, for
// measuring alone and for drawing with the human-readable text. Also writes the same texts in
// zint's input form into barcode_bench_texts/ for bench/barcode_bench_zint.sh.
// Not a test: the figures depend on the machine.
#include "barcode/barcodefactory.h"
#include "framework/gdi.h"
#include <windows.h>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kSymbols = 100000;
const int kDpi = 300;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The barcode object's part, reduced to what the symbologies ask.
class BenchOwner : public CBarcodeOwner {
public:
    CRect rect;
    int GetOwnerRotation() override { return 0; }
    CRect GetOwnerDeviceRect() override { return rect; }
    CSize GetOwnerSize() override { return CSize(80000, 40000); }
    COLORREF GetOwnerTextColour() override { return RGB(0, 0, 0); }
    bool IsOwnerTransparent() override { return m_transparent; }
    void SetOwnerTransparent(bool on) override { m_transparent = on; }
    void GetOwnerLogFont(LOGFONTA* out) override { *out = Font(); }
    void GetOwnerDrawLogFont(LOGFONTA* out) override
    {
        *out = Font();
        out->lfHeight = -MulDiv(12, kDpi, 96);
    }
    void DrawCaption(CDC* dc, int topMargin, int xMargin, bool, const char* text) override
    {
        if (!m_font.GetSafeHandle()) {
            LOGFONTA lf;
            GetOwnerDrawLogFont(&lf);
            m_font.CreateFontIndirect(&lf);
        }
        CFont* old = dc->SelectObject(&m_font);
        dc->SetBkMode(TRANSPARENT);
        dc->TextOut(rect.left + xMargin + 1, rect.top + topMargin + 1, text, lstrlenA(text));
        dc->SelectObject(old);
    }

private:
    static LOGFONTA Font()
    {
        LOGFONTA lf = {};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lstrcpyA(lf.lfFaceName, "Tahoma");
        return lf;
    }
    bool m_transparent = false;
    CFont m_font;
};

struct Kind {
    int typeCode;
    const char* pattern;       // printf pattern of the text, fed the running number
    int zintType;              // zint's barcode number
    const char* zintPattern;   // the same text as zint takes it
    const char* zintOptions;
};

const Kind kKinds[] = {
    {401, "K%07d", 8, "K%07d", ""},
    {402, "%010d", 3, "%010d", ""},
    {403, "40%010d", 13, "40%010d", ""},
    {404, "0%010d", 34, "0%010d", ""},
    {405, "5%06d", 13, "5%06d", ""},
    {406, "Lot %d/abc", 20, "Lot %d/abc", ""},
    {407, "0112345678901231\xB6" "10%08d", 16, "[01]12345678901231[10]%08d", "--gs1"},
    {408, "https://example.com/item/%d?lot=A7", 58, "https://example.com/item/%d?lot=A7", ""},
};
const int kKindCount = sizeof kKinds / sizeof kKinds[0];

std::string Text(const char* pattern, int number)
{
    char buffer[128];
    snprintf(buffer, sizeof buffer, pattern, number);
    return buffer;
}

void WriteZintTexts()
{
    CreateDirectoryA("barcode_bench_texts", nullptr);
    for (const Kind& kind : kKinds) {
        char path[128];
        snprintf(path, sizeof path, "barcode_bench_texts\\%d_%d.txt", kind.typeCode, kind.zintType);
        FILE* f = fopen(path, "wb");
        if (!f)
            return;
        for (int i = 0; i < kSymbols / kKindCount; ++i)
            fprintf(f, "%s\n", Text(kind.zintPattern, i * kKindCount).c_str());
        fclose(f);
    }
    FILE* f = fopen("barcode_bench_texts\\options.txt", "wb");
    if (f) {
        for (const Kind& kind : kKinds)
            fprintf(f, "%d_%d %s\n", kind.typeCode, kind.zintType, kind.zintOptions);
        fclose(f);
    }
}

}   // namespace

int main()
{
    std::vector<std::unique_ptr<CBarcode>> codes;
    for (const Kind& kind : kKinds)
        codes.emplace_back(CreateBarcodeByCode(kind.typeCode));
    std::vector<std::string> texts;
    texts.reserve(kSymbols);
    for (int i = 0; i < kSymbols; ++i)
        texts.push_back(Text(kKinds[i % kKindCount].pattern, i));

    // A label-sized page at 300 dpi: 8 x 4 inches.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 8 * kDpi;
    info.bmiHeader.biHeight = -4 * kDpi;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc.GetSafeHdc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = dc.SelectObject(static_cast<HGDIOBJ>(dib));
    PatBlt(dc.GetSafeHdc(), 0, 0, 8 * kDpi, 4 * kDpi, WHITENESS);
    BenchOwner owner;
    owner.rect = CRect(20, 20, 8 * kDpi - 20, 4 * kDpi - 20);

    LARGE_INTEGER t0, t1, t2;
    QueryPerformanceCounter(&t0);
    long long widths = 0;
    double measureKind[kKindCount] = {};
    for (int i = 0; i < kSymbols; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        widths += codes[i % kKindCount]->MeasureWidth(texts[i].c_str(), kDpi);
        QueryPerformanceCounter(&b);
        measureKind[i % kKindCount] += Seconds(a, b);
    }
    QueryPerformanceCounter(&t1);
    double perKind[kKindCount] = {};
    int drawn = 0;
    for (int i = 0; i < kSymbols; ++i) {
        // Every text is new to the QR Code's one-symbol cache: each draw encodes.
        const std::string& text = texts[i];
        CBarcode& code = *codes[i % kKindCount];
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        code.GetBarBrush().CreateSolidBrush(RGB(0, 0, 0));
        if (code.Draw(&owner, &dc, kDpi, kDpi, 40, 40, 1, text.c_str()) > 0)
            ++drawn;
        code.ReleaseBrush();
        QueryPerformanceCounter(&b);
        perKind[i % kKindCount] += Seconds(a, b);
    }
    QueryPerformanceCounter(&t2);

    double measure = Seconds(t0, t1), draw = Seconds(t1, t2);
    printf("%d symbols, %d drawn (checksum %lld)\n", kSymbols, drawn, widths);
    printf("encode + measure: %.0f symbols/s (%.3f s)\n", kSymbols / measure, measure);
    printf("encode + draw at %d dpi: %.0f symbols/s (%.3f s)\n", kDpi, kSymbols / draw, draw);
    for (int k = 0; k < kKindCount; ++k) {
        char name[32];
        codes[k]->GetName(name, sizeof name);
        name[7] = name[7] == '\xAE' ? '\0' : name[7];
        printf("  %-16s measure %9.0f/s  draw %7.0f/s\n", name,
               (kSymbols / kKindCount) / measureKind[k], (kSymbols / kKindCount) / perKind[k]);
    }
    dc.SelectObject(oldBitmap);
    DeleteObject(dib);
    WriteZintTexts();
    return drawn == kSymbols ? 0 : 1;
}
