#pragma once
// Every 16-bit record type code of the stored formats, in one place, and the factory that turns a
// drawable object's code into a new object. Readers write the code before each polymorphic record
// and create the object from it when reading.
class CGraphObject;

enum RecordTypeCode : int {
    // Drawable objects (members of a collection).
    kCodeEllipse = 131,
    kCodeRectRounded = 132,
    kCodeRect = 151,
    kCodeText = 152,
    kCodeLine = 153,
    kCodeTriangle = 155,          // read only: no command creates the old triangle
    kCodeTriangleExt = 156,
    kCodeBarcode = 159,
    kCodeImage = 161,             // abstract image object; never stored
    kCodeImageExt = 169,
    kCodeGroup = 185,
    kCodeImageExtExt = 189,
    kCodeTextExt = 252,
    kCodeOle1 = 999,              // older OLE objects, only read from files

    // Tag before a collection record (inside a group record and the template block).
    kCodeCollection = 175,

    // Text contents.
    kCodeTextFixed = 171,
    kCodeTextDate = 172,
    kCodeTextTable = 173,
    kCodeTextTime = 174,
    kCodeTextFixedExt = 271,
    kCodeTextDateExt = 273,
    kCodeTextTableExt = 275,
    kCodeTextAutoIncrement = 276,
    kCodeTextFixedExtInnerA = 50,   // codes inside the extended fixed-text record
    kCodeTextFixedExtInnerB = 272,

    // Image holders.
    kCodeImageBase = 162,
    kCodeImageBitmap = 163,
    kCodeImageMetafile = 164,
    kCodeImageBitmapNew = 165,
    kCodeImageBitmapExt = 179,    // read; written as 163

    // Label stocks (137 is not used).
    kCodeLabelFileNew = 136,
    kCodeLabelExtExt = 138,
    kCodeLabelExt = 139,
    kCodeLabel = 140,

    // Help lines tag.
    kCodeHelpLines = 141,

    // Barcode symbologies.
    kCodeCode39 = 401,
    kCodeInterleaved25 = 402,
    kCodeEan13 = 403,
    kCodeUpcA = 404,
    kCodeEan8 = 405,
    kCodeCode128 = 406,
    kCodeEan128 = 407,
    kCodeQrCode = 408,
};

// A new drawable object, with its constructor's defaults, for a member code of a collection
// record; nullptr for every other code (and for the kinds this build does not have yet).
CGraphObject* CreateGraphObject(int typeCode);
