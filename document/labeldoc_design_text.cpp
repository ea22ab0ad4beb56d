// Design commands of the project document, part two: text format and the remembered defaults,
// barcode properties, the options of counter, date and table fields, and the selection's
// geometry, line width and corner radius.
#include "document/registrydefaults.h"
#include "document/designpattern.h"
#include "document/designtext.h"

#include "labelmodel/graphcollection.h"
#include "labelmodel/graphtext.h"

#include <climits>
#include <cstring>


// ---------------------------------------------------------------------------------------------
// Text format and the default font

namespace {
enum FontStyle { kStyleBold, kStyleItalic, kStyleUnderline };
} // namespace

bool COstrelindSoftLabelDoc::ToggleFontStyle(int area, int which)
{
    if (DesignArea(area) == nullptr)
        return false;
    bool changed = false;
    if (CGraphCollection* objects = SelectedArea(area)) {
        const bool current = which == kStyleBold ? objects->IsSelectionBold()
                           : which == kStyleItalic ? objects->IsSelectionItalic() : objects->IsSelectionUnderline();
        changed = ChangeAreaIfChanged(area, [which, on = !current](CGraphCollection& c) {
            if (which == kStyleBold)
                c.SetSelectionBold(on);
            else if (which == kStyleItalic)
                c.SetSelectionItalic(on);
            else
                c.SetSelectionUnderline(on);
        });
    }
    // The default font of new text objects follows every toggle, with or without a selection.
    if (which == kStyleBold) {
        m_defaultFont.lfWeight = m_defaultFont.lfWeight == FW_BOLD ? FW_NORMAL : FW_BOLD;
        RegistryDefaults::WriteFontBold(m_defaultFont.lfWeight == FW_BOLD);
    } else if (which == kStyleItalic) {
        m_defaultFont.lfItalic = m_defaultFont.lfItalic ? 0 : 1;
        RegistryDefaults::WriteFontItalic(m_defaultFont.lfItalic != 0);
    } else {
        m_defaultFont.lfUnderline = m_defaultFont.lfUnderline ? 0 : 1;
        RegistryDefaults::WriteFontUnderline(m_defaultFont.lfUnderline != 0);
    }
    return changed;
}

bool COstrelindSoftLabelDoc::ToggleBold(int area) { return ToggleFontStyle(area, kStyleBold); }
bool COstrelindSoftLabelDoc::ToggleItalic(int area) { return ToggleFontStyle(area, kStyleItalic); }
bool COstrelindSoftLabelDoc::ToggleUnderline(int area) { return ToggleFontStyle(area, kStyleUnderline); }

bool COstrelindSoftLabelDoc::IsBold(int area) const
{
    if (DesignArea(area) == nullptr)
        return false;
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->IsSelectionBold() : m_defaultFont.lfWeight == FW_BOLD;
}

bool COstrelindSoftLabelDoc::IsItalic(int area) const
{
    if (DesignArea(area) == nullptr)
        return false;
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->IsSelectionItalic() : m_defaultFont.lfItalic != 0;
}

bool COstrelindSoftLabelDoc::IsUnderline(int area) const
{
    if (DesignArea(area) == nullptr)
        return false;
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->IsSelectionUnderline() : m_defaultFont.lfUnderline != 0;
}

const char* COstrelindSoftLabelDoc::GetFontFaceName(int area) const
{
    static char face[100];
    face[0] = 0;
    if (DesignArea(area) == nullptr)
        return face;
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || !objects->GetSelectedFontName(face))
        lstrcpynA(face, m_defaultFont.lfFaceName, sizeof face);
    return face;
}

bool COstrelindSoftLabelDoc::SetFontFaceName(int area, const char* face)
{
    if (DesignArea(area) == nullptr || face == nullptr)
        return false;
    bool changed = false;
    if (SelectedArea(area))
        changed = ChangeAreaIfChanged(area, [face](CGraphCollection& c) { c.SetSelectedFontName(face); });
    lstrcpynA(m_defaultFont.lfFaceName, face, 32);
    RegistryDefaults::WriteFontFaceName(m_defaultFont.lfFaceName);
    return changed;
}

int COstrelindSoftLabelDoc::GetFontSize(int area) const
{
    if (DesignArea(area) == nullptr)
        return -1;
    if (CGraphCollection* objects = SelectedArea(area)) {
        const int points = objects->GetSelectedFontSize();
        if (points != -1)
            return points;
    }
    return FontPointsFromHeight(m_defaultFont.lfHeight);
}

bool COstrelindSoftLabelDoc::SetFontSize(int area, int points)
{
    // A size below one point would turn into a cell height; a huge one overflows the height.
    if (DesignArea(area) == nullptr || points < 1 || points > INT_MAX / 96)
        return false;
    bool changed = false;
    if (SelectedArea(area))
        changed = ChangeAreaIfChanged(area, [points](CGraphCollection& c) { c.SetSelectedFontSize(points); });
    m_defaultFont.lfHeight = FontHeightFromPoints(points);
    RegistryDefaults::WriteFontSize(points);
    return changed;
}

bool COstrelindSoftLabelDoc::SetTextAlignment(int area, int alignment)
{
    if (alignment < 1 || alignment > 3 || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [alignment](CGraphCollection& c) { c.SetSelectedAlignment(alignment); });
}

bool COstrelindSoftLabelDoc::ToggleTransparent(int area)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr)
        return false;
    const bool on = !objects->IsTransparent();
    return ChangeAreaIfChanged(area, [on](CGraphCollection& c) { c.SetTransparent(on); });
}

bool COstrelindSoftLabelDoc::SetTextColor(int area, COLORREF colour)
{
    return SelectedArea(area) && ChangeAreaIfChanged(area, [colour](CGraphCollection& c) { c.SetSelectedTextColour(colour); });
}

bool COstrelindSoftLabelDoc::SetBorderColor(int area, COLORREF colour)
{
    return SelectedArea(area) && ChangeAreaIfChanged(area, [colour](CGraphCollection& c) { c.SetSelectedLineColour(colour); });
}

bool COstrelindSoftLabelDoc::SetFillColor(int area, COLORREF colour)
{
    return SelectedArea(area) && ChangeAreaIfChanged(area, [colour](CGraphCollection& c) { c.SetSelectedFillColour(colour); });
}

bool COstrelindSoftLabelDoc::SetDataSource(int area, int kind)
{
    if (kind < 0 || kind > 4 || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [kind](CGraphCollection& c) { c.SetSelectedSourceKind(kind); });
}

bool COstrelindSoftLabelDoc::SetDataSourceColumns(int area, const char* columns)
{
    if (columns == nullptr || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [columns](CGraphCollection& c) { c.SetSelectedColumnName(columns); });
}

// ---------------------------------------------------------------------------------------------
// Flags of the selection: one row per toggle (has the option, current state, set).

namespace {
enum FlagToggle {
    kFlagShrink, kFlagCentred, kFlagWarningSign, kFlagCheckDigit, kFlagHumanReadable,
    kFlagHrCheckDigit, kFlagLeadingZero, kFlagSeparateBlank,
};
struct FlagRow {
    bool (*has)(CGraphCollection&);
    bool (*get)(CGraphCollection&);
    void (*set)(CGraphCollection&, bool);
};
const FlagRow kFlags[] = {
    {[](CGraphCollection& c) { return c.HasSelectedShrinkToFit(); },
     [](CGraphCollection& c) { return c.GetSelectedShrinkToFit(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedShrinkToFit(on); }},
    {[](CGraphCollection& c) { return c.HasSelectedCentring(); },
     [](CGraphCollection& c) { return c.GetSelectedCentred(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedCentred(on); }},
    {[](CGraphCollection& c) { return c.HasSelectedEquilateral(); },
     [](CGraphCollection& c) { return c.GetSelectedEquilateral(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedEquilateral(on); }},
    {[](CGraphCollection& c) { return c.HasSelectedCheckDigit(); },
     [](CGraphCollection& c) { return c.GetSelectedCheckDigit(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedCheckDigit(on); }},
    {[](CGraphCollection& c) { return c.HasSelectedHumanReadable(); },
     [](CGraphCollection& c) { return c.GetSelectedHumanReadable(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedHumanReadable(on); }},
    {[](CGraphCollection& c) { return c.CanSelectedShowCheckDigitInText(); },
     [](CGraphCollection& c) { return c.GetSelectedCheckDigitInText(); },
     [](CGraphCollection& c, bool on) { c.SetSelectedCheckDigitInText(on); }},
    {[](CGraphCollection& c) { return c.HasCounterOptions(); },
     [](CGraphCollection& c) { return c.IsCounterZeroPadded(); },
     [](CGraphCollection& c, bool on) { c.SetCounterZeroPadded(on); }},
    {[](CGraphCollection& c) { return c.HasSeparator(); },
     [](CGraphCollection& c) { return c.IsSeparatorAlways(); },
     [](CGraphCollection& c, bool on) { c.SetSeparatorAlways(on); }},
};
} // namespace

bool COstrelindSoftLabelDoc::ToggleFlag(int area, int which)
{
    CGraphCollection* objects = SelectedArea(area);
    const FlagRow& row = kFlags[which];
    if (objects == nullptr || !row.has(*objects))
        return false;
    const bool on = !row.get(*objects);
    return ChangeAreaIfChanged(area, [&row, on](CGraphCollection& c) { row.set(c, on); });
}

bool COstrelindSoftLabelDoc::ToggleAutoSizeFont(int area) { return ToggleFlag(area, kFlagShrink); }
bool COstrelindSoftLabelDoc::ToggleCenterVertical(int area) { return ToggleFlag(area, kFlagCentred); }
bool COstrelindSoftLabelDoc::ToggleWarningSign(int area) { return ToggleFlag(area, kFlagWarningSign); }
bool COstrelindSoftLabelDoc::ToggleAddCheckDigit(int area) { return ToggleFlag(area, kFlagCheckDigit); }
bool COstrelindSoftLabelDoc::ToggleShowHumanReadable(int area) { return ToggleFlag(area, kFlagHumanReadable); }
bool COstrelindSoftLabelDoc::ToggleShowHRCheckDigit(int area) { return ToggleFlag(area, kFlagHrCheckDigit); }
bool COstrelindSoftLabelDoc::ToggleIncrementLeadingZero(int area) { return ToggleFlag(area, kFlagLeadingZero); }
bool COstrelindSoftLabelDoc::ToggleSeparateBlankFields(int area) { return ToggleFlag(area, kFlagSeparateBlank); }

bool COstrelindSoftLabelDoc::GetIncrementLeadingZero(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->IsCounterZeroPadded();
}

bool COstrelindSoftLabelDoc::GetSeparateBlankFields(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->IsSeparatorAlways();
}

bool COstrelindSoftLabelDoc::HasAutoIncrementSelected(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->HasCounterOptions();
}

bool COstrelindSoftLabelDoc::HasDateFormatField(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->HasDatePart();
}

bool COstrelindSoftLabelDoc::HasDateOffsetField(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->HasDateOffset();
}

bool COstrelindSoftLabelDoc::HasTableFieldSelected(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->HasSeparator();
}

// ---------------------------------------------------------------------------------------------
// Character sets and columns

bool COstrelindSoftLabelDoc::SetCharacterSet(int area, int charset)
{
    if (charset < 0 || charset > 255)
        return false;
    // Taken also without a selection: the table font follows in any case.
    if (!ChangeArea(area, [charset](CGraphCollection& c) { c.SetCharSet(charset); }))
        return false;
    ApplyTableCharset(charset);
    return true;
}

int COstrelindSoftLabelDoc::GetCharacterSet(int area) const
{
    if (DesignArea(area) == nullptr)
        return -1;
    CGraphCollection* objects = SelectedArea(area);
    return objects && objects->HasCharSet() ? objects->GetCharSet() : GetTableCharset();
}

int COstrelindSoftLabelDoc::GetFirstUnusedColumn(int area) const
{
    CGraphCollection* objects = DesignArea(area);
    if (objects == nullptr)
        return -1;
    for (int column = 0; column <= 25; ++column)
        if (!objects->IsColumnUsed(column))
            return column;
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Barcode properties

bool COstrelindSoftLabelDoc::SetBarcodeSymbology(int area, const char* name)
{
    CGraphCollection* objects = SelectedArea(area);
    char current[100] = {};
    if (objects == nullptr || name == nullptr)
        return false;
    if (objects->GetSelectedSymbologyName(current) && _stricmp(current, name) == 0)
        return false;
    const CString ecc = RegistryDefaults::ReadText(RegistryDefaults::kDefaultBarcode, "QR ECC level", "M");
    const bool changed = ChangeAreaIfChanged(area, [name, &ecc](CGraphCollection& c) {
        if (c.SetSelectedSymbology(name))
            c.SetSelectedErrorCorrectionLevelText(ecc);
    });
    if (changed)
        RegistryDefaults::WriteBarcodeType(name);
    return changed;
}

bool COstrelindSoftLabelDoc::SetBarcodeModuleWidth(int area, int um)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || um < 1 || objects->GetSelectedModuleWidth() == um)
        return false;
    const bool changed = ChangeAreaIfChanged(area, [um](CGraphCollection& c) { c.SetSelectedModuleWidth(um); });
    if (changed)
        RegistryDefaults::WriteBarcodeModule(um);
    return changed;
}

bool COstrelindSoftLabelDoc::SetBarcodeSizePercent(int area, int percent)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || percent < 1)
        return false;
    const bool changed = ChangeAreaIfChanged(area, [percent](CGraphCollection& c) { c.SetSelectedMagnificationPercent(percent); });
    if (changed)
        RegistryDefaults::WriteBarcodeSizePercent(percent);
    return changed;
}

bool COstrelindSoftLabelDoc::SetBarcodeHeight(int area, int um)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || um < 1 || objects->GetSelectedBarHeight() == um)
        return false;
    const bool changed = ChangeAreaIfChanged(area, [um](CGraphCollection& c) { c.SetSelectedBarHeight(um); });
    if (changed)
        RegistryDefaults::WriteBarcodeHeight(um);
    return changed;
}

bool COstrelindSoftLabelDoc::SetBarcodeHeightPercent(int area, int percent)
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr || percent < 1)
        return false;
    return ChangeAreaIfChanged(area, [percent](CGraphCollection& c) { c.SetSelectedHeightPercent(percent); });
}

bool COstrelindSoftLabelDoc::SetBarcodeRatio(int area, const char* ratio)
{
    return ratio && SelectedArea(area)
        && ChangeAreaIfChanged(area, [ratio](CGraphCollection& c) { c.SetSelectedRatioText(ratio); });
}

namespace {
enum BarcodeText { kSpaceCorrection, kQrVersion, kQrEcc, kQrEncoding, kQrMargin };
struct BarcodeTextRow {
    bool (CGraphCollection::*get)(char*, int);
    void (CGraphCollection::*set)(const char*);
    void (*remember)(const char*);  // null: not remembered
};
const BarcodeTextRow kBarcodeTexts[] = {
    {&CGraphCollection::GetSelectedSpaceCorrectionText, &CGraphCollection::SetSelectedSpaceCorrectionText, nullptr},
    {&CGraphCollection::GetSelectedVersionText, &CGraphCollection::SetSelectedVersionText, &RegistryDefaults::WriteQRVersion},
    {&CGraphCollection::GetSelectedErrorCorrectionLevelText, &CGraphCollection::SetSelectedErrorCorrectionLevelText, &RegistryDefaults::WriteQREccLevel},
    {&CGraphCollection::GetSelectedEncodingModeName, &CGraphCollection::SetSelectedEncodingModeByName, &RegistryDefaults::WriteQREncoding},
    {&CGraphCollection::GetSelectedMarginText, &CGraphCollection::SetSelectedMarginText, &RegistryDefaults::WriteQRMargin},
};
} // namespace

bool COstrelindSoftLabelDoc::SetBarcodeText(int area, int which, const char* text)
{
    const BarcodeTextRow& row = kBarcodeTexts[which];
    CGraphCollection* objects = SelectedArea(area);
    char current[32] = {};
    if (objects == nullptr || text == nullptr)
        return false;
    if ((objects->*row.get)(current, sizeof current) && strcmp(current, text) == 0)
        return false;
    const bool changed = ChangeAreaIfChanged(area, [&row, text](CGraphCollection& c) { (c.*row.set)(text); });
    if (changed && row.remember)
        row.remember(text);
    return changed;
}

bool COstrelindSoftLabelDoc::SetBarcodeSpaceCorrection(int area, const char* text) { return SetBarcodeText(area, kSpaceCorrection, text); }
bool COstrelindSoftLabelDoc::SetQRVersion(int area, const char* text) { return SetBarcodeText(area, kQrVersion, text); }
bool COstrelindSoftLabelDoc::SetQRErrorCorrection(int area, const char* text) { return SetBarcodeText(area, kQrEcc, text); }
bool COstrelindSoftLabelDoc::SetQREncoding(int area, const char* text) { return SetBarcodeText(area, kQrEncoding, text); }
bool COstrelindSoftLabelDoc::SetQRMargin(int area, const char* text) { return SetBarcodeText(area, kQrMargin, text); }

// ---------------------------------------------------------------------------------------------
// Counter, date and table-field texts: one row per option.

namespace {
enum OptionText { kPrefix, kStartValue, kSuffix, kMinDigits, kDateFormat, kDateOffset, kDelimiter };
struct OptionRow {
    bool (CGraphCollection::*get)(char*, int);
    void (CGraphCollection::*set)(const char*);
    bool ignoreCase;                // an equal text in other letters changes nothing
};
const OptionRow kOptions[] = {
    {&CGraphCollection::GetCounterPrefix, &CGraphCollection::SetCounterPrefix, false},
    {&CGraphCollection::GetCounterStartText, &CGraphCollection::SetCounterStartText, false},
    {&CGraphCollection::GetCounterSuffix, &CGraphCollection::SetCounterSuffix, false},
    {&CGraphCollection::GetCounterDigitsText, &CGraphCollection::SetCounterDigitsText, false},
    {&CGraphCollection::GetDatePartName, &CGraphCollection::SetDatePartByName, true},
    {&CGraphCollection::GetDateOffsetText, &CGraphCollection::SetDateOffsetText, true},
    {&CGraphCollection::GetSeparatorName, &CGraphCollection::SetSeparatorName, false},
};
} // namespace

bool COstrelindSoftLabelDoc::GetOptionText(int area, int which, char* out, int size) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects && out && size > 0 && (objects->*kOptions[which].get)(out, size);
}

bool COstrelindSoftLabelDoc::SetOptionText(int area, int which, const char* text)
{
    const OptionRow& row = kOptions[which];
    char current[100] = {};
    if (text == nullptr || !GetOptionText(area, which, current, sizeof current))
        return false;
    if ((row.ignoreCase ? _stricmp(current, text) : strcmp(current, text)) == 0)
        return false;
    return ChangeAreaIfChanged(area, [&row, text](CGraphCollection& c) { (c.*row.set)(text); });
}

bool COstrelindSoftLabelDoc::GetIncrementPrefix(int area, char* out, int size) const { return GetOptionText(area, kPrefix, out, size); }
bool COstrelindSoftLabelDoc::SetIncrementPrefix(int area, const char* text) { return SetOptionText(area, kPrefix, text); }
bool COstrelindSoftLabelDoc::GetIncrementValue(int area, char* out, int size) const { return GetOptionText(area, kStartValue, out, size); }
bool COstrelindSoftLabelDoc::SetIncrementValue(int area, const char* text) { return SetOptionText(area, kStartValue, text); }
bool COstrelindSoftLabelDoc::GetIncrementSuffix(int area, char* out, int size) const { return GetOptionText(area, kSuffix, out, size); }
bool COstrelindSoftLabelDoc::SetIncrementSuffix(int area, const char* text) { return SetOptionText(area, kSuffix, text); }
bool COstrelindSoftLabelDoc::GetIncrementMinDigits(int area, char* out, int size) const { return GetOptionText(area, kMinDigits, out, size); }
bool COstrelindSoftLabelDoc::SetIncrementMinDigits(int area, const char* text) { return SetOptionText(area, kMinDigits, text); }
bool COstrelindSoftLabelDoc::GetDateFormat(int area, char* out, int size) const { return GetOptionText(area, kDateFormat, out, size); }
bool COstrelindSoftLabelDoc::SetDateFormat(int area, const char* text) { return SetOptionText(area, kDateFormat, text); }
bool COstrelindSoftLabelDoc::GetDateOffset(int area, char* out, int size) const { return GetOptionText(area, kDateOffset, out, size); }
bool COstrelindSoftLabelDoc::SetDateOffset(int area, const char* text) { return SetOptionText(area, kDateOffset, text); }
bool COstrelindSoftLabelDoc::GetFieldDelimiter(int area, char* out, int size) const { return GetOptionText(area, kDelimiter, out, size); }
bool COstrelindSoftLabelDoc::SetFieldDelimiter(int area, const char* text) { return SetOptionText(area, kDelimiter, text); }

// ---------------------------------------------------------------------------------------------
// Geometry of the selection

namespace {
enum Geometry { kGeoX, kGeoY, kGeoWidth, kGeoHeight };
struct GeometryRow {
    int (CGraphCollection::*get)();
    void (CGraphCollection::*set)(int);
    int minimum;                    // sizes are never negative
};
const GeometryRow kGeometry[] = {
    {&CGraphCollection::GetSelectedX, &CGraphCollection::SetSelectedX, INT_MIN},
    {&CGraphCollection::GetSelectedY, &CGraphCollection::SetSelectedY, INT_MIN},
    {&CGraphCollection::GetSelectedWidth, &CGraphCollection::SetSelectedWidth, 0},
    {&CGraphCollection::GetSelectedHeight, &CGraphCollection::SetSelectedHeight, 0},
};
} // namespace

bool COstrelindSoftLabelDoc::SetSelectionGeometry(int area, int which, int um)
{
    const GeometryRow& row = kGeometry[which];
    if (um < row.minimum || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [&row, um](CGraphCollection& c) { (c.*row.set)(um); });
}

int COstrelindSoftLabelDoc::GetSelectionX(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->GetSelectedX() : -1;
}

int COstrelindSoftLabelDoc::GetSelectionY(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->GetSelectedY() : -1;
}

int COstrelindSoftLabelDoc::GetSelectionWidth(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->GetSelectedWidth() : -1;
}

int COstrelindSoftLabelDoc::GetSelectionHeight(int area) const
{
    CGraphCollection* objects = SelectedArea(area);
    return objects ? objects->GetSelectedHeight() : -1;
}

bool COstrelindSoftLabelDoc::SetSelectionX(int area, int um) { return SetSelectionGeometry(area, kGeoX, um); }
bool COstrelindSoftLabelDoc::SetSelectionY(int area, int um) { return SetSelectionGeometry(area, kGeoY, um); }
bool COstrelindSoftLabelDoc::SetSelectionWidth(int area, int um) { return SetSelectionGeometry(area, kGeoWidth, um); }
bool COstrelindSoftLabelDoc::SetSelectionHeight(int area, int um) { return SetSelectionGeometry(area, kGeoHeight, um); }

bool COstrelindSoftLabelDoc::GetLineWidthText(int area, char* out, int size) const
{
    CGraphCollection* objects = SelectedArea(area);
    if (objects == nullptr)
        return false;
    bool hasLine = false;
    for (int i = 0; i < objects->GetCount() && !hasLine; ++i)
        hasLine = objects->GetAt(i)->IsSelected() && objects->GetAt(i)->HasLine();
    return hasLine && FormatMillimetres(objects->GetSelectedLineWidth(), out, size);
}

bool COstrelindSoftLabelDoc::SetLineWidth(int area, int um)
{
    if (um < 0 || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [um](CGraphCollection& c) { c.SetSelectedLineWidth(um); });
}

bool COstrelindSoftLabelDoc::GetRoundingRadiusText(int area, char* out, int size) const
{
    CGraphCollection* objects = SelectedArea(area);
    const int radius = objects ? objects->GetSelectedCornerRadius() : -1;
    return radius != -1 && FormatMillimetres(radius, out, size);
}

bool COstrelindSoftLabelDoc::SetRoundingRadius(int area, int um)
{
    if (um < 0 || !SelectedArea(area))
        return false;
    return ChangeAreaIfChanged(area, [um](CGraphCollection& c) { c.SetSelectedCornerRadius(um); });
}
