#include "framework/ribbonlook.h"

namespace {

UINT g_look = kDefaultApplicationLook;
RibbonScheme g_scheme = RibbonScheme::VisualStudio2005;
RibbonScheme g_last2007 = RibbonScheme::Office2007Blue;

// Field order: background, tabText, tabActiveFace, tabActiveText, panelArea, panelFace,
// panelBorder, captionFace, captionText, text, textDisabled, hotFace, hotBorder, pressedFace,
// checkedFace, checkedBorder, appButtonFace, appButtonText.
const RibbonColors kClassic = {
    RGB(212, 208, 200), RGB(0, 0, 0), RGB(236, 233, 227), RGB(0, 0, 0), RGB(236, 233, 227),
    RGB(236, 233, 227), RGB(128, 128, 128), RGB(200, 196, 188), RGB(0, 0, 0), RGB(0, 0, 0),
    RGB(128, 128, 128), RGB(182, 189, 210), RGB(10, 36, 106), RGB(133, 146, 181), RGB(212, 213, 216),
    RGB(10, 36, 106), RGB(10, 36, 106), RGB(255, 255, 255),
};
const RibbonColors kOffice2003 = {
    RGB(158, 190, 245), RGB(0, 0, 0), RGB(227, 239, 255), RGB(0, 0, 0), RGB(196, 218, 250),
    RGB(227, 239, 255), RGB(59, 97, 156), RGB(158, 190, 245), RGB(0, 0, 0), RGB(0, 0, 0),
    RGB(141, 141, 141), RGB(255, 238, 194), RGB(0, 0, 128), RGB(254, 128, 62), RGB(255, 192, 111),
    RGB(0, 0, 128), RGB(0, 45, 150), RGB(255, 255, 255),
};
const RibbonColors kVisualStudio2005 = {
    RGB(229, 229, 215), RGB(0, 0, 0), RGB(252, 252, 249), RGB(0, 0, 0), RGB(243, 243, 236),
    RGB(252, 252, 249), RGB(165, 165, 151), RGB(224, 223, 210), RGB(0, 0, 0), RGB(0, 0, 0),
    RGB(172, 168, 153), RGB(193, 210, 238), RGB(49, 106, 197), RGB(152, 181, 226), RGB(225, 230, 232),
    RGB(49, 106, 197), RGB(49, 106, 197), RGB(255, 255, 255),
};
const RibbonColors kOffice2007Blue = {
    RGB(191, 219, 255), RGB(21, 66, 139), RGB(227, 237, 251), RGB(21, 66, 139), RGB(211, 227, 246),
    RGB(223, 234, 247), RGB(141, 178, 227), RGB(194, 216, 241), RGB(62, 106, 170), RGB(21, 66, 139),
    RGB(141, 141, 141), RGB(255, 231, 162), RGB(219, 206, 153), RGB(251, 140, 60), RGB(255, 213, 140),
    RGB(194, 118, 43), RGB(60, 110, 190), RGB(255, 255, 255),
};
const RibbonColors kOffice2007Black = {
    RGB(83, 83, 83), RGB(255, 255, 255), RGB(228, 228, 228), RGB(0, 0, 0), RGB(212, 212, 212),
    RGB(232, 232, 232), RGB(150, 150, 150), RGB(190, 190, 190), RGB(40, 40, 40), RGB(0, 0, 0),
    RGB(141, 141, 141), RGB(255, 231, 162), RGB(219, 206, 153), RGB(251, 140, 60), RGB(255, 213, 140),
    RGB(194, 118, 43), RGB(40, 40, 40), RGB(255, 255, 255),
};
const RibbonColors kOffice2007Silver = {
    RGB(208, 212, 221), RGB(76, 83, 92), RGB(241, 242, 245), RGB(76, 83, 92), RGB(226, 229, 235),
    RGB(239, 241, 244), RGB(166, 172, 182), RGB(212, 216, 224), RGB(76, 83, 92), RGB(40, 44, 50),
    RGB(141, 141, 141), RGB(255, 231, 162), RGB(219, 206, 153), RGB(251, 140, 60), RGB(255, 213, 140),
    RGB(194, 118, 43), RGB(110, 118, 130), RGB(255, 255, 255),
};
const RibbonColors kOffice2007Aqua = {
    RGB(196, 215, 228), RGB(48, 75, 102), RGB(233, 241, 246), RGB(48, 75, 102), RGB(215, 229, 238),
    RGB(231, 239, 245), RGB(140, 170, 192), RGB(200, 218, 230), RGB(48, 75, 102), RGB(30, 50, 70),
    RGB(141, 141, 141), RGB(255, 231, 162), RGB(219, 206, 153), RGB(251, 140, 60), RGB(255, 213, 140),
    RGB(194, 118, 43), RGB(70, 120, 160), RGB(255, 255, 255),
};

} // namespace

RibbonScheme CRibbonLook::SchemeForLook(UINT look, RibbonScheme current2007)
{
    switch (look) {
    case kLookWin2000:
    case kLookWinXP:
        return RibbonScheme::Classic;
    case kLookOfficeXP:
    case kLookOffice2003:
        return RibbonScheme::Office2003;
    case kLookVS2005:
        return RibbonScheme::VisualStudio2005;
    case kLookOffice2007Blue:
        return RibbonScheme::Office2007Blue;
    case kLookOffice2007Black:
        return RibbonScheme::Office2007Black;
    case kLookOffice2007Silver:
        return RibbonScheme::Office2007Silver;
    case kLookOffice2007Aqua:
        return RibbonScheme::Office2007Aqua;
    default:
        return IsOffice2007(current2007) ? current2007 : RibbonScheme::Office2007Blue;
    }
}

bool CRibbonLook::IsOffice2007(RibbonScheme scheme)
{
    return scheme == RibbonScheme::Office2007Blue || scheme == RibbonScheme::Office2007Black ||
           scheme == RibbonScheme::Office2007Silver || scheme == RibbonScheme::Office2007Aqua;
}

const RibbonColors& CRibbonLook::ColorsOf(RibbonScheme scheme)
{
    switch (scheme) {
    case RibbonScheme::Classic: return kClassic;
    case RibbonScheme::Office2003: return kOffice2003;
    case RibbonScheme::VisualStudio2005: return kVisualStudio2005;
    case RibbonScheme::Office2007Blue: return kOffice2007Blue;
    case RibbonScheme::Office2007Black: return kOffice2007Black;
    case RibbonScheme::Office2007Silver: return kOffice2007Silver;
    case RibbonScheme::Office2007Aqua: return kOffice2007Aqua;
    }
    return kOffice2007Blue;
}

void CRibbonLook::Apply(UINT look)
{
    g_look = look;
    g_scheme = SchemeForLook(look, g_last2007);
    if (IsOffice2007(g_scheme))
        g_last2007 = g_scheme;
}

UINT CRibbonLook::CurrentLook()
{
    return g_look;
}

RibbonScheme CRibbonLook::CurrentScheme()
{
    return g_scheme;
}
