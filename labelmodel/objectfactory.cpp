#include "labelmodel/typecodes.h"

#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/labelstock.h"

// The stock classes keep their own names for their codes; both must agree.
static_assert(int(kCodeLabelFileNew) == int(kTypeLabelFileNew) &&
                  int(kCodeLabelExtExt) == int(kTypeLabelExtExt) &&
                  int(kCodeLabelExt) == int(kTypeLabelExt) && int(kCodeLabel) == int(kTypeLabel),
              "label stock type codes");

CGraphObject* CreateGraphObject(int typeCode)
{
    switch (typeCode) {
    case kCodeEllipse: return new CGraphEllipse;
    case kCodeRectRounded: return new CGraphRectRounded;
    case kCodeRect: return new CGraphRect;
    case kCodeLine: return new CGraphLine;
    case kCodeTriangle: return new CGraphTriangle;
    case kCodeTriangleExt: return new CGraphTriangleExt;
    case kCodeGroup: return new CGraphGroup;
    // ---- kinds that join here as their classes arrive ----
    // kCodeText (152) and kCodeTextExt (252): the text objects.
    // kCodeBarcode (159): the barcode object.
    // kCodeImageExt (169), kCodeImageExtExt (189): the image objects.
    // kCodeOle1 (999): the older OLE object.
    // Until then a record of these kinds reads as an unknown code.
    default: return nullptr;
    }
}
