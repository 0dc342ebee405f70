// The command bars' layout under a profile: bar records, dock rows, the controls blob with its
// store, the status bar, the rebar and the shortcuts, loaded in guarded stages.
#include "commandbars/ZPCommandBarsState.h"

#include "commandbars/ZPCustomizeText.h"

#include "commandbars/ZPCommandBars.h"
#include "commandbars/ZPCommandBarsOptions.h"
#include "commandbars/ZPControlPopup.h"
#include "commandbars/ZPControls.h"
#include "commandbars/ZPDockBar.h"
#include "commandbars/ZPDockContext.h"
#include "commandbars/ZPPopupBar.h"
#include "commandbars/ZPReBar.h"
#include "commandbars/ZPShortcutManager.h"
#include "commandbars/ZPStatusBar.h"
#include "commandbars/ZPToolBar.h"
#include "common/ZPPropExchangeArchive.h"
#include "common/ZPResourceManager.h"
#include "common/ZPZipMemFile.h"

#include <framework/app.h>
#include <framework/resids.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>

namespace {

const int kBlobArchiveBuffer = 4096;
const int kMaxBarRecords = 1000;   // records read, whatever the summary claims
const int kMaxDockEntries = 1000;  // entries of one dock row read
const int kMaxNewToolBars = 64;    // toolbars a blob may add
const UINT kMaxLoadedBars = 1000;  // bars one blob may hold
// Ids given to stored popup bars, and the largest id a bar keeps when stored.
const UINT kFirstCollectedBarId = 0x1000000;
const UINT kMaxStoredBarId = 0xFFFFFF;
const UINT kCustomizeCommand = 35001;
const UINT kStatusBarId = AFX_IDW_STATUS_BAR;
const UINT kReBarId = AFX_IDW_REBAR;
const int kNoValue = INT_MIN;
const int kMaxAnimation = 5;
const long kSchemaUsedCommands = 8;
const UINT kMaxUsedCommands = 0x10000;  // entries of "UsedCommands" read

// A BOOL option: a missing value leaves it, anything but 0 and 1 gives the default.
void LoadBoolOption(CWinApp* pApp, LPCWSTR lpszSection, LPCWSTR lpszEntry, BOOL* pbValue, BOOL bDefault)
{
    const int nValue = static_cast<int>(pApp->GetProfileInt(lpszSection, lpszEntry, kNoValue));
    if (nValue != kNoValue)
        *pbValue = nValue == 0 || nValue == 1 ? nValue : bDefault;
}

CWinApp* App()
{
    return AfxGetApp();
}

CString SectionName(LPCWSTR lpszProfileName, LPCWSTR lpszFormat, int n = 0)
{
    CString strSection;
    strSection.Format(lpszFormat, lpszProfileName, n);
    return strSection;
}

// Runs one loading stage; whatever it throws stays inside it.
template <class TStage> void RunGuarded(TStage stage)
{
    try {
        stage();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
}

// The site's child window with the id when its object is of the class.
CWnd* ChildOfSite(CWnd* pSite, UINT nID, CRuntimeClass* pClass)
{
    if (pSite == NULL || pSite->m_hWnd == NULL)
        return NULL;
    CWnd* pChild = CWnd::FromHandlePermanent(::GetDlgItem(pSite->m_hWnd, static_cast<int>(nID)));
    return pChild != NULL && pChild->IsKindOf(pClass) ? pChild : NULL;
}

CZPStatusBar* StatusBarOf(CWnd* pSite)
{
    return static_cast<CZPStatusBar*>(ChildOfSite(pSite, kStatusBarId, RUNTIME_CLASS(CZPStatusBar)));
}

CZPReBar* ReBarOf(CWnd* pSite)
{
    return static_cast<CZPReBar*>(ChildOfSite(pSite, kReBarId, RUNTIME_CLASS(CZPReBar)));
}

BOOL WriteWholeFile(const CString& strPath, const std::vector<BYTE>& blob)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD cbWritten = 0;
    const BOOL bWritten =
        ::WriteFile(hFile, blob.data(), static_cast<DWORD>(blob.size()), &cbWritten, NULL) && cbWritten == blob.size();
    const BOOL bClosed = ::CloseHandle(hFile);
    return bWritten && bClosed;
}

BOOL ReadWholeFile(const CString& strPath, std::vector<BYTE>& blob)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    LARGE_INTEGER size = {};
    BOOL bRead = ::GetFileSizeEx(hFile, &size) && size.QuadPart > 0 && size.QuadPart <= kZpMaxControlsFileBytes;
    if (bRead) {
        blob.resize(static_cast<size_t>(size.QuadPart));
        DWORD cbRead = 0;
        bRead = ::ReadFile(hFile, blob.data(), static_cast<DWORD>(blob.size()), &cbRead, NULL) && cbRead == blob.size();
    }
    ::CloseHandle(hFile);
    return bRead;
}

// A point kept inside the work area of its monitor, at least an icon inside the right and bottom.
// The largest coordinate a remembered dock rectangle may hold (dock-bar client coordinates).
const int kMaxDockExtent = 0x7FFF;

// The bars collected for saving, each holding a reference released at the end.
struct CollectedBars
{
    CPtrArray bars;
    CollectedBars() = default;
    CollectedBars(const CollectedBars&) = delete;
    CollectedBars& operator=(const CollectedBars&) = delete;
    ~CollectedBars()
    {
        for (INT_PTR i = 0; i < bars.GetSize(); ++i)
            static_cast<CZPCommandBar*>(bars[i])->InternalRelease();
    }
};

CPoint ClampIntoWorkArea(CPoint pt)
{
    MONITORINFO mi = { sizeof(mi) };
    ::GetMonitorInfoW(::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST), &mi);
    const CRect rcWork(mi.rcWork);
    pt.x = std::max(rcWork.left, std::min(pt.x, rcWork.right - ::GetSystemMetrics(SM_CXICON)));
    pt.y = std::max(rcWork.top, std::min(pt.y, rcWork.bottom - ::GetSystemMetrics(SM_CYICON)));
    return pt;
}

}  // namespace

// Blob store ---------------------------------------------------------------------------------------

CString ZpControlsFilePath(LPCWSTR lpszProfileName)
{
    CString strName(lpszProfileName);
    strName.Replace(L'\\', L'_');
    WCHAR szFolder[MAX_PATH] = {};
    CWinApp* pApp = App();
    if (pApp != NULL && SUCCEEDED(::SHGetFolderPathW(NULL, CSIDL_APPDATA | CSIDL_FLAG_CREATE, NULL, 0, szFolder))) {
        CString strFolder;
        strFolder.Format(L"%s\\%s", szFolder, pApp->m_pszAppName);
        ::CreateDirectoryW(strFolder, NULL);
        if ((::GetFileAttributesW(strFolder) & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            ::GetFileAttributesW(strFolder) != INVALID_FILE_ATTRIBUTES)
            return strFolder + L"\\" + strName;
    }
    WCHAR szModule[MAX_PATH] = {};
    ::GetModuleFileNameW(NULL, szModule, MAX_PATH);
    CString strPath;
    strPath.Format(L"%s-%s", szModule, static_cast<LPCWSTR>(strName));
    return strPath;
}

BOOL ZpSaveControlsBlob(LPCWSTR lpszProfileName, const std::vector<BYTE>& blob)
{
    CWinApp* pApp = App();
    if (pApp == NULL)
        return FALSE;
    const CString strSection = SectionName(lpszProfileName, L"%s-Controls");
    const CString strPath = ZpControlsFilePath(lpszProfileName);
    if (blob.size() <= kZpMaxControlsValueBytes) {
        std::vector<BYTE> data(blob);
        if (!pApp->WriteProfileBinary(strSection, L"Controls", data.data(), static_cast<UINT>(data.size())) ||
            !pApp->WriteProfileInt(strSection, L"LoadFromFile", 0))
            return FALSE;
        ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(strPath);
        return TRUE;
    }
    // The new file is written aside and then replaces the old one, so a failure leaves the old one.
    const CString strTemp = strPath + L".tmp";
    ::SetFileAttributesW(strTemp, FILE_ATTRIBUTE_NORMAL);
    if (!WriteWholeFile(strTemp, blob)) {
        ::DeleteFileW(strTemp);
        return FALSE;
    }
    // A hidden file cannot be replaced by every call: it is made plain first.
    ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_NORMAL);
    if (!::MoveFileExW(strTemp, strPath, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileW(strTemp);
        return FALSE;
    }
    ::SetFileAttributesW(strPath, FILE_ATTRIBUTE_HIDDEN);
    return pApp->WriteProfileString(strSection, L"Controls", strPath) &&
           pApp->WriteProfileInt(strSection, L"LoadFromFile", 1);
}

BOOL ZpLoadControlsBlob(LPCWSTR lpszProfileName, std::vector<BYTE>& blob, CString* pstrFile)
{
    blob.clear();
    if (pstrFile != NULL)
        pstrFile->Empty();
    CWinApp* pApp = App();
    if (pApp == NULL)
        return FALSE;
    const CString strSection = SectionName(lpszProfileName, L"%s-Controls");
    if (pApp->GetProfileInt(strSection, L"LoadFromFile", 0) != 0) {
        // Only the file this profile's layout is written to: never a path the profile names.
        const CString strPath = pApp->GetProfileString(strSection, L"Controls", L"");
        const CString strComputed = ZpControlsFilePath(lpszProfileName);
        if (strPath.CompareNoCase(strComputed) != 0 || !ReadWholeFile(strComputed, blob)) {
            blob.clear();
            return FALSE;
        }
        if (pstrFile != NULL)
            *pstrFile = strComputed;
        return TRUE;
    }
    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!pApp->GetProfileBinary(strSection, L"Controls", &pData, &nBytes, kZpMaxControlsValueBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> data(pData);
    blob.assign(pData, pData + nBytes);
    return !blob.empty();
}

void ZpSetControlsBlobAside(const CString& strFile)
{
    if (strFile.IsEmpty())
        return;
    ::SetFileAttributesW(strFile, FILE_ATTRIBUTE_NORMAL);
    ::MoveFileExW(strFile, strFile + L".bad", MOVEFILE_REPLACE_EXISTING);
}

// Saving ---------------------------------------------------------------------------------------

void CZPCommandBars::SaveShortcuts(LPCWSTR lpszProfileName)
{
    m_pShortcutManager->SaveShortcuts(lpszProfileName);
}

void CZPCommandBars::LoadShortcuts(LPCWSTR lpszProfileName)
{
    m_pShortcutManager->LoadShortcuts(lpszProfileName);
}

BOOL CZPCommandBars::IsCustomizeAvailable() const
{
    CWnd* pSite = GetSite();
    if (pSite == NULL)
        return FALSE;
    AFX_CMDHANDLERINFO info = { NULL, NULL };
    return pSite->OnCmdMsg(kCustomizeCommand, static_cast<int>(CN_COMMAND), NULL, &info);
}

void CZPCommandBars::SaveCommandBars(LPCWSTR lpszProfileName, BOOL bOnlyCustomized)
{
    CWinApp* pApp = App();
    if (pApp == NULL)
        return;
    SaveOptions(lpszProfileName);
    SaveBarRecords(lpszProfileName);
    SaveDockRows(lpszProfileName);
    if (CZPStatusBar* pStatusBar = StatusBarOf(GetSite()))
        pStatusBar->SaveState(lpszProfileName);
    else
        pApp->WriteProfileString(lpszProfileName, L"StatusBar", NULL);
    // Controls the last load could not read stay as they are for a later version to read.
    if (IsCustomizeAvailable() && !m_bControlsKeptAside) {
        std::vector<BYTE> blob;
        if (SaveBars(blob, bOnlyCustomized))
            ZpSaveControlsBlob(lpszProfileName, blob);
    }
    if (CZPReBar* pReBar = ReBarOf(GetSite()))
        pReBar->SaveBandState(lpszProfileName);
    SaveShortcuts(lpszProfileName);
    if (m_pOptions != NULL)
        m_pOptions->m_bDirty = FALSE;
}

void CZPCommandBars::SaveOptions(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    if (pApp == NULL || m_pOptions == NULL)
        return;
    const CString strSection = SectionName(lpszProfileName, L"%s-Options");
    pApp->WriteProfileString(strSection, NULL, NULL);
    pApp->WriteProfileInt(strSection, L"Schema", kZpCommandBarsSchema);
    pApp->WriteProfileInt(strSection, L"AlwaysShowFullMenus", m_pOptions->m_bAlwaysShowFullMenus);
    pApp->WriteProfileInt(strSection, L"ShowFullAfterDelay", m_pOptions->m_bShowFullAfterDelay);
    pApp->WriteProfileInt(strSection, L"ToolBarScreenTips", m_pOptions->m_bToolBarScreenTips);
    pApp->WriteProfileInt(strSection, L"ToolBarAccelTips", m_pOptions->m_bToolBarAccelTips);
    pApp->WriteProfileInt(strSection, L"LargeIcons", m_pOptions->m_bLargeIcons);
    if (!m_pOptions->m_mapUsedCommands.IsEmpty()) {
        std::vector<DWORD> data = ZpCommandMapToWords(m_pOptions->m_mapUsedCommands);
        pApp->WriteProfileBinary(strSection, L"UsedCommands", reinterpret_cast<LPBYTE>(data.data()),
                                 static_cast<UINT>(data.size() * sizeof(DWORD)));
    }
    pApp->WriteProfileInt(strSection, L"Animation", m_pOptions->m_nAnimation);
}

void CZPCommandBars::LoadOptions(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    if (pApp == NULL || m_pOptions == NULL)
        return;
    const CString strSection = SectionName(lpszProfileName, L"%s-Options");
    const int nSchema = static_cast<int>(pApp->GetProfileInt(strSection, L"Schema", kZpCommandBarsSchema));
    LoadBoolOption(pApp, strSection, L"AlwaysShowFullMenus", &m_pOptions->m_bAlwaysShowFullMenus, TRUE);
    LoadBoolOption(pApp, strSection, L"ShowFullAfterDelay", &m_pOptions->m_bShowFullAfterDelay, TRUE);
    LoadBoolOption(pApp, strSection, L"ToolBarScreenTips", &m_pOptions->m_bToolBarScreenTips, TRUE);
    LoadBoolOption(pApp, strSection, L"ToolBarAccelTips", &m_pOptions->m_bToolBarAccelTips, FALSE);
    LoadBoolOption(pApp, strSection, L"LargeIcons", &m_pOptions->m_bLargeIcons, FALSE);
    if (nSchema >= kSchemaUsedCommands) {
        BYTE* pData = NULL;
        UINT nBytes = 0;
        if (pApp->GetProfileBinary(strSection, L"UsedCommands", &pData, &nBytes,
                                   (kMaxUsedCommands * 2 + 1) * sizeof(DWORD))) {
            std::unique_ptr<BYTE[]> data(pData);
            // A count the bytes do not hold is damage: the set stays as it is.
            ZpCommandMapFromWords(reinterpret_cast<const DWORD*>(pData), nBytes / sizeof(DWORD), kMaxUsedCommands,
                                  m_pOptions->m_mapUsedCommands);
        }
    }
    const int nAnimation = static_cast<int>(pApp->GetProfileInt(strSection, L"Animation", kNoValue));
    if (nAnimation != kNoValue)
        m_pOptions->m_nAnimation = nAnimation >= 0 && nAnimation <= kMaxAnimation ? nAnimation : 0;
}

void CZPCommandBars::SaveBarRecords(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    for (int i = 0; i < GetCount(); ++i) {
        CZPCommandBar* pBar = GetAt(i);
        const CString strSection = SectionName(lpszProfileName, L"%s-Bar%d", i);
        pApp->WriteProfileString(strSection, NULL, NULL);
        pApp->WriteProfileInt(strSection, L"BarID", static_cast<int>(pBar->GetBarID()));
        if (!pBar->IsBarVisible())
            pApp->WriteProfileInt(strSection, L"Visible", 0);
        const BOOL bFloating = pBar->GetPosition() == zpBarFloating;
        if (bFloating)
            pApp->WriteProfileInt(strSection, L"Floating", 1);
        if (pBar->m_hWnd != NULL) {
            CRect rc;
            pBar->GetWindowRect(&rc);
            CWnd* pParent = pBar->GetParent();
            if (!bFloating && pParent != NULL)
                pParent->ScreenToClient(&rc);
            pApp->WriteProfileInt(strSection, L"XPos", rc.left);
            pApp->WriteProfileInt(strSection, L"YPos", rc.top);
        }
        if (pBar->GetMRUWidth() != ZP_BAR_MRU_WIDTH_NONE)
            pApp->WriteProfileInt(strSection, L"MRUWidth", pBar->GetMRUWidth());
        SaveDockMemory(strSection, pBar);
        pApp->WriteProfileInt(strSection, L"DialogBar", 0);
    }
    const CString strSummary = SectionName(lpszProfileName, L"%s-Summary");
    pApp->WriteProfileInt(strSummary, L"Bars", GetCount());
    pApp->WriteProfileInt(strSummary, L"ScreenCX", ::GetSystemMetrics(SM_CXSCREEN));
    pApp->WriteProfileInt(strSummary, L"ScreenCY", ::GetSystemMetrics(SM_CYSCREEN));
}

// Where a toolbar was last docked and floated: its dock context's memory.
void CZPCommandBars::SaveDockMemory(const CString& strSection, CZPCommandBar* pBar)
{
    CWinApp* pApp = App();
    CZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZPToolBar, pBar);
    const CZPDockContext* pContext = pToolBar != NULL ? pToolBar->GetDockContext() : NULL;
    const CZPDockBar* pDockBar = pContext != NULL ? GetDockBar(pContext->GetDockSide()) : NULL;
    const CRect rc = pContext != NULL ? pContext->GetDockedRect() : CRect(0, 0, 0, 0);
    const CPoint pt = pContext != NULL ? pContext->GetFloatingPos() : CPoint(0, 0);
    pApp->WriteProfileInt(strSection, L"MRUDockID", pDockBar != NULL ? pDockBar->GetDlgCtrlID() : 0);
    pApp->WriteProfileInt(strSection, L"MRUDockLeftPos", rc.left);
    pApp->WriteProfileInt(strSection, L"MRUDockTopPos", rc.top);
    pApp->WriteProfileInt(strSection, L"MRUDockRightPos", rc.right);
    pApp->WriteProfileInt(strSection, L"MRUDockBottomPos", rc.bottom);
    pApp->WriteProfileInt(strSection, L"MRUFloatXPos", pt.x);
    pApp->WriteProfileInt(strSection, L"MRUFloatYPos", pt.y);
}

void CZPCommandBars::LoadDockMemory(const CString& strSection, CZPToolBar* pBar)
{
    CWinApp* pApp = App();
    CZPDockContext* pContext = pBar->GetDockContext();
    if (pContext == NULL)
        return;
    const int nDockID = static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockID", 0));
    for (int nSide = 0; nSide < 4; ++nSide) {
        const CZPDockBar* pDockBar = GetDockBar(nSide);
        // Only a side the bar may dock to is remembered.
        if (nDockID != 0 && pDockBar != NULL && pDockBar->GetDlgCtrlID() == nDockID &&
            (pBar->GetFlags() & (1u << nSide)) != 0)
            pContext->SetDockSide(nSide);
    }
    CRect rc(static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockLeftPos", 0)),
             static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockTopPos", 0)),
             static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockRightPos", 0)),
             static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockBottomPos", 0)));
    // A rectangle no dock bar could hold is forgotten: the bar then opens a new row.
    if (rc.left < 0 || rc.top < 0 || rc.right < rc.left || rc.bottom < rc.top || rc.right > kMaxDockExtent ||
        rc.bottom > kMaxDockExtent)
        rc.SetRectEmpty();
    pContext->SetDockedRect(rc);
    const CPoint pt(static_cast<int>(pApp->GetProfileInt(strSection, L"MRUFloatXPos", 0)),
                    static_cast<int>(pApp->GetProfileInt(strSection, L"MRUFloatYPos", 0)));
    // 0,0 means never floated; any other position is kept on screen.
    pContext->SetFloatingPos(pt == CPoint(0, 0) ? pt : ClampIntoWorkArea(pt));
}

void CZPCommandBars::SaveDockRows(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    for (int nPosition = 0; nPosition < 4; ++nPosition) {
        const CString strSection = SectionName(lpszProfileName, L"%s-DockBar%d", nPosition);
        pApp->WriteProfileString(strSection, NULL, NULL);
        CZPDockBar* pDockBar = GetDockBar(nPosition);
        if (pDockBar == NULL || pDockBar->GetEntries().GetSize() <= 1)
            continue;
        const CArray<CZPToolBar*, CZPToolBar*>& entries = pDockBar->GetEntries();
        int nWritten = 0;
        BOOL bLastWasEnd = FALSE;
        for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
            const BOOL bEnd = entries[i] == NULL;
            if (bEnd && bLastWasEnd && nWritten > 0)
                continue;
            CString strEntry;
            strEntry.Format(L"Bar#%d", nWritten++);
            pApp->WriteProfileInt(strSection, strEntry, bEnd ? 0 : static_cast<int>(entries[i]->GetBarID()));
            bLastWasEnd = bEnd;
        }
        pApp->WriteProfileInt(strSection, L"Bars", nWritten);
    }
}

// A user toolbar, or a customizable built-in one whose controls are not (or no longer) its originals.
BOOL CZPCommandBars::IsBarCustomized(CZPCommandBar* pBar)
{
    // A context menu counts when its controls changed.
    if (pBar->IsPopupBar())
        return pBar->GetControls() != NULL && pBar->GetControls()->IsChanged();
    CZPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZPToolBar, pBar);
    if (pToolBar == NULL || !pToolBar->IsBuiltIn())
        return TRUE;
    return pToolBar->IsCustomizable() && pToolBar->GetControls() != NULL && pToolBar->GetControls()->IsChanged();
}

void CZPCommandBars::CollectBarsForSaving(CPtrArray* pBars, BOOL bOnlyCustomized)
{
    for (int i = 0; i < GetCount(); ++i) {
        if (!bOnlyCustomized || IsBarCustomized(GetAt(i)))
            GetAt(i)->CollectCommandBars(pBars);
    }
    for (int i = 0; i < m_contextMenus.GetCount(); ++i) {
        if (!bOnlyCustomized || IsBarCustomized(m_contextMenus.GetAt(i)))
            m_contextMenus.GetAt(i)->CollectCommandBars(pBars);
    }
    // Popup bars are stored under ids of their own: a missing, outsized or repeated id would
    // make their popup controls find the wrong bar when loading. Context menus keep theirs
    // (loading finds them by it); toolbars are never the bar of a popup.
    std::vector<UINT> used;
    for (INT_PTR i = 0; i < pBars->GetSize(); ++i) {
        CZPPopupBar* pBar = DYNAMIC_DOWNCAST(CZPPopupBar, static_cast<CZPCommandBar*>(pBars->GetAt(i)));
        if (pBar != NULL && pBar->IsContextMenu() && pBar->GetBarID() != 0 && pBar->GetBarID() <= kMaxStoredBarId)
            used.push_back(pBar->GetBarID());
    }
    UINT nNextId = kFirstCollectedBarId;
    for (INT_PTR i = 0; i < pBars->GetSize(); ++i) {
        CZPPopupBar* pBar = DYNAMIC_DOWNCAST(CZPPopupBar, static_cast<CZPCommandBar*>(pBars->GetAt(i)));
        if (pBar == NULL)
            continue;
        const UINT nId = pBar->GetBarID();
        const BOOL bKeep = nId != 0 && nId <= kMaxStoredBarId &&
                           (pBar->IsContextMenu() || std::find(used.begin(), used.end(), nId) == used.end());
        if (!bKeep) {
            pBar->SetBarID(nNextId++);
            used.push_back(pBar->GetBarID());
        } else if (!pBar->IsContextMenu()) {
            used.push_back(nId);
        }
    }
}

BOOL CZPCommandBars::SaveBars(std::vector<BYTE>& blob, BOOL bOnlyCustomized)
{
    blob.clear();
    try {
        CZPZipMemFile file;
        {
            CArchive ar(&file, CArchive::store, kBlobArchiveBuffer);
            CZPPropExchangeArchive px(ar);
            px.SetSchema(kZpCommandBarsSchema);
            px.ExchangeSchemaNumber();
            ZP_COMMANDBARS_EXCHANGE_PARAMS params = { bOnlyCustomized, FALSE, TRUE, TRUE, this };
            px.m_dwData = reinterpret_cast<DWORD_PTR>(&params);
            CRefPtr<CZPPropExchange> pSection;
            pSection.Attach(px.GetSection(L"CommandBars"));
            CollectedBars collected;
            CollectBarsForSaving(&collected.bars, bOnlyCustomized);
            std::vector<CZPCommandBar*> bars;
            for (INT_PTR i = 0; i < collected.bars.GetSize(); ++i)
                bars.push_back(static_cast<CZPCommandBar*>(collected.bars[i]));
            CZPPropExchangeEnumeratorHolder enumerator(pSection->GetEnumerator(L"CommandBar"));
            POSITION pos = enumerator->GetPosition(static_cast<DWORD>(bars.size()));
            for (size_t i = 0; i < bars.size() && pos != NULL; ++i) {
                CRefPtr<CZPPropExchange> pItem;
                pItem.Attach(enumerator->GetNext(pos));
                CObject* pObject = bars[i];
                pItem->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CZPCommandBar));
                bars[i]->ExchangeProperties(pItem.Get());
            }
            ar.Close();
        }
        BYTE* pData = NULL;
        UINT nSize = 0;
        file.DetachCompressed(pData, nSize);
        blob.assign(pData, pData + nSize);
        free(pData);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    blob.clear();
    return FALSE;
}

// Loading -------------------------------------------------------------------------------------------

void CZPCommandBars::LoadCommandBars(LPCWSTR lpszProfileName, BOOL bSilent)
{
    if (App() == NULL)
        return;
    RunGuarded([&] { LoadOptions(lpszProfileName); });
    RunGuarded([&] { LoadControls(lpszProfileName, bSilent); });
    // Rows first: a record then floats or hides the bars it names.
    RunGuarded([&] { LoadDockRows(lpszProfileName); });
    RunGuarded([&] { LoadBarRecords(lpszProfileName); });
    RunGuarded([&] {
        if (CZPStatusBar* pStatusBar = StatusBarOf(GetSite()))
            pStatusBar->LoadState(lpszProfileName);
    });
    RunGuarded([&] { LoadShortcuts(lpszProfileName); });
    RunGuarded([&] {
        if (CZPReBar* pReBar = ReBarOf(GetSite()))
            pReBar->LoadBandState(lpszProfileName);
    });
    RelayoutSite(TRUE);
    if (m_pOptions != NULL)
        m_pOptions->m_bDirty = FALSE;
}

void CZPCommandBars::LoadControls(LPCWSTR lpszProfileName, BOOL bSilent)
{
    if (!IsCustomizeAvailable())
        return;
    std::vector<BYTE> blob;
    CString strFile;
    if (!ZpLoadControlsBlob(lpszProfileName, blob, &strFile))
        return;
    if (!LoadBars(blob, bSilent)) {
        m_bControlsKeptAside = TRUE;
        ZpSetControlsBlobAside(strFile);
    }
}

BOOL CZPCommandBars::LoadBars(const std::vector<BYTE>& blob, BOOL bSilent)
{
    // Everything is read into bars of our own first: a failure anywhere releases them all.
    ZP_LOADED_BARS loaded;
    auto releaseAll = [&loaded] {
        for (CZPCommandBar* pBar : loaded.bars)
            pBar->InternalRelease();
        loaded.bars.clear();
    };
    BOOL bRead = FALSE;
    try {
        CZPZipMemFile file;
        BYTE* pCopy = static_cast<BYTE*>(malloc(blob.empty() ? 1 : blob.size()));
        if (pCopy == NULL)
            return FALSE;
        std::copy(blob.begin(), blob.end(), pCopy);
        if (file.AttachCompressed(pCopy, static_cast<UINT>(blob.size()), TRUE)) {
            CArchive ar(&file, CArchive::load, kBlobArchiveBuffer);
            CZPPropExchangeArchive px(ar);
            px.ExchangeSchemaNumber();
            const long nSchema = px.GetSchema();
            ZP_COMMANDBARS_EXCHANGE_PARAMS params = { TRUE, bSilent, TRUE, TRUE, this };
            px.m_dwData = reinterpret_cast<DWORD_PTR>(&params);
            if (nSchema >= 0 && nSchema <= kZpCommandBarsSchema) {
                CRefPtr<CZPPropExchange> pSection;
                pSection.Attach(px.GetSection(L"CommandBars"));
                CZPPropExchangeEnumeratorHolder enumerator(pSection->GetEnumerator(L"CommandBar"));
                POSITION pos = enumerator->GetPosition(0);
                bRead = TRUE;
                while (pos != NULL && bRead) {
                    CRefPtr<CZPPropExchange> pItem;
                    pItem.Attach(enumerator->GetNext(pos));
                    CObject* pObject = NULL;
                    // Only command-bar classes are created: any other stored class is refused first.
                    if (loaded.bars.size() >= kMaxLoadedBars ||
                        !pItem->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CZPCommandBar)) || pObject == NULL) {
                        bRead = FALSE;
                        break;
                    }
                    CZPCommandBar* pBar = static_cast<CZPCommandBar*>(pObject);
                    loaded.bars.push_back(pBar);
                    pBar->SetCommandBars(this);
                    pItem->SetSchema(nSchema);
                    pBar->ExchangeProperties(pItem.Get());
                }
            }
        }
        // The popup controls find their bars among the loaded ones.
        for (size_t i = 0; i < loaded.bars.size() && bRead; ++i)
            bRead = loaded.bars[i]->RestoreCommandBarLinks(&loaded);
    } catch (CException* e) {
        e->Delete();
        bRead = FALSE;
    } catch (...) {
        bRead = FALSE;
    }
    // At most one menu bar, and a bounded number of new toolbars.
    int nMenuBars = 0, nNew = 0;
    for (CZPCommandBar* pBar : loaded.bars) {
        if (!pBar->IsKindOf(RUNTIME_CLASS(CZPToolBar)))
            continue;
        nMenuBars += pBar->GetType() == zpBarTypeMenuBar;
        nNew += FindToolBar(pBar->GetBarID()) == NULL;
    }
    // A list saved empty (nothing customized) reads well and applies nothing.
    if (!bRead || nMenuBars > 1 || nNew > kMaxNewToolBars) {
        ReleaseLoadedLinks(loaded);
        releaseAll();
        return FALSE;
    }
    // Applied: known toolbars take the loaded controls; unknown ones join, docked at the top.
    // Popup bars live on in the popup controls that took them.
    for (CZPCommandBar* pBar : loaded.bars) {
        CZPPopupBar* pMenu = DYNAMIC_DOWNCAST(CZPPopupBar, pBar);
        if (pMenu != NULL && pMenu->IsContextMenu())
            ApplyLoadedContextMenu(pMenu);
        CZPToolBar* pLoaded = DYNAMIC_DOWNCAST(CZPToolBar, pBar);
        CZPCommandBar* pExisting = pLoaded != NULL ? FindToolBar(pLoaded->GetBarID()) : NULL;
        if (pLoaded == NULL || pExisting != NULL) {
            if (pExisting != NULL) {
                ApplyLoadedControls(pExisting, pLoaded, bSilent);
                pExisting->DelayLayout();
            }
            pBar->InternalRelease();
            continue;
        }
        AddBar(pLoaded);
        DockCommandBar(pLoaded, zpBarTop);
    }
    loaded.bars.clear();
    return TRUE;
}

// A known context menu takes the loaded controls and keeps its originals; an unknown one joins
// the context menus, its controls becoming their own originals when none were stored.
void CZPCommandBars::ApplyLoadedContextMenu(CZPPopupBar* pLoaded)
{
    CZPControls* pLoadedControls = pLoaded->GetControls();
    if (pLoadedControls == NULL)
        return;
    CZPPopupBar* pExisting = m_contextMenus.FindCommandBar(pLoaded->GetBarID());
    if (pExisting == NULL) {
        if (pLoadedControls->GetOriginalControls() == NULL)
            pLoadedControls->CreateOriginalControls();
        m_contextMenus.Add(pLoaded);
        return;
    }
    CZPControls* pControls = pExisting->GetControls();
    if (pControls == NULL)
        return;
    CRefPtr<CZPOriginalControls> originals = CRefPtr<CZPOriginalControls>::AddRef(pControls->GetOriginalControls());
    pControls->CopyFrom(pLoadedControls, FALSE);
    pControls->SetOriginalControls(originals.Detach());
}

// A load that fails after some links were made: the loaded bars hold each other through their
// popup controls, so the links are cut before the bars are released.
void CZPCommandBars::ReleaseLoadedLinks(ZP_LOADED_BARS& loaded)
{
    for (CZPCommandBar* pBar : loaded.bars) {
        CZPControls* pControls = pBar->GetControls();
        if (pControls == NULL)
            continue;
        for (int i = 0; i < pControls->GetCount(); ++i)
            if (CZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CZPControlPopup, pControls->GetAt(i)))
                pPopup->SetCommandBar(NULL);
        if (CZPOriginalControls* pOriginals = pControls->GetOriginalControls())
            for (int i = 0; i < pOriginals->GetCount(); ++i)
                if (CZPControlPopup* pPopup = DYNAMIC_DOWNCAST(CZPControlPopup, pOriginals->GetAt(i)))
                    pPopup->SetCommandBar(NULL);
    }
}

void CZPCommandBars::ApplyLoadedControls(CZPCommandBar* pBar, CZPCommandBar* pLoaded, BOOL bSilent)
{
    CZPControls* pControls = pBar->GetControls();
    CZPControls* pLoadedControls = pLoaded->GetControls();
    if (pControls == NULL || pLoadedControls == NULL)
        return;
    CRefPtr<CZPOriginalControls> originals = CRefPtr<CZPOriginalControls>::AddRef(pControls->GetOriginalControls());
    const CZPOriginalControls* pLoadedOriginals = pLoadedControls->GetOriginalControls();
    // The program's built-in toolbar changed since the layout was saved.
    if (originals && pLoadedOriginals != NULL && !originals->IsEqual(pLoadedOriginals)) {
        if (bSilent || !pLoadedControls->IsChanged())
            return;
        const CString strPrompt = ZpFormatResourceString(
            ZP_IDS_TOOLBAR_UPDATED,
            L"Due to a software update the toolbar '%s' has changed. Would you like to reset your customized toolbar "
            L"and load the new one?",
            pBar->GetTitle());
        if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES)
            return;
    }
    pControls->CopyFrom(pLoadedControls, FALSE);
    // The new built-in controls stay the originals; a copy without originals keeps the bar's.
    if (originals && (pLoadedOriginals == NULL || !originals->IsEqual(pLoadedOriginals)))
        pControls->SetOriginalControls(originals.Detach());
}

void CZPCommandBars::LoadBarRecords(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    const CString strSummary = SectionName(lpszProfileName, L"%s-Summary");
    const int nRecords = std::min(static_cast<int>(pApp->GetProfileInt(strSummary, L"Bars", 0)), kMaxBarRecords);
    const int cxSaved = static_cast<int>(pApp->GetProfileInt(strSummary, L"ScreenCX", 0));
    const int cySaved = static_cast<int>(pApp->GetProfileInt(strSummary, L"ScreenCY", 0));
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    const BOOL bScale = cxSaved > 0 && cySaved > 0 && (cxSaved != cxScreen || cySaved != cyScreen);
    CZPReBar* pReBar = ReBarOf(GetSite());
    for (int i = 0; i < nRecords; ++i) {
        const CString strSection = SectionName(lpszProfileName, L"%s-Bar%d", i);
        const int nID = static_cast<int>(pApp->GetProfileInt(strSection, L"BarID", kNoValue));
        // The first missing section ends the records; a record without its id is skipped.
        if (nID == kNoValue) {
            if (static_cast<int>(pApp->GetProfileInt(strSection, L"MRUDockID", kNoValue)) == kNoValue)
                break;
            continue;
        }
        CZPToolBar* pBar = static_cast<CZPToolBar*>(FindToolBar(static_cast<UINT>(nID)));
        if (pBar == NULL || (pReBar != NULL && pReBar->FindBand(pBar) != -1))
            continue;
        int nMRUWidth = static_cast<int>(pApp->GetProfileInt(strSection, L"MRUWidth", ZP_BAR_MRU_WIDTH_NONE));
        pBar->SetMRUWidth(nMRUWidth > 0 ? nMRUWidth : ZP_BAR_MRU_WIDTH_NONE);
        LoadDockMemory(strSection, pBar);
        const BOOL bFloating =
            pApp->GetProfileInt(strSection, L"Floating", 0) != 0 && (pBar->GetFlags() & ZP_BAR_FLAG_FLOATING) != 0;
        if (bFloating) {
            CPoint pt(static_cast<int>(pApp->GetProfileInt(strSection, L"XPos", 0)),
                      static_cast<int>(pApp->GetProfileInt(strSection, L"YPos", 0)));
            if (bScale) {
                pt.x = ::MulDiv(pt.x, cxScreen, cxSaved);
                pt.y = ::MulDiv(pt.y, cyScreen, cySaved);
            }
            pt = ClampIntoWorkArea(pt);
            if (FloatCommandBar(pBar) && pBar->m_hWnd != NULL) {
                pBar->SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                pBar->RecalcBarLayout();
            }
        }
        const BOOL bVisible = pApp->GetProfileInt(strSection, L"Visible", 1) != 0;
        // A bar that may not be hidden stays shown.
        if (bVisible || pBar->IsCloseable())
            pBar->SetBarVisible(bVisible);
    }
}

void CZPCommandBars::LoadDockRows(LPCWSTR lpszProfileName)
{
    CWinApp* pApp = App();
    CZPReBar* pReBar = ReBarOf(GetSite());
    CArray<CZPToolBar*, CZPToolBar*> placed;
    for (int nPosition = 0; nPosition < 4; ++nPosition) {
        CZPDockBar* pDockBar = GetDockBar(nPosition);
        const CString strSection = SectionName(lpszProfileName, L"%s-DockBar%d", nPosition);
        const int nEntries = std::min(static_cast<int>(pApp->GetProfileInt(strSection, L"Bars", 0)), kMaxDockEntries);
        if (pDockBar == NULL || nEntries <= 1)
            continue;
        // Each entry goes to its saved index, counted over the entries kept so far.
        int nInsert = 0;
        for (int i = 0; i < nEntries; ++i) {
            CString strEntry;
            strEntry.Format(L"Bar#%d", i);
            const UINT nID = pApp->GetProfileInt(strSection, strEntry, 0);
            if (nID == 0) {
                pDockBar->InsertEntry(nInsert++, NULL);
                continue;
            }
            CZPToolBar* pBar = static_cast<CZPToolBar*>(FindToolBar(nID));
            BOOL bPlaced = FALSE;
            for (INT_PTR j = 0; j < placed.GetSize() && !bPlaced; ++j)
                bPlaced = placed[j] == pBar;
            // Unknown, already placed, held by the rebar, or forbidden on this side: skipped.
            if (pBar == NULL || bPlaced || (pReBar != NULL && pReBar->FindBand(pBar) != -1) ||
                (pBar->GetFlags() & (1u << nPosition)) == 0 || !pBar->CreateBarWindow(pDockBar, FALSE))
                continue;
            // Taking the bar out of this dock bar may shift the entries before the index.
            const int nOld = pBar->GetDockBar() == pDockBar ? pDockBar->FindBar(pBar) : -1;
            if (nOld >= 0 && nOld < nInsert)
                --nInsert;
            pDockBar->InsertEntry(nInsert++, pBar);
            pBar->SetPosition(nPosition);
            placed.Add(pBar);
        }
        pDockBar->EndInsertEntries();
    }
}
