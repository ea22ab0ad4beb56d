#include "labelmodel/typecodes.h"

#include "barcode/barcode.h"
#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphimage.h"
#include "labelmodel/graphole1.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/graphtext.h"
#include "labelmodel/labelstock.h"

// The stock classes keep their own names for their codes; both must agree.
static_assert(int(kCodeLabelFileNew) == int(kTypeLabelFileNew) &&
                  int(kCodeLabelExtExt) == int(kTypeLabelExtExt) &&
                  int(kCodeLabelExt) == int(kTypeLabelExt) && int(kCodeLabel) == int(kTypeLabel),
              "label stock type codes");
static_assert(int(kCodeTextFixed) == int(kTextFixedCode) && int(kCodeTextDate) == int(kTextDateCode) &&
                  int(kCodeTextTable) == int(kTextTableCode) && int(kCodeTextTime) == int(kTextTimeCode) &&
                  int(kCodeTextFixedExt) == int(kTextFixedExtCode) &&
                  int(kCodeTextDateExt) == int(kTextDateExtCode) &&
                  int(kCodeTextTableExt) == int(kTextTableExtCode) &&
                  int(kCodeTextAutoIncrement) == int(kTextAutoIncrementCode) &&
                  int(kCodeText) == CGraphText::kTypeCode && int(kCodeTextExt) == CGraphTextExt::kTypeCode,
              "text type codes");
static_assert(int(kCodeBarcode) == CGraphBarcode::kTypeCode && int(kCodeCode39) == int(kBarcodeCode39) &&
                  int(kCodeInterleaved25) == int(kBarcodeCode2of5Int) && int(kCodeEan13) == int(kBarcodeEAN13) &&
                  int(kCodeUpcA) == int(kBarcodeUPCA) && int(kCodeEan8) == int(kBarcodeEAN8) &&
                  int(kCodeCode128) == int(kBarcodeCode128) && int(kCodeEan128) == int(kBarcodeEAN128) &&
                  int(kCodeQrCode) == int(kBarcodeQRCode),
              "barcode type codes");

static_assert(int(kCodeImage) == CGraphImage::kTypeCode && int(kCodeImageExt) == CGraphImageExt::kTypeCode &&
                  int(kCodeImageExtExt) == CGraphImageExtExt::kTypeCode &&
                  int(kCodeOle1) == CGraphOLE1::kTypeCode && int(kCodeImageBase) == kImageHolderEmpty &&
                  int(kCodeImageBitmap) == kImageHolderBitmap &&
                  int(kCodeImageMetafile) == kImageHolderMetafile &&
                  int(kCodeImageBitmapNew) == kImageHolderBitmapNew &&
                  int(kCodeImageBitmapExt) == kImageHolderBitmapExt,
              "image type codes");

CGraphObject* CreateGraphObject(int typeCode)
{
    switch (typeCode) {
    case kCodeEllipse: return new CGraphEllipse;
    case kCodeRectRounded: return new CGraphRectRounded;
    case kCodeRect: return new CGraphRect;
    case kCodeText: return new CGraphText;
    case kCodeLine: return new CGraphLine;
    case kCodeTriangle: return new CGraphTriangle;
    case kCodeTriangleExt: return new CGraphTriangleExt;
    case kCodeGroup: return new CGraphGroup;
    case kCodeTextExt: return new CGraphTextExt;
    case kCodeBarcode: return new CGraphBarcode;
    case kCodeImageExt: return new CGraphImageExt;
    case kCodeImageExtExt: return new CGraphImageExtExt;
    case kCodeOle1: return new CGraphOLE1;
    default: return nullptr;
    }
}
