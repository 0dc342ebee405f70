// The list box's items as sort-key hashes for fast exact searches.
#include "commandbars/ZPListBoxItemKeys.h"

namespace {

// Sort keys of ordinary item texts fit here; longer ones are mapped into a heap buffer.
const int kKeyBufferBytes = 512;
const DWORD kFnvOffset = 2166136261u;
const DWORD kFnvPrime = 16777619u;
const DWORD kSortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

DWORD HashBytes(const BYTE* pBytes, int nBytes)
{
    DWORD dwHash = kFnvOffset;
    for (int i = 0; i < nBytes; ++i)
        dwHash = (dwHash ^ pBytes[i]) * kFnvPrime;
    return dwHash;
}

BOOL ItemText(HWND hWnd, int nIndex, std::vector<WCHAR>& text)
{
    const LRESULT nLength = ::SendMessageW(hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength < 0)
        return FALSE;
    text.assign(static_cast<size_t>(nLength) + 1, L'\0');
    return ::SendMessageW(hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data())) !=
           LB_ERR;
}

LCID ListLocale(HWND hWnd)
{
    return static_cast<LCID>(::SendMessageW(hWnd, LB_GETLOCALE, 0, 0));
}

}  // namespace

void CZPListBoxItemKeys::Reset(HWND hWnd)
{
    m_keys.clear();
    m_lcid = ListLocale(hWnd);
    m_bValid = m_lcid != 0;
}

BOOL CZPListBoxItemKeys::KeyOf(LCID lcid, LPCWSTR lpszText, DWORD& dwKey)
{
    BYTE buffer[kKeyBufferBytes];
    int nBytes = ::LCMapStringW(lcid, kSortKeyFlags, lpszText, -1, reinterpret_cast<LPWSTR>(buffer), sizeof(buffer));
    if (nBytes > 0) {
        dwKey = HashBytes(buffer, nBytes);
        return TRUE;
    }
    nBytes = ::LCMapStringW(lcid, kSortKeyFlags, lpszText, -1, NULL, 0);
    if (nBytes <= 0)
        return FALSE;
    std::vector<BYTE> heap(static_cast<size_t>(nBytes));
    nBytes = ::LCMapStringW(lcid, kSortKeyFlags, lpszText, -1, reinterpret_cast<LPWSTR>(heap.data()), nBytes);
    if (nBytes <= 0)
        return FALSE;
    dwKey = HashBytes(heap.data(), nBytes);
    return TRUE;
}

BOOL CZPListBoxItemKeys::HasStrings(HWND hWnd)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
    return (dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (dwStyle & LBS_HASSTRINGS) != 0;
}

void CZPListBoxItemKeys::AfterMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT lResult)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        if (!m_bValid || lResult < 0)
            return;
        DWORD dwKey = 0;
        const size_t nIndex = static_cast<size_t>(lResult);
        if (nIndex > m_keys.size() || !HasStrings(hWnd) || !KeyOf(m_lcid, reinterpret_cast<LPCWSTR>(lParam), dwKey)) {
            m_bValid = FALSE;
            return;
        }
        m_keys.insert(m_keys.begin() + static_cast<std::ptrdiff_t>(nIndex), dwKey);
        return;
    }
    case LB_DELETESTRING:
        if (!m_bValid || lResult == LB_ERR)
            return;
        if (wParam < m_keys.size())
            m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(wParam));
        else
            m_bValid = FALSE;
        return;
    case LB_RESETCONTENT:
        m_keys.clear();
        return;
    case LB_DIR:
    case LB_ADDFILE:
    case LB_SETLOCALE:
    case LB_SETCOUNT:
        m_bValid = FALSE;
        return;
    default:
        return;
    }
}

BOOL CZPListBoxItemKeys::Rebuild(HWND hWnd, int nCount)
{
    m_bValid = FALSE;
    m_keys.clear();
    m_lcid = ListLocale(hWnd);
    m_keys.reserve(static_cast<size_t>(nCount));
    std::vector<WCHAR> text;
    for (int i = 0; i < nCount; ++i) {
        DWORD dwKey = 0;
        if (!ItemText(hWnd, i, text) || !KeyOf(m_lcid, text.data(), dwKey)) {
            m_keys.clear();
            return FALSE;
        }
        m_keys.push_back(dwKey);
    }
    m_bValid = TRUE;
    return TRUE;
}

int CZPListBoxItemKeys::FindStringExact(HWND hWnd, int nStart, LPCWSTR lpszText)
{
    if (hWnd == NULL)
        return LB_ERR;
    const int nCount = static_cast<int>(::SendMessageW(hWnd, LB_GETCOUNT, 0, 0));
    DWORD dwKey = 0;
    const BOOL bUsable = lpszText != NULL && lpszText[0] != L'\0' && nCount > 0 && HasStrings(hWnd);
    if (bUsable && (!m_bValid || m_lcid != ListLocale(hWnd) || m_keys.size() != static_cast<size_t>(nCount)))
        Rebuild(hWnd, nCount);
    if (!bUsable || !m_bValid || !KeyOf(m_lcid, lpszText, dwKey))
        return static_cast<int>(
            ::SendMessageW(hWnd, LB_FINDSTRINGEXACT, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(lpszText)));
    // The list box's order: from the item after nStart to the end, then from the first.
    int nIndex = nStart < -1 || nStart >= nCount ? -1 : nStart;
    std::vector<WCHAR> text;
    for (int n = 0; n < nCount; ++n) {
        if (++nIndex >= nCount)
            nIndex = 0;
        if (m_keys[static_cast<size_t>(nIndex)] != dwKey || !ItemText(hWnd, nIndex, text))
            continue;
        if (::CompareStringW(m_lcid, NORM_IGNORECASE, lpszText, -1, text.data(), -1) == CSTR_EQUAL)
            return nIndex;
    }
    return LB_ERR;
}
