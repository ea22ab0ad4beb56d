#pragma once
// The ribbon's looks: the stored look ids 210..218 map onto a few colour schemes of our own. One
// look is current for the whole process (every ribbon paints with it); the frame chooses it and
// remembers the id in the profile as "ApplicationLook".
#include <windows.h>

// The look ids the frame's style commands and the profile use.
enum : UINT {
    kLookWin2000 = 210,
    kLookOfficeXP = 211,
    kLookWinXP = 212,
    kLookOffice2003 = 213,
    kLookVS2005 = 214,
    kLookOffice2007Blue = 215,
    kLookOffice2007Black = 216,
    kLookOffice2007Silver = 217,
    kLookOffice2007Aqua = 218,
};
constexpr UINT kDefaultApplicationLook = kLookVS2005;
constexpr const char* kApplicationLookEntry = "ApplicationLook";

enum class RibbonScheme {
    Classic,            // grey faces of the older Windows look
    Office2003,         // light blue bars with orange highlights
    VisualStudio2005,   // beige bars with blue highlights
    Office2007Blue,
    Office2007Black,
    Office2007Silver,
    Office2007Aqua,
};

struct RibbonColors {
    COLORREF background;       // behind the tabs and the quick access toolbar
    COLORREF tabText;
    COLORREF tabActiveFace;    // the selected tab joins the panel area in this colour
    COLORREF tabActiveText;
    COLORREF panelArea;        // the strip holding the panels
    COLORREF panelFace;
    COLORREF panelBorder;
    COLORREF captionFace;      // the panel caption strip
    COLORREF captionText;
    COLORREF text;
    COLORREF textDisabled;
    COLORREF hotFace;
    COLORREF hotBorder;
    COLORREF pressedFace;
    COLORREF checkedFace;
    COLORREF checkedBorder;
    COLORREF appButtonFace;
    COLORREF appButtonText;
};

class CRibbonLook {
public:
    // The scheme a look id stands for. Ids outside 210..218 keep the Office 2007 style chosen last
    // (current2007; blue when it is not an Office 2007 scheme).
    static RibbonScheme SchemeForLook(UINT look, RibbonScheme current2007 = RibbonScheme::Office2007Blue);
    static bool IsOffice2007(RibbonScheme scheme);
    static const RibbonColors& ColorsOf(RibbonScheme scheme);

    // The process-wide look. Apply remembers the id (as given, also when out of range) and, for an
    // Office 2007 scheme, its style for later out-of-range ids.
    static void Apply(UINT look);
    static UINT CurrentLook();
    static RibbonScheme CurrentScheme();
    static const RibbonColors& Colors() { return ColorsOf(CurrentScheme()); }
};
