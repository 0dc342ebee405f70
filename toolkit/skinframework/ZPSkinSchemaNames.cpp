// Name tables of the colour-scheme vocabulary. Class numbers are the toolkit's own; part, state,
// property and value numbers are those of the published visual-styles schema.
#include "skinframework/ZPSkinSchemaNames.h"

#include <wchar.h>

namespace {

const LPCWSTR kClassNames[] = {
    L"GLOBALS",    L"DOCUMENTATION", L"SYSMETRICS", L"LISTBOX",    L"DIALOG",      L"WINDOW",
    L"BUTTON",     L"REBAR",         L"TOOLBAR",    L"STATUS",     L"MENU",        L"LISTVIEW",
    L"HEADER",     L"PROGRESS",      L"TAB",        L"TRACKBAR",   L"TOOLTIP",     L"TREEVIEW",
    L"SPIN",       L"PAGE",          L"SCROLLBAR",  L"EDIT",       L"COMBOBOX",    L"CLOCK",
    L"TRAYNOTIFY", L"TASKBAR",       L"TASKBAND",   L"STARTPANEL", L"EXPLORERBAR", L"MENUBAND",
};

// One list of names, numbered from 1, under a key name.
struct NameList
{
    LPCWSTR lpszKey;
    const LPCWSTR* pNames;
    int nCount;
};

#define ZP_LIST(key, names)                                                                                            \
    {                                                                                                                  \
        key, names, static_cast<int>(sizeof(names) / sizeof(names[0]))                                                 \
    }

const LPCWSTR kWindowParts[] = {
    L"CAPTION",
    L"SMALLCAPTION",
    L"MINCAPTION",
    L"SMALLMINCAPTION",
    L"MAXCAPTION",
    L"SMALLMAXCAPTION",
    L"FRAMELEFT",
    L"FRAMERIGHT",
    L"FRAMEBOTTOM",
    L"SMALLFRAMELEFT",
    L"SMALLFRAMERIGHT",
    L"SMALLFRAMEBOTTOM",
    L"SYSBUTTON",
    L"MDISYSBUTTON",
    L"MINBUTTON",
    L"MDIMINBUTTON",
    L"MAXBUTTON",
    L"CLOSEBUTTON",
    L"SMALLCLOSEBUTTON",
    L"MDICLOSEBUTTON",
    L"RESTOREBUTTON",
    L"MDIRESTOREBUTTON",
    L"HELPBUTTON",
    L"MDIHELPBUTTON",
    L"HORZSCROLL",
    L"HORZTHUMB",
    L"VERTSCROLL",
    L"VERTTHUMB",
    L"DIALOG",
    L"CAPTIONSIZINGTEMPLATE",
    L"SMALLCAPTIONSIZINGTEMPLATE",
    L"FRAMELEFTSIZINGTEMPLATE",
    L"SMALLFRAMELEFTSIZINGTEMPLATE",
    L"FRAMERIGHTSIZINGTEMPLATE",
    L"SMALLFRAMERIGHTSIZINGTEMPLATE",
    L"FRAMEBOTTOMSIZINGTEMPLATE",
    L"SMALLFRAMEBOTTOMSIZINGTEMPLATE",
};
const LPCWSTR kButtonParts[] = { L"PUSHBUTTON", L"RADIOBUTTON", L"CHECKBOX", L"GROUPBOX", L"USERBUTTON" };
const LPCWSTR kRebarParts[] = { L"GRIPPER", L"GRIPPERVERT", L"BAND", L"CHEVRON", L"CHEVRONVERT" };
const LPCWSTR kToolbarParts[] = { L"BUTTON",    L"DROPDOWNBUTTON", L"SPLITBUTTON", L"SPLITBUTTONDROPDOWN",
                                  L"SEPARATOR", L"SEPARATORVERT" };
const LPCWSTR kStatusParts[] = { L"PANE", L"GRIPPERPANE", L"GRIPPER" };
const LPCWSTR kMenuParts[] = {
    L"MENUITEM",     L"MENUDROPDOWN",         L"MENUBARITEM",    L"MENUBARDROPDOWN", L"CHEVRON",
    L"SEPARATOR",    L"BARBACKGROUND",        L"BARITEM",        L"POPUPBACKGROUND", L"POPUPBORDERS",
    L"POPUPCHECK",   L"POPUPCHECKBACKGROUND", L"POPUPGUTTER",    L"POPUPITEM",       L"POPUPSEPARATOR",
    L"POPUPSUBMENU", L"SYSTEMCLOSE",          L"SYSTEMMAXIMIZE", L"SYSTEMMINIMIZE",  L"SYSTEMRESTORE",
};
const LPCWSTR kListViewParts[] = { L"LISTITEM", L"LISTGROUP", L"LISTDETAIL", L"LISTSORTEDDETAIL", L"EMPTYTEXT" };
const LPCWSTR kHeaderParts[] = { L"HEADERITEM", L"HEADERITEMLEFT", L"HEADERITEMRIGHT", L"HEADERSORTARROW" };
const LPCWSTR kProgressParts[] = { L"BAR", L"BARVERT", L"CHUNK", L"CHUNKVERT" };
const LPCWSTR kTabParts[] = { L"TABITEM",
                              L"TABITEMLEFTEDGE",
                              L"TABITEMRIGHTEDGE",
                              L"TABITEMBOTHEDGE",
                              L"TOPTABITEM",
                              L"TOPTABITEMLEFTEDGE",
                              L"TOPTABITEMRIGHTEDGE",
                              L"TOPTABITEMBOTHEDGE",
                              L"PANE",
                              L"BODY" };
const LPCWSTR kTrackbarParts[] = { L"TRACK",     L"TRACKVERT", L"THUMB",      L"THUMBBOTTOM", L"THUMBTOP",
                                   L"THUMBVERT", L"THUMBLEFT", L"THUMBRIGHT", L"TICS",        L"TICSVERT" };
const LPCWSTR kTooltipParts[] = { L"STANDARD", L"STANDARDTITLE", L"BALLOON", L"BALLOONTITLE", L"CLOSE" };
const LPCWSTR kTreeViewParts[] = { L"TREEITEM", L"GLYPH", L"BRANCH" };
const LPCWSTR kSpinParts[] = { L"UP", L"DOWN", L"UPHORZ", L"DOWNHORZ" };
const LPCWSTR kScrollBarParts[] = { L"ARROWBTN",       L"THUMBBTNHORZ",   L"THUMBBTNVERT",   L"LOWERTRACKHORZ",
                                    L"UPPERTRACKHORZ", L"LOWERTRACKVERT", L"UPPERTRACKVERT", L"GRIPPERHORZ",
                                    L"GRIPPERVERT",    L"SIZEBOX" };
const LPCWSTR kEditParts[] = { L"EDITTEXT", L"CARET" };
const LPCWSTR kComboBoxParts[] = { L"DROPDOWNBUTTON" };
const LPCWSTR kClockParts[] = { L"TIME" };
const LPCWSTR kTrayNotifyParts[] = { L"BACKGROUND", L"ANIMBACKGROUND" };
const LPCWSTR kTaskbarParts[] = { L"BACKGROUNDBOTTOM", L"BACKGROUNDRIGHT", L"BACKGROUNDTOP", L"BACKGROUNDLEFT",
                                  L"SIZINGBARBOTTOM",  L"SIZINGBARRIGHT",  L"SIZINGBARTOP",  L"SIZINGBARLEFT" };
const LPCWSTR kTaskBandParts[] = { L"GROUPCOUNT", L"FLASHBUTTON", L"FLASHBUTTONGROUPMENU" };
const LPCWSTR kStartPanelParts[] = { L"USERPANE",
                                     L"MOREPROGRAMS",
                                     L"MOREPROGRAMSARROW",
                                     L"PROGLIST",
                                     L"PROGLISTSEPARATOR",
                                     L"PLACESLIST",
                                     L"PLACESLISTSEPARATOR",
                                     L"LOGOFF",
                                     L"LOGOFFBUTTONS",
                                     L"USERPICTURE",
                                     L"PREVIEW" };
const LPCWSTR kExplorerBarParts[] = {
    L"HEADERBACKGROUND",       L"HEADERCLOSE",          L"HEADERPIN",          L"IEBARMENU",
    L"NORMALGROUPBACKGROUND",  L"NORMALGROUPCOLLAPSE",  L"NORMALGROUPEXPAND",  L"NORMALGROUPHEAD",
    L"SPECIALGROUPBACKGROUND", L"SPECIALGROUPCOLLAPSE", L"SPECIALGROUPEXPAND", L"SPECIALGROUPHEAD",
};
// Spelled so by the schema.
const LPCWSTR kMenuBandParts[] = { L"NEWAPPBUTTON", L"SEPERATOR" };

const NameList kPartLists[] = {
    ZP_LIST(L"WINDOW", kWindowParts),
    ZP_LIST(L"BUTTON", kButtonParts),
    ZP_LIST(L"REBAR", kRebarParts),
    ZP_LIST(L"TOOLBAR", kToolbarParts),
    ZP_LIST(L"STATUS", kStatusParts),
    ZP_LIST(L"MENU", kMenuParts),
    ZP_LIST(L"LISTVIEW", kListViewParts),
    ZP_LIST(L"HEADER", kHeaderParts),
    ZP_LIST(L"PROGRESS", kProgressParts),
    ZP_LIST(L"TAB", kTabParts),
    ZP_LIST(L"TRACKBAR", kTrackbarParts),
    ZP_LIST(L"TOOLTIP", kTooltipParts),
    ZP_LIST(L"TREEVIEW", kTreeViewParts),
    ZP_LIST(L"SPIN", kSpinParts),
    ZP_LIST(L"PAGE", kSpinParts),
    ZP_LIST(L"SCROLLBAR", kScrollBarParts),
    ZP_LIST(L"EDIT", kEditParts),
    ZP_LIST(L"COMBOBOX", kComboBoxParts),
    ZP_LIST(L"CLOCK", kClockParts),
    ZP_LIST(L"TRAYNOTIFY", kTrayNotifyParts),
    ZP_LIST(L"TASKBAR", kTaskbarParts),
    ZP_LIST(L"TASKBAND", kTaskBandParts),
    ZP_LIST(L"STARTPANEL", kStartPanelParts),
    ZP_LIST(L"EXPLORERBAR", kExplorerBarParts),
    ZP_LIST(L"MENUBAND", kMenuBandParts),
};

const LPCWSTR kActiveInactive[] = { L"ACTIVE", L"INACTIVE" };
const LPCWSTR kCaptionStates[] = { L"ACTIVE", L"INACTIVE", L"DISABLED" };
const LPCWSTR kNormalHotPushedDisabled[] = { L"NORMAL", L"HOT", L"PUSHED", L"DISABLED" };
const LPCWSTR kPushButtonStates[] = { L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"DEFAULTED" };
const LPCWSTR kRadioStates[] = { L"UNCHECKEDNORMAL", L"UNCHECKEDHOT", L"UNCHECKEDPRESSED", L"UNCHECKEDDISABLED",
                                 L"CHECKEDNORMAL",   L"CHECKEDHOT",   L"CHECKEDPRESSED",   L"CHECKEDDISABLED" };
const LPCWSTR kCheckBoxStates[] = { L"UNCHECKEDNORMAL", L"UNCHECKEDHOT", L"UNCHECKEDPRESSED", L"UNCHECKEDDISABLED",
                                    L"CHECKEDNORMAL",   L"CHECKEDHOT",   L"CHECKEDPRESSED",   L"CHECKEDDISABLED",
                                    L"MIXEDNORMAL",     L"MIXEDHOT",     L"MIXEDPRESSED",     L"MIXEDDISABLED" };
const LPCWSTR kNormalDisabled[] = { L"NORMAL", L"DISABLED" };
const LPCWSTR kNormalHotPressed[] = { L"NORMAL", L"HOT", L"PRESSED" };
const LPCWSTR kToolbarStates[] = { L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"CHECKED", L"HOTCHECKED" };
const LPCWSTR kMenuStates[] = { L"NORMAL", L"SELECTED", L"DEMOTED" };
const LPCWSTR kPopupCheckStates[] = { L"CHECKMARKNORMAL", L"CHECKMARKDISABLED", L"BULLETNORMAL", L"BULLETDISABLED" };
const LPCWSTR kPopupCheckBackgroundStates[] = { L"DISABLED", L"NORMAL", L"BITMAP" };
const LPCWSTR kPopupItemStates[] = { L"NORMAL", L"HOT", L"DISABLED", L"DISABLEDHOT" };
const LPCWSTR kListItemStates[] = { L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"SELECTEDNOTFOCUS" };
const LPCWSTR kSortArrowStates[] = { L"SORTEDUP", L"SORTEDDOWN" };
const LPCWSTR kTabItemStates[] = { L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"FOCUSED" };
const LPCWSTR kNormal[] = { L"NORMAL" };
const LPCWSTR kThumbStates[] = { L"NORMAL", L"HOT", L"PRESSED", L"FOCUSED", L"DISABLED" };
const LPCWSTR kNormalLink[] = { L"NORMAL", L"LINK" };
const LPCWSTR kGlyphStates[] = { L"CLOSED", L"OPENED" };
const LPCWSTR kNormalHotPressedDisabled[] = { L"NORMAL", L"HOT", L"PRESSED", L"DISABLED" };
const LPCWSTR kArrowButtonStates[] = {
    L"UPNORMAL",    L"UPHOT",        L"UPPRESSED",    L"UPDISABLED",    L"DOWNNORMAL",  L"DOWNHOT",
    L"DOWNPRESSED", L"DOWNDISABLED", L"LEFTNORMAL",   L"LEFTHOT",       L"LEFTPRESSED", L"LEFTDISABLED",
    L"RIGHTNORMAL", L"RIGHTHOT",     L"RIGHTPRESSED", L"RIGHTDISABLED",
};
const LPCWSTR kScrollBarStates[] = { L"NORMAL", L"HOT", L"PRESSED", L"DISABLED", L"ACTIVE" };
const LPCWSTR kSizeBoxStates[] = { L"RIGHTALIGN", L"LEFTALIGN" };
const LPCWSTR kEditTextStates[] = { L"NORMAL", L"HOT", L"SELECTED", L"DISABLED", L"FOCUSED", L"READONLY", L"ASSIST" };
const LPCWSTR kHeaderPinStates[] = { L"NORMAL",         L"HOT",         L"PRESSED",
                                     L"SELECTEDNORMAL", L"SELECTEDHOT", L"SELECTEDPRESSED" };

// Keyed by part name, or by class name for a section that names no part. FRAME and the
// BOTHEDGES keys are listed although no section can name them.
const NameList kStateLists[] = {
    ZP_LIST(L"BARBACKGROUND", kActiveInactive),
    ZP_LIST(L"FRAME", kActiveInactive),
    ZP_LIST(L"CAPTION", kCaptionStates),
    ZP_LIST(L"MAXCAPTION", kCaptionStates),
    ZP_LIST(L"MINCAPTION", kCaptionStates),
    ZP_LIST(L"HORZSCROLL", kNormalHotPushedDisabled),
    ZP_LIST(L"HORZTHUMB", kNormalHotPushedDisabled),
    ZP_LIST(L"VERTSCROLL", kNormalHotPushedDisabled),
    ZP_LIST(L"VERTTHUMB", kNormalHotPushedDisabled),
    ZP_LIST(L"SYSBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"MINBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"MAXBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"RESTOREBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"HELPBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"CLOSEBUTTON", kNormalHotPushedDisabled),
    ZP_LIST(L"PUSHBUTTON", kPushButtonStates),
    ZP_LIST(L"RADIOBUTTON", kRadioStates),
    ZP_LIST(L"CHECKBOX", kCheckBoxStates),
    ZP_LIST(L"GROUPBOX", kNormalDisabled),
    ZP_LIST(L"POPUPSUBMENU", kNormalDisabled),
    ZP_LIST(L"CHEVRON", kNormalHotPressed),
    ZP_LIST(L"HEADERITEM", kNormalHotPressed),
    ZP_LIST(L"HEADERITEMLEFT", kNormalHotPressed),
    ZP_LIST(L"HEADERITEMRIGHT", kNormalHotPressed),
    ZP_LIST(L"CLOSE", kNormalHotPressed),
    ZP_LIST(L"MOREPROGRAMSARROW", kNormalHotPressed),
    ZP_LIST(L"LOGOFFBUTTONS", kNormalHotPressed),
    ZP_LIST(L"HEADERCLOSE", kNormalHotPressed),
    ZP_LIST(L"IEBARMENU", kNormalHotPressed),
    ZP_LIST(L"NORMALGROUPCOLLAPSE", kNormalHotPressed),
    ZP_LIST(L"NORMALGROUPEXPAND", kNormalHotPressed),
    ZP_LIST(L"SPECIALGROUPCOLLAPSE", kNormalHotPressed),
    ZP_LIST(L"SPECIALGROUPEXPAND", kNormalHotPressed),
    ZP_LIST(L"TOOLBAR", kToolbarStates),
    ZP_LIST(L"MENUBAND", kToolbarStates),
    ZP_LIST(L"MENU", kMenuStates),
    ZP_LIST(L"POPUPCHECK", kPopupCheckStates),
    ZP_LIST(L"POPUPCHECKBACKGROUND", kPopupCheckBackgroundStates),
    ZP_LIST(L"POPUPITEM", kPopupItemStates),
    ZP_LIST(L"LISTITEM", kListItemStates),
    ZP_LIST(L"TREEITEM", kListItemStates),
    ZP_LIST(L"HEADERSORTARROW", kSortArrowStates),
    ZP_LIST(L"TABITEM", kTabItemStates),
    ZP_LIST(L"TABITEMLEFTEDGE", kTabItemStates),
    ZP_LIST(L"TABITEMRIGHTEDGE", kTabItemStates),
    ZP_LIST(L"TABITEMBOTHEDGES", kTabItemStates),
    ZP_LIST(L"TOPTABITEM", kTabItemStates),
    ZP_LIST(L"TOPTABITEMLEFTEDGE", kTabItemStates),
    ZP_LIST(L"TOPTABITEMRIGHTEDGE", kTabItemStates),
    ZP_LIST(L"TOPTABITEMBOTHEDGES", kTabItemStates),
    ZP_LIST(L"TRACKBAR", kNormal),
    ZP_LIST(L"TRACK", kNormal),
    ZP_LIST(L"TRACKVERT", kNormal),
    ZP_LIST(L"TICS", kNormal),
    ZP_LIST(L"TICSVERT", kNormal),
    ZP_LIST(L"CLOCK", kNormal),
    ZP_LIST(L"THUMB", kThumbStates),
    ZP_LIST(L"THUMBBOTTOM", kThumbStates),
    ZP_LIST(L"THUMBTOP", kThumbStates),
    ZP_LIST(L"THUMBVERT", kThumbStates),
    ZP_LIST(L"THUMBLEFT", kThumbStates),
    ZP_LIST(L"THUMBRIGHT", kThumbStates),
    ZP_LIST(L"STANDARD", kNormalLink),
    ZP_LIST(L"BALLOON", kNormalLink),
    ZP_LIST(L"GLYPH", kGlyphStates),
    ZP_LIST(L"UP", kNormalHotPressedDisabled),
    ZP_LIST(L"DOWN", kNormalHotPressedDisabled),
    ZP_LIST(L"UPHORZ", kNormalHotPressedDisabled),
    ZP_LIST(L"DOWNHORZ", kNormalHotPressedDisabled),
    ZP_LIST(L"COMBOBOX", kNormalHotPressedDisabled),
    ZP_LIST(L"ARROWBTN", kArrowButtonStates),
    ZP_LIST(L"SCROLLBAR", kScrollBarStates),
    ZP_LIST(L"SIZEBOX", kSizeBoxStates),
    ZP_LIST(L"EDITTEXT", kEditTextStates),
    ZP_LIST(L"HEADERPIN", kHeaderPinStates),
};

struct PropertyName
{
    LPCWSTR lpszName;
    int nId;
    int nType;
};

const PropertyName kProperties[] = {
    // strings and file names
    { L"STRING", 201, ZP_SKINTYPE_STRING },
    { L"FILENAME", 206, ZP_SKINTYPE_STRING },
    { L"COLORSCHEMES", 401, ZP_SKINTYPE_STRING },
    { L"SIZES", 402, ZP_SKINTYPE_STRING },
    { L"DISPLAYNAME", 601, ZP_SKINTYPE_STRING },
    { L"TOOLTIP", 602, ZP_SKINTYPE_STRING },
    { L"COMPANY", 603, ZP_SKINTYPE_STRING },
    { L"AUTHOR", 604, ZP_SKINTYPE_STRING },
    { L"COPYRIGHT", 605, ZP_SKINTYPE_STRING },
    { L"URL", 606, ZP_SKINTYPE_STRING },
    { L"VERSION", 607, ZP_SKINTYPE_STRING },
    { L"DESCRIPTION", 608, ZP_SKINTYPE_STRING },
    { L"CSSNAME", 1401, ZP_SKINTYPE_STRING },
    { L"XMLNAME", 1402, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE", 3001, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE1", 3002, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE2", 3003, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE3", 3004, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE4", 3005, ZP_SKINTYPE_STRING },
    { L"IMAGEFILE5", 3006, ZP_SKINTYPE_STRING },
    { L"STOCKIMAGEFILE", 3007, ZP_SKINTYPE_STRING },
    { L"GLYPHIMAGEFILE", 3008, ZP_SKINTYPE_STRING },
    { L"TEXT", 3201, ZP_SKINTYPE_STRING },
    // integers and sizes
    { L"INT", 202, ZP_SKINTYPE_INT },
    { L"SIZE", 207, ZP_SKINTYPE_INT },
    { L"CHARSET", 403, ZP_SKINTYPE_INT },
    { L"SIZINGBORDERWIDTH", 1201, ZP_SKINTYPE_INT },
    { L"SCROLLBARWIDTH", 1202, ZP_SKINTYPE_INT },
    { L"SCROLLBARHEIGHT", 1203, ZP_SKINTYPE_INT },
    { L"CAPTIONBARWIDTH", 1204, ZP_SKINTYPE_INT },
    { L"CAPTIONBARHEIGHT", 1205, ZP_SKINTYPE_INT },
    { L"SMCAPTIONBARWIDTH", 1206, ZP_SKINTYPE_INT },
    { L"SMCAPTIONBARHEIGHT", 1207, ZP_SKINTYPE_INT },
    { L"MENUBARWIDTH", 1208, ZP_SKINTYPE_INT },
    { L"MENUBARHEIGHT", 1209, ZP_SKINTYPE_INT },
    { L"MINCOLORDEPTH", 1301, ZP_SKINTYPE_INT },
    { L"FROMHUE1", 1801, ZP_SKINTYPE_INT },
    { L"FROMHUE2", 1802, ZP_SKINTYPE_INT },
    { L"FROMHUE3", 1803, ZP_SKINTYPE_INT },
    { L"FROMHUE4", 1804, ZP_SKINTYPE_INT },
    { L"FROMHUE5", 1805, ZP_SKINTYPE_INT },
    { L"TOHUE1", 1806, ZP_SKINTYPE_INT },
    { L"TOHUE2", 1807, ZP_SKINTYPE_INT },
    { L"TOHUE3", 1808, ZP_SKINTYPE_INT },
    { L"TOHUE4", 1809, ZP_SKINTYPE_INT },
    { L"TOHUE5", 1810, ZP_SKINTYPE_INT },
    { L"IMAGECOUNT", 2401, ZP_SKINTYPE_INT },
    { L"ALPHALEVEL", 2402, ZP_SKINTYPE_INT },
    { L"BORDERSIZE", 2403, ZP_SKINTYPE_INT },
    { L"ROUNDCORNERWIDTH", 2404, ZP_SKINTYPE_INT },
    { L"ROUNDCORNERHEIGHT", 2405, ZP_SKINTYPE_INT },
    { L"GRADIENTRATIO1", 2406, ZP_SKINTYPE_INT },
    { L"GRADIENTRATIO2", 2407, ZP_SKINTYPE_INT },
    { L"GRADIENTRATIO3", 2408, ZP_SKINTYPE_INT },
    { L"GRADIENTRATIO4", 2409, ZP_SKINTYPE_INT },
    { L"GRADIENTRATIO5", 2410, ZP_SKINTYPE_INT },
    { L"PROGRESSCHUNKSIZE", 2411, ZP_SKINTYPE_INT },
    { L"PROGRESSSPACESIZE", 2412, ZP_SKINTYPE_INT },
    { L"SATURATION", 2413, ZP_SKINTYPE_INT },
    { L"TEXTBORDERSIZE", 2414, ZP_SKINTYPE_INT },
    { L"ALPHATHRESHOLD", 2415, ZP_SKINTYPE_INT },
    { L"WIDTH", 2416, ZP_SKINTYPE_INT },
    { L"HEIGHT", 2417, ZP_SKINTYPE_INT },
    { L"GLYPHINDEX", 2418, ZP_SKINTYPE_INT },
    { L"TRUESIZESTRETCHMARK", 2419, ZP_SKINTYPE_INT },
    { L"MINDPI1", 2420, ZP_SKINTYPE_INT },
    { L"MINDPI2", 2421, ZP_SKINTYPE_INT },
    { L"MINDPI3", 2422, ZP_SKINTYPE_INT },
    { L"MINDPI4", 2423, ZP_SKINTYPE_INT },
    { L"MINDPI5", 2424, ZP_SKINTYPE_INT },
    // booleans
    { L"BOOL", 203, ZP_SKINTYPE_BOOL },
    { L"FLATMENUS", 1001, ZP_SKINTYPE_BOOL },
    { L"TRANSPARENT", 2201, ZP_SKINTYPE_BOOL },
    { L"AUTOSIZE", 2202, ZP_SKINTYPE_BOOL },
    { L"BORDERONLY", 2203, ZP_SKINTYPE_BOOL },
    { L"COMPOSITED", 2204, ZP_SKINTYPE_BOOL },
    { L"BGFILL", 2205, ZP_SKINTYPE_BOOL },
    { L"GLYPHTRANSPARENT", 2206, ZP_SKINTYPE_BOOL },
    { L"GLYPHONLY", 2207, ZP_SKINTYPE_BOOL },
    { L"ALWAYSSHOWSIZINGBAR", 2208, ZP_SKINTYPE_BOOL },
    { L"MIRRORIMAGE", 2209, ZP_SKINTYPE_BOOL },
    { L"UNIFORMSIZING", 2210, ZP_SKINTYPE_BOOL },
    { L"INTEGRALSIZING", 2211, ZP_SKINTYPE_BOOL },
    { L"SOURCEGROW", 2212, ZP_SKINTYPE_BOOL },
    { L"SOURCESHRINK", 2213, ZP_SKINTYPE_BOOL },
    { L"USERPICTURE", 5001, ZP_SKINTYPE_BOOL },
    // colours: the system colours are 1601 + their index
    { L"COLOR", 204, ZP_SKINTYPE_COLOR },
    { L"SCROLLBAR", 1601, ZP_SKINTYPE_COLOR },
    { L"BACKGROUND", 1602, ZP_SKINTYPE_COLOR },
    { L"ACTIVECAPTION", 1603, ZP_SKINTYPE_COLOR },
    { L"INACTIVECAPTION", 1604, ZP_SKINTYPE_COLOR },
    { L"MENU", 1605, ZP_SKINTYPE_COLOR },
    { L"WINDOW", 1606, ZP_SKINTYPE_COLOR },
    { L"WINDOWFRAME", 1607, ZP_SKINTYPE_COLOR },
    { L"MENUTEXT", 1608, ZP_SKINTYPE_COLOR },
    { L"WINDOWTEXT", 1609, ZP_SKINTYPE_COLOR },
    { L"CAPTIONTEXT", 1610, ZP_SKINTYPE_COLOR },
    { L"ACTIVEBORDER", 1611, ZP_SKINTYPE_COLOR },
    { L"INACTIVEBORDER", 1612, ZP_SKINTYPE_COLOR },
    { L"APPWORKSPACE", 1613, ZP_SKINTYPE_COLOR },
    { L"HIGHLIGHT", 1614, ZP_SKINTYPE_COLOR },
    { L"HIGHLIGHTTEXT", 1615, ZP_SKINTYPE_COLOR },
    { L"BTNFACE", 1616, ZP_SKINTYPE_COLOR },
    { L"BTNSHADOW", 1617, ZP_SKINTYPE_COLOR },
    { L"GRAYTEXT", 1618, ZP_SKINTYPE_COLOR },
    { L"BTNTEXT", 1619, ZP_SKINTYPE_COLOR },
    { L"INACTIVECAPTIONTEXT", 1620, ZP_SKINTYPE_COLOR },
    { L"BTNHIGHLIGHT", 1621, ZP_SKINTYPE_COLOR },
    { L"DKSHADOW3D", 1622, ZP_SKINTYPE_COLOR },
    { L"LIGHT3D", 1623, ZP_SKINTYPE_COLOR },
    { L"INFOTEXT", 1624, ZP_SKINTYPE_COLOR },
    { L"INFOBK", 1625, ZP_SKINTYPE_COLOR },
    { L"BUTTONALTERNATEFACE", 1626, ZP_SKINTYPE_COLOR },
    { L"HOTTRACKING", 1627, ZP_SKINTYPE_COLOR },
    { L"GRADIENTACTIVECAPTION", 1628, ZP_SKINTYPE_COLOR },
    { L"GRADIENTINACTIVECAPTION", 1629, ZP_SKINTYPE_COLOR },
    { L"MENUHILIGHT", 1630, ZP_SKINTYPE_COLOR },
    { L"MENUBAR", 1631, ZP_SKINTYPE_COLOR },
    { L"FROMCOLOR1", 2001, ZP_SKINTYPE_COLOR },
    { L"FROMCOLOR2", 2002, ZP_SKINTYPE_COLOR },
    { L"FROMCOLOR3", 2003, ZP_SKINTYPE_COLOR },
    { L"FROMCOLOR4", 2004, ZP_SKINTYPE_COLOR },
    { L"FROMCOLOR5", 2005, ZP_SKINTYPE_COLOR },
    { L"TOCOLOR1", 2006, ZP_SKINTYPE_COLOR },
    { L"TOCOLOR2", 2007, ZP_SKINTYPE_COLOR },
    { L"TOCOLOR3", 2008, ZP_SKINTYPE_COLOR },
    { L"TOCOLOR4", 2009, ZP_SKINTYPE_COLOR },
    { L"TOCOLOR5", 2010, ZP_SKINTYPE_COLOR },
    { L"BORDERCOLOR", 3801, ZP_SKINTYPE_COLOR },
    { L"FILLCOLOR", 3802, ZP_SKINTYPE_COLOR },
    { L"TEXTCOLOR", 3803, ZP_SKINTYPE_COLOR },
    { L"EDGELIGHTCOLOR", 3804, ZP_SKINTYPE_COLOR },
    { L"EDGEHIGHLIGHTCOLOR", 3805, ZP_SKINTYPE_COLOR },
    { L"EDGESHADOWCOLOR", 3806, ZP_SKINTYPE_COLOR },
    { L"EDGEDKSHADOWCOLOR", 3807, ZP_SKINTYPE_COLOR },
    { L"EDGEFILLCOLOR", 3808, ZP_SKINTYPE_COLOR },
    { L"TRANSPARENTCOLOR", 3809, ZP_SKINTYPE_COLOR },
    { L"GRADIENTCOLOR1", 3810, ZP_SKINTYPE_COLOR },
    { L"GRADIENTCOLOR2", 3811, ZP_SKINTYPE_COLOR },
    { L"GRADIENTCOLOR3", 3812, ZP_SKINTYPE_COLOR },
    { L"GRADIENTCOLOR4", 3813, ZP_SKINTYPE_COLOR },
    { L"GRADIENTCOLOR5", 3814, ZP_SKINTYPE_COLOR },
    { L"SHADOWCOLOR", 3815, ZP_SKINTYPE_COLOR },
    { L"GLOWCOLOR", 3816, ZP_SKINTYPE_COLOR },
    { L"TEXTBORDERCOLOR", 3817, ZP_SKINTYPE_COLOR },
    { L"TEXTSHADOWCOLOR", 3818, ZP_SKINTYPE_COLOR },
    { L"GLYPHTEXTCOLOR", 3819, ZP_SKINTYPE_COLOR },
    { L"GLYPHTRANSPARENTCOLOR", 3820, ZP_SKINTYPE_COLOR },
    { L"FILLCOLORHINT", 3821, ZP_SKINTYPE_COLOR },
    { L"BORDERCOLORHINT", 3822, ZP_SKINTYPE_COLOR },
    { L"ACCENTCOLORHINT", 3823, ZP_SKINTYPE_COLOR },
    { L"BLENDCOLOR", 5003, ZP_SKINTYPE_COLOR },
    // margins and rectangles
    { L"MARGINS", 205, ZP_SKINTYPE_RECT },
    { L"RECT", 209, ZP_SKINTYPE_RECT },
    { L"SIZINGMARGINS", 3601, ZP_SKINTYPE_RECT },
    { L"CONTENTMARGINS", 3602, ZP_SKINTYPE_RECT },
    { L"CAPTIONMARGINS", 3603, ZP_SKINTYPE_RECT },
    { L"DEFAULTPANESIZE", 5002, ZP_SKINTYPE_RECT },
    // fonts
    { L"FONT", 210, ZP_SKINTYPE_FONT },
    { L"CAPTIONFONT", 801, ZP_SKINTYPE_FONT },
    { L"SMALLCAPTIONFONT", 802, ZP_SKINTYPE_FONT },
    { L"MENUFONT", 803, ZP_SKINTYPE_FONT },
    { L"STATUSFONT", 804, ZP_SKINTYPE_FONT },
    { L"MSGBOXFONT", 805, ZP_SKINTYPE_FONT },
    { L"ICONTITLEFONT", 806, ZP_SKINTYPE_FONT },
    { L"GLYPHFONT", 2601, ZP_SKINTYPE_FONT },
    // integer lists
    { L"INTLIST", 211, ZP_SKINTYPE_INTLIST },
    // enumerated values
    { L"BGTYPE", 4001, ZP_SKINTYPE_ENUM },
    { L"BORDERTYPE", 4002, ZP_SKINTYPE_ENUM },
    { L"FILLTYPE", 4003, ZP_SKINTYPE_ENUM },
    { L"SIZINGTYPE", 4004, ZP_SKINTYPE_ENUM },
    { L"HALIGN", 4005, ZP_SKINTYPE_ENUM },
    { L"CONTENTALIGNMENT", 4006, ZP_SKINTYPE_ENUM },
    { L"VALIGN", 4007, ZP_SKINTYPE_ENUM },
    { L"OFFSETTYPE", 4008, ZP_SKINTYPE_ENUM },
    { L"ICONEFFECT", 4009, ZP_SKINTYPE_ENUM },
    { L"TEXTSHADOWTYPE", 4010, ZP_SKINTYPE_ENUM },
    { L"IMAGELAYOUT", 4011, ZP_SKINTYPE_ENUM },
    { L"GLYPHTYPE", 4012, ZP_SKINTYPE_ENUM },
    { L"IMAGESELECTTYPE", 4013, ZP_SKINTYPE_ENUM },
    { L"GLYPHFONTSIZINGTYPE", 4014, ZP_SKINTYPE_ENUM },
    { L"TRUESIZESCALINGTYPE", 4015, ZP_SKINTYPE_ENUM },
    // positions
    { L"POSITION", 208, ZP_SKINTYPE_POSITION },
    { L"OFFSET", 3401, ZP_SKINTYPE_POSITION },
    { L"TEXTSHADOWOFFSET", 3402, ZP_SKINTYPE_POSITION },
    { L"MINSIZE", 3403, ZP_SKINTYPE_POSITION },
    { L"MINSIZE1", 3404, ZP_SKINTYPE_POSITION },
    { L"MINSIZE2", 3405, ZP_SKINTYPE_POSITION },
    { L"MINSIZE3", 3406, ZP_SKINTYPE_POSITION },
    { L"MINSIZE4", 3407, ZP_SKINTYPE_POSITION },
    { L"MINSIZE5", 3408, ZP_SKINTYPE_POSITION },
    { L"NORMALSIZE", 3409, ZP_SKINTYPE_POSITION },
};

const LPCWSTR kBgTypeValues[] = { L"IMAGEFILE", L"BORDERFILL", L"NONE" };
const LPCWSTR kImageLayoutValues[] = { L"VERTICAL", L"HORIZONTAL" };
const LPCWSTR kBorderTypeValues[] = { L"RECT", L"ROUNDRECT", L"ELLIPSE" };
const LPCWSTR kFillTypeValues[] = { L"SOLID", L"VERTGRADIENT", L"HORZGRADIENT", L"RADIALGRADIENT", L"TILEIMAGE" };
const LPCWSTR kSizingTypeValues[] = { L"TRUESIZE", L"STRETCH", L"TILE" };
const LPCWSTR kHAlignValues[] = { L"LEFT", L"CENTER", L"RIGHT" };
const LPCWSTR kVAlignValues[] = { L"TOP", L"CENTER", L"BOTTOM" };
const LPCWSTR kOffsetTypeValues[] = {
    L"TOPLEFT",          L"TOPRIGHT",          L"TOPMIDDLE",       L"BOTTOMLEFT",      L"BOTTOMRIGHT",
    L"BOTTOMMIDDLE",     L"MIDDLELEFT",        L"MIDDLERIGHT",     L"LEFTOFCAPTION",   L"RIGHTOFCAPTION",
    L"LEFTOFLASTBUTTON", L"RIGHTOFLASTBUTTON", L"ABOVELASTBUTTON", L"BELOWLASTBUTTON",
};
const LPCWSTR kIconEffectValues[] = { L"NONE", L"GLOW", L"SHADOW", L"PULSE", L"ALPHA" };
const LPCWSTR kTextShadowTypeValues[] = { L"NONE", L"SINGLE", L"CONTINUOUS" };
const LPCWSTR kGlyphTypeValues[] = { L"NONE", L"IMAGEGLYPH", L"FONTGLYPH" };
const LPCWSTR kNoneSizeDpiValues[] = { L"NONE", L"SIZE", L"DPI" };

const NameList kEnumLists[] = {
    ZP_LIST(L"BGTYPE", kBgTypeValues),
    ZP_LIST(L"IMAGELAYOUT", kImageLayoutValues),
    ZP_LIST(L"BORDERTYPE", kBorderTypeValues),
    ZP_LIST(L"FILLTYPE", kFillTypeValues),
    ZP_LIST(L"SIZINGTYPE", kSizingTypeValues),
    ZP_LIST(L"HALIGN", kHAlignValues),
    ZP_LIST(L"CONTENTALIGNMENT", kHAlignValues),
    ZP_LIST(L"VALIGN", kVAlignValues),
    ZP_LIST(L"OFFSETTYPE", kOffsetTypeValues),
    ZP_LIST(L"ICONEFFECT", kIconEffectValues),
    ZP_LIST(L"TEXTSHADOWTYPE", kTextShadowTypeValues),
    ZP_LIST(L"GLYPHTYPE", kGlyphTypeValues),
    ZP_LIST(L"IMAGESELECTTYPE", kNoneSizeDpiValues),
    ZP_LIST(L"TRUESIZESCALINGTYPE", kNoneSizeDpiValues),
    ZP_LIST(L"GLYPHFONTSIZINGTYPE", kNoneSizeDpiValues),
};

template <size_t N> int CountOf(const LPCWSTR (&)[N])
{
    return static_cast<int>(N);
}

BOOL SameName(LPCWSTR lpszFirst, LPCWSTR lpszSecond)
{
    return lpszFirst != NULL && lpszSecond != NULL && _wcsicmp(lpszFirst, lpszSecond) == 0;
}

// 1-based position of the name in the list of that key; 0 when either is unknown.
template <size_t N> int FindInLists(const NameList (&lists)[N], LPCWSTR lpszKey, LPCWSTR lpszName)
{
    for (const NameList& list : lists) {
        if (!SameName(list.lpszKey, lpszKey))
            continue;
        for (int i = 0; i < list.nCount; ++i)
            if (SameName(list.pNames[i], lpszName))
                return i + 1;
        return 0;
    }
    return 0;
}

}  // namespace

int ZpSkinClassNameToId(LPCWSTR lpszName)
{
    for (int i = 0; i < CountOf(kClassNames); ++i)
        if (SameName(kClassNames[i], lpszName))
            return i + 1;
    return 0;
}

int ZpSkinPartNameToId(LPCWSTR lpszClassName, LPCWSTR lpszPartName)
{
    return FindInLists(kPartLists, lpszClassName, lpszPartName);
}

int ZpSkinStateNameToId(LPCWSTR lpszPartOrClassName, LPCWSTR lpszStateName)
{
    return FindInLists(kStateLists, lpszPartOrClassName, lpszStateName);
}

int ZpSkinPropertyNameToId(LPCWSTR lpszName, int* pnType)
{
    for (const PropertyName& property : kProperties) {
        if (SameName(property.lpszName, lpszName)) {
            if (pnType != NULL)
                *pnType = property.nType;
            return property.nId;
        }
    }
    return 0;
}

int ZpSkinEnumValueToId(LPCWSTR lpszPropertyName, LPCWSTR lpszValueName)
{
    return FindInLists(kEnumLists, lpszPropertyName, lpszValueName) - 1;
}

DWORD ZpSkinPropertyKey(int nClass, int nPart, int nState, int nProperty)
{
    if (nClass < 0 || nClass >= kZpSkinMaxClass || nPart < 0 || nPart >= kZpSkinMaxPart || nState < 0 ||
        nState >= kZpSkinMaxState || nProperty < 0 || nProperty >= kZpSkinMaxProperty)
        return 0;
    DWORD nSection = ((static_cast<DWORD>(nState) * kZpSkinMaxPart + nPart) * kZpSkinMaxClass + nClass);
    return nSection * kZpSkinMaxProperty + static_cast<DWORD>(nProperty);
}

DWORD ZpSkinParseSectionName(LPCWSTR lpszHeader)
{
    CString strText(lpszHeader != NULL ? lpszHeader : L"");
    if (strText.Find(L':') >= 0)
        return 0;
    strText.Remove(L' ');
    CString strState;
    int nParen = strText.Find(L'(');
    if (nParen >= 0) {
        int nStateLength = strText.GetLength() - nParen - 2;
        if (nStateLength > 0)
            strState = strText.Mid(nParen + 1, nStateLength);
        strText.Truncate(nParen);
    }
    CString strClass = strText, strPart;
    int nDot = strText.Find(L'.');
    if (nDot >= 0) {
        strClass = strText.Left(nDot);
        strPart = strText.Mid(nDot + 1);
    }
    int nPart = 0, nState = 0;
    if (!strPart.IsEmpty() && (nPart = ZpSkinPartNameToId(strClass, strPart)) == 0)
        return 0;
    if (!strState.IsEmpty() && (nState = ZpSkinStateNameToId(strPart.IsEmpty() ? strClass : strPart, strState)) == 0)
        return 0;
    int nClass = ZpSkinClassNameToId(strClass);
    if (nClass == 0)
        return 0;
    return ZpSkinPropertyKey(nClass, nPart, nState, 0);
}

int ZpSkinClassCount()
{
    return CountOf(kClassNames);
}

int ZpSkinPartCount()
{
    int nCount = 0;
    for (const NameList& list : kPartLists)
        nCount += list.nCount;
    return nCount;
}

int ZpSkinPropertyCount()
{
    return static_cast<int>(sizeof(kProperties) / sizeof(kProperties[0]));
}
