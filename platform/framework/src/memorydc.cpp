// A memory DC that owns itself and puts back the bitmap it first replaced.
#include <framework/memorydc.h>

CMemoryDC::CMemoryDC(HDC hCompatible, HBITMAP hBitmap) : m_hDC(::CreateCompatibleDC(hCompatible)), m_hOld(NULL)
{
    if (hBitmap != NULL)
        Select(hBitmap);
}

CMemoryDC::~CMemoryDC()
{
    Restore();
    if (m_hDC != NULL)
        ::DeleteDC(m_hDC);
}

HDC CMemoryDC::Select(HBITMAP hBitmap)
{
    if (m_hDC == NULL)
        return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    if (m_hOld == NULL)
        m_hOld = hOld;
    return m_hDC;
}

void CMemoryDC::Restore()
{
    if (m_hOld != NULL) {
        ::SelectObject(m_hDC, m_hOld);
        m_hOld = NULL;
    }
}
