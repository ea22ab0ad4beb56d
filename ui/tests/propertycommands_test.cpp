// The object property commands of the canvas, case by case from a table: the ribbon box or button
// set as the user would, the command sent, the selected object's field checked and exactly one
// undo step taken (none for text that does not parse). Then the focus rule of the boxes, the
// barcode size lists, the U.S. units and the enabling of the field options.
#include "ui/tests/designpropstest.h"

#include "labelmodel/graphbarcode.h"
#include "labelmodel/graphtext.h"

#include <cstring>
#include <functional>

using namespace designprops;

namespace {

class PropertyCommands : public DesignCommands {
protected:
    CGraphTextExt* AddText(const char* content)
    {
        auto* object = new CGraphTextExt;
        object->SetContentKind(1);
        object->SetMultiLineText(content);
        object->SetX(2000);
        object->SetY(3000);
        object->SetWidth(20000);
        object->SetHeight(8000);
        LOGFONTA font = {};
        font.lfHeight = -16;
        lstrcpyA(font.lfFaceName, "Liberation Sans");
        object->SetLogFont(&font);
        object->SetSelected(true);
        Area()->Append(object);
        return object;
    }
    CGraphBarcode* AddBarcode(const char* symbology, bool selected = true)
    {
        auto* object = new CGraphBarcode;
        EXPECT_TRUE(object->SetSymbologyByName(symbology));
        object->SetX(1000);
        object->SetY(1000);
        object->SetWidth(30000);
        object->SetHeight(15000);
        object->SetSelected(selected);
        Area()->Append(object);
        return object;
    }
    // Gives the canvas the keyboard focus; false when it did not get it.
    bool FocusCanvas()
    {
        ::SetForegroundWindow(host.m_hWnd);
        view->SetFocus();
        return ::GetFocus() == view->m_hWnd;
    }
    // Runs the update handler as the ribbon does at idle time: its answers land in the element.
    void IdleUpdate(UINT id)
    {
        CRibbonCmdUI ui;
        ui.m_nID = id;
        ui.m_pElement = Element(id);
        ASSERT_NE(nullptr, ui.m_pElement);
        view->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &ui, nullptr);
    }
};

// The focus rule of the boxes: these cases need the keyboard focus on the canvas, so they run on a
// desktop of their own (ui_tests_desktop), where no other program's window takes it.
class PropertyCommandsNeedsFocus : public PropertyCommands {};

struct BoxCase {
    UINT id;
    const char* typed;
    int expected;       // the field after the command
    bool changes;       // one undo step, or none
};

} // namespace

TEST_F(PropertyCommands, GeometryBoxesTakeLengthsInEitherUnitAndIgnoreOtherText)
{
    const BoxCase cases[] = {
        {ID_POSITION_X, "12.5 mm", 12500, true},
        {ID_POSITION_X, "0.5 in", 12700, true},
        {ID_POSITION_X, "abc", 12700, false},
        {ID_POSITION_X, "", 12700, false},
        {ID_POSITION_Y, "7 mm", 7000, true},
        {ID_POSITION_Y, "1 cm", 10000, true},
        {ID_POSITION_WIDTH, "25", 25000, true},
        {ID_POSITION_HEIGHT, "0.25 in", 6350, true},
        {ID_POSITION_HEIGHT, "4 mmm", 6350, false},
    };
    CGraphRect* rect = AddRect(1000, 2000, 3000, 4000);
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_NE(nullptr, Edit(c.id));
        Edit(c.id)->SetEditText(c.typed);
        const int before = UndoDepth();
        Command(c.id);
        const int value = c.id == ID_POSITION_X ? rect->GetX() : c.id == ID_POSITION_Y ? rect->GetY()
                          : c.id == ID_POSITION_WIDTH ? rect->GetWidth() : rect->GetHeight();
        EXPECT_EQ(c.expected, value);
        EXPECT_EQ(before + (c.changes ? 1 : 0), UndoDepth());
    }
}

TEST_F(PropertyCommands, ButtonsAndTogglesChangeTheSelectionInOneStep)
{
    struct ToggleCase {
        UINT id;
        std::function<bool(CGraphTextExt*)> field;
    };
    const ToggleCase toggles[] = {
        {ID_FORMAT_BOLD, [](CGraphTextExt* t) { return t->IsBold(); }},
        {ID_FORMAT_ITALIC, [](CGraphTextExt* t) { return t->IsItalic(); }},
        {ID_FORMAT_UNDERLINE, [](CGraphTextExt* t) { return t->IsUnderline(); }},
        {ID_BACKGROUND_TRANSPARENT, [](CGraphTextExt* t) { return t->IsTransparent(); }},
        {ID_TEXT_CENTER_VERT, [](CGraphTextExt* t) { return t->IsCentred(); }},
    };
    CGraphTextExt* text = AddText("toggled");
    for (const ToggleCase& c : toggles) {
        SCOPED_TRACE(c.id);
        CTestCmdUI ui;
        Update(c.id, &ui);
        EXPECT_TRUE(ui.m_bEnabled);
        const bool before = c.field(text);
        EXPECT_EQ(before ? 1 : 0, ui.m_nCheck);
        const int depth = UndoDepth();
        Command(c.id);
        EXPECT_NE(before, c.field(text));
        EXPECT_EQ(depth + 1, UndoDepth());
        CTestCmdUI after;
        Update(c.id, &after);
        EXPECT_EQ(before ? 0 : 1, after.m_nCheck);
        Command(c.id);
        EXPECT_EQ(before, c.field(text));
    }

    // Alignment: the pressed button is checked, the others not.
    Command(ID_TEXT_ALIGN_RIGHT);
    for (UINT id = ID_TEXT_ALIGN_LEFT; id <= ID_TEXT_ALIGN_RIGHT; ++id) {
        CTestCmdUI ui;
        Update(id, &ui);
        EXPECT_EQ(id == ID_TEXT_ALIGN_RIGHT ? 1 : 0, ui.m_nCheck);
    }

    // Drawing order: the text goes behind a rectangle added after it, and back.
    text->SetSelected(false);
    CGraphRect* rect = AddRect(0, 0, 1000, 1000);
    Command(ID_ARRANGE_SEND_TO_BACK);
    EXPECT_EQ(rect, Area()->GetAt(0));
    Command(ID_ARRANGE_BRING_TO_FRONT);
    EXPECT_EQ(rect, Area()->GetAt(1));
    Command(ID_DUPLICATE_RIGHT);
    EXPECT_EQ(3, Area()->GetCount());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(2, Area()->GetCount());
    Command(ID_EDIT_REDO);
    EXPECT_EQ(3, Area()->GetCount());

    // A locked template: buttons disabled, commands refused.
    doc->LockTemplate("pw");
    CTestCmdUI locked;
    Update(ID_FORMAT_BOLD, &locked);
    EXPECT_FALSE(locked.m_bEnabled);
    const int depth = UndoDepth();
    Edit(ID_POSITION_X)->SetEditText("20 mm");
    Command(ID_POSITION_X);
    EXPECT_EQ(depth, UndoDepth());
    doc->UnlockTemplate();
}

TEST_F(PropertyCommands, ColourButtonsAndTheFontBoxes)
{
    CGraphTextExt* text = AddText("coloured");
    auto* colour = dynamic_cast<CMFCRibbonColorButton*>(Element(ID_TEXT_COLOR));
    ASSERT_NE(nullptr, colour);
    colour->SetColor(RGB(200, 10, 20));
    Command(ID_TEXT_COLOR);
    EXPECT_EQ(RGB(200, 10, 20), text->GetTextColour());
    EXPECT_EQ(1, UndoDepth());

    Combo(ID_FONT_SIZE)->SetEditText("24");
    Command(ID_FONT_SIZE);
    EXPECT_EQ(24, doc->GetFontSize(0));
    Combo(ID_FONT_SIZE)->SetEditText("large");
    Command(ID_FONT_SIZE);
    EXPECT_EQ(24, doc->GetFontSize(0));
    EXPECT_EQ(2, UndoDepth());
}

TEST_F(PropertyCommands, BarcodeSymbologyModuleAndHeight)
{
    CGraphBarcode* code = AddBarcode("Code 128");
    Combo(ID_BARCODE_MODULE)->SetEditText("0.5 mm");
    Command(ID_BARCODE_MODULE);
    EXPECT_EQ(500, code->GetModuleWidth());
    EXPECT_EQ(1, UndoDepth());
    Combo(ID_BARCODE_MODULE)->SetEditText("wide");
    Command(ID_BARCODE_MODULE);
    EXPECT_EQ(500, code->GetModuleWidth());
    EXPECT_EQ(1, UndoDepth());

    Combo(ID_BARCODE_SYMBOL)->SetEditText("EAN 13");
    Command(ID_BARCODE_SYMBOL);
    char name[100] = {};
    ASSERT_TRUE(Area()->GetSelectedSymbologyName(name));
    EXPECT_STREQ("EAN 13", name);
    EXPECT_EQ(2, Area()->GetSelectedModuleWidthUnit());
    Combo(ID_BARCODE_MODULE)->SetEditText("150 %");
    Command(ID_BARCODE_MODULE);
    char text[100] = {};
    ASSERT_TRUE(Area()->GetSelectedModuleWidthText(text));
    EXPECT_NE(nullptr, std::strstr(text, "150"));
    EXPECT_EQ(3, UndoDepth());
}

TEST_F(PropertyCommandsNeedsFocus, WithoutTheFocusBoxesKeepWhatIsTypedWithItTheyShowTheStoredValue)
{
    AddRect(4000, 2000, 3000, 4000);
    CMFCRibbonEdit* x = Edit(ID_POSITION_X);
    ASSERT_NE(nullptr, x);
    x->SetEditText("typing 1");
    x->SetEnabled(false);
    ::SetFocus(nullptr);
    IdleUpdate(ID_POSITION_X);
    EXPECT_STREQ("typing 1", x->GetEditText());
    EXPECT_FALSE(x->IsEnabled());

    ASSERT_TRUE(FocusCanvas()) << "the canvas did not get the keyboard focus";
    IdleUpdate(ID_POSITION_X);
    EXPECT_STREQ("4 mm", x->GetEditText());
    EXPECT_TRUE(x->IsEnabled());
    IdleUpdate(ID_POSITION_WIDTH);
    EXPECT_STREQ("3 mm", Edit(ID_POSITION_WIDTH)->GetEditText());
}

TEST_F(PropertyCommandsNeedsFocus, TheModuleListFollowsTheSelectionsUnits)
{
    CGraphBarcode* percent = AddBarcode("EAN 13");
    CGraphBarcode* length = AddBarcode("Code 128", false);
    CGraphBarcode* another = AddBarcode("Code 128", false);
    ASSERT_TRUE(FocusCanvas()) << "the canvas did not get the keyboard focus";
    CMFCRibbonComboBox* module = Combo(ID_BARCODE_MODULE);
    ASSERT_NE(nullptr, module);
    IdleUpdate(ID_BARCODE_MODULE);
    ASSERT_EQ(5, module->GetCount());
    EXPECT_STREQ("80 %", module->GetItem(0));
    EXPECT_EQ(2, Ostrelind_SoftLabelDesignView::GetBarcodeListFlags(ID_BARCODE_MODULE));

    percent->SetSelected(false);
    length->SetSelected(true);
    IdleUpdate(ID_BARCODE_MODULE);
    ASSERT_EQ(6, module->GetCount());
    CString expected;
    expected.Format("%g mm", 0.2);
    EXPECT_STREQ(expected, module->GetItem(0));
    // Another barcode with the same units keeps the list as it is.
    module->AddItem("kept");
    length->SetSelected(false);
    another->SetSelected(true);
    IdleUpdate(ID_BARCODE_MODULE);
    EXPECT_EQ(7, module->GetCount());
}

TEST_F(PropertyCommandsNeedsFocus, Locale_ModuleItemsFollowTheDecimalSeparator)
{
    AddBarcode("Code 128");
    ASSERT_TRUE(FocusCanvas()) << "the canvas did not get the keyboard focus";
    // The list may have been filled for these units by an earlier case: empty units first.
    Area()->DeselectAll();
    IdleUpdate(ID_BARCODE_MODULE);
    Area()->GetAt(0)->SetSelected(true);
    IdleUpdate(ID_BARCODE_MODULE);
    CMFCRibbonComboBox* module = Combo(ID_BARCODE_MODULE);
    ASSERT_EQ(6, module->GetCount());
    char separator[8] = {};
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator), 0);
    EXPECT_STREQ(CString("0") + separator + "2 mm", module->GetItem(0));
    EXPECT_STREQ("1 mm", module->GetItem(5));
}

TEST_F(PropertyCommandsNeedsFocus, USLocaleShowsXInInchesAndTakesBothUnits)
{
    view->SetMeasurementSystem(1);
    CGraphRect* rect = AddRect(25400, 2000, 3000, 4000);
    Edit(ID_POSITION_X)->SetEditText("2");
    Command(ID_POSITION_X);
    EXPECT_EQ(50800, rect->GetX());
    Edit(ID_POSITION_X)->SetEditText("10 mm");
    Command(ID_POSITION_X);
    EXPECT_EQ(10000, rect->GetX());
    ASSERT_TRUE(FocusCanvas()) << "the canvas did not get the keyboard focus";
    rect->SetX(25400);
    IdleUpdate(ID_POSITION_X);
    EXPECT_STREQ("1 in", Edit(ID_POSITION_X)->GetEditText());
    IdleUpdate(ID_POSITION_Y);
    EXPECT_STREQ("2 mm", Edit(ID_POSITION_Y)->GetEditText());
}

TEST_F(PropertyCommandsNeedsFocus, FieldOptionsFollowTheLockAndTheLeadingZeros)
{
    CGraphTextExt* text = AddText("counter");
    Command(ID_SOURCE_AUTOINC);
    ASSERT_TRUE(doc->HasAutoIncrementSelected(0));
    CTestCmdUI zeros;
    ASSERT_TRUE(FocusCanvas()) << "the canvas did not get the keyboard focus";
    if (doc->GetIncrementLeadingZero(0))
        Command(ID_AUTOINC_LEADING_ZERO);
    ASSERT_FALSE(doc->GetIncrementLeadingZero(0));
    CTestCmdUI digits;
    Update(ID_AUTOINC_MIN_DIGITS, &digits);
    EXPECT_TRUE(digits.m_bTextSet);
    EXPECT_STREQ("", digits.m_strText);
    EXPECT_FALSE(digits.m_bEnabled);
    Command(ID_AUTOINC_LEADING_ZERO);
    CTestCmdUI padded;
    Update(ID_AUTOINC_MIN_DIGITS, &padded);
    EXPECT_TRUE(padded.m_bEnabled);

    Edit(ID_AUTOINC_PREFIX)->SetEditText("No. ");
    Command(ID_AUTOINC_PREFIX);
    char prefix[100] = {};
    ASSERT_TRUE(doc->GetIncrementPrefix(0, prefix, sizeof prefix));
    EXPECT_STREQ("No. ", prefix);

    Command(ID_SOURCE_DATE);
    CTestCmdUI date;
    Update(ID_DATE_FORMAT, &date);
    EXPECT_TRUE(date.m_bEnabled);
    doc->LockTemplate("pw");
    CTestCmdUI lockedDate;
    Update(ID_DATE_FORMAT, &lockedDate);
    EXPECT_FALSE(lockedDate.m_bEnabled);
    doc->UnlockTemplate();
    (void)text;
    (void)zeros;
}

TEST_F(PropertyCommands, BarcodeTogglesAndTextBoxesOfTheTable)
{
    struct Toggle {
        UINT id;
        const char* symbology;     // one that offers the toggle
        bool (CGraphCollection::*has)();
        bool (CGraphCollection::*get)();
    };
    const Toggle toggles[] = {
        {ID_BARCODE_HUMAN_READABLE, "Code 128", &CGraphCollection::HasSelectedHumanReadable,
         &CGraphCollection::GetSelectedHumanReadable},
        {ID_BARCODE_CHECK_DIGIT, "Code 39", &CGraphCollection::HasSelectedCheckDigit,
         &CGraphCollection::GetSelectedCheckDigit},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.id);
        Area()->DeselectAll();
        AddBarcode(t.symbology);
        CTestCmdUI ui;
        Update(t.id, &ui);
        ASSERT_TRUE((Area()->*t.has)());
        EXPECT_TRUE(ui.m_bEnabled);
        const bool before = (Area()->*t.get)();
        EXPECT_EQ(before ? 1 : 0, ui.m_nCheck);
        const int depth = UndoDepth();
        Command(t.id);
        EXPECT_NE(before, (Area()->*t.get)());
        EXPECT_EQ(depth + 1, UndoDepth());
    }
    // On Code 128 the check digit toggle is enabled exactly when the selection offers it.
    Area()->DeselectAll();
    AddBarcode("Code 128");
    CTestCmdUI checkDigit;
    Update(ID_BARCODE_CHECK_DIGIT, &checkDigit);
    EXPECT_EQ(Area()->HasSelectedCheckDigit(), checkDigit.m_bEnabled != FALSE);

    // The QR Code boxes, on a QR Code.
    Area()->DeselectAll();
    AddBarcode("QR Code\xAE");
    Combo(ID_QR_ECC_LEVEL)->SetEditText("H");
    Command(ID_QR_ECC_LEVEL);
    char level[100] = {};
    ASSERT_TRUE(Area()->GetSelectedErrorCorrectionLevelText(level, sizeof level));
    EXPECT_NE(nullptr, std::strchr(level, 'H'));

    // Column letters typed in lower case are stored in capitals.
    Area()->DeselectAll();
    AddText("from the table");
    Command(ID_SOURCE_TABLE);
    Edit(ID_SOURCE_COLUMN)->SetEditText("b");
    Command(ID_SOURCE_COLUMN);
    CString columns;
    ASSERT_TRUE(doc->CanSetDataSourceColumns(0, &columns));
    EXPECT_NE(-1, columns.Find('B'));
    EXPECT_EQ(-1, columns.Find('b'));
}
