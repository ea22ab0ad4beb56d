// Every property forwarder of the collection against the rule it must follow. The members are
// probes whose every answer says which member gave it, so that a forwarder wired to another rule
// (first selected, first that has the property, first that answers, any, every selected, every
// one that has the property), to another guard or to another member operation answers otherwise.
#include "collectiontestutil.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

using namespace colltest;

namespace {

// A member that has the property under test or not, answers the getters that may stay silent or
// not, and carries one flag; each answer carries its tag and the name of the operation asked.
// Every property query other than the one under test answers the opposite, so that a forwarder
// guarded by the wrong query picks the wrong members.
class Probe : public CGraphRect {
public:
    Probe(bool selected, bool has, bool answers, int tag) : m_has(has), m_answers(answers), m_tag(tag)
    {
        SetSelected(selected);
    }
    CGraphObject* Clone() override { return new Probe(*this); }

    void SetQueryUnderTest(const std::string& query) { m_query = query; }
    void SetFlag(bool on) { m_flag = on; }
    bool Has() const { return m_has; }
    const std::vector<std::string>& Received() const { return m_received; }

    // Property queries.
    bool HasLine() override { return Query("HasLine"); }
    bool HasFill() override { return Query("HasFill"); }
    bool HasTextColour() override { return Query("HasTextColour"); }
    bool HasTransparency() override { return Query("HasTransparency"); }
    bool HasEquilateral() override { return Query("HasEquilateral"); }
    bool HasShrinkToFit() override { return Query("HasShrinkToFit"); }
    bool HasCentring() override { return Query("HasCentring"); }
    bool HasAlignment() override { return Query("HasAlignment"); }
    bool HasFont() override { return Query("HasFont"); }
    bool HasCharSet() override { return Query("HasCharSet"); }
    bool HasTextSource() override { return Query("HasTextSource"); }
    bool HasImageSource() override { return Query("HasImageSource"); }
    bool IsImage() override { return Query("IsImage"); }
    bool HasCheckDigit() override { return Query("HasCheckDigit"); }
    bool HasHumanReadable() override { return Query("HasHumanReadable"); }
    bool CanShowCheckDigitInText() override { return Query("CanShowCheckDigitInText"); }
    bool HasCounterOptions() override { return Query("HasCounterOptions"); }
    bool HasSeparator() override { return Query("HasSeparator"); }
    bool HasDatePart() override { return Query("HasDatePart"); }
    bool HasDateOffset() override { return Query("HasDateOffset"); }
    bool UsesMagnification() override { return Query("UsesMagnification"); }

    // Numbers every member answers, each operation in a range of its own.
    int GetX() override { return Number(1); }
    int GetY() override { return Number(2); }
    int GetWidth() override { return Number(3); }
    int GetHeight() override { return Number(4); }
    int GetLineWidth() override { return Number(5); }
    COLORREF GetLineColour() override { return Number(6); }
    COLORREF GetFillColour() override { return Number(7); }
    COLORREF GetTextColour() override { return Number(8); }
    int GetCharSet() override { return Number(9); }
    int GetModuleWidth() override { return Number(10); }
    int GetBarHeight() override { return Number(11); }
    int GetModuleWidthUnit() override { return m_tag; }
    int GetBarHeightUnit() override { return m_tag << 8; }
    bool QueryAlignment(int* out) override { *out = Number(12); return true; }
    bool GetLogFont(LOGFONTA* out) override
    {
        *out = LOGFONTA();
        out->lfHeight = Number(13);
        strcpy(out->lfFaceName, ("Face" + std::to_string(m_tag)).c_str());
        return true;
    }

    // Numbers only an answering member gives (-1 otherwise).
    int GetCornerRadius() override { return m_answers ? Number(14) : -1; }
    int GetSourceKind() override { return m_answers ? Number(15) : -1; }

    // Flags.
    bool IsBold() override { return m_flag; }
    bool IsItalic() override { return m_flag; }
    bool IsUnderline() override { return m_flag; }
    bool IsTransparent() override { return m_flag; }
    bool IsEquilateral() override { return m_flag; }
    bool IsShrinkToFit() override { return m_flag; }
    bool IsCentred() override { return m_flag; }
    bool GetCheckDigit() override { return m_flag; }
    bool GetHumanReadable() override { return m_flag; }
    bool GetCheckDigitInText() override { return m_flag; }
    bool IsCounterZeroPadded() override { return m_flag; }
    bool IsSeparatorAlways() override { return m_flag; }
    bool IsFileSource() override { return m_flag; }

    // Texts only an answering member gives.
    bool GetColumnName(char* out, int size) override { return Text("Column", out, size); }
    bool GetSymbologyName(char* out, int size) override { return Text("Symbology", out, size); }
    bool GetModuleWidthText(char* out, int size) override { return Text("ModuleWidth", out, size); }
    bool GetBarHeightText(char* out, int size) override { return Text("BarHeight", out, size); }
    bool GetRatioText(char* out, int size) override { return Text("Ratio", out, size); }
    bool GetSpaceCorrectionText(char* out, int size) override { return Text("SpaceCorrection", out, size); }
    bool GetVersionText(char* out, int size) override { return Text("Version", out, size); }
    bool GetErrorCorrectionLevelText(char* out, int size) override { return Text("ErrorCorrection", out, size); }
    bool GetEncodingModeName(char* out, int size) override { return Text("EncodingMode", out, size); }
    bool GetMarginText(char* out, int size) override { return Text("Margin", out, size); }
    bool GetCounterPrefix(char* out, int size) override { return Text("Prefix", out, size); }
    bool GetCounterStartText(char* out, int size) override { return Text("Start", out, size); }
    bool GetCounterSuffix(char* out, int size) override { return Text("Suffix", out, size); }
    bool GetCounterDigitsText(char* out, int size) override { return Text("Digits", out, size); }
    bool GetSeparatorName(char* out, int size) override { return Text("Separator", out, size); }
    bool GetDatePartName(char* out, int size) override { return Text("DatePart", out, size); }
    bool GetDateOffsetText(char* out, int size) override { return Text("DateOffset", out, size); }
    // A magnification in place of a module width or bar height: only a member with the property.
    bool GetMagnificationText(char* out, int size) override { return m_has && Write("Magnification", out, size); }
    bool GetHeightPercentText(char* out, int size) override { return m_has && Write("HeightPercent", out, size); }
    bool QueryTextLogFont(LOGFONTA* out) override
    {
        if (!m_answers)
            return false;
        *out = LOGFONTA();
        out->lfHeight = Number(16);
        return true;
    }
    bool CopyPictureToClipboard() override { Receive("CopyPictureToClipboard"); return m_answers; }

    // Setters: each records what it received.
    void SetX(int v) override { Receive("SetX", v); }
    void SetY(int v) override { Receive("SetY", v); }
    void SetWidth(int v) override { Receive("SetWidth", v); }
    void SetHeight(int v) override { Receive("SetHeight", v); }
    void SetLineWidth(int v) override { Receive("SetLineWidth", v); }
    void SetCornerRadius(int v) override { Receive("SetCornerRadius", v); }
    void SetLineColour(COLORREF c) override { Receive("SetLineColour", static_cast<int>(c)); }
    void SetFillColour(COLORREF c) override { Receive("SetFillColour", static_cast<int>(c)); }
    void SetTextColour(COLORREF c) override { Receive("SetTextColour", static_cast<int>(c)); }
    void SetTransparent(bool on) override { Receive("SetTransparent", on); }
    void SetEquilateral(bool on) override { Receive("SetEquilateral", on); }
    void SetAlignment(int v) override { Receive("SetAlignment", v); }
    void SetFontName(const char* name) override { Receive("SetFontName", name); }
    void SetLogFont(const LOGFONTA* font) override { Receive("SetLogFont", font->lfHeight); }
    void SetBold(bool on) override { Receive("SetBold", on); }
    void SetItalic(bool on) override { Receive("SetItalic", on); }
    void SetUnderline(bool on) override { Receive("SetUnderline", on); }
    void SetShrinkToFit(bool on) override { Receive("SetShrinkToFit", on); }
    void SetCentred(bool on) override { Receive("SetCentred", on); }
    void SetTextLogFont(const LOGFONTA* font) override { Receive("SetTextLogFont", font->lfHeight); }
    void SetCharSet(int v) override { Receive("SetCharSet", v); }
    void SetSourceKind(int v) override { Receive("SetSourceKind", v); }
    bool SetColumnName(const char* name) override { Receive("SetColumnName", name); return m_answers; }
    bool SetImagePath(const char* path) override { Receive("SetImagePath", path); return m_answers; }
    bool SetSymbologyByName(const char* name) override { Receive("SetSymbologyByName", name); return m_answers; }
    void SetModuleWidth(int v) override { Receive("SetModuleWidth", v); }
    void SetBarHeight(int v) override { Receive("SetBarHeight", v); }
    void SetRatioText(const char* t) override { Receive("SetRatioText", t); }
    void SetSpaceCorrectionText(const char* t) override { Receive("SetSpaceCorrectionText", t); }
    void SetVersionText(const char* t) override { Receive("SetVersionText", t); }
    void SetErrorCorrectionLevelText(const char* t) override { Receive("SetErrorCorrectionLevelText", t); }
    void SetEncodingModeByName(const char* t) override { Receive("SetEncodingModeByName", t); }
    void SetMarginText(const char* t) override { Receive("SetMarginText", t); }
    void SetCheckDigit(bool on) override { Receive("SetCheckDigit", on); }
    void SetHumanReadable(bool on) override { Receive("SetHumanReadable", on); }
    void SetCheckDigitInText(bool on) override { Receive("SetCheckDigitInText", on); }
    void SetCounterPrefix(const char* t) override { Receive("SetCounterPrefix", t); }
    void SetCounterStartText(const char* t) override { Receive("SetCounterStartText", t); }
    void SetCounterSuffix(const char* t) override { Receive("SetCounterSuffix", t); }
    void SetCounterZeroPadded(bool on) override { Receive("SetCounterZeroPadded", on); }
    void SetCounterDigitsText(const char* t) override { Receive("SetCounterDigitsText", t); }
    void SetSeparatorName(const char* t) override { Receive("SetSeparatorName", t); }
    void SetSeparatorAlways(bool on) override { Receive("SetSeparatorAlways", on); }
    void SetDatePartByName(const char* t) override { Receive("SetDatePartByName", t); }
    void SetDateOffsetText(const char* t) override { Receive("SetDateOffsetText", t); }

private:
    bool Query(const char* name) const { return m_query.empty() || m_query == name ? m_has : !m_has; }
    int Number(int operation) const { return operation * 1000 + m_tag; }
    bool Text(const char* what, char* out, int size) const { return m_answers && Write(what, out, size); }
    bool Write(const char* what, char* out, int size) const
    {
        const std::string text = what + std::to_string(m_tag);
        if (size <= static_cast<int>(text.size()))
            return false;
        strcpy(out, text.c_str());
        return true;
    }
    void Receive(const char* what, int v) { m_received.push_back(std::string(what) + " " + std::to_string(v)); }
    void Receive(const char* what, const char* v = "") { m_received.push_back(std::string(what) + " " + v); }

    bool m_has;
    bool m_answers;
    int m_tag;
    bool m_flag = false;
    std::string m_query;
    std::vector<std::string> m_received;
};

enum Rule { kFirstSelected, kFirstThatHas, kFirstThatAnswers, kAny, kAnyThatHas, kUnion, kEverySelected, kEveryThatHas };

// Answers as text: "-" is the silence of a getter that did not answer (false, or -1).
std::string Num(long v) { return v == -1 ? "-" : std::to_string(v); }
std::string Flag(bool on) { return on ? "true" : "false"; }
std::string Text(const std::function<bool(char*)>& get)
{
    char buffer[100] = {};
    return get(buffer) ? std::string(buffer) : "-";
}

struct GetterRow {
    const char* name;
    Rule rule;
    const char* query;        // the property query the rule's guard asks ("" when none)
    std::function<std::string(CGraphCollection&)> collection;
    std::function<std::string(CGraphObject&)> member;
    std::string none;         // the answer when no member answers
};

using C = CGraphCollection;
using M = CGraphObject;

// What a getter says, as text: a number, a flag, or a text it writes into a buffer of 100 (told
// its size or not).
template <class Get, class Object> std::string Say(Get get, Object& o)
{
    if constexpr (std::is_invocable_v<Get, Object&, char*, int>)
        return Text([&](char* b) { return std::invoke(get, o, b, 100); });
    else if constexpr (std::is_invocable_v<Get, Object&, char*>)
        return Text([&](char* b) { return std::invoke(get, o, b); });
    else if constexpr (std::is_same_v<std::invoke_result_t<Get, Object&>, bool>)
        return Flag(std::invoke(get, o));
    else
        return Num(static_cast<long>(std::invoke(get, o)));
}

// A row of the common shape: the collection's getter beside the member operation it forwards.
template <class CollectionGet, class MemberGet>
GetterRow Row(const char* name, Rule rule, const char* query, CollectionGet get, MemberGet ask, const char* none)
{
    return {name, rule, query, [get](C& c) { return Say(get, c); }, [ask](M& o) { return Say(ask, o); }, none};
}

const GetterRow kGetters[] = {
    Row("GetSelectedX", kFirstSelected, "", &C::GetSelectedX, &M::GetX, "-"),
    Row("GetSelectedY", kFirstSelected, "", &C::GetSelectedY, &M::GetY, "-"),
    Row("GetSelectedWidth", kFirstSelected, "", &C::GetSelectedWidth, &M::GetWidth, "-"),
    Row("GetSelectedHeight", kFirstSelected, "", &C::GetSelectedHeight, &M::GetHeight, "-"),
    Row("GetSelectedLineWidth", kFirstThatHas, "HasLine", &C::GetSelectedLineWidth, &M::GetLineWidth, "1000"),
    Row("GetSelectedCornerRadius", kFirstThatAnswers, "", &C::GetSelectedCornerRadius, &M::GetCornerRadius, "-"),
    Row("GetSelectedTextColour", kFirstThatHas, "HasTextColour", &C::GetSelectedTextColour, &M::GetTextColour, "0"),
    Row("GetSelectedLineColour", kFirstSelected, "", &C::GetSelectedLineColour, &M::GetLineColour, "0"),
    Row("GetSelectedFillColour", kFirstThatHas, "HasFill", &C::GetSelectedFillColour, &M::GetFillColour, "0"),
    Row("GetSelectedSourceKind", kFirstThatAnswers, "", &C::GetSelectedSourceKind, &M::GetSourceKind, "-"),
    Row("GetSelectedModuleWidthUnit", kUnion, "", &C::GetSelectedModuleWidthUnit, &M::GetModuleWidthUnit, "0"),
    Row("GetSelectedBarHeightUnit", kUnion, "", &C::GetSelectedBarHeightUnit, &M::GetBarHeightUnit, "0"),
    Row("GetCharSet", kFirstThatHas, "HasCharSet", &C::GetCharSet, &M::GetCharSet, "1"),

    Row("IsSelectionBold", kAnyThatHas, "HasFont", &C::IsSelectionBold, &M::IsBold, "false"),
    Row("IsSelectionItalic", kAnyThatHas, "HasFont", &C::IsSelectionItalic, &M::IsItalic, "false"),
    Row("IsSelectionUnderline", kAnyThatHas, "HasFont", &C::IsSelectionUnderline, &M::IsUnderline, "false"),
    Row("IsTransparent", kAny, "", &C::IsTransparent, &M::IsTransparent, "false"),
    Row("HasTransparency", kAny, "HasTransparency", &C::HasTransparency, &M::HasTransparency, "false"),
    Row("HasTextSource", kAny, "HasTextSource", &C::HasTextSource, &M::HasTextSource, "false"),
    Row("HasImageSource", kAny, "HasImageSource", &C::HasImageSource, &M::HasImageSource, "false"),
    Row("IsFileSource", kAny, "", &C::IsFileSource, &M::IsFileSource, "false"),
    Row("IsImageSelected", kAny, "IsImage", &C::IsImageSelected, &M::IsImage, "false"),
    Row("HasSelectedCheckDigit", kAny, "HasCheckDigit", &C::HasSelectedCheckDigit, &M::HasCheckDigit, "false"),
    Row("GetSelectedCheckDigit", kFirstSelected, "", &C::GetSelectedCheckDigit, &M::GetCheckDigit, "false"),
    Row("HasSelectedHumanReadable", kAny, "HasHumanReadable", &C::HasSelectedHumanReadable, &M::HasHumanReadable, "false"),
    Row("GetSelectedHumanReadable", kFirstSelected, "", &C::GetSelectedHumanReadable, &M::GetHumanReadable, "false"),
    Row("CanSelectedShowCheckDigitInText", kAny, "CanShowCheckDigitInText", &C::CanSelectedShowCheckDigitInText, &M::CanShowCheckDigitInText, "false"),
    Row("GetSelectedCheckDigitInText", kFirstSelected, "", &C::GetSelectedCheckDigitInText, &M::GetCheckDigitInText, "false"),
    Row("GetSelectedEquilateral", kFirstThatHas, "HasEquilateral", &C::GetSelectedEquilateral, &M::IsEquilateral, "false"),
    Row("HasSelectedEquilateral", kAny, "HasEquilateral", &C::HasSelectedEquilateral, &M::HasEquilateral, "false"),
    Row("GetSelectedShrinkToFit", kFirstThatHas, "HasShrinkToFit", &C::GetSelectedShrinkToFit, &M::IsShrinkToFit, "false"),
    Row("HasSelectedShrinkToFit", kAny, "HasShrinkToFit", &C::HasSelectedShrinkToFit, &M::HasShrinkToFit, "false"),
    Row("GetSelectedCentred", kFirstThatHas, "HasCentring", &C::GetSelectedCentred, &M::IsCentred, "false"),
    Row("HasSelectedCentring", kAny, "HasCentring", &C::HasSelectedCentring, &M::HasCentring, "false"),
    Row("IsCounterZeroPadded", kFirstThatHas, "HasCounterOptions", &C::IsCounterZeroPadded, &M::IsCounterZeroPadded, "false"),
    Row("HasCounterOptions", kAny, "HasCounterOptions", &C::HasCounterOptions, &M::HasCounterOptions, "false"),
    Row("IsSeparatorAlways", kAny, "", &C::IsSeparatorAlways, &M::IsSeparatorAlways, "false"),
    Row("HasSeparator", kAny, "HasSeparator", &C::HasSeparator, &M::HasSeparator, "false"),
    Row("HasDatePart", kAny, "HasDatePart", &C::HasDatePart, &M::HasDatePart, "false"),
    Row("HasDateOffset", kAny, "HasDateOffset", &C::HasDateOffset, &M::HasDateOffset, "false"),
    Row("HasCharSet", kAny, "HasCharSet", &C::HasCharSet, &M::HasCharSet, "false"),

    Row("GetSelectedSymbologyName", kFirstSelected, "", &C::GetSelectedSymbologyName, &M::GetSymbologyName, "-"),
    Row("GetSelectedRatioText", kFirstThatAnswers, "", &C::GetSelectedRatioText, &M::GetRatioText, "-"),
    Row("GetSelectedSpaceCorrectionText", kFirstThatAnswers, "", &C::GetSelectedSpaceCorrectionText, &M::GetSpaceCorrectionText, "-"),
    Row("GetSelectedVersionText", kFirstThatAnswers, "", &C::GetSelectedVersionText, &M::GetVersionText, "-"),
    Row("GetSelectedErrorCorrectionLevelText", kFirstThatAnswers, "", &C::GetSelectedErrorCorrectionLevelText, &M::GetErrorCorrectionLevelText, "-"),
    Row("GetSelectedEncodingModeName", kFirstThatAnswers, "", &C::GetSelectedEncodingModeName, &M::GetEncodingModeName, "-"),
    Row("GetSelectedMarginText", kFirstThatAnswers, "", &C::GetSelectedMarginText, &M::GetMarginText, "-"),
    Row("GetCounterPrefix", kFirstThatAnswers, "", &C::GetCounterPrefix, &M::GetCounterPrefix, "-"),
    Row("GetCounterStartText", kFirstThatAnswers, "", &C::GetCounterStartText, &M::GetCounterStartText, "-"),
    Row("GetCounterSuffix", kFirstThatAnswers, "", &C::GetCounterSuffix, &M::GetCounterSuffix, "-"),
    Row("GetCounterDigitsText", kFirstThatAnswers, "", &C::GetCounterDigitsText, &M::GetCounterDigitsText, "-"),
    Row("GetSeparatorName", kFirstThatAnswers, "", &C::GetSeparatorName, &M::GetSeparatorName, "-"),
    Row("GetDatePartName", kFirstThatAnswers, "", &C::GetDatePartName, &M::GetDatePartName, "-"),
    Row("GetDateOffsetText", kFirstThatAnswers, "", &C::GetDateOffsetText, &M::GetDateOffsetText, "-"),

    // Getters that turn or combine what a member says.
    {"GetSelectedAlignment", kFirstThatHas, "HasAlignment",
     [](C& c) { int a = 0; return c.GetSelectedAlignment(&a) ? Num(a) : "-"; },
     [](M& o) { int a = 0; return o.QueryAlignment(&a) ? Num(a - 1) : "-"; }, "-"},
    {"GetSelectedFontName", kFirstThatHas, "HasFont", [](C& c) { return Text([&](char* b) { return c.GetSelectedFontName(b); }); },
     [](M& o) { LOGFONTA f = {}; return o.GetLogFont(&f) ? std::string(f.lfFaceName) : "-"; }, "-"},
    {"GetSelectedFontSize", kFirstThatHas, "HasFont", [](C& c) { return Num(c.GetSelectedFontSize()); },
     [](M& o) { LOGFONTA f = {}; return o.GetLogFont(&f) ? Num(f.lfHeight) : "-"; }, "-"},
    {"QueryTextLogFont", kFirstThatAnswers, "", [](C& c) { LOGFONTA f = {}; return c.QueryTextLogFont(&f) ? Num(f.lfHeight) : "-"; },
     [](M& o) { LOGFONTA f = {}; return o.QueryTextLogFont(&f) ? Num(f.lfHeight) : "-"; }, "-"},
    {"HasSelectedColumnName", kAny, "", [](C& c) { return Flag(c.HasSelectedColumnName()); },
     [](M& o) { char b[100]; return Flag(o.GetColumnName(b, sizeof(b))); }, "false"},
    {"CopyPictureToClipboard", kFirstThatAnswers, "", [](C& c) { return c.CopyPictureToClipboard() ? "true" : "-"; },
     [](M& o) { return o.CopyPictureToClipboard() ? "true" : "-"; }, "-"},
    {"GetSelectedModuleWidthText", kFirstThatAnswers, "",
     [](C& c) { return Text([&](char* b) { return c.GetSelectedModuleWidthText(b); }); },
     [](M& o) { return Text([&](char* b) { return o.GetModuleWidthText(b, 100) || o.GetMagnificationText(b, 100); }); }, "-"},
    {"GetSelectedModuleWidth", kFirstThatAnswers, "", [](C& c) { return Num(c.GetSelectedModuleWidth()); },
     [](M& o) { char b[32]; return o.GetModuleWidthText(b, sizeof(b)) ? Num(o.GetModuleWidth()) : "-"; }, "-"},
    {"GetSelectedBarHeightText", kFirstThatAnswers, "",
     [](C& c) { return Text([&](char* b) { return c.GetSelectedBarHeightText(b); }); },
     [](M& o) { return Text([&](char* b) { return o.GetBarHeightText(b, 100) || o.GetHeightPercentText(b, 100); }); }, "-"},
    {"GetSelectedBarHeight", kFirstThatAnswers, "", [](C& c) { return Num(c.GetSelectedBarHeight()); },
     [](M& o) { char b[32]; return o.GetBarHeightText(b, sizeof(b)) ? Num(o.GetBarHeight()) : "-"; }, "-"},
};

struct SetterRow {
    const char* name;
    Rule rule;
    const char* query;
    std::function<void(CGraphCollection&)> set;
    const char* received;     // what a member that the rule reaches receives
};

const SetterRow kSetters[] = {
    {"SetSelectedX", kEverySelected, "", [](C& c) { c.SetSelectedX(7); }, "SetX 7"},
    {"SetSelectedY", kEverySelected, "", [](C& c) { c.SetSelectedY(7); }, "SetY 7"},
    {"SetSelectedWidth", kEverySelected, "", [](C& c) { c.SetSelectedWidth(7); }, "SetWidth 7"},
    {"SetSelectedHeight", kEverySelected, "", [](C& c) { c.SetSelectedHeight(7); }, "SetHeight 7"},
    {"SetSelectedLineWidth", kEverySelected, "", [](C& c) { c.SetSelectedLineWidth(7); }, "SetLineWidth 7"},
    {"SetSelectedCornerRadius", kEverySelected, "", [](C& c) { c.SetSelectedCornerRadius(7); }, "SetCornerRadius 7"},
    {"SetSelectedAlignment", kEveryThatHas, "HasAlignment", [](C& c) { c.SetSelectedAlignment(2); }, "SetAlignment 2"},
    {"SetSelectedFontName", kEverySelected, "", [](C& c) { c.SetSelectedFontName("Tahoma"); }, "SetFontName Tahoma"},
    {"SetSelectedFontSize", kEveryThatHas, "HasFont", [](C& c) { c.SetSelectedFontSize(12); }, "SetLogFont -16"},
    {"SetSelectionBold", kEveryThatHas, "HasFont", [](C& c) { c.SetSelectionBold(true); }, "SetBold 1"},
    {"SetSelectionItalic", kEveryThatHas, "HasFont", [](C& c) { c.SetSelectionItalic(true); }, "SetItalic 1"},
    {"SetSelectionUnderline", kEveryThatHas, "HasFont", [](C& c) { c.SetSelectionUnderline(true); }, "SetUnderline 1"},
    {"SetSelectedTextColour", kEverySelected, "", [](C& c) { c.SetSelectedTextColour(7); }, "SetTextColour 7"},
    {"SetSelectedLineColour", kEverySelected, "", [](C& c) { c.SetSelectedLineColour(7); }, "SetLineColour 7"},
    {"SetSelectedFillColour", kEverySelected, "", [](C& c) { c.SetSelectedFillColour(7); }, "SetFillColour 7"},
    {"SetTransparent", kEverySelected, "", [](C& c) { c.SetTransparent(true); }, "SetTransparent 1"},
    {"SetSelectedSourceKind", kEverySelected, "", [](C& c) { c.SetSelectedSourceKind(3); }, "SetSourceKind 3"},
    {"SetSelectedColumnName", kEverySelected, "", [](C& c) { c.SetSelectedColumnName("B"); }, "SetColumnName B"},
    {"SetImagePath", kEverySelected, "", [](C& c) { c.SetImagePath("a.bmp"); }, "SetImagePath a.bmp"},
    {"SetSelectedSymbology", kEverySelected, "", [](C& c) { c.SetSelectedSymbology("EAN 8"); }, "SetSymbologyByName EAN 8"},
    {"SetSelectedModuleWidth", kEverySelected, "", [](C& c) { c.SetSelectedModuleWidth(330); }, "SetModuleWidth 330"},
    {"SetSelectedMagnificationPercent", kEveryThatHas, "UsesMagnification", [](C& c) { c.SetSelectedMagnificationPercent(80); },
     "SetModuleWidth 80"},
    {"SetSelectedBarHeight", kEverySelected, "", [](C& c) { c.SetSelectedBarHeight(9000); }, "SetBarHeight 9000"},
    {"SetSelectedHeightPercent", kEveryThatHas, "UsesMagnification", [](C& c) { c.SetSelectedHeightPercent(90); }, "SetBarHeight 90"},
    {"SetSelectedRatioText", kEverySelected, "", [](C& c) { c.SetSelectedRatioText("3"); }, "SetRatioText 3"},
    {"SetSelectedSpaceCorrectionText", kEverySelected, "", [](C& c) { c.SetSelectedSpaceCorrectionText("4"); }, "SetSpaceCorrectionText 4"},
    {"SetSelectedVersionText", kEverySelected, "", [](C& c) { c.SetSelectedVersionText("5"); }, "SetVersionText 5"},
    {"SetSelectedErrorCorrectionLevelText", kEverySelected, "", [](C& c) { c.SetSelectedErrorCorrectionLevelText("H"); },
     "SetErrorCorrectionLevelText H"},
    {"SetSelectedEncodingModeByName", kEverySelected, "", [](C& c) { c.SetSelectedEncodingModeByName("8"); }, "SetEncodingModeByName 8"},
    {"SetSelectedMarginText", kEverySelected, "", [](C& c) { c.SetSelectedMarginText("2"); }, "SetMarginText 2"},
    {"SetSelectedCheckDigit", kEverySelected, "", [](C& c) { c.SetSelectedCheckDigit(true); }, "SetCheckDigit 1"},
    {"SetSelectedHumanReadable", kEverySelected, "", [](C& c) { c.SetSelectedHumanReadable(true); }, "SetHumanReadable 1"},
    {"SetSelectedCheckDigitInText", kEverySelected, "", [](C& c) { c.SetSelectedCheckDigitInText(true); }, "SetCheckDigitInText 1"},
    {"SetSelectedEquilateral", kEverySelected, "", [](C& c) { c.SetSelectedEquilateral(true); }, "SetEquilateral 1"},
    {"SetSelectedShrinkToFit", kEverySelected, "", [](C& c) { c.SetSelectedShrinkToFit(true); }, "SetShrinkToFit 1"},
    {"SetSelectedCentred", kEverySelected, "", [](C& c) { c.SetSelectedCentred(true); }, "SetCentred 1"},
    {"SetCounterPrefix", kEverySelected, "", [](C& c) { c.SetCounterPrefix("P"); }, "SetCounterPrefix P"},
    {"SetCounterStartText", kEverySelected, "", [](C& c) { c.SetCounterStartText("10"); }, "SetCounterStartText 10"},
    {"SetCounterSuffix", kEverySelected, "", [](C& c) { c.SetCounterSuffix("S"); }, "SetCounterSuffix S"},
    {"SetCounterZeroPadded", kEverySelected, "", [](C& c) { c.SetCounterZeroPadded(true); }, "SetCounterZeroPadded 1"},
    {"SetCounterDigitsText", kEverySelected, "", [](C& c) { c.SetCounterDigitsText("6"); }, "SetCounterDigitsText 6"},
    {"SetSeparatorName", kEverySelected, "", [](C& c) { c.SetSeparatorName("Tab"); }, "SetSeparatorName Tab"},
    {"SetSeparatorAlways", kEverySelected, "", [](C& c) { c.SetSeparatorAlways(true); }, "SetSeparatorAlways 1"},
    {"SetDatePartByName", kEverySelected, "", [](C& c) { c.SetDatePartByName("Week"); }, "SetDatePartByName Week"},
    {"SetDateOffsetText", kEverySelected, "", [](C& c) { c.SetDateOffsetText("+1"); }, "SetDateOffsetText +1"},
    {"SetTextLogFont", kEverySelected, "", [](C& c) { LOGFONTA f = {}; f.lfHeight = 33; c.SetTextLogFont(&f); }, "SetTextLogFont 33"},
    {"SetCharSet", kEveryThatHas, "HasCharSet", [](C& c) { c.SetCharSet(238); }, "SetCharSet 238"},
};

// One arrangement of members: selected or not, with the property or not, answering or not.
struct Shape {
    bool selected, has, answers;
};

// The head is never selected; after it come members that tell the rules apart: the first
// selected one has nothing and answers nothing, the next has the property but stays silent, the
// next has it and answers, the last answers without having it.
const Shape kTelling[] = {
    {false, true, true}, {true, false, false}, {true, true, false}, {true, true, true}, {true, false, true}};
const Shape kNobodyHasIt[] = {{false, true, true}, {true, false, false}};
const Shape kNothingSelected[] = {{false, true, true}, {false, true, true}};

struct Area {
    CGraphCollection collection;
    std::vector<Probe*> probes;
};

// Members tagged 2, 4, 8 ...; the unselected head always carries the flag, and of the others only
// the one at flagged (-1: none).
template <size_t N> void Fill(Area& area, const Shape (&shapes)[N], const char* query, int flagged)
{
    for (size_t i = 0; i < N; ++i) {
        Probe* p = new Probe(shapes[i].selected, shapes[i].has, shapes[i].answers, 2 << i);
        p->SetQueryUnderTest(query);
        p->SetFlag(i == 0 || static_cast<int>(i) == flagged);
        area.probes.push_back(p);
        area.collection.Append(p);
    }
}

// The answer the row's rule gives over these members.
std::string Expected(const GetterRow& row, const std::vector<Probe*>& members)
{
    long bits = 0;
    for (Probe* m : members) {
        if (!m->IsSelected())
            continue;
        const std::string answer = row.member(*m);
        switch (row.rule) {
        case kFirstSelected: return answer;
        case kFirstThatHas: if (m->Has()) return answer; break;
        case kFirstThatAnswers: if (answer != "-") return answer; break;
        case kAny: if (answer == "true") return answer; break;
        case kAnyThatHas: if (m->Has() && answer == "true") return answer; break;
        case kUnion: bits |= std::stol(answer); break;
        default: break;
        }
    }
    return row.rule == kUnion ? Num(bits) : row.none;
}

template <size_t N> void CheckGetter(const GetterRow& row, const Shape (&shapes)[N], const char* layout)
{
    for (int flagged = -1; flagged < static_cast<int>(N); ++flagged) {
        Area area;
        Fill(area, shapes, row.query, flagged);
        const std::string expected = Expected(row, area.probes);
        EXPECT_EQ(expected, row.collection(area.collection)) << row.name << ", " << layout << ", flag on member " << flagged;
    }
}

} // namespace

TEST(CollectionRules, EveryGetterAnswersByItsRule)
{
    for (const GetterRow& row : kGetters) {
        CheckGetter(row, kTelling, "telling members");
        CheckGetter(row, kNobodyHasIt, "nobody has it");
        CheckGetter(row, kNothingSelected, "nothing selected");
        CGraphCollection empty;
        EXPECT_EQ(row.none, row.collection(empty)) << row.name << ", empty";
    }
}

TEST(CollectionRules, EverySetterReachesTheMembersOfItsRule)
{
    for (const SetterRow& row : kSetters) {
        Area area;
        Fill(area, kTelling, row.query, -1);
        row.set(area.collection);
        for (size_t i = 0; i < area.probes.size(); ++i) {
            Probe* p = area.probes[i];
            const bool reached = p->IsSelected() && (row.rule == kEverySelected || p->Has());
            const std::vector<std::string> expected = reached ? std::vector<std::string>{row.received}
                                                              : std::vector<std::string>{};
            EXPECT_EQ(expected, p->Received()) << row.name << ", member " << i;
        }
    }
}

TEST(CollectionRules, SettersThatAnswerSayWhetherAnySelectedMemberAccepted)
{
    Area telling;
    Fill(telling, kTelling, "", -1);
    EXPECT_TRUE(telling.collection.SetImagePath("a.bmp"));
    EXPECT_TRUE(telling.collection.SetSelectedSymbology("EAN 8"));
    // The last member accepts as well as the one before: every selected member was asked.
    EXPECT_EQ(2u, telling.probes[4]->Received().size());

    Area refusing;
    Fill(refusing, kNobodyHasIt, "", -1);
    EXPECT_FALSE(refusing.collection.SetImagePath("a.bmp"));
    EXPECT_FALSE(refusing.collection.SetSelectedSymbology("EAN 8"));
    EXPECT_TRUE(refusing.probes[0]->Received().empty());
}

TEST(CollectionRules, OnlyTheFirstMemberThatManagesItCopiesItsPicture)
{
    Area area;
    Fill(area, kTelling, "", -1);
    EXPECT_TRUE(area.collection.CopyPictureToClipboard());
    // Members 1 and 2 tried and could not; member 3 copied; member 4 was not asked.
    EXPECT_EQ(1u, area.probes[1]->Received().size());
    EXPECT_EQ(1u, area.probes[2]->Received().size());
    EXPECT_EQ(1u, area.probes[3]->Received().size());
    EXPECT_TRUE(area.probes[4]->Received().empty());
    EXPECT_TRUE(area.probes[0]->Received().empty());
}
