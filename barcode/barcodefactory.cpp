#include "barcode/barcodefactory.h"

#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/ean.h"
#include "barcode/interleaved25.h"
#include "barcode/qrcode.h"

const char* const kBarcodeNames[8] = {
    "2/5 Interleaved", "Code 128", "Code 39", "EAN 128", "EAN 13", "EAN 8", "UPCA", "QR Code\xAE",
};

CBarcode* CreateBarcodeByCode(int typeCode)
{
    switch (typeCode) {
    case kBarcodeCode39: return new CBarcodeCode39;
    case kBarcodeCode2of5Int: return new CBarcodeCode2of5Int;
    case kBarcodeEAN13: return new CBarcodeEAN13;
    case kBarcodeUPCA: return new CBarcodeUPCA;
    case kBarcodeEAN8: return new CBarcodeEAN8;
    case kBarcodeCode128: return new CBarcodeCode128;
    case kBarcodeEAN128: return new CBarcodeEAN128;
    case kBarcodeQRCode: return new CBarcodeQRCode;
    default: return nullptr;
    }
}

CBarcode* CreateBarcodeByName(const char* name)
{
    static const int kCodes[8] = {
        kBarcodeCode2of5Int, kBarcodeCode128, kBarcodeCode39, kBarcodeEAN128,
        kBarcodeEAN13, kBarcodeEAN8, kBarcodeUPCA, kBarcodeQRCode,
    };
    if (!name)
        return nullptr;
    for (int i = 0; i < 8; ++i)
        if (CString(kBarcodeNames[i]).CompareNoCase(name) == 0)
            return CreateBarcodeByCode(kCodes[i]);
    return nullptr;
}
