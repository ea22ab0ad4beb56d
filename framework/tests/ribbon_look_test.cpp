// Ribbon helpers without windows: the looks, prompts and mnemonics.
#include "framework/ribbonelements.h"
#include "framework/ribbonlook.h"

#include <gtest/gtest.h>

TEST(RibbonLook, LookIdsMapOntoSchemes)
{
    struct Case {
        UINT look;
        RibbonScheme scheme;
    } cases[] = {
        { 210, RibbonScheme::Classic },          { 211, RibbonScheme::Office2003 },
        { 212, RibbonScheme::Classic },          { 213, RibbonScheme::Office2003 },
        { 214, RibbonScheme::VisualStudio2005 }, { 215, RibbonScheme::Office2007Blue },
        { 216, RibbonScheme::Office2007Black },  { 217, RibbonScheme::Office2007Silver },
        { 218, RibbonScheme::Office2007Aqua },
        // Out of range: the Office 2007 scheme in its current (here: the first) style.
        { 0, RibbonScheme::Office2007Blue },     { 209, RibbonScheme::Office2007Blue },
        { 219, RibbonScheme::Office2007Blue },   { 0xFFFFFFFF, RibbonScheme::Office2007Blue },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.scheme, CRibbonLook::SchemeForLook(c.look)) << c.look;
    // The look a first start has (nothing stored yet) draws the Visual Studio 2005 scheme.
    EXPECT_EQ(RibbonScheme::VisualStudio2005, CRibbonLook::SchemeForLook(kDefaultApplicationLook));
    EXPECT_EQ(RibbonScheme::Office2007Silver, CRibbonLook::SchemeForLook(300, RibbonScheme::Office2007Silver));
    EXPECT_EQ(RibbonScheme::Office2007Blue, CRibbonLook::SchemeForLook(300, RibbonScheme::Classic));
}

TEST(RibbonLook, OutOfRangeKeepsTheLastOffice2007Style)
{
    CRibbonLook::Apply(216);
    CRibbonLook::Apply(214);
    EXPECT_EQ(RibbonScheme::VisualStudio2005, CRibbonLook::CurrentScheme());
    CRibbonLook::Apply(5000);
    EXPECT_EQ(5000u, CRibbonLook::CurrentLook());
    EXPECT_EQ(RibbonScheme::Office2007Black, CRibbonLook::CurrentScheme());
    EXPECT_EQ(CRibbonLook::ColorsOf(RibbonScheme::Office2007Black).background, CRibbonLook::Colors().background);
    // Every scheme is its own.
    EXPECT_NE(CRibbonLook::ColorsOf(RibbonScheme::Office2007Blue).background,
              CRibbonLook::ColorsOf(RibbonScheme::Office2007Silver).background);
    CRibbonLook::Apply(kDefaultApplicationLook);
}

TEST(RibbonText, PromptsSplitIntoDescriptionAndToolTip)
{
    struct Case {
        const char* prompt;
        const char* description;
        const char* tooltip;
    } cases[] = {
        { "Show field codes in the design view\nField codes", "Show field codes in the design view", "Field codes" },
        { "Only a description", "Only a description", "" },
        { "\nOnly a tip", "", "Only a tip" },
        { "", "", "" },
        { nullptr, "", "" },
    };
    for (const Case& c : cases) {
        CString description, tooltip;
        SplitRibbonPrompt(c.prompt, description, tooltip);
        EXPECT_STREQ(c.description, description);
        EXPECT_STREQ(c.tooltip, tooltip);
    }
    EXPECT_STREQ("Save As...", StripRibbonMnemonic("Save &As..."));
    EXPECT_STREQ("Fish & Chips", StripRibbonMnemonic("Fish && Chips"));
    EXPECT_STREQ("", StripRibbonMnemonic(nullptr));
}

TEST(RibbonText, CaptionsCarryKeyTipsAfterTheLineBreak)
{
    CMFCRibbonButton paste(57637, "Paste\nv");
    EXPECT_STREQ("Paste", paste.GetText());
    EXPECT_STREQ("v", paste.GetKeys());
    CMFCRibbonButton help(57670, "\na");
    EXPECT_STREQ("", help.GetText());
    EXPECT_STREQ("a", help.GetKeys());
    EXPECT_FALSE(CMFCRibbonButton(static_cast<UINT>(-1), "Style").HasCommand());
    EXPECT_FALSE(CMFCRibbonButton(0, "Style").HasCommand());
}
