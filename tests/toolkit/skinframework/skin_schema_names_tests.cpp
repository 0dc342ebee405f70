// The colour-scheme vocabulary: class, part, state, property and value tables, keys and
// section headers.
#include "skinframework/ZPSkinSchemaNames.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinSchemaNames, ClassesAreNumberedInTableOrderIgnoringCase)
{
    const LPCWSTR names[] = {
        L"Globals",    L"Documentation", L"SysMetrics", L"ListBox",    L"Dialog",      L"WINDOW",
        L"BUTTON",     L"REBAR",         L"TOOLBAR",    L"STATUS",     L"MENU",        L"LISTVIEW",
        L"HEADER",     L"PROGRESS",      L"TAB",        L"TRACKBAR",   L"TOOLTIP",     L"TREEVIEW",
        L"SPIN",       L"PAGE",          L"SCROLLBAR",  L"EDIT",       L"COMBOBOX",    L"CLOCK",
        L"TRAYNOTIFY", L"TASKBAR",       L"TASKBAND",   L"STARTPANEL", L"EXPLORERBAR", L"MENUBAND",
    };
    ASSERT_EQ(30, ZpSkinClassCount());
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(i + 1, ZpSkinClassNameToId(names[i])) << CStringA(names[i]).GetString();
        CString strLower(names[i]);
        strLower.MakeLower();
        EXPECT_EQ(i + 1, ZpSkinClassNameToId(strLower));
    }
    EXPECT_EQ(0, ZpSkinClassNameToId(L"Explorer"));
    EXPECT_EQ(0, ZpSkinClassNameToId(L""));
    EXPECT_EQ(0, ZpSkinClassNameToId(NULL));
}

TEST(SkinSchemaNames, PartsPerClassWithFirstAndLast)
{
    struct Case
    {
        LPCWSTR lpszClass;
        int nCount;
        LPCWSTR lpszFirst;
        LPCWSTR lpszLast;
    };
    const Case cases[] = {
        { L"WINDOW", 37, L"CAPTION", L"SMALLFRAMEBOTTOMSIZINGTEMPLATE" },
        { L"BUTTON", 5, L"PUSHBUTTON", L"USERBUTTON" },
        { L"REBAR", 5, L"GRIPPER", L"CHEVRONVERT" },
        { L"TOOLBAR", 6, L"BUTTON", L"SEPARATORVERT" },
        { L"STATUS", 3, L"PANE", L"GRIPPER" },
        { L"MENU", 20, L"MENUITEM", L"SYSTEMRESTORE" },
        { L"LISTVIEW", 5, L"LISTITEM", L"EMPTYTEXT" },
        { L"HEADER", 4, L"HEADERITEM", L"HEADERSORTARROW" },
        { L"PROGRESS", 4, L"BAR", L"CHUNKVERT" },
        { L"TAB", 10, L"TABITEM", L"BODY" },
        { L"TRACKBAR", 10, L"TRACK", L"TICSVERT" },
        { L"TOOLTIP", 5, L"STANDARD", L"CLOSE" },
        { L"TREEVIEW", 3, L"TREEITEM", L"BRANCH" },
        { L"SPIN", 4, L"UP", L"DOWNHORZ" },
        { L"PAGE", 4, L"UP", L"DOWNHORZ" },
        { L"SCROLLBAR", 10, L"ARROWBTN", L"SIZEBOX" },
        { L"EDIT", 2, L"EDITTEXT", L"CARET" },
        { L"COMBOBOX", 1, L"DROPDOWNBUTTON", L"DROPDOWNBUTTON" },
        { L"CLOCK", 1, L"TIME", L"TIME" },
        { L"TRAYNOTIFY", 2, L"BACKGROUND", L"ANIMBACKGROUND" },
        { L"TASKBAR", 8, L"BACKGROUNDBOTTOM", L"SIZINGBARLEFT" },
        { L"TASKBAND", 3, L"GROUPCOUNT", L"FLASHBUTTONGROUPMENU" },
        { L"STARTPANEL", 11, L"USERPANE", L"PREVIEW" },
        { L"EXPLORERBAR", 12, L"HEADERBACKGROUND", L"SPECIALGROUPHEAD" },
        { L"MENUBAND", 2, L"NEWAPPBUTTON", L"SEPERATOR" },
    };
    int nTotal = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(CStringA(c.lpszClass).GetString());
        EXPECT_EQ(1, ZpSkinPartNameToId(c.lpszClass, c.lpszFirst));
        EXPECT_EQ(c.nCount, ZpSkinPartNameToId(c.lpszClass, c.lpszLast));
        nTotal += c.nCount;
    }
    // The numbered lists hold 177 parts (SPIN and PAGE share their names).
    EXPECT_EQ(nTotal, ZpSkinPartCount());
    EXPECT_EQ(0, ZpSkinPartNameToId(L"MENUBAND", L"SEPARATOR"));
    EXPECT_EQ(6, ZpSkinPartNameToId(L"menu", L"separator"));
    EXPECT_EQ(18, ZpSkinPartNameToId(L"Window", L"CloseButton"));
    for (LPCWSTR lpszClass : { L"GLOBALS", L"DOCUMENTATION", L"SYSMETRICS", L"LISTBOX", L"DIALOG" })
        EXPECT_EQ(0, ZpSkinPartNameToId(lpszClass, L"CAPTION"));
}

TEST(SkinSchemaNames, StatesByPartOrClass)
{
    struct Case
    {
        LPCWSTR lpszKey;
        LPCWSTR lpszState;
        int nState;
    };
    const Case cases[] = {
        { L"CAPTION", L"INACTIVE", 2 },
        { L"MAXCAPTION", L"DISABLED", 3 },
        { L"BARBACKGROUND", L"INACTIVE", 2 },
        { L"CLOSEBUTTON", L"PUSHED", 3 },
        { L"PUSHBUTTON", L"DEFAULTED", 5 },
        { L"RADIOBUTTON", L"CHECKEDDISABLED", 8 },
        { L"CHECKBOX", L"MIXEDDISABLED", 12 },
        { L"GROUPBOX", L"DISABLED", 2 },
        { L"HEADERITEM", L"PRESSED", 3 },
        { L"TOOLBAR", L"HOTCHECKED", 6 },
        { L"MENUBAND", L"CHECKED", 5 },
        { L"MENU", L"DEMOTED", 3 },
        { L"POPUPCHECK", L"BULLETDISABLED", 4 },
        { L"POPUPCHECKBACKGROUND", L"BITMAP", 3 },
        { L"POPUPITEM", L"DISABLEDHOT", 4 },
        { L"TREEITEM", L"SELECTEDNOTFOCUS", 5 },
        { L"HEADERSORTARROW", L"SORTEDDOWN", 2 },
        { L"TOPTABITEM", L"FOCUSED", 5 },
        { L"CLOCK", L"NORMAL", 1 },
        { L"THUMBRIGHT", L"DISABLED", 5 },
        { L"BALLOON", L"LINK", 2 },
        { L"GLYPH", L"OPENED", 2 },
        { L"COMBOBOX", L"DISABLED", 4 },
        { L"ARROWBTN", L"RIGHTDISABLED", 16 },
        { L"SCROLLBAR", L"ACTIVE", 5 },
        { L"SIZEBOX", L"LEFTALIGN", 2 },
        { L"EDITTEXT", L"ASSIST", 7 },
        { L"HEADERPIN", L"SELECTEDPRESSED", 6 },
        { L"caption", L"inactive", 2 },
        // Parts without states, and lists no section can reach by a part name.
        { L"FRAMELEFT", L"ACTIVE", 0 },
        { L"TABITEMBOTHEDGE", L"NORMAL", 0 },
        { L"CAPTION", L"PUSHED", 0 },
        { L"BODY", L"NORMAL", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nState, ZpSkinStateNameToId(c.lpszKey, c.lpszState))
            << CStringA(c.lpszKey).GetString() << "(" << CStringA(c.lpszState).GetString() << ")";
}

TEST(SkinSchemaNames, PropertiesWithTheirNumbersAndTypes)
{
    struct Case
    {
        LPCWSTR lpszName;
        int nId;
        int nType;
    };
    const Case cases[] = {
        { L"STRING", 201, 1 },
        { L"DESCRIPTION", 608, 1 },
        { L"IMAGEFILE5", 3006, 1 },
        { L"GLYPHIMAGEFILE", 3008, 1 },
        { L"TEXT", 3201, 1 },
        { L"INT", 202, 2 },
        { L"CHARSET", 403, 2 },
        { L"MENUBARHEIGHT", 1209, 2 },
        { L"MINCOLORDEPTH", 1301, 2 },
        { L"TOHUE5", 1810, 2 },
        { L"IMAGECOUNT", 2401, 2 },
        { L"ALPHALEVEL", 2402, 2 },
        { L"GRADIENTRATIO5", 2410, 2 },
        { L"GLYPHINDEX", 2418, 2 },
        { L"MINDPI5", 2424, 2 },
        { L"BOOL", 203, 3 },
        { L"FLATMENUS", 1001, 3 },
        { L"MIRRORIMAGE", 2209, 3 },
        { L"SOURCESHRINK", 2213, 3 },
        { L"USERPICTURE", 5001, 3 },
        { L"COLOR", 204, 4 },
        { L"SCROLLBAR", 1601, 4 },
        { L"BTNFACE", 1616, 4 },
        { L"MENUBAR", 1631, 4 },
        { L"TOCOLOR5", 2010, 4 },
        { L"TEXTCOLOR", 3803, 4 },
        { L"TEXTSHADOWCOLOR", 3818, 4 },
        { L"ACCENTCOLORHINT", 3823, 4 },
        { L"BLENDCOLOR", 5003, 4 },
        { L"MARGINS", 205, 5 },
        { L"SIZINGMARGINS", 3601, 5 },
        { L"DEFAULTPANESIZE", 5002, 5 },
        { L"FONT", 210, 6 },
        { L"ICONTITLEFONT", 806, 6 },
        { L"GLYPHFONT", 2601, 6 },
        { L"INTLIST", 211, 7 },
        { L"BGTYPE", 4001, 8 },
        { L"TRUESIZESCALINGTYPE", 4015, 8 },
        { L"POSITION", 208, 9 },
        { L"MINSIZE5", 3408, 9 },
        { L"NORMALSIZE", 3409, 9 },
        { L"captionfont", 801, 6 },
    };
    EXPECT_EQ(192, ZpSkinPropertyCount());
    for (const Case& c : cases) {
        int nType = -1;
        EXPECT_EQ(c.nId, ZpSkinPropertyNameToId(c.lpszName, &nType)) << CStringA(c.lpszName).GetString();
        EXPECT_EQ(c.nType, nType) << CStringA(c.lpszName).GetString();
    }
    int nType = 42;
    EXPECT_EQ(0, ZpSkinPropertyNameToId(L"NOSUCHPROPERTY", &nType));
    EXPECT_EQ(42, nType);
}

TEST(SkinSchemaNames, EnumeratedValues)
{
    struct Case
    {
        LPCWSTR lpszProperty;
        LPCWSTR lpszValue;
        int nValue;
    };
    const Case cases[] = {
        { L"BGTYPE", L"NONE", 2 },
        { L"IMAGELAYOUT", L"HORIZONTAL", 1 },
        { L"BORDERTYPE", L"ELLIPSE", 2 },
        { L"FILLTYPE", L"TILEIMAGE", 4 },
        { L"SIZINGTYPE", L"TILE", 2 },
        { L"HALIGN", L"RIGHT", 2 },
        { L"CONTENTALIGNMENT", L"CENTER", 1 },
        { L"VALIGN", L"BOTTOM", 2 },
        { L"OFFSETTYPE", L"BELOWLASTBUTTON", 13 },
        { L"ICONEFFECT", L"ALPHA", 4 },
        { L"TEXTSHADOWTYPE", L"CONTINUOUS", 2 },
        { L"GLYPHTYPE", L"FONTGLYPH", 2 },
        { L"IMAGESELECTTYPE", L"DPI", 2 },
        { L"GLYPHFONTSIZINGTYPE", L"SIZE", 1 },
        { L"TRUESIZESCALINGTYPE", L"NONE", 0 },
        { L"bgtype", L"imagefile", 0 },
        { L"BGTYPE", L"NOTHING", -1 },
        { L"NOSUCHPROPERTY", L"NONE", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nValue, ZpSkinEnumValueToId(c.lpszProperty, c.lpszValue)) << CStringA(c.lpszValue).GetString();
}

TEST(SkinSchemaNames, KeysExistOnlyWhereTheyAreUnique)
{
    EXPECT_EQ(((2u * 64 + 1) * 64 + 6) * 16384 + 3803, ZpSkinPropertyKey(6, 1, 2, 3803));
    EXPECT_EQ(1u * 16384, ZpSkinPropertyKey(1, 0, 0, 0));
    EXPECT_EQ(((63u * 64 + 63) * 64 + 63) * 16384 + 16383, ZpSkinPropertyKey(63, 63, 63, 16383));
    // Each of these would land on another property's key.
    EXPECT_EQ(0u, ZpSkinPropertyKey(64, 0, 0, 1));
    EXPECT_EQ(0u, ZpSkinPropertyKey(1, 64, 0, 1));
    EXPECT_EQ(0u, ZpSkinPropertyKey(1, 0, 64, 1));
    EXPECT_EQ(0u, ZpSkinPropertyKey(1, 0, 0, 16384));
    EXPECT_EQ(0u, ZpSkinPropertyKey(-1, 0, 0, 1));
    EXPECT_EQ(0u, ZpSkinPropertyKey(1, 0, 0, -1));
}

TEST(SkinSchemaNames, SectionHeaders)
{
    struct Case
    {
        LPCWSTR lpszHeader;
        DWORD nKey;
    };
    const Case cases[] = {
        { L"WINDOW.CAPTION(INACTIVE)", ZpSkinPropertyKey(6, 1, 2, 0) },
        { L" WINDOW . CAPTION ( INACTIVE ) ", ZpSkinPropertyKey(6, 1, 2, 0) },
        { L"Window.Caption(Inactive)", ZpSkinPropertyKey(6, 1, 2, 0) },
        { L"GLOBALS", ZpSkinPropertyKey(1, 0, 0, 0) },
        { L"SCROLLBAR(HOT)", ZpSkinPropertyKey(21, 0, 2, 0) },
        { L"MENUBAND.SEPERATOR", ZpSkinPropertyKey(30, 2, 0, 0) },
        { L"BUTTON.CHECKBOX(MIXEDHOT)", ZpSkinPropertyKey(7, 3, 10, 0) },
        { L"WINDOW.CAPTION(", ZpSkinPropertyKey(6, 1, 0, 0) },
        { L"EXPLORER::TOOLBAR", 0 },
        { L"TOOLBAR::BUTTON", 0 },
        { L"WINDOW.CAPTIO", 0 },
        { L"WINDOW.CAPTION(PUSHED)", 0 },
        { L"WINDOW.FRAMELEFT(ACTIVE)", 0 },
        { L"NOSUCHCLASS", 0 },
        { L"NOSUCHCLASS.CAPTION", 0 },
        { L"", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nKey, ZpSkinParseSectionName(c.lpszHeader)) << CStringA(c.lpszHeader).GetString();
    EXPECT_EQ(0u, ZpSkinParseSectionName(NULL));
}

}  // namespace
