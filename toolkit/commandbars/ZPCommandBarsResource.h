// Private messages between command bars, their controls and the window that hosts them, the
// records they carry, notification codes, reserved command ids and timer ids of the command bars.
#pragma once

#include <framework.h>

class CMenu;
class CZPControl;
class CZPCommandBar;

// Site messages. All are sent with SendMessage, none is posted; the result is ignored unless
// the line says otherwise. "Site" is CZPCommandBar::FindSiteWindow, "target" its
// FindCommandTargetWindow, "frame" the command bars' site frame.
// Toolbar -> frame after a toolbar was shown or hidden. wParam the toolbar, lParam 1 shown / 0 hidden.
const UINT ZpMsgBarVisibility = 0x2855;
// Bar -> site when a control gains (wParam the control) or loses (wParam 0) the highlight.
const UINT ZpMsgControlHighlighted = 0x2856;
// Command bars -> customize sheet, else frame, after the customize selection changed.
const UINT ZpMsgCustomizeSelection = 0x2857;
// Menu bar -> site when it enters tracking mode; wParam the menu bar.
const UINT ZpMsgEnterMenuMode = 0x2858;
// Bar -> site on a right-button release over a control; wParam POINT* (bar client), lParam the
// control. Result 1: handled, the bar does nothing more.
const UINT ZpMsgControlRButtonUp = 0x2859;
// Tracking bar -> site before it processes a key; wParam points to the key's wParam and lParam,
// lParam the bar.
const UINT ZpMsgTrackingKey = 0x285A;
// Popup bar -> target after its window was created, before it shows; lParam the popup bar.
const UINT ZpMsgInitPopup = 0x285B;
// Command bars -> frame before the toolbars context menu shows; wParam the right-clicked bar
// (0 for an empty dock area), lParam the toolbars popup bar.
const UINT ZpMsgToolbarsMenu = 0x285C;
// Popup bar -> site after it left tracking and its window was destroyed; lParam the popup bar.
const UINT ZpMsgPopupClosed = 0x285D;
// Controls collection or toolbar -> frame, else target, before a control is built for a menu
// item or button id; lParam ZpCreateControlRequest*. Non-zero: the record is read back.
const UINT ZpMsgCreateControl = 0x285E;
// Same sender and receiver, after the control was built and added; lParam ZpCreateControlRequest*.
const UINT ZpMsgControlCreated = 0x285F;
// MDI system-menu button -> active MDI child; result an icon handle, 0 for the fall-backs.
const UINT ZpMsgMdiChildIcon = 0x2860;
// Controls collection, expand button or command bars -> frame, else target, before a popup bar,
// expand popup or user toolbar is created; lParam ZpCreateBarRequest*. Popups: non-zero with a
// popup bar in the record uses that bar.
const UINT ZpMsgCreateBar = 0x2861;
// Control -> the given window, else target, whenever a control notifies; wParam the command id,
// lParam ZpControlNotifyRecord*. Non-zero: handled, returned to the caller.
const UINT ZpMsgExecute = 0x2862;
// Toolbar or menu bar -> site after it was reset to its original controls; lParam the bar.
const UINT ZpMsgBarReset = 0x2864;
// Customize toolbars page -> frame after the user created a toolbar; lParam the toolbar.
const UINT ZpMsgToolbarCreated = 0x2865;
// Customize toolbars page -> frame before a confirmed toolbar deletion; lParam the toolbar.
const UINT ZpMsgToolbarDeleted = 0x2866;
// Tear-off popup -> frame after it became its floating toolbar; wParam the toolbar, lParam the popup.
const UINT ZpMsgPopupTornOff = 0x2867;
// Ribbon -> site after its minimized state changed; wParam the ribbon. Result returned to the caller.
const UINT ZpMsgRibbonMinimized = 0x286D;

// lParam of ZpMsgCreateControl and ZpMsgControlCreated.
struct ZpCreateControlRequest
{
    int nID;                     // in/out: the command id
    CZPControl* pControl;        // out: a control supplied by the handler; ZpMsgControlCreated: the one built
    BOOL bToolBar;               // 0 built from a menu item, 1 from a toolbar button list
    int nIndex;                  // position of the item in its menu or button list
    CMenu* pMenu;                // borrowed: the source menu (menu items only)
    CZPCommandBar* pCommandBar;  // borrowed: the bar being filled
    CString strCaption;          // in/out: menu text, or the bar's title for a toolbar button
    int controlType;             // in/out: a ZpControlKind, 1 button, 2 popup proposed
    int buttonStyle;             // out: a ZpButtonStyle, 0 leaves the default
    BOOL bDefaultItem;           // 1 for the menu's default item
};

// lParam of ZpMsgCreateBar.
struct ZpCreateBarRequest
{
    CZPCommandBar* pCommandBar;  // out: the bar to use (one reference, taken over by the sender)
    BOOL bPopup;                 // a popup bar for a popup control
    BOOL bExpandBar;             // the popup of a toolbar's expand button
    BOOL bToolBar;               // a new user toolbar
    BOOL bTearOffBar;            // new toolbar from a torn-off popup
    LPCWSTR lpcstrCaption;       // borrowed: the popup's or toolbar's caption
    UINT nID;                    // the popup control's id, or the new toolbar's id
};

// lParam of ZpMsgExecute. Senders needing more data pass a longer record beginning with these.
struct ZpControlNotifyRecord
{
    NMHDR hdr;             // hwndFrom always NULL, idFrom the control's id, code the notification
    CZPControl* pControl;  // borrowed: the notifying control
};

#ifdef _WIN64
static_assert(sizeof(ZpCreateControlRequest) == 64, "record layout");
static_assert(sizeof(ZpCreateBarRequest) == 40, "record layout");
static_assert(sizeof(ZpControlNotifyRecord) == 32, "record layout");
#else
static_assert(sizeof(ZpCreateControlRequest) == 40, "record layout");
static_assert(sizeof(ZpCreateBarRequest) == 28, "record layout");
static_assert(sizeof(ZpControlNotifyRecord) == 16, "record layout");
#endif

// Notification codes carried by ZpMsgExecute besides the combo box (CBN_) and edit (EN_) values.
const UINT ZpNotifyExecute = 100;      // run the control's command
const UINT ZpNotifySpinUp = 0x1008;    // edit spin step up; one 32-bit change follows the record
const UINT ZpNotifySpinDown = 0x1009;  // edit spin step down
const UINT ZpNotifySelectorChanged = 0x1006;

// Reserved command ids.
const int ZP_ID_TOOLKIT_FIRST = 9100;  // 9100-9299: the toolkit's own commands
const int ZP_ID_TOOLKIT_LAST = 9299;
const int ZP_ID_WINDOWLIST = 35000;  // window list placeholder
const int ZP_ID_CUSTOMIZE = 35001;
const int ZP_ID_WORKSPACE_ACTIONS = 35002;  // workspace actions placeholder
const int ZP_ID_FILE_MRU = 35003;           // recent files placeholder
const int ZP_ID_TOOLBARLIST = 59392;        // toolbars list
const int ZP_ID_FILE_MRU_FIRST = 57616;     // first recent file in menus
const int ZP_ID_OLE_VERB_FIRST = 57872;     // OLE verbs, 57872-57887
const UINT ZP_ID_MENU_NOCONTROL = 0xFF00;   // a menu item with this id gives no control
const int ZP_ID_MAX_ACTION = 0xFFFFFFE;     // ids 1 to this may carry an action

// Toolbar built-in controls and strings (their captions are string resources of these ids).
const int ZP_ID_TOOLBAR_ADDREMOVE = 9122;        // "Add or Remove Buttons" popup of the expand popup
const int ZP_ID_TOOLBAR_RESET = 9123;            // "Reset Toolbar" entry of that popup
const int ZP_ID_TOOLBAR_EXPAND = 9148;           // expand button of a docked toolbar
const int ZP_ID_TOOLBAR_HIDE = 9149;             // hide button of a floating toolbar
const UINT ZP_IDS_CONFIRM_RESET_TOOLBAR = 9173;  // reset prompt; %s is the toolbar's title
const UINT ZP_IDS_TOOLBAR_UPDATED = 9177;        // changed built-in toolbar prompt; %s is its title
const int ZP_ID_CUSTOMIZE_STATUS_BAR = 9186;     // title of the status bar's customize popup

// Customization: the sheet, its context menu and the drag tracker.
const UINT ZP_IDB_SYSMENU_16 = 9102;           // strip of SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE
const UINT ZP_IDB_CUSTOMIZE_PICKER = 9103;     // strip of 16 x 16 images of "Change Button Image"
const UINT ZP_IDC_CUSTOMIZE_COPY = 9105;       // drag cursor: copying
const UINT ZP_IDC_CUSTOMIZE_MOVE = 9106;       // drag cursor: moving
const UINT ZP_IDC_CUSTOMIZE_NODROP = 9107;     // drag cursor: no bar under the pointer
const UINT ZP_IDR_CUSTOMIZE_MENU = 9121;       // the customize context menu
const int ZP_ID_CUSTOMIZE_RESET = 9123;        // context-menu commands, 9123-9134
const int ZP_ID_CUSTOMIZE_DELETE = 9124;
const int ZP_ID_CUSTOMIZE_NAME = 9125;
const int ZP_ID_CUSTOMIZE_COPYIMAGE = 9126;
const int ZP_ID_CUSTOMIZE_PASTEIMAGE = 9127;
const int ZP_ID_CUSTOMIZE_RESETIMAGE = 9128;
const int ZP_ID_CUSTOMIZE_EDITIMAGE = 9129;
const int ZP_ID_CUSTOMIZE_CHANGEIMAGE = 9130;
const int ZP_ID_CUSTOMIZE_DEFAULTSTYLE = 9131;
const int ZP_ID_CUSTOMIZE_IMAGEANDTEXT = 9132;
const int ZP_ID_CUSTOMIZE_TEXTONLY = 9133;
const int ZP_ID_CUSTOMIZE_BEGINGROUP = 9134;
const UINT ZP_IDS_CUSTOMIZE_CLOSE = 9160;      // "Close" on the sheet's Cancel button
const UINT ZP_IDS_CUSTOMIZE = 9161;            // the sheet's caption
// Posted to the customize sheet when its frame is activated: the sheet takes the focus.
const UINT ZpMsgCustomizeActivate = 0x8130;

// Caption of the OLE verbs placeholder in menus.
#define ZP_OLE_VERBS_CAPTION L"<<OLE VERBS GO HERE>>"

// The button-image editor: its dialog, images, cursors, commands and controls.
const UINT ZP_IDD_IMAGEEDITOR = 9115;         // dialog "Button Editor"
const UINT ZP_IDB_IMAGEEDITOR_16 = 9100;      // tool images, 16 colours, mask RGB(192, 192, 192)
const UINT ZP_IDB_IMAGEEDITOR_32 = 9101;      // tool images, 32-bit alpha
const UINT ZP_IDC_IMAGEEDITOR_SHAPE = 9110;   // cursor of line, rectangle and ellipse
const UINT ZP_IDC_IMAGEEDITOR_PICK = 9111;
const UINT ZP_IDC_IMAGEEDITOR_FILL = 9112;
const UINT ZP_IDC_IMAGEEDITOR_PENCIL = 9113;
const UINT ZP_IDS_IMAGEEDITOR_FILTER = 9178;  // the import dialog's file filter
// Tool commands: tool index = id - ZP_ID_IMAGEEDITOR_PENCIL. Strings hold "prompt\ntooltip".
const UINT ZP_ID_IMAGEEDITOR_PENCIL = 9135;
const UINT ZP_ID_IMAGEEDITOR_FILL = 9136;
const UINT ZP_ID_IMAGEEDITOR_PICK = 9137;
const UINT ZP_ID_IMAGEEDITOR_LINE = 9138;
const UINT ZP_ID_IMAGEEDITOR_RECTANGLE = 9139;
const UINT ZP_ID_IMAGEEDITOR_ELLIPSE = 9140;
const UINT ZP_ID_IMAGEEDITOR_COPY = 9141;
const UINT ZP_ID_IMAGEEDITOR_PASTE = 9142;
const UINT ZP_ID_IMAGEEDITOR_CLEAR = 9143;
const UINT ZP_ID_IMAGEEDITOR_UNDO = 9144;
const UINT ZP_ID_IMAGEEDITOR_REDO = 9145;
const UINT ZP_ID_IMAGEEDITOR_IMPORT = 9146;
// Controls of dialog 9115.
const UINT ZP_IDC_IMAGEEDITOR_PICTURE = 100;
const UINT ZP_IDC_IMAGEEDITOR_PREVIEW = 101;
const UINT ZP_IDC_IMAGEEDITOR_COLORS = 102;   // placeholder of the palette
const UINT ZP_IDC_IMAGEEDITOR_TOOLS = 103;    // placeholder of the tools bar
const UINT ZP_IDC_IMAGEEDITOR_MOVE = 104;     // placeholder of the move bar
const UINT ZP_IDC_IMAGEEDITOR_TRANSPARENT = 105;
const UINT ZP_IDC_IMAGEEDITOR_CUSTOM = 106;   // the custom colour
const UINT ZP_ID_IMAGEEDITOR_MOVE_LEFT = 107;
const UINT ZP_ID_IMAGEEDITOR_MOVE_DOWN = 108;
const UINT ZP_ID_IMAGEEDITOR_MOVE_UP = 109;
const UINT ZP_ID_IMAGEEDITOR_MOVE_RIGHT = 110;
const UINT ZP_IDC_IMAGEEDITOR_PALETTE_FIRST = 9900;  // palette cells 9900-9946
const UINT ZP_IDC_IMAGEEDITOR_PALETTE_LAST = 9946;
// Customization pages and the new-toolbar dialog: templates, strings and control ids.
const UINT ZP_IDD_CUSTOMIZE_KEYBOARD = 9116;
const UINT ZP_IDD_CUSTOMIZE_TOOLBARS = 9117;
const UINT ZP_IDD_CUSTOMIZE_OPTIONS = 9118;
const UINT ZP_IDD_CUSTOMIZE_COMMANDS = 9119;
const UINT ZP_IDD_NEW_TOOLBAR = 9120;
const UINT ZP_IDS_NEW_MENU = 9162;
const UINT ZP_IDS_CUSTOM_TOOLBAR_NAME = 9163;    // one %d: the number
const UINT ZP_IDS_TOOLBAR_NAME_BLANK = 9164;
const UINT ZP_IDS_TOOLBAR_LIMIT = 9165;
const UINT ZP_IDS_TOOLBAR_NAME_EXISTS = 9166;    // one %s: the name
const UINT ZP_IDS_RENAME_TOOLBAR = 9167;
const UINT ZP_IDS_CONFIRM_DELETE_TOOLBAR = 9168;  // one %s: the toolbar's title
const UINT ZP_IDS_ALL_COMMANDS = 9169;
const UINT ZP_IDS_CONFIRM_RESET_USAGE = 9170;
const UINT ZP_IDS_BUILTIN_MENUS = 9174;
const UINT ZP_IDS_CONFIRM_RESET_KEYS = 9175;
const UINT ZP_IDS_CONFIRM_REASSIGN_KEY = 9176;
const UINT ZP_IDS_ANIMATION_FIRST = 9179;  // 9179-9184: the menu animations 0-5
const int ZP_ANIMATION_COUNT = 6;
// Ids of custom toolbars: 0xE800-0xE8FE; reaching the last one is the limit.
const UINT ZP_ID_CUSTOM_TOOLBAR_FIRST = 0xE800;
const UINT ZP_ID_CUSTOM_TOOLBAR_LIMIT = 0xE8FF;
