// Point lists and path geometries: reading their text forms, bounds and scaled copies.
#include "markup/ZPMarkupPathGeometry.h"

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupValues.h"

#include <math.h>

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPathGeometry, NULL, CZPMarkupObject, NULL)
ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupPointCollection, NULL, CZPMarkupObject, NULL)

namespace {
const int kMaxPointCoordinate = 10000000;

BOOL IsSeparator(WCHAR ch)
{
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

BOOL IsDigit(WCHAR ch)
{
    return ch >= L'0' && ch <= L'9';
}

// Reads path-data text into points and types; errors name the index where reading stopped.
class CPathReader
{
public:
    CPathReader(LPCWSTR lpszText, int nLength) : m_psz(lpszText), m_nLength(nLength), m_i(0) {}

    void Read(std::vector<MARKUP_POINTF>& points, std::vector<BYTE>& types);

private:
    [[noreturn]] void Fail(int nPosition) const
    {
        ZpMarkupThrowBuilderError(ZpFormatString(L"Unexpected token encountered at position '%i'", nPosition));
    }
    void SkipSeparators()
    {
        while (m_i < m_nLength && IsSeparator(m_psz[m_i]))
            m_i++;
    }
    BOOL AtNumber() const
    {
        if (m_i >= m_nLength)
            return FALSE;
        const WCHAR ch = m_psz[m_i];
        return ch == L'+' || ch == L'-' || ch == L'.' || IsDigit(ch);
    }
    // Separators and at most one comma, which a number must follow.
    void SkipToNumber(BOOL bCommaAllowed)
    {
        SkipSeparators();
        if (m_i < m_nLength && m_psz[m_i] == L',') {
            if (!bCommaAllowed)
                Fail(m_i);
            m_i++;
            SkipSeparators();
        }
        if (!AtNumber())
            Fail(m_i);
    }
    // TRUE when another argument of the same command follows.
    BOOL MoreArguments()
    {
        SkipSeparators();
        if (m_i < m_nLength && m_psz[m_i] == L',') {
            SkipToNumber(TRUE);
            return TRUE;
        }
        return AtNumber();
    }
    float ReadNumber(BOOL bCommaAllowed)
    {
        SkipToNumber(bCommaAllowed);
        float fSign = 1;
        if (m_psz[m_i] == L'+' || m_psz[m_i] == L'-')
            fSign = m_psz[m_i++] == L'-' ? -1.0f : 1.0f;
        float fValue = 0;
        for (; m_i < m_nLength && IsDigit(m_psz[m_i]); m_i++) {
            fValue = fValue * 10 + static_cast<float>(m_psz[m_i] - L'0');
            if (fValue > CZPMarkupPathGeometry::kMaxCoordinate)
                Fail(m_i);
        }
        if (m_i < m_nLength && m_psz[m_i] == L'.') {
            float fFactor = 1;
            for (m_i++; m_i < m_nLength && IsDigit(m_psz[m_i]); m_i++) {
                fFactor /= 10;
                fValue += static_cast<float>(m_psz[m_i] - L'0') * fFactor;
            }
        }
        return fSign * fValue;
    }
    MARKUP_POINTF ReadPoint(BOOL bCommaBefore, BOOL bRelative, MARKUP_POINTF ptBase)
    {
        MARKUP_POINTF pt;
        pt.x = ReadNumber(bCommaBefore);
        pt.y = ReadNumber(TRUE);
        if (bRelative) {
            pt.x += ptBase.x;
            pt.y += ptBase.y;
        }
        CheckRange(pt);
        return pt;
    }
    void CheckRange(const MARKUP_POINTF& pt) const
    {
        if (fabsf(pt.x) > CZPMarkupPathGeometry::kMaxCoordinate || fabsf(pt.y) > CZPMarkupPathGeometry::kMaxCoordinate)
            Fail(m_i);
    }

    LPCWSTR m_psz;  // borrowed
    int m_nLength;
    int m_i;
};

void CPathReader::Read(std::vector<MARKUP_POINTF>& points, std::vector<BYTE>& types)
{
    MARKUP_POINTF ptCurrent = { 0, 0 }, ptStart = { 0, 0 }, ptControl = { 0, 0 };
    BOOL bOpen = FALSE, bMoved = FALSE;
    WCHAR chPrevious = 0;
    auto add = [&](const MARKUP_POINTF& pt, BYTE nType) {
        points.push_back(pt);
        types.push_back(nType);
    };
    auto ensureOpen = [&]() {
        if (!bOpen) {
            add(ptStart, CZPMarkupPathGeometry::typeStart);
            bOpen = TRUE;
        }
    };

    for (;;) {
        SkipSeparators();
        if (m_i >= m_nLength)
            break;
        const WCHAR ch = m_psz[m_i++];
        const BOOL bRelative = ch >= L'a' && ch <= L'z';
        if (!bMoved && ch != L'F' && ch != L'M' && ch != L'm')
            Fail(m_i);
        switch (ch) {
        case L'F':
            SkipSeparators();
            if (m_i >= m_nLength || (m_psz[m_i] != L'0' && m_psz[m_i] != L'1'))
                Fail(m_i);
            m_i++;  // the fill rule is the device context's own
            break;
        case L'M':
        case L'm':
            ptCurrent = ReadPoint(FALSE, bRelative, ptCurrent);
            add(ptCurrent, CZPMarkupPathGeometry::typeStart);
            ptStart = ptCurrent;
            bOpen = bMoved = TRUE;
            while (MoreArguments()) {
                ptCurrent = ReadPoint(FALSE, bRelative, ptCurrent);
                add(ptCurrent, CZPMarkupPathGeometry::typeLine);
            }
            break;
        case L'L':
        case L'l':
            ensureOpen();
            do {
                ptCurrent = ReadPoint(FALSE, bRelative, ptCurrent);
                add(ptCurrent, CZPMarkupPathGeometry::typeLine);
            } while (MoreArguments());
            break;
        case L'H':
        case L'h':
        case L'V':
        case L'v':
            ensureOpen();
            do {
                const float fValue = ReadNumber(FALSE);
                float& fTarget = (ch == L'H' || ch == L'h') ? ptCurrent.x : ptCurrent.y;
                fTarget = bRelative ? fTarget + fValue : fValue;
                CheckRange(ptCurrent);
                add(ptCurrent, CZPMarkupPathGeometry::typeLine);
            } while (MoreArguments());
            break;
        case L'C':
        case L'c':
        case L'S':
        case L's': {
            ensureOpen();
            const BOOL bSmooth = ch == L'S' || ch == L's';
            do {
                const MARKUP_POINTF ptBase = ptCurrent;
                MARKUP_POINTF ptFirst = ptCurrent;
                if (!bSmooth)
                    ptFirst = ReadPoint(FALSE, bRelative, ptBase);
                else if (chPrevious == L'C' || chPrevious == L'c' || chPrevious == L'S' || chPrevious == L's') {
                    ptFirst.x = 2 * ptCurrent.x - ptControl.x;
                    ptFirst.y = 2 * ptCurrent.y - ptControl.y;
                    CheckRange(ptFirst);
                }
                const MARKUP_POINTF ptSecond = ReadPoint(!bSmooth, bRelative, ptBase);
                const MARKUP_POINTF ptEnd = ReadPoint(TRUE, bRelative, ptBase);
                add(ptFirst, CZPMarkupPathGeometry::typeBezier);
                add(ptSecond, CZPMarkupPathGeometry::typeBezier);
                add(ptEnd, CZPMarkupPathGeometry::typeBezier);
                ptControl = ptSecond;
                ptCurrent = ptEnd;
                chPrevious = ch;  // a repeated smooth segment reflects the one before
            } while (MoreArguments());
            break;
        }
        case L'Z':
        case L'z':
            ensureOpen();
            types.back() |= CZPMarkupPathGeometry::typeCloseSubpath;
            bOpen = FALSE;
            ptCurrent = ptStart;
            break;
        default:
            Fail(m_i);
        }
        chPrevious = ch;
    }
}

// An integer of a point list: ends at a blank or comma (consumed) or the end of the text.
BOOL ReadListInteger(LPCWSTR psz, int nLength, int& i, LONG& nValue)
{
    while (i < nLength && psz[i] == L' ')
        i++;
    const BOOL bNegative = i < nLength && psz[i] == L'-';
    if (bNegative)
        i++;
    BOOL bDigits = FALSE;
    long long nRead = 0;
    for (; i < nLength && IsDigit(psz[i]); i++) {
        nRead = nRead * 10 + (psz[i] - L'0');
        if (nRead > kMaxPointCoordinate)
            return FALSE;
        bDigits = TRUE;
    }
    if (i < nLength) {
        if (psz[i] != L' ' && psz[i] != L',')
            return FALSE;
        i++;
    }
    if (!bDigits && !bNegative)
        return FALSE;
    nValue = static_cast<LONG>(bNegative ? -nRead : nRead);
    return TRUE;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CZPMarkupPathGeometry

CZPMarkupPathGeometry::CZPMarkupPathGeometry() : m_nPixelOffsetMode(0), m_rcBounds() {}

CZPMarkupPathGeometry::CZPMarkupPathGeometry(const MARKUP_POINTF* pPoints, const BYTE* pTypes, int nCount)
    : m_nPixelOffsetMode(0), m_rcBounds()
{
    if (pPoints != NULL && pTypes != NULL && nCount > 0) {
        m_points.assign(pPoints, pPoints + nCount);
        m_types.assign(pTypes, pTypes + nCount);
    }
    ComputeBounds();
}

void CZPMarkupPathGeometry::ComputeBounds()
{
    SetRectEmpty(&m_rcBounds);
    if (m_points.empty())
        return;
    float fLeft = m_points[0].x, fTop = m_points[0].y, fRight = fLeft, fBottom = fTop;
    for (const MARKUP_POINTF& pt : m_points) {
        fLeft = pt.x < fLeft ? pt.x : fLeft;
        fTop = pt.y < fTop ? pt.y : fTop;
        fRight = pt.x > fRight ? pt.x : fRight;
        fBottom = pt.y > fBottom ? pt.y : fBottom;
    }
    m_rcBounds.left = static_cast<LONG>(floorf(fLeft));
    m_rcBounds.top = static_cast<LONG>(floorf(fTop));
    m_rcBounds.right = static_cast<LONG>(ceilf(fRight));
    m_rcBounds.bottom = static_cast<LONG>(ceilf(fBottom));
}

CZPMarkupObject* CZPMarkupPathGeometry::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL)
        return NULL;
    std::vector<MARKUP_POINTF> points;
    std::vector<BYTE> types;
    CPathReader(pString->GetText(), pString->GetLength()).Read(points, types);
    return new CZPMarkupPathGeometry(points.data(), types.data(), static_cast<int>(points.size()));
}

CZPMarkupPathGeometry* CZPMarkupPathGeometry::ScaleTo(int nWidth, int nHeight) const
{
    const float fWidth = static_cast<float>(m_rcBounds.right - m_rcBounds.left);
    const float fHeight = static_cast<float>(m_rcBounds.bottom - m_rcBounds.top);
    std::vector<MARKUP_POINTF> points(m_points);
    for (MARKUP_POINTF& pt : points) {
        if (fWidth != 0)
            pt.x = (pt.x - static_cast<float>(m_rcBounds.left)) * static_cast<float>(nWidth) / fWidth;
        if (fHeight != 0)
            pt.y = (pt.y - static_cast<float>(m_rcBounds.top)) * static_cast<float>(nHeight) / fHeight;
    }
    CZPMarkupPathGeometry* pCopy = new CZPMarkupPathGeometry(points.data(), m_types.data(), GetCount());
    pCopy->m_nPixelOffsetMode = m_nPixelOffsetMode;
    return pCopy;
}

// ---------------------------------------------------------------------------------------------
// CZPMarkupPointCollection

CZPMarkupPointCollection::CZPMarkupPointCollection(const POINT* pPoints, int nCount) : m_rcBounds()
{
    if (pPoints != NULL && nCount > 0)
        m_points.assign(pPoints, pPoints + nCount);
    ComputeBounds();
}

void CZPMarkupPointCollection::ComputeBounds()
{
    SetRectEmpty(&m_rcBounds);
    if (m_points.empty())
        return;
    m_rcBounds = { m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y };
    for (const POINT& pt : m_points) {
        m_rcBounds.left = pt.x < m_rcBounds.left ? pt.x : m_rcBounds.left;
        m_rcBounds.top = pt.y < m_rcBounds.top ? pt.y : m_rcBounds.top;
        m_rcBounds.right = pt.x > m_rcBounds.right ? pt.x : m_rcBounds.right;
        m_rcBounds.bottom = pt.y > m_rcBounds.bottom ? pt.y : m_rcBounds.bottom;
    }
}

CZPMarkupObject* CZPMarkupPointCollection::ConvertFrom(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pValue)
{
    CZPMarkupString* pString = ZpMarkupCast<CZPMarkupString>(pValue);
    if (pString == NULL || pString->GetText() == NULL)
        return NULL;
    LPCWSTR psz = pString->GetText();
    const int nLength = pString->GetLength();
    std::vector<POINT> points;
    for (int i = 0; i < nLength;) {
        POINT pt;
        if (!ReadListInteger(psz, nLength, i, pt.x) || !ReadListInteger(psz, nLength, i, pt.y))
            return NULL;
        while (i < nLength && psz[i] == L' ')
            i++;
        points.push_back(pt);
    }
    return new CZPMarkupPointCollection(points.data(), static_cast<int>(points.size()));
}

void CZPMarkupPointCollection::GetScaledPoints(POINT* pPoints, int nWidth, int nHeight) const
{
    const long long nExtentX = static_cast<long long>(m_rcBounds.right) - m_rcBounds.left;
    const long long nExtentY = static_cast<long long>(m_rcBounds.bottom) - m_rcBounds.top;
    for (size_t i = 0; i < m_points.size(); i++) {
        POINT pt = m_points[i];
        if (nExtentX != 0)
            pt.x = static_cast<LONG>((pt.x - static_cast<long long>(m_rcBounds.left)) * nWidth / nExtentX);
        if (nExtentY != 0)
            pt.y = static_cast<LONG>((pt.y - static_cast<long long>(m_rcBounds.top)) * nHeight / nExtentY);
        pPoints[i] = pt;
    }
}
