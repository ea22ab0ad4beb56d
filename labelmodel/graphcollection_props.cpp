// Property forwarders of a collection. Every property of the selection asks or changes the
// selected members, in list order, by one of a few rules, and each forwarder names its rule:
//   FromFirstSelected     a getter answers from the first selected member, whatever it is
//   FromFirstThatHas(X)   a getter answers from the first selected member for which X is true
//                         (HasFont, HasLine ...); members without the property are skipped
//   FirstThatAnswers      the selected members are asked in turn until one answers; its answer,
//                         left in the caller's buffer, is the collection's
//   FirstNumberAnswered   the same for a number: the first answer other than -1
//   Any                   a flag is true when any selected member answers true
//   AnyThatHas(X)         the same over the selected members for which X is true
//   ToEverySelected       a setter goes to every selected member
//   ToEveryThatHas(X)     a setter goes only to the selected members for which X is true
//   ToEverySelectedAnyAccepts  ToEverySelected for setters that answer: true when any accepted
//   UnionOverSelected     the bits of every selected member's answer together
// A getter with no member to answer gives the property's fixed default. A guard on a getter that
// its setter lacks is deliberate: a member without the property ignores the value.
#include "labelmodel/graphcollection.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {
// What the collection asks or sets: the operations of its members.
using Member = CGraphObject;

const int kTextBuffer = 100;      // the callers' buffers of names and texts
const int kProbeBuffer = 32;      // enough to learn whether a member answers at all
const int kNoNumber = -1;         // a number that no member gave
const int kNoLineWidth = 1000;    // shown when no selected member has a line
const int kNoCharSet = 1;         // shown when no selected member has a character set

// ---- the rules ----

// The first selected member for which pred (a member query or a function) is true, or nullptr.
template <class Pred> CGraphObject* FirstSelectedWhere(const CGraphCollection& c, Pred pred)
{
    for (int i = 0; i < c.GetCount(); ++i) {
        CGraphObject* o = c.GetAt(i);
        if (o->IsSelected() && std::invoke(pred, o))
            return o;
    }
    return nullptr;
}

// The selected members, taken before a setter runs so that no setter can disturb the walk.
std::vector<CGraphObject*> SelectedMembers(const CGraphCollection& c)
{
    std::vector<CGraphObject*> selected;
    for (int i = 0; i < c.GetCount(); ++i)
        if (c.GetAt(i)->IsSelected())
            selected.push_back(c.GetAt(i));
    return selected;
}

CGraphObject* FirstSelectedMember(const CGraphCollection& c)
{
    return FirstSelectedWhere(c, [](CGraphObject*) { return true; });
}

template <class Has> CGraphObject* FirstThatHas(const CGraphCollection& c, Has has)
{
    return FirstSelectedWhere(c, has);
}

// The answer of the member a rule chose, or the default when it chose none.
template <class Get, class Default> auto AnswerOf(CGraphObject* o, Get get, Default dflt)
{
    using Answer = decltype(std::invoke(get, o));
    return o ? std::invoke(get, o) : static_cast<Answer>(dflt);
}

template <class Get, class Default> auto FromFirstSelected(const CGraphCollection& c, Get get, Default dflt)
{
    return AnswerOf(FirstSelectedMember(c), get, dflt);
}

template <class Has, class Get, class Default>
auto FromFirstThatHas(const CGraphCollection& c, Has has, Get get, Default dflt)
{
    return AnswerOf(FirstThatHas(c, has), get, dflt);
}

template <class Ask, class... Args> bool FirstThatAnswers(const CGraphCollection& c, Ask ask, Args... args)
{
    return FirstSelectedWhere(c, [&](CGraphObject* o) { return std::invoke(ask, o, args...); }) != nullptr;
}

template <class Get> int FirstNumberAnswered(const CGraphCollection& c, Get get)
{
    CGraphObject* o = FirstSelectedWhere(c, [&](CGraphObject* m) { return std::invoke(get, m) != kNoNumber; });
    return o ? std::invoke(get, o) : kNoNumber;
}

template <class Ask> bool Any(const CGraphCollection& c, Ask ask)
{
    return FirstSelectedWhere(c, ask) != nullptr;
}

template <class Has, class Ask> bool AnyThatHas(const CGraphCollection& c, Has has, Ask ask)
{
    return Any(c, [&](CGraphObject* o) { return std::invoke(has, o) && std::invoke(ask, o); });
}

template <class Set, class... Args> void ToEverySelected(const CGraphCollection& c, Set set, Args... args)
{
    for (CGraphObject* o : SelectedMembers(c))
        std::invoke(set, o, args...);
}

template <class Has, class Set, class... Args>
void ToEveryThatHas(const CGraphCollection& c, Has has, Set set, Args... args)
{
    for (CGraphObject* o : SelectedMembers(c))
        if (std::invoke(has, o))
            std::invoke(set, o, args...);
}

// ToEverySelected for setters that answer: true when any member accepted the value.
template <class Set, class... Args>
bool ToEverySelectedAnyAccepts(const CGraphCollection& c, Set set, Args... args)
{
    bool any = false;
    for (CGraphObject* o : SelectedMembers(c))
        any = std::invoke(set, o, args...) || any;
    return any;
}

// The bitwise OR of every selected member's answer (0 when none is selected).
template <class Get> int UnionOverSelected(const CGraphCollection& c, Get get)
{
    int bits = 0;
    for (CGraphObject* o : SelectedMembers(c))
        bits |= std::invoke(get, o);
    return bits;
}

// ---- queries and settings that are not one member operation ----

bool HasModuleWidthText(CGraphObject* o)
{
    char probe[kProbeBuffer];
    return o->GetModuleWidthText(probe, sizeof(probe));
}

bool HasBarHeightText(CGraphObject* o)
{
    char probe[kProbeBuffer];
    return o->GetBarHeightText(probe, sizeof(probe));
}

bool HasColumnName(CGraphObject* o)
{
    char name[kTextBuffer] = {};
    return o->GetColumnName(name, sizeof(name));
}

// Font heights are pixels at 96 dots per inch; negative means character height.
int PointsFromHeight(int lfHeight)
{
    return lfHeight < 0 ? (48 - lfHeight * 72) / 96 : lfHeight;
}

void SetFontPoints(CGraphObject* o, int points)
{
    LOGFONTA font = {};
    if (!o->GetLogFont(&font))
        return;
    font.lfHeight = -points * 96 / 72;
    o->SetLogFont(&font);
}
}

// ---- position and size ----

int CGraphCollection::GetSelectedX() { return FromFirstSelected(*this, &Member::GetX, kNoNumber); }
int CGraphCollection::GetSelectedY() { return FromFirstSelected(*this, &Member::GetY, kNoNumber); }
int CGraphCollection::GetSelectedWidth() { return FromFirstSelected(*this, &Member::GetWidth, kNoNumber); }
int CGraphCollection::GetSelectedHeight() { return FromFirstSelected(*this, &Member::GetHeight, kNoNumber); }
void CGraphCollection::SetSelectedX(int v) { ToEverySelected(*this, &Member::SetX, v); }
void CGraphCollection::SetSelectedY(int v) { ToEverySelected(*this, &Member::SetY, v); }
void CGraphCollection::SetSelectedWidth(int v) { ToEverySelected(*this, &Member::SetWidth, v); }
void CGraphCollection::SetSelectedHeight(int v) { ToEverySelected(*this, &Member::SetHeight, v); }

// ---- shape ----

int CGraphCollection::GetSelectedLineWidth()
{
    return FromFirstThatHas(*this, &Member::HasLine, &Member::GetLineWidth, kNoLineWidth);
}

void CGraphCollection::SetSelectedLineWidth(int um) { ToEverySelected(*this, &Member::SetLineWidth, um); }

int CGraphCollection::GetSelectedCornerRadius() { return FirstNumberAnswered(*this, &Member::GetCornerRadius); }
void CGraphCollection::SetSelectedCornerRadius(int um) { ToEverySelected(*this, &Member::SetCornerRadius, um); }

COLORREF CGraphCollection::GetSelectedLineColour() { return FromFirstSelected(*this, &Member::GetLineColour, 0); }
void CGraphCollection::SetSelectedLineColour(COLORREF c) { ToEverySelected(*this, &Member::SetLineColour, c); }

COLORREF CGraphCollection::GetSelectedFillColour()
{
    return FromFirstThatHas(*this, &Member::HasFill, &Member::GetFillColour, 0);
}

void CGraphCollection::SetSelectedFillColour(COLORREF c) { ToEverySelected(*this, &Member::SetFillColour, c); }

bool CGraphCollection::IsTransparent() { return Any(*this, &Member::IsTransparent); }
bool CGraphCollection::HasTransparency() { return Any(*this, &Member::HasTransparency); }
void CGraphCollection::SetTransparent(bool on) { ToEverySelected(*this, &Member::SetTransparent, on); }

// ---- text format ----

bool CGraphCollection::GetSelectedAlignment(int* out)
{
    CGraphObject* o = FirstThatHas(*this, &Member::HasAlignment);
    int alignment = 0;
    if (!o || !out || !o->QueryAlignment(&alignment))
        return false;
    *out = alignment - 1;
    return true;
}

void CGraphCollection::SetSelectedAlignment(int alignment)
{
    ToEveryThatHas(*this, &Member::HasAlignment, &Member::SetAlignment, alignment);
}

bool CGraphCollection::GetSelectedFontName(char* out)
{
    CGraphObject* o = FirstThatHas(*this, &Member::HasFont);
    LOGFONTA font = {};
    if (!o || !out || !o->GetLogFont(&font))
        return false;
    font.lfFaceName[LF_FACESIZE - 1] = 0;
    strncpy(out, font.lfFaceName, kTextBuffer - 1);
    out[kTextBuffer - 1] = 0;
    return true;
}

void CGraphCollection::SetSelectedFontName(const char* name) { ToEverySelected(*this, &Member::SetFontName, name); }

int CGraphCollection::GetSelectedFontSize()
{
    CGraphObject* o = FirstThatHas(*this, &Member::HasFont);
    LOGFONTA font = {};
    if (!o || !o->GetLogFont(&font))
        return kNoNumber;
    return PointsFromHeight(font.lfHeight);
}

void CGraphCollection::SetSelectedFontSize(int points)
{
    ToEveryThatHas(*this, &Member::HasFont, SetFontPoints, points);
}

// The style shown is that of the member whose face and size are shown, so that toggling it
// turns a mixed selection to the opposite of what the user sees.
bool CGraphCollection::IsSelectionBold() { return AnyThatHas(*this, &Member::HasFont, &Member::IsBold); }
bool CGraphCollection::IsSelectionItalic() { return AnyThatHas(*this, &Member::HasFont, &Member::IsItalic); }
bool CGraphCollection::IsSelectionUnderline() { return AnyThatHas(*this, &Member::HasFont, &Member::IsUnderline); }
void CGraphCollection::SetSelectionBold(bool on) { ToEveryThatHas(*this, &Member::HasFont, &Member::SetBold, on); }
void CGraphCollection::SetSelectionItalic(bool on) { ToEveryThatHas(*this, &Member::HasFont, &Member::SetItalic, on); }
void CGraphCollection::SetSelectionUnderline(bool on) { ToEveryThatHas(*this, &Member::HasFont, &Member::SetUnderline, on); }

COLORREF CGraphCollection::GetSelectedTextColour()
{
    return FromFirstThatHas(*this, &Member::HasTextColour, &Member::GetTextColour, 0);
}

void CGraphCollection::SetSelectedTextColour(COLORREF c) { ToEverySelected(*this, &Member::SetTextColour, c); }

bool CGraphCollection::QueryTextLogFont(LOGFONTA* out)
{
    return FirstThatAnswers(*this, &Member::QueryTextLogFont, out);
}

void CGraphCollection::SetTextLogFont(const LOGFONTA* font) { ToEverySelected(*this, &Member::SetTextLogFont, font); }

int CGraphCollection::GetCharSet()
{
    return FromFirstThatHas(*this, &Member::HasCharSet, &Member::GetCharSet, kNoCharSet);
}

bool CGraphCollection::HasCharSet() { return Any(*this, &Member::HasCharSet); }

void CGraphCollection::SetCharSet(int charSet)
{
    ToEveryThatHas(*this, &Member::HasCharSet, &Member::SetCharSet, charSet);
}

// ---- options only some members offer: the warning sign, shrinking text to fit, centring ----

bool CGraphCollection::HasSelectedEquilateral() { return Any(*this, &Member::HasEquilateral); }
bool CGraphCollection::HasSelectedShrinkToFit() { return Any(*this, &Member::HasShrinkToFit); }
bool CGraphCollection::HasSelectedCentring() { return Any(*this, &Member::HasCentring); }

bool CGraphCollection::GetSelectedEquilateral()
{
    return FromFirstThatHas(*this, &Member::HasEquilateral, &Member::IsEquilateral, false);
}

bool CGraphCollection::GetSelectedShrinkToFit()
{
    return FromFirstThatHas(*this, &Member::HasShrinkToFit, &Member::IsShrinkToFit, false);
}

bool CGraphCollection::GetSelectedCentred()
{
    return FromFirstThatHas(*this, &Member::HasCentring, &Member::IsCentred, false);
}

void CGraphCollection::SetSelectedEquilateral(bool on) { ToEverySelected(*this, &Member::SetEquilateral, on); }
void CGraphCollection::SetSelectedShrinkToFit(bool on) { ToEverySelected(*this, &Member::SetShrinkToFit, on); }
void CGraphCollection::SetSelectedCentred(bool on) { ToEverySelected(*this, &Member::SetCentred, on); }

// ---- data source ----

int CGraphCollection::GetSelectedSourceKind() { return FirstNumberAnswered(*this, &Member::GetSourceKind); }
void CGraphCollection::SetSelectedSourceKind(int kind) { ToEverySelected(*this, &Member::SetSourceKind, kind); }
bool CGraphCollection::HasSelectedColumnName() { return Any(*this, HasColumnName); }
void CGraphCollection::SetSelectedColumnName(const char* name) { ToEverySelected(*this, &Member::SetColumnName, name); }
bool CGraphCollection::HasTextSource() { return Any(*this, &Member::HasTextSource); }
bool CGraphCollection::HasImageSource() { return Any(*this, &Member::HasImageSource); }
bool CGraphCollection::IsFileSource() { return Any(*this, &Member::IsFileSource); }

// ---- images ----

bool CGraphCollection::SetImagePath(const char* path)
{
    return ToEverySelectedAnyAccepts(*this, &Member::SetImagePath, path);
}

bool CGraphCollection::IsImageSelected() { return Any(*this, &Member::IsImage); }

// The first member that manages to copy its picture is the one on the clipboard.
bool CGraphCollection::CopyPictureToClipboard() { return FirstThatAnswers(*this, &Member::CopyPictureToClipboard); }

// ---- barcodes ----

bool CGraphCollection::GetSelectedSymbologyName(char* out)
{
    CGraphObject* o = FirstSelectedMember(*this);
    return o && out ? o->GetSymbologyName(out, kTextBuffer) : false;
}

bool CGraphCollection::SetSelectedSymbology(const char* name)
{
    return ToEverySelectedAnyAccepts(*this, &Member::SetSymbologyByName, name);
}

// A symbology sized by magnification shows its percentage where others show a module width.
bool CGraphCollection::GetSelectedModuleWidthText(char* out)
{
    return out && FirstThatAnswers(*this, [out](CGraphObject* o) {
        return o->GetModuleWidthText(out, kTextBuffer) || o->GetMagnificationText(out, kTextBuffer);
    });
}

int CGraphCollection::GetSelectedModuleWidth()
{
    return FromFirstThatHas(*this, HasModuleWidthText, &Member::GetModuleWidth, kNoNumber);
}

void CGraphCollection::SetSelectedModuleWidth(int um) { ToEverySelected(*this, &Member::SetModuleWidth, um); }

// A magnification is stored where the module width would be.
void CGraphCollection::SetSelectedMagnificationPercent(int percent)
{
    ToEveryThatHas(*this, &Member::UsesMagnification, &Member::SetModuleWidth, percent);
}

bool CGraphCollection::GetSelectedBarHeightText(char* out)
{
    return out && FirstThatAnswers(*this, [out](CGraphObject* o) {
        return o->GetBarHeightText(out, kTextBuffer) || o->GetHeightPercentText(out, kTextBuffer);
    });
}

int CGraphCollection::GetSelectedBarHeight()
{
    return FromFirstThatHas(*this, HasBarHeightText, &Member::GetBarHeight, kNoNumber);
}

void CGraphCollection::SetSelectedBarHeight(int um) { ToEverySelected(*this, &Member::SetBarHeight, um); }

void CGraphCollection::SetSelectedHeightPercent(int percent)
{
    ToEveryThatHas(*this, &Member::UsesMagnification, &Member::SetBarHeight, percent);
}

bool CGraphCollection::GetSelectedRatioText(char* out)
{
    return out && FirstThatAnswers(*this, &Member::GetRatioText, out, kTextBuffer);
}

void CGraphCollection::SetSelectedRatioText(const char* text)
{
    ToEverySelected(*this, &Member::SetRatioText, text);
}

bool CGraphCollection::GetSelectedSpaceCorrectionText(char* out, int size)
{
    return out && FirstThatAnswers(*this, &Member::GetSpaceCorrectionText, out, size);
}

void CGraphCollection::SetSelectedSpaceCorrectionText(const char* text)
{
    ToEverySelected(*this, &Member::SetSpaceCorrectionText, text);
}

bool CGraphCollection::GetSelectedVersionText(char* out, int size)
{
    return out && FirstThatAnswers(*this, &Member::GetVersionText, out, size);
}

void CGraphCollection::SetSelectedVersionText(const char* text)
{
    ToEverySelected(*this, &Member::SetVersionText, text);
}

bool CGraphCollection::GetSelectedErrorCorrectionLevelText(char* out, int size)
{
    return out && FirstThatAnswers(*this, &Member::GetErrorCorrectionLevelText, out, size);
}

void CGraphCollection::SetSelectedErrorCorrectionLevelText(const char* text)
{
    ToEverySelected(*this, &Member::SetErrorCorrectionLevelText, text);
}

bool CGraphCollection::GetSelectedEncodingModeName(char* out, int size)
{
    return out && FirstThatAnswers(*this, &Member::GetEncodingModeName, out, size);
}

void CGraphCollection::SetSelectedEncodingModeByName(const char* name)
{
    ToEverySelected(*this, &Member::SetEncodingModeByName, name);
}

bool CGraphCollection::GetSelectedMarginText(char* out, int size)
{
    return out && FirstThatAnswers(*this, &Member::GetMarginText, out, size);
}

void CGraphCollection::SetSelectedMarginText(const char* text)
{
    ToEverySelected(*this, &Member::SetMarginText, text);
}

// Check digit, human-readable text and the check digit within it: whether any member offers the
// option, the state of the first selected member, and the new state for all.
bool CGraphCollection::HasSelectedCheckDigit() { return Any(*this, &Member::HasCheckDigit); }
bool CGraphCollection::GetSelectedCheckDigit() { return FromFirstSelected(*this, &Member::GetCheckDigit, false); }
void CGraphCollection::SetSelectedCheckDigit(bool on) { ToEverySelected(*this, &Member::SetCheckDigit, on); }

bool CGraphCollection::HasSelectedHumanReadable() { return Any(*this, &Member::HasHumanReadable); }

bool CGraphCollection::GetSelectedHumanReadable()
{
    return FromFirstSelected(*this, &Member::GetHumanReadable, false);
}

void CGraphCollection::SetSelectedHumanReadable(bool on) { ToEverySelected(*this, &Member::SetHumanReadable, on); }

bool CGraphCollection::CanSelectedShowCheckDigitInText() { return Any(*this, &Member::CanShowCheckDigitInText); }

bool CGraphCollection::GetSelectedCheckDigitInText()
{
    return FromFirstSelected(*this, &Member::GetCheckDigitInText, false);
}

void CGraphCollection::SetSelectedCheckDigitInText(bool on)
{
    ToEverySelected(*this, &Member::SetCheckDigitInText, on);
}

// The units of the selection's module widths and bar heights, all of them together.
int CGraphCollection::GetSelectedModuleWidthUnit() { return UnionOverSelected(*this, &Member::GetModuleWidthUnit); }
int CGraphCollection::GetSelectedBarHeightUnit() { return UnionOverSelected(*this, &Member::GetBarHeightUnit); }

// ---- counter, separator and date fields ----

bool CGraphCollection::GetCounterPrefix(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetCounterPrefix, out, size);
}

void CGraphCollection::SetCounterPrefix(const char* text) { ToEverySelected(*this, &Member::SetCounterPrefix, text); }

bool CGraphCollection::GetCounterStartText(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetCounterStartText, out, size);
}

void CGraphCollection::SetCounterStartText(const char* text)
{
    ToEverySelected(*this, &Member::SetCounterStartText, text);
}

bool CGraphCollection::GetCounterSuffix(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetCounterSuffix, out, size);
}

void CGraphCollection::SetCounterSuffix(const char* text) { ToEverySelected(*this, &Member::SetCounterSuffix, text); }

bool CGraphCollection::IsCounterZeroPadded()
{
    return FromFirstThatHas(*this, &Member::HasCounterOptions, &Member::IsCounterZeroPadded, false);
}

bool CGraphCollection::HasCounterOptions() { return Any(*this, &Member::HasCounterOptions); }
void CGraphCollection::SetCounterZeroPadded(bool on) { ToEverySelected(*this, &Member::SetCounterZeroPadded, on); }

bool CGraphCollection::GetCounterDigitsText(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetCounterDigitsText, out, size);
}

void CGraphCollection::SetCounterDigitsText(const char* text)
{
    ToEverySelected(*this, &Member::SetCounterDigitsText, text);
}

bool CGraphCollection::GetSeparatorName(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetSeparatorName, out, size);
}

void CGraphCollection::SetSeparatorName(const char* name) { ToEverySelected(*this, &Member::SetSeparatorName, name); }
bool CGraphCollection::IsSeparatorAlways() { return Any(*this, &Member::IsSeparatorAlways); }
bool CGraphCollection::HasSeparator() { return Any(*this, &Member::HasSeparator); }
void CGraphCollection::SetSeparatorAlways(bool on) { ToEverySelected(*this, &Member::SetSeparatorAlways, on); }

bool CGraphCollection::GetDatePartName(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetDatePartName, out, size);
}

void CGraphCollection::SetDatePartByName(const char* name) { ToEverySelected(*this, &Member::SetDatePartByName, name); }
bool CGraphCollection::HasDatePart() { return Any(*this, &Member::HasDatePart); }
bool CGraphCollection::HasDateOffset() { return Any(*this, &Member::HasDateOffset); }

bool CGraphCollection::GetDateOffsetText(char* out, int size)
{
    return FirstThatAnswers(*this, &Member::GetDateOffsetText, out, size);
}

void CGraphCollection::SetDateOffsetText(const char* text) { ToEverySelected(*this, &Member::SetDateOffsetText, text); }
