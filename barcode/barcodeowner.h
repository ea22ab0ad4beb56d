#pragma once
// What a symbology needs of the label object that owns it (the barcode object implements this):
// its turn, its box on the device, its colours, its font and its caption drawing. The symbology
// never keeps the pointer beyond the call it was given in.
#include "framework/geometry.h"
#include <windows.h>

class CDC;

class CBarcodeOwner {
public:
    virtual ~CBarcodeOwner() = default;

    // Rotation in tenths of a degree: 0, 900, 1800 or 2700.
    virtual int GetOwnerRotation() = 0;
    // The owner's box on the device, as prepared for the present drawing; bars are clipped to it.
    virtual CRect GetOwnerDeviceRect() = 0;
    // The owner's width and height in micrometres, not turned.
    virtual CSize GetOwnerSize() = 0;
    virtual COLORREF GetOwnerTextColour() = 0;
    virtual bool IsOwnerTransparent() = 0;
    virtual void SetOwnerTransparent(bool transparent) = 0;
    // The one colour that lies under area (device pixels of dc) before the symbol is drawn: the
    // owner's fill when it is opaque, the paper where nothing has been printed yet. false when it
    // is not known; the symbol must then leave its light modules unpainted.
    virtual bool GetOwnerGround(HDC /*dc*/, const RECT& /*area*/, COLORREF* /*colour*/) { return false; }
    // The font as stored (height in pixels at 96 dpi, read as points by the EAN family).
    virtual void GetOwnerLogFont(LOGFONTA* out) = 0;
    // The font for the present device, zoom and rotation (escapement set).
    virtual void GetOwnerDrawLogFont(LOGFONTA* out) = 0;
    // Draws the human-readable line into the owner's box: topMargin pixels below the box's top,
    // xMargin pixels in from its start, with the owner's alignment and rotation.
    virtual void DrawCaption(CDC* dc, int topMargin, int xMargin, bool markShrunk, const char* text) = 0;
    // Whether the text of the present drawing is the design view's placeholder of the data to
    // come ("[A]", "{Date}", "{+1}") rather than data. A placeholder is drawn as far as the
    // symbology can draw it and is never refused; data the symbology cannot encode is not drawn.
    virtual bool IsOwnerTextPlaceholder() { return false; }
};
