// The inline UI container: its element is measured, arranged, drawn and hit-tested as one
// indivisible piece of the line it sits in.
#include "markup/ZPMarkupInlineUIContainer.h"

#include "markup/ZPFormatString.h"

namespace {
// The room an element in a line is measured against.
const int kInlineElementRoom = 32000;
}  // namespace

ZP_IMPLEMENT_MARKUPTYPE(CZPMarkupInlineUIContainer, L"InlineUIContainer", CZPMarkupInline,
                        &CZPMarkupInlineUIContainer::RegisterProperties)

CZPMarkupInlineUIContainer::CZPMarkupInlineUIContainer() : m_pChild(NULL) {}

CZPMarkupInlineUIContainer::~CZPMarkupInlineUIContainer()
{
    if (m_pChild != NULL) {
        if (m_pChild->GetLogicalParent() == this)
            m_pChild->SetLogicalParent(NULL);
        m_pChild->Release();
    }
}

int CZPMarkupInlineUIContainer::GetFirstPosition() const
{
    return m_pChild != NULL ? 0 : kZpMarkupNoPosition;
}

void CZPMarkupInlineUIContainer::GetNextPosition(int& nPosition) const
{
    nPosition = nPosition == 0 ? 1 : kZpMarkupNoPosition;
}

BOOL CZPMarkupInlineUIContainer::IsWhiteSpacePosition(int nPosition) const
{
    return nPosition == 0 || nPosition == 1;
}

void CZPMarkupInlineUIContainer::ArrangeInline(const RECT& rc, int nStart, int /*nEnd*/)
{
    if (nStart == 0 && m_pChild != NULL)
        m_pChild->Arrange(rc);
}

SIZE CZPMarkupInlineUIContainer::MeasureInline(CZPMarkupDrawingContext* pContext, int nStart, int /*nEnd*/)
{
    if (nStart != 0 || m_pChild == NULL)
        return SIZE{ 0, 0 };
    m_pChild->Measure(pContext, kInlineElementRoom, kInlineElementRoom);
    return m_pChild->GetDesiredSize();
}

void CZPMarkupInlineUIContainer::RenderInline(CZPMarkupDrawingContext* pContext, const RECT& /*rc*/, int nStart,
                                              int /*nEnd*/)
{
    if (nStart == 0 && m_pChild != NULL)
        m_pChild->Render(pContext);
}

CZPMarkupInputElement* CZPMarkupInlineUIContainer::InputHitTest(int x, int y)
{
    if (m_pChild != NULL) {
        if (CZPMarkupInputElement* pHit = m_pChild->InputHitTest(x, y))
            return pHit;
    }
    return this;
}

CZPMarkupObject* CZPMarkupInlineUIContainer::GetLogicalChild(int nIndex) const
{
    return nIndex == 0 ? m_pChild : NULL;
}

void CZPMarkupInlineUIContainer::SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent)
{
    CZPMarkupUIElement* pElement = ZpMarkupCast<CZPMarkupUIElement>(pContent);
    if (pElement == NULL)
        ZpMarkupThrowBuilderError(ZpFormatString2(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type 'CZPMarkupUIElement'",
            pContent != NULL ? pContent->GetType()->GetClassName() : L"NULL", GetType()->GetClassName()));
    SetChild(pElement);
}

void CZPMarkupInlineUIContainer::SetChild(CZPMarkupUIElement* pChild)
{
    CZPMarkupUIElement* pOld = m_pChild;
    m_pChild = pChild;
    if (pOld != NULL) {
        if (pOld->GetLogicalParent() == this)
            pOld->SetLogicalParent(NULL);
        pOld->Release();
    }
    if (pChild != NULL)
        pChild->SetLogicalParent(this);
    if (CZPMarkupFrameworkElement* pHolder = GetParentFrameworkElement())
        pHolder->InvalidateMeasure();
}
