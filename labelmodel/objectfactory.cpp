#include "labelmodel/typecodes.h"

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
    case kCodeImageExt: return new CGraphImageExt;
    case kCodeImageExtExt: return new CGraphImageExtExt;
    case kCodeOle1: return new CGraphOLE1;
    // ---- kinds that join here as their classes arrive ----
    // kCodeBarcode (159): the barcode object.
    // Until then a record of these kinds reads as an unknown code.
    default: return nullptr;
    }
}
