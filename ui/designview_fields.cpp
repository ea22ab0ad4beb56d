// The barcode settings and the data-source field options of the ribbon, on the selection of the
// canvas's area. The text boxes share one table: the size the box is read at, the back-end that
// takes the text and the getter that fills the box at idle time. The module width and bar height
// boxes also hold lists of usual sizes, rebuilt when the selection's kind of size changes.
#include "ui/designview.h"

#include "document/designtext.h"
#include "document/labeldoc.h"
#include "framework/ribboncontrols.h"
#include "framework/ribbonelements.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/template.h"
#include "ui/commandids.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

using Doc = COstrelindSoftLabelDoc;

struct TextBox {
    UINT id;
    int readSize;                                                      // bytes the box is read into
    bool (*set)(Doc& doc, int area, char* text);
    // Fills out (size bytes) for the box; false when the selection has no such value.
    bool (*get)(Doc& doc, CGraphCollection& objects, int area, char* out, int size);
    int getSize;
};

const TextBox kTextBoxes[] = {
    {ID_BARCODE_SYMBOL, 100, [](Doc& d, int a, char* t) { return d.SetBarcodeSymbology(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int) { return o.GetSelectedSymbologyName(out); }, 100},
    {ID_BARCODE_RATIO, 16, [](Doc& d, int a, char* t) { return d.SetBarcodeRatio(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int) { return o.GetSelectedRatioText(out); }, 100},
    {ID_BARCODE_COMPENSATION, 32, [](Doc& d, int a, char* t) { return d.SetBarcodeSpaceCorrection(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int n) { return o.GetSelectedSpaceCorrectionText(out, n); }, 100},
    {ID_QR_VERSION, 32, [](Doc& d, int a, char* t) { return d.SetQRVersion(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int n) { return o.GetSelectedVersionText(out, n); }, 100},
    {ID_QR_ECC_LEVEL, 32, [](Doc& d, int a, char* t) { return d.SetQRErrorCorrection(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int n) { return o.GetSelectedErrorCorrectionLevelText(out, n); },
     100},
    {ID_QR_ENCODING, 32, [](Doc& d, int a, char* t) { return d.SetQREncoding(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int n) { return o.GetSelectedEncodingModeName(out, n); }, 100},
    {ID_QR_MARGIN, 32, [](Doc& d, int a, char* t) { return d.SetQRMargin(a, t); },
     [](Doc&, CGraphCollection& o, int, char* out, int n) { return o.GetSelectedMarginText(out, n); }, 100},
    {ID_SOURCE_COLUMN, 20,
     [](Doc& d, int a, char* t) {
         // Column letters are stored in capitals whatever was typed.
         for (char* c = t; *c != 0; ++c)
             *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
         return d.SetDataSourceColumns(a, t);
     },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) {
         CString columns;
         const bool has = d.CanSetDataSourceColumns(a, &columns);
         lstrcpynA(out, columns, n);
         return has;
     },
     100},
    {ID_FIELD_DELIMITER, 64, [](Doc& d, int a, char* t) { return d.SetFieldDelimiter(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetFieldDelimiter(a, out, n); }, 100},
    {ID_DATE_FORMAT, 64, [](Doc& d, int a, char* t) { return d.SetDateFormat(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetDateFormat(a, out, n); }, 100},
    {ID_DATE_OFFSET, 20, [](Doc& d, int a, char* t) { return d.SetDateOffset(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetDateOffset(a, out, n); }, 32},
    {ID_AUTOINC_PREFIX, 20, [](Doc& d, int a, char* t) { return d.SetIncrementPrefix(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetIncrementPrefix(a, out, n); }, 100},
    {ID_AUTOINC_VALUE, 20, [](Doc& d, int a, char* t) { return d.SetIncrementValue(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetIncrementValue(a, out, n); }, 100},
    {ID_AUTOINC_SUFFIX, 20, [](Doc& d, int a, char* t) { return d.SetIncrementSuffix(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) { return d.GetIncrementSuffix(a, out, n); }, 100},
    {ID_AUTOINC_MIN_DIGITS, 20, [](Doc& d, int a, char* t) { return d.SetIncrementMinDigits(a, t); },
     [](Doc& d, CGraphCollection&, int a, char* out, int n) {
         // Without leading zeros the digit count means nothing: the box stays empty.
         if (d.GetIncrementLeadingZero(a) && d.GetIncrementMinDigits(a, out, n))
             return true;
         out[0] = 0;
         return false;
     },
     100},
};

const TextBox* FindTextBox(UINT id)
{
    for (const TextBox& box : kTextBoxes)
        if (box.id == id)
            return &box;
    return nullptr;
}

// The unit flags (bit 0 length, bit 1 percent) the two lists were last filled for.
int g_moduleListFlags = 0;
int g_heightListFlags = 0;

const double kModuleSizes[] = {0.2, 0.3, 0.4, 0.6, 0.8, 1};
const char* const kModulePercents[] = {"80 %", "100 %", "120 %", "150 %", "200 %"};
const double kHeightSizes[] = {5, 6, 8, 10, 12, 15, 20};
const char* const kHeightPercents[] = {"50 %", "60 %", "70 %", "80 %", "90 %", "95 %", "100 %"};

} // namespace

// ---------------------------------------------------------------------------------------------
// Text boxes

void Ostrelind_SoftLabelDesignView::OnFieldTextBox(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const TextBox* box = FindTextBox(id);
    char text[100];
    if (doc == nullptr || box == nullptr || !ReadCommandBox(id, text, box->readSize))
        return;
    box->set(*doc, m_area, text);
}

void Ostrelind_SoftLabelDesignView::OnUpdateFieldTextBox(CCmdUI* ui)
{
    // The user may be typing in the box: without the focus here nothing is touched.
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    const TextBox* box = FindTextBox(ui->m_nID);
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || box == nullptr || objects == nullptr)
        return;
    char text[100] = "";
    const bool has = box->get(*doc, *objects, m_area, text, box->getSize);
    text[sizeof text - 1] = 0;
    ui->SetText(text);
    ui->Enable(has && IsAreaEditable());
}

// ---------------------------------------------------------------------------------------------
// Module width and bar height

void Ostrelind_SoftLabelDesignView::OnBarcodeSize(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    char text[100];
    if (doc == nullptr || !ReadCommandBox(id, text, sizeof text))
        return;
    const bool module = id == ID_BARCODE_MODULE;
    if (std::strchr(text, '%') != nullptr) {
        int percent = 0;
        if (ParsePercent(text, &percent))
            module ? doc->SetBarcodeSizePercent(m_area, percent) : doc->SetBarcodeHeightPercent(m_area, percent);
    } else {
        int um = 0;
        if (ParseLength(text, &um))
            module ? doc->SetBarcodeModuleWidth(m_area, um) : doc->SetBarcodeHeight(m_area, um);
    }
}

void Ostrelind_SoftLabelDesignView::FillBarcodeSizeList(UINT id, int flags)
{
    auto* combo = dynamic_cast<CMFCRibbonComboBox*>(FindCommandElement(id));
    int& remembered = id == ID_BARCODE_MODULE ? g_moduleListFlags : g_heightListFlags;
    if (combo == nullptr || flags == remembered)
        return;
    remembered = flags;
    combo->RemoveAllItems();
    const bool module = id == ID_BARCODE_MODULE;
    if (flags & 1) {
        const double* sizes = module ? kModuleSizes : kHeightSizes;
        const size_t count = module ? sizeof kModuleSizes / sizeof *kModuleSizes : sizeof kHeightSizes / sizeof *kHeightSizes;
        for (size_t i = 0; i < count; ++i) {
            CString item;
            item.Format("%g mm", sizes[i]);
            combo->AddItem(item);
        }
    }
    if (flags & 2) {
        const char* const* items = module ? kModulePercents : kHeightPercents;
        const size_t count = module ? sizeof kModulePercents / sizeof *kModulePercents
                                    : sizeof kHeightPercents / sizeof *kHeightPercents;
        for (size_t i = 0; i < count; ++i)
            combo->AddItem(items[i]);
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdateBarcodeSize(CCmdUI* ui)
{
    if (!HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr)
        return;
    const bool module = ui->m_nID == ID_BARCODE_MODULE;
    FillBarcodeSizeList(ui->m_nID, module ? objects->GetSelectedModuleWidthUnit() : objects->GetSelectedBarHeightUnit());
    char text[100] = "";
    const bool has = module ? objects->GetSelectedModuleWidthText(text) : objects->GetSelectedBarHeightText(text);
    ui->SetText(text);
    ui->Enable(has && IsAreaEditable());
}

int Ostrelind_SoftLabelDesignView::GetBarcodeListFlags(UINT id)
{
    return id == ID_BARCODE_MODULE ? g_moduleListFlags : g_heightListFlags;
}

// ---------------------------------------------------------------------------------------------
// Barcode and field check buttons

void Ostrelind_SoftLabelDesignView::OnFieldToggle(UINT id)
{
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    if (doc == nullptr)
        return;
    switch (id) {
    case ID_BARCODE_CHECK_DIGIT: doc->ToggleAddCheckDigit(m_area); break;
    case ID_BARCODE_HUMAN_READABLE: doc->ToggleShowHumanReadable(m_area); break;
    case ID_BARCODE_HR_CHECK_DIGIT: doc->ToggleShowHRCheckDigit(m_area); break;
    case ID_SEPARATE_BLANK_FIELDS: doc->ToggleSeparateBlankFields(m_area); break;
    case ID_AUTOINC_LEADING_ZERO: doc->ToggleIncrementLeadingZero(m_area); break;
    default: break;   // ID_DATE_OFFSET_CHECK only shows a state
    }
}

void Ostrelind_SoftLabelDesignView::OnUpdateFieldToggle(CCmdUI* ui)
{
    if (ui->m_nID == ID_AUTOINC_LEADING_ZERO && !HasFocus())
        return;
    COstrelindSoftLabelDoc* doc = GetLabelDoc();
    CGraphCollection* objects = AreaObjects();
    if (doc == nullptr || objects == nullptr) {
        ui->Enable(FALSE);
        return;
    }
    const bool editable = IsAreaEditable();
    bool has = false;
    bool checked = false;
    switch (ui->m_nID) {
    case ID_BARCODE_CHECK_DIGIT:
        has = objects->HasSelectedCheckDigit();
        checked = objects->GetSelectedCheckDigit();
        break;
    case ID_BARCODE_HUMAN_READABLE:
        has = objects->HasSelectedHumanReadable();
        checked = objects->GetSelectedHumanReadable();
        break;
    case ID_BARCODE_HR_CHECK_DIGIT:
        has = objects->CanSelectedShowCheckDigitInText();
        checked = objects->GetSelectedCheckDigitInText();
        break;
    case ID_SEPARATE_BLANK_FIELDS:
        has = doc->HasTableFieldSelected(m_area);
        checked = doc->GetSeparateBlankFields(m_area);
        break;
    case ID_DATE_OFFSET_CHECK:
        has = doc->HasDateOffsetField(m_area);
        checked = doc->HasDateFormatField(m_area);
        break;
    case ID_AUTOINC_LEADING_ZERO:
        has = doc->HasAutoIncrementSelected(m_area);
        checked = doc->GetIncrementLeadingZero(m_area);
        break;
    default: break;
    }
    ui->SetCheck(checked ? 1 : 0);
    ui->Enable(has && editable);
}
