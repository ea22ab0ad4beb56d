// Property forwarders of a collection. Three patterns: a setter goes to every selected member
// (for some, only to those that have the property); a value getter answers from the first selected
// member that has the property, or a fixed default; a flag query is true when any selected member
// answers true.
#include "labelmodel/graphcollection.h"

#include <cstring>

namespace {
const int kTextBuffer = 100;      // the callers' buffers of names and texts
const int kProbeBuffer = 32;      // enough to learn whether a member answers at all

// Font heights are pixels at 96 dots per inch; negative means character height.
int PointsFromHeight(int lfHeight)
{
    return lfHeight < 0 ? (48 - lfHeight * 72) / 96 : lfHeight;
}
}

// ---- position and size ----

int CGraphCollection::GetSelectedX()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetX() : -1;
}

int CGraphCollection::GetSelectedY()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetY() : -1;
}

int CGraphCollection::GetSelectedWidth()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetWidth() : -1;
}

int CGraphCollection::GetSelectedHeight()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetHeight() : -1;
}

void CGraphCollection::SetSelectedX(int v) { ForSelected([v](CGraphObject* o) { o->SetX(v); }); }
void CGraphCollection::SetSelectedY(int v) { ForSelected([v](CGraphObject* o) { o->SetY(v); }); }
void CGraphCollection::SetSelectedWidth(int v) { ForSelected([v](CGraphObject* o) { o->SetWidth(v); }); }
void CGraphCollection::SetSelectedHeight(int v) { ForSelected([v](CGraphObject* o) { o->SetHeight(v); }); }

// ---- shape ----

int CGraphCollection::GetSelectedLineWidth()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasLine(); });
    return o ? o->GetLineWidth() : 1000;
}

void CGraphCollection::SetSelectedLineWidth(int um)
{
    ForSelected([um](CGraphObject* o) { o->SetLineWidth(um); });
}

int CGraphCollection::GetSelectedCornerRadius()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->GetCornerRadius() != -1; });
    return o ? o->GetCornerRadius() : -1;
}

void CGraphCollection::SetSelectedCornerRadius(int um)
{
    ForSelected([um](CGraphObject* o) { o->SetCornerRadius(um); });
}

COLORREF CGraphCollection::GetSelectedLineColour()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetLineColour() : 0;
}

void CGraphCollection::SetSelectedLineColour(COLORREF c)
{
    ForSelected([c](CGraphObject* o) { o->SetLineColour(c); });
}

COLORREF CGraphCollection::GetSelectedFillColour()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasFill(); });
    return o ? o->GetFillColour() : 0;
}

void CGraphCollection::SetSelectedFillColour(COLORREF c)
{
    ForSelected([c](CGraphObject* o) { o->SetFillColour(c); });
}

bool CGraphCollection::IsTransparent()
{
    return AnySelected([](CGraphObject* o) { return o->IsTransparent(); });
}

bool CGraphCollection::HasTransparency()
{
    return AnySelected([](CGraphObject* o) { return o->HasTransparency(); });
}

void CGraphCollection::SetTransparent(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetTransparent(on); });
}

bool CGraphCollection::GetSelectedEquilateral()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasEquilateral(); });
    return o ? o->IsEquilateral() : false;
}

bool CGraphCollection::HasSelectedEquilateral()
{
    return AnySelected([](CGraphObject* o) { return o->HasEquilateral(); });
}

void CGraphCollection::SetSelectedEquilateral(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetEquilateral(on); });
}

// ---- text format ----

bool CGraphCollection::GetSelectedAlignment(int* out)
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasAlignment(); });
    int alignment = 0;
    if (!o || !out || !o->QueryAlignment(&alignment))
        return false;
    *out = alignment - 1;
    return true;
}

void CGraphCollection::SetSelectedAlignment(int alignment)
{
    ForSelected([alignment](CGraphObject* o) {
        if (o->HasAlignment())
            o->SetAlignment(alignment);
    });
}

bool CGraphCollection::GetSelectedFontName(char* out)
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasFont(); });
    LOGFONTA font = {};
    if (!o || !out || !o->GetLogFont(&font))
        return false;
    font.lfFaceName[LF_FACESIZE - 1] = 0;
    strncpy(out, font.lfFaceName, kTextBuffer - 1);
    out[kTextBuffer - 1] = 0;
    return true;
}

void CGraphCollection::SetSelectedFontName(const char* name)
{
    ForSelected([name](CGraphObject* o) { o->SetFontName(name); });
}

int CGraphCollection::GetSelectedFontSize()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasFont(); });
    LOGFONTA font = {};
    if (!o || !o->GetLogFont(&font))
        return -1;
    return PointsFromHeight(font.lfHeight);
}

void CGraphCollection::SetSelectedFontSize(int points)
{
    ForSelected([points](CGraphObject* o) {
        LOGFONTA font = {};
        if (!o->HasFont() || !o->GetLogFont(&font))
            return;
        font.lfHeight = -points * 96 / 72;
        o->SetLogFont(&font);
    });
}

bool CGraphCollection::IsSelectionBold()
{
    return AnySelected([](CGraphObject* o) { return o->HasFont() && o->IsBold(); });
}

bool CGraphCollection::IsSelectionItalic()
{
    return AnySelected([](CGraphObject* o) { return o->HasFont() && o->IsItalic(); });
}

bool CGraphCollection::IsSelectionUnderline()
{
    return AnySelected([](CGraphObject* o) { return o->HasFont() && o->IsUnderline(); });
}

void CGraphCollection::SetSelectionBold(bool on)
{
    ForSelected([on](CGraphObject* o) {
        if (o->HasFont())
            o->SetBold(on);
    });
}

void CGraphCollection::SetSelectionItalic(bool on)
{
    ForSelected([on](CGraphObject* o) {
        if (o->HasFont())
            o->SetItalic(on);
    });
}

void CGraphCollection::SetSelectionUnderline(bool on)
{
    ForSelected([on](CGraphObject* o) {
        if (o->HasFont())
            o->SetUnderline(on);
    });
}

COLORREF CGraphCollection::GetSelectedTextColour()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasTextColour(); });
    return o ? o->GetTextColour() : 0;
}

void CGraphCollection::SetSelectedTextColour(COLORREF c)
{
    ForSelected([c](CGraphObject* o) { o->SetTextColour(c); });
}

bool CGraphCollection::GetSelectedShrinkToFit()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasShrinkToFit(); });
    return o ? o->IsShrinkToFit() : false;
}

bool CGraphCollection::HasSelectedShrinkToFit()
{
    return AnySelected([](CGraphObject* o) { return o->HasShrinkToFit(); });
}

void CGraphCollection::SetSelectedShrinkToFit(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetShrinkToFit(on); });
}

bool CGraphCollection::GetSelectedCentred()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasCentring(); });
    return o ? o->IsCentred() : false;
}

bool CGraphCollection::HasSelectedCentring()
{
    return AnySelected([](CGraphObject* o) { return o->HasCentring(); });
}

void CGraphCollection::SetSelectedCentred(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetCentred(on); });
}

bool CGraphCollection::QueryTextLogFont(LOGFONTA* out)
{
    return AnySelected([out](CGraphObject* o) { return o->QueryTextLogFont(out); });
}

void CGraphCollection::SetTextLogFont(const LOGFONTA* font)
{
    ForSelected([font](CGraphObject* o) { o->SetTextLogFont(font); });
}

int CGraphCollection::GetCharSet()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasCharSet(); });
    return o ? o->GetCharSet() : 1;
}

bool CGraphCollection::HasCharSet()
{
    return AnySelected([](CGraphObject* o) { return o->HasCharSet(); });
}

void CGraphCollection::SetCharSet(int charSet)
{
    ForSelected([charSet](CGraphObject* o) {
        if (o->HasCharSet())
            o->SetCharSet(charSet);
    });
}

// ---- data source ----

int CGraphCollection::GetSelectedSourceKind()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->GetSourceKind() != -1; });
    return o ? o->GetSourceKind() : -1;
}

void CGraphCollection::SetSelectedSourceKind(int kind)
{
    ForSelected([kind](CGraphObject* o) { o->SetSourceKind(kind); });
}

bool CGraphCollection::HasSelectedColumnName()
{
    return AnySelected([](CGraphObject* o) {
        char name[kTextBuffer] = {};
        return o->GetColumnName(name, sizeof(name));
    });
}

void CGraphCollection::SetSelectedColumnName(const char* name)
{
    ForSelected([name](CGraphObject* o) { o->SetColumnName(name); });
}

bool CGraphCollection::HasTextSource()
{
    return AnySelected([](CGraphObject* o) { return o->HasTextSource(); });
}

bool CGraphCollection::HasImageSource()
{
    return AnySelected([](CGraphObject* o) { return o->HasImageSource(); });
}

bool CGraphCollection::IsFileSource()
{
    return AnySelected([](CGraphObject* o) { return o->IsFileSource(); });
}

// ---- images ----

bool CGraphCollection::SetImagePath(const char* path)
{
    bool any = false;
    ForSelected([&](CGraphObject* o) {
        if (o->SetImagePath(path))
            any = true;
    });
    return any;
}

bool CGraphCollection::IsImageSelected()
{
    return AnySelected([](CGraphObject* o) { return o->IsImage(); });
}

bool CGraphCollection::CopyPictureToClipboard()
{
    return AnySelected([](CGraphObject* o) { return o->CopyPictureToClipboard(); });
}

// ---- barcodes ----

bool CGraphCollection::GetSelectedSymbologyName(char* out)
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o && out ? o->GetSymbologyName(out, kTextBuffer) : false;
}

bool CGraphCollection::SetSelectedSymbology(const char* name)
{
    bool any = false;
    ForSelected([&](CGraphObject* o) {
        if (o->SetSymbologyByName(name))
            any = true;
    });
    return any;
}

bool CGraphCollection::GetSelectedModuleWidthText(char* out)
{
    if (!out)
        return false;
    return AnySelected([out](CGraphObject* o) {
        return o->GetModuleWidthText(out, kTextBuffer) || o->GetMagnificationText(out, kTextBuffer);
    });
}

int CGraphCollection::GetSelectedModuleWidth()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) {
        char probe[kProbeBuffer];
        return m->GetModuleWidthText(probe, sizeof(probe));
    });
    return o ? o->GetModuleWidth() : -1;
}

void CGraphCollection::SetSelectedModuleWidth(int um)
{
    ForSelected([um](CGraphObject* o) { o->SetModuleWidth(um); });
}

void CGraphCollection::SetSelectedMagnificationPercent(int percent)
{
    ForSelected([percent](CGraphObject* o) {
        if (o->UsesMagnification())
            o->SetModuleWidth(percent);
    });
}

bool CGraphCollection::GetSelectedBarHeightText(char* out)
{
    if (!out)
        return false;
    return AnySelected([out](CGraphObject* o) {
        return o->GetBarHeightText(out, kTextBuffer) || o->GetHeightPercentText(out, kTextBuffer);
    });
}

int CGraphCollection::GetSelectedBarHeight()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) {
        char probe[kProbeBuffer];
        return m->GetBarHeightText(probe, sizeof(probe));
    });
    return o ? o->GetBarHeight() : -1;
}

void CGraphCollection::SetSelectedBarHeight(int um)
{
    ForSelected([um](CGraphObject* o) { o->SetBarHeight(um); });
}

void CGraphCollection::SetSelectedHeightPercent(int percent)
{
    ForSelected([percent](CGraphObject* o) {
        if (o->UsesMagnification())
            o->SetBarHeight(percent);
    });
}

bool CGraphCollection::GetSelectedRatioText(char* out)
{
    return out && AnySelected([out](CGraphObject* o) { return o->GetRatioText(out, kTextBuffer); });
}

void CGraphCollection::SetSelectedRatioText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetRatioText(text); });
}

bool CGraphCollection::GetSelectedSpaceCorrectionText(char* out, int size)
{
    return out && AnySelected([=](CGraphObject* o) { return o->GetSpaceCorrectionText(out, size); });
}

void CGraphCollection::SetSelectedSpaceCorrectionText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetSpaceCorrectionText(text); });
}

bool CGraphCollection::GetSelectedVersionText(char* out, int size)
{
    return out && AnySelected([=](CGraphObject* o) { return o->GetVersionText(out, size); });
}

void CGraphCollection::SetSelectedVersionText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetVersionText(text); });
}

bool CGraphCollection::GetSelectedErrorCorrectionLevelText(char* out, int size)
{
    return out && AnySelected([=](CGraphObject* o) { return o->GetErrorCorrectionLevelText(out, size); });
}

void CGraphCollection::SetSelectedErrorCorrectionLevelText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetErrorCorrectionLevelText(text); });
}

bool CGraphCollection::GetSelectedEncodingModeName(char* out, int size)
{
    return out && AnySelected([=](CGraphObject* o) { return o->GetEncodingModeName(out, size); });
}

void CGraphCollection::SetSelectedEncodingModeByName(const char* name)
{
    ForSelected([name](CGraphObject* o) { o->SetEncodingModeByName(name); });
}

bool CGraphCollection::GetSelectedMarginText(char* out, int size)
{
    return out && AnySelected([=](CGraphObject* o) { return o->GetMarginText(out, size); });
}

void CGraphCollection::SetSelectedMarginText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetMarginText(text); });
}

bool CGraphCollection::HasSelectedCheckDigit()
{
    return AnySelected([](CGraphObject* o) { return o->HasCheckDigit(); });
}

bool CGraphCollection::GetSelectedCheckDigit()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetCheckDigit() : false;
}

void CGraphCollection::SetSelectedCheckDigit(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetCheckDigit(on); });
}

bool CGraphCollection::HasSelectedHumanReadable()
{
    return AnySelected([](CGraphObject* o) { return o->HasHumanReadable(); });
}

bool CGraphCollection::GetSelectedHumanReadable()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetHumanReadable() : false;
}

void CGraphCollection::SetSelectedHumanReadable(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetHumanReadable(on); });
}

bool CGraphCollection::CanSelectedShowCheckDigitInText()
{
    return AnySelected([](CGraphObject* o) { return o->CanShowCheckDigitInText(); });
}

bool CGraphCollection::GetSelectedCheckDigitInText()
{
    CGraphObject* o = FirstSelected([](CGraphObject*) { return true; });
    return o ? o->GetCheckDigitInText() : false;
}

void CGraphCollection::SetSelectedCheckDigitInText(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetCheckDigitInText(on); });
}

int CGraphCollection::GetSelectedModuleWidthUnit()
{
    int units = 0;
    ForSelected([&](CGraphObject* o) { units |= o->GetModuleWidthUnit(); });
    return units;
}

int CGraphCollection::GetSelectedBarHeightUnit()
{
    int units = 0;
    ForSelected([&](CGraphObject* o) { units |= o->GetBarHeightUnit(); });
    return units;
}

// ---- counter, separator and date fields ----

bool CGraphCollection::GetCounterPrefix(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetCounterPrefix(out, size); });
}

void CGraphCollection::SetCounterPrefix(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetCounterPrefix(text); });
}

bool CGraphCollection::GetCounterStartText(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetCounterStartText(out, size); });
}

void CGraphCollection::SetCounterStartText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetCounterStartText(text); });
}

bool CGraphCollection::GetCounterSuffix(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetCounterSuffix(out, size); });
}

void CGraphCollection::SetCounterSuffix(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetCounterSuffix(text); });
}

bool CGraphCollection::IsCounterZeroPadded()
{
    CGraphObject* o = FirstSelected([](CGraphObject* m) { return m->HasCounterOptions(); });
    return o ? o->IsCounterZeroPadded() : false;
}

bool CGraphCollection::HasCounterOptions()
{
    return AnySelected([](CGraphObject* o) { return o->HasCounterOptions(); });
}

void CGraphCollection::SetCounterZeroPadded(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetCounterZeroPadded(on); });
}

bool CGraphCollection::GetCounterDigitsText(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetCounterDigitsText(out, size); });
}

void CGraphCollection::SetCounterDigitsText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetCounterDigitsText(text); });
}

bool CGraphCollection::GetSeparatorName(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetSeparatorName(out, size); });
}

void CGraphCollection::SetSeparatorName(const char* name)
{
    ForSelected([name](CGraphObject* o) { o->SetSeparatorName(name); });
}

bool CGraphCollection::IsSeparatorAlways()
{
    return AnySelected([](CGraphObject* o) { return o->IsSeparatorAlways(); });
}

bool CGraphCollection::HasSeparator()
{
    return AnySelected([](CGraphObject* o) { return o->HasSeparator(); });
}

void CGraphCollection::SetSeparatorAlways(bool on)
{
    ForSelected([on](CGraphObject* o) { o->SetSeparatorAlways(on); });
}

bool CGraphCollection::GetDatePartName(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetDatePartName(out, size); });
}

void CGraphCollection::SetDatePartByName(const char* name)
{
    ForSelected([name](CGraphObject* o) { o->SetDatePartByName(name); });
}

bool CGraphCollection::HasDatePart()
{
    return AnySelected([](CGraphObject* o) { return o->HasDatePart(); });
}

bool CGraphCollection::HasDateOffset()
{
    return AnySelected([](CGraphObject* o) { return o->HasDateOffset(); });
}

bool CGraphCollection::GetDateOffsetText(char* out, int size)
{
    return AnySelected([=](CGraphObject* o) { return o->GetDateOffsetText(out, size); });
}

void CGraphCollection::SetDateOffsetText(const char* text)
{
    ForSelected([text](CGraphObject* o) { o->SetDateOffsetText(text); });
}
