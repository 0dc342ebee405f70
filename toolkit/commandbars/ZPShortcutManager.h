// The keyboard shortcuts of one command-bars object: an ordered table of one- and two-stroke
// records that the manager matches itself (no platform accelerator table), their texts in both
// directions, and their registry and property-exchange forms.
#pragma once

#include <framework.h>
#include <framework/controls.h>

#include <vector>

class CZPCommandBars;
class CZPPropExchange;

// Flag bits of a stroke (the platform's ACCEL flags).
const BYTE ZP_STROKE_VIRTKEY = 0x01;
const BYTE ZP_STROKE_NOINVERT = 0x02;  // carried, never acted on, ignored in comparisons
const BYTE ZP_STROKE_SHIFT = 0x04;
const BYTE ZP_STROKE_CONTROL = 0x08;
const BYTE ZP_STROKE_ALT = 0x10;
const BYTE ZP_STROKE_WIN = 0x20;  // only a capture edit sets it; translation ignores it

// Persisted shortcut versions: 0 platform ACCEL entries (6 bytes), 1 records (12 bytes).
const int ZP_ACCELERATORS_VERSION = 1;
// Largest "Accelerators" value read back; a bigger one is refused before anything is allocated.
const UINT ZP_MAX_ACCELERATORS_BYTES = 64 * 1024;
// The exchange schema from which the 12-byte records and the "Shortcut" text form are used.
const long ZP_SHORTCUT_SCHEMA_RECORDS = 33;

struct ZP_SHORTCUT_STROKE
{
    BYTE fVirt;
    BYTE bReserved;
    WORD key;  // 0 in a second stroke: none
};

// One shortcut, 12 bytes in memory and in its persisted form.
struct CZPShortcutManagerAccel
{
    DWORD cmd;
    ZP_SHORTCUT_STROKE key[2];

    CZPShortcutManagerAccel() : cmd(0), key() {}
    CZPShortcutManagerAccel(DWORD nCmd, BYTE fVirt, WORD nKey) : cmd(nCmd), key()
    {
        key[0].fVirt = fVirt;
        key[0].key = nKey;
    }
    explicit CZPShortcutManagerAccel(const ACCEL& accel) : CZPShortcutManagerAccel(accel.cmd, accel.fVirt, accel.key) {}
    BOOL IsChord() const { return key[1].key != 0; }
    // Same strokes (keys and flags, no-invert ignored); the command does not count.
    BOOL IsSameShortcut(const CZPShortcutManagerAccel& other) const;
};
static_assert(sizeof(CZPShortcutManagerAccel) == 12, "the persisted record is 12 bytes");

// The ordered table; first match wins.
typedef std::vector<CZPShortcutManagerAccel> CZPShortcutManagerAccelTable;

class CZPShortcutManager : public CCmdTarget
{
public:
    // Formats one record as text.
    class CKeyHelper
    {
    public:
        CKeyHelper(const CZPShortcutManagerAccel* pAccel, const CZPShortcutManager* pManager)
            : m_pAccel(pAccel), m_pManager(pManager), m_bDisplayNames(TRUE)
        {}
        virtual ~CKeyHelper() = default;
        void SetDisplayNames(BOOL bDisplayNames) { m_bDisplayNames = bDisplayNames; }
        void Format(CString& strText) const;
        // One stroke's text (empty for a stroke without key or modifiers).
        CString FormatStroke(const ZP_SHORTCUT_STROKE& stroke) const;

    private:
        void AppendKeyName(CString& strText, WORD nKey, BOOL bLast) const;

        const CZPShortcutManagerAccel* m_pAccel;  // borrowed
        const CZPShortcutManager* m_pManager;     // borrowed
        BOOL m_bDisplayNames;
    };

    // An edit that captures the key combination the user types (one or two strokes).
    class CKeyAssign : public CEdit
    {
    public:
        explicit CKeyAssign(CZPShortcutManager* pManager);
        // Clears the strokes and the record, and the text when the window exists.
        void ResetKey();
        BOOL IsKeyDefined() const { return m_nStrokes > 0; }
        int GetStrokeCount() const { return m_nStrokes; }
        const CZPShortcutManagerAccel& GetAccel() const { return m_accel; }
        CZPShortcutManagerAccel& GetAccel() { return m_accel; }
        BOOL PreTranslateMessage(MSG* pMsg) override;

        BOOL m_bModifiersOnly;  // records only the modifiers
        BOOL m_bTwoStrokes;     // copied from the manager at construction

    protected:
        // TRUE when the key message was consumed.
        BOOL OnTwoStrokeKey(const MSG& msg);
        BOOL OnOneStrokeKey(const MSG& msg);
        // Shows the record's text, or resets when the manager refuses it.
        void ShowRecord(BOOL bCaretToEnd);

        CZPShortcutManager* m_pManager;  // borrowed
        int m_nStrokes;
        CZPShortcutManagerAccel m_accel;
        CKeyHelper m_keyHelper;
    };

    explicit CZPShortcutManager(CZPCommandBars* pCommandBars);
    ~CZPShortcutManager() override;

    // Empties the table, copies the accelerator resource in (when it exists) and takes the
    // default snapshot either way: from then on the manager owns the shortcuts.
    void LoadFromAcceleratorResource(UINT nIDResource);
    BOOL HasDefaultTable() const { return m_bHasDefault; }
    void SetAccelerators(const ACCEL* pAccels, int nCount);
    void SetAccelerators(const CZPShortcutManagerAccel* pAccels, int nCount);

    void DisableShortcuts(BOOL bDisable);
    int GetDisableCount() const { return m_nDisableCount; }
    // TRUE when the key message was consumed.
    BOOL TranslateShortcut(MSG* pMsg);

    // Virtual operations, in slot order.
    virtual BOOL ComposeShortcutText(int nId, CString& strText);
    virtual void FormatShortcut(CString& strText, const CZPShortcutManagerAccel* pAccel, int* pnRank) const;
    virtual CString GetKeyName(UINT nVirtKey) const;
    virtual BOOL IsAssignableStroke(const CZPShortcutManagerAccel* pAccel) const;
    virtual BOOL OnBeforeAdd(CZPShortcutManagerAccel* pAccel);
    virtual BOOL OnBeforeRemove(CZPShortcutManagerAccel* pAccel);
    virtual void ExchangeProperties(CZPPropExchange* pPX);
    virtual CZPShortcutManagerAccelTable& GetShortcuts();
    virtual void ResetToDefault();

    // The registry form under the profile section; only while a default table exists.
    void SaveShortcuts(LPCWSTR lpszProfileName);
    void LoadShortcuts(LPCWSTR lpszProfileName);

    // Parses "Ctrl+K, Ctrl+C"-style text (table names); FALSE leaves *pAccel's strokes undefined.
    BOOL ParseShortcut(const CString& strText, CZPShortcutManagerAccel* pAccel) const;
    // The fixed English name of a key, NULL when the table has none.
    static LPCWSTR LookupKeyTableName(UINT nVirtKey);

    BOOL m_bAllowEscapeShortcut;
    BOOL m_bUseKeyboardLayoutFirst;
    BOOL m_bAllowDoubleKeyShortcuts;

    // The beep of a chord whose second key is not in the table (a seam for tests).
    static void (*s_pfnChordBeep)(UINT nType);

protected:
    // The modifier bits (Shift, Ctrl, Alt) of the keyboard now, AltGr taken apart.
    static BYTE GetModifierFlags();
    static BOOL StrokeMatches(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg, BYTE fModifiers);
    // The key and its kind (virtual-key strokes match key-downs, others characters).
    static BOOL StrokeKeyMatches(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg);
    // Ctrl and Shift for key-downs, Alt for both kinds.
    static BOOL StrokeModifiersMatch(const ZP_SHORTCUT_STROKE& stroke, const MSG& msg, BYTE fModifiers);
    // The wait for a chord's second key; the record found, or -1.
    int WaitForSecondStroke(HWND hWndSite, const CZPShortcutManagerAccel& first);
    CString LayoutKeyName(UINT nVirtKey) const;
    BOOL ParseStroke(CString strText, ZP_SHORTCUT_STROKE* pStroke) const;

    CZPShortcutManagerAccelTable m_accels;
    CZPShortcutManagerAccelTable m_defaultAccels;
    BOOL m_bHasDefault;
    int m_nDisableCount;
    CZPCommandBars* m_pCommandBars;  // borrowed: the owner
};

// TRUE when the key press produces the mnemonic character ch.
BOOL ZpIsMnemonicKey(WCHAR ch, UINT nVirtKey);
// Index of the first '&' not doubled, or -1.
int ZpFindMnemonicPrefix(LPCWSTR lpszText);
// The character a caption's mnemonic stands for: after its first single '&' (explicit), else its
// first character; 0 for an empty caption.
WCHAR ZpMnemonicOfCaption(const CString& strCaption, BOOL* pbExplicit);
// The installed keyboard layouts ZpIsMnemonicKey walks (a seam: Wine has one).
extern int (*g_pfnZpGetKeyboardLayoutList)(int nCount, HKL* pList);
