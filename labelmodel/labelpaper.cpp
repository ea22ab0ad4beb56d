// The paper table and the classification names of label stocks.

#include "framework/paths.h"
#include "labelmodel/labelpaper.h"
#include "labelmodel/labelstock.h"
#include "labelmodel/labelstockids.h"
#include <cstring>

namespace {

struct PaperEntry {
    const char* name;   // "" where the code has no name
    int width;          // um; 0 x 0: the code has no size of its own
    int height;
};

// Our own sizes hold even where the system's paper definitions differ (B5 (JIS) and the
// C/D/E sheets have no size here; 44-46 and 60-68 no name): stored templates were laid out with them.
const PaperEntry kPaper[] = {
    /*  0 */ {"", 0, 0},
    /*  1 */ {"Letter", 215900, 279400},
    /*  2 */ {"Letter Small", 215900, 279400},
    /*  3 */ {"Tabloid", 279400, 431800},
    /*  4 */ {"Ledger", 431800, 279400},
    /*  5 */ {"Legal", 215900, 355600},
    /*  6 */ {"Statement", 139700, 215900},
    /*  7 */ {"Executive", 190500, 266700},
    /*  8 */ {"A3", 297000, 420000},
    /*  9 */ {"A4", 210000, 297000},
    /* 10 */ {"A4 Small", 210000, 297000},
    /* 11 */ {"A5", 148000, 210000},
    /* 12 */ {"B4 (JIS)", 250000, 354000},
    /* 13 */ {"B5 (JIS)", 0, 0},
    /* 14 */ {"Folio", 215900, 330200},
    /* 15 */ {"Quarto", 215000, 275000},
    /* 16 */ {"10 x 14 in", 254000, 355600},
    /* 17 */ {"11 x 17 in", 279400, 431800},
    /* 18 */ {"US Note", 215900, 279400},
    /* 19 */ {"US Envelope #9", 98425, 225425},
    /* 20 */ {"US Envelope #10", 104775, 241300},
    /* 21 */ {"US Envelope #11", 114300, 263525},
    /* 22 */ {"US Envelope #12", 114300, 279400},
    /* 23 */ {"US Envelope #14", 127000, 292100},
    /* 24 */ {"C size sheet", 0, 0},
    /* 25 */ {"D size sheet", 0, 0},
    /* 26 */ {"E size sheet", 0, 0},
    /* 27 */ {"Envelope DL", 110000, 220000},
    /* 28 */ {"Envelope C5", 162000, 229000},
    /* 29 */ {"Envelope C3", 324000, 458000},
    /* 30 */ {"Envelope C4", 229000, 324000},
    /* 31 */ {"Envelope C6", 114000, 162000},
    /* 32 */ {"Envelope C65", 114000, 229000},
    /* 33 */ {"Envelope B4", 250000, 353000},
    /* 34 */ {"Envelope B5", 176000, 250000},
    /* 35 */ {"Envelope B6", 176000, 125000},
    /* 36 */ {"Envelope", 110000, 230000},
    /* 37 */ {"Envelope Monarch", 98425, 190500},
    /* 38 */ {"US Envelope 3", 92075, 165100},
    /* 39 */ {"US Std Fanfold", 466725, 279400},
    /* 40 */ {"German Std Fanfold", 215900, 304800},
    /* 41 */ {"German Legal Fanfold", 215900, 330200},
    /* 42 */ {"B4 (ISO)", 250000, 353000},
    /* 43 */ {"Japanese Postcard", 100000, 148000},
    /* 44 */ {"", 228600, 279400},
    /* 45 */ {"", 254000, 279400},
    /* 46 */ {"", 381000, 279400},
    /* 47 */ {"Envelope Invite", 220000, 220000},
    /* 48 */ {"", 0, 0},
    /* 49 */ {"", 0, 0},
    /* 50 */ {"US Letter Extra", 235585, 304800},
    /* 51 */ {"US Legal Extra", 235585, 381000},
    /* 52 */ {"US Tabloid Extra", 296926, 457200},
    /* 53 */ {"A4 Extra", 235458, 322326},
    /* 54 */ {"Letter Transverse", 210185, 279400},
    /* 55 */ {"A4 Transverse", 210000, 297000},
    /* 56 */ {"Letter Extra Transverse", 235585, 288000},
    /* 57 */ {"SuperA/SuperA/A4", 227000, 356000},
    /* 58 */ {"SuperB/SuperB/A3", 305000, 487000},
    /* 59 */ {"US Letter Plus", 215900, 322326},
    /* 60 */ {"", 210000, 330000},
    /* 61 */ {"", 148000, 210000},
    /* 62 */ {"", 182000, 257000},
    /* 63 */ {"", 322000, 445000},
    /* 64 */ {"", 174000, 235000},
    /* 65 */ {"", 201000, 276000},
    /* 66 */ {"", 420000, 594000},
    /* 67 */ {"", 297000, 420000},
    /* 68 */ {"", 322000, 445000},
};
const int kPaperCount = sizeof(kPaper) / sizeof(kPaper[0]);

// What a paper code without a size of its own is laid out on.
const int kFallbackWidth = 90000;
const int kFallbackHeight = 60000;

char s_nameBuffer[256];

const char* ToNameBuffer(const CString& text) {
    strncpy(s_nameBuffer, text, sizeof(s_nameBuffer) - 1);
    s_nameBuffer[sizeof(s_nameBuffer) - 1] = '\0';
    return s_nameBuffer;
}

}  // namespace

void GetPaperSizeForCode(int code, int& width, int& height) {
    if (code > 0 && code < kPaperCount && kPaper[code].width > 0) {
        width = kPaper[code].width;
        height = kPaper[code].height;
        return;
    }
    width = kFallbackWidth;
    height = kFallbackHeight;
}

const char* GetPaperTableName(int code) {
    if (code < 0 || code >= kNamedPaperCodes)
        return "";
    return kPaper[code].name;
}

const char* GetMarkingTypeName(int index) {
    static const struct { unsigned id; const char* text; } kNames[] = {
        {IDS_MARKING_ALL, "All"},         {IDS_MARKING_WIRE, "Wire"},
        {IDS_MARKING_CABLE, "Cable"},     {IDS_MARKING_COMPONENT, "Component"},
        {IDS_MARKING_TERMINALBLOCK, "Terminal block"},
        {IDS_MARKING_PLC, "PLC"},         {IDS_MARKING_OTHER, "Other"},
        {IDS_MARKING_MODULE, "Module"},
    };
    if (index < 0 || index > 7)
        return ToNameBuffer("");
    return ToNameBuffer(LoadStringOr(kNames[index].id, kNames[index].text));
}

const char* GetPrinterTypeName(int index) {
    static const struct { unsigned id; const char* text; } kNames[] = {
        {IDS_PRINTERTYPE_ALL, "All"},     {IDS_PRINTERTYPE_LASER, "Laser"},
        {IDS_PRINTERTYPE_OTHER, "Other"}, {IDS_PRINTERTYPE_THERMO, "Thermo"},
        {IDS_PRINTERTYPE_THERMALTRANSFER, "Thermal transfer"},
        {IDS_PRINTERTYPE_OTHER, "Other"}, {IDS_PRINTERTYPE_OTHER, "Other"},
    };
    if (index < 0 || index > 6)
        return ToNameBuffer("");
    return ToNameBuffer(LoadStringOr(kNames[index].id, kNames[index].text));
}

const char* GetAllFamiliesText(int index) {
    if (index > 1)
        return ToNameBuffer("");
    return ToNameBuffer(LoadStringOr(IDS_FAMILY_ALL, "All"));
}

void GetLabelFileTitle(char* buffer, int size, const CLabel* stock) {
    if (!buffer || size <= 0)
        return;
    buffer[0] = '\0';
    const CLabelFile* file = dynamic_cast<const CLabelFile*>(stock);
    if (!file)
        return;
    CString title = FileTitleOf(file->GetPath());
    strncpy(buffer, title, size - 1);
    buffer[size - 1] = '\0';
}
