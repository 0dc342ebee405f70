// The context: parsing into trees, the counts elements hold on it, default font and font cache.
#include "markup_page_fixtures.h"

#include "markup/ZPMarkupValues.h"

namespace
{
class MarkupContext : public CMarkupLeakCheck
{
};

LOGFONTW TestFont(LONG nHeight, BYTE bUnderline)
{
    LOGFONTW lf = {};
    lf.lfHeight = nHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = bUnderline;
    wcscpy_s(lf.lfFaceName, L"Tahoma");
    return lf;
}
}

TEST_F(MarkupContext, ParseAnswersTheRootAndTheContextLivesWhileItsElementsDo)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CZPMarkupObject* pRoot = pContext->Parse(L"<Box><Text>Hi</Text><Box/></Box>");
    ASSERT_NE(nullptr, pRoot);
    EXPECT_EQ(4, pContext->GetRefCount()); // the creator and three elements
    EXPECT_EQ(nullptr, pContext->Parse(L"<Box>"));
    EXPECT_EQ(nullptr, pContext->Parse(NULL));
    EXPECT_EQ(4, pContext->GetRefCount());

    // The creator may go first: the last element's release destroys the context.
    pContext->Release();
    EXPECT_EQ(3, pContext->GetRefCount());
    pRoot->Release();
}

TEST_F(MarkupContext, DefaultFontIsTheMessageFontAndFollowsTheHost)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    EXPECT_NE(0, pContext->GetDefaultFont().lfFaceName[0]);
    EXPECT_NE(0, pContext->GetDefaultFont().lfHeight);
    EXPECT_EQ(0u, pContext->GetDefaultTextColor());

    const LOGFONTW lf = TestFont(-20, FALSE);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    pContext->SetDefaultFont(hFont);
    EXPECT_EQ(-20, pContext->GetDefaultFont().lfHeight);
    EXPECT_STREQ(L"Tahoma", pContext->GetDefaultFont().lfFaceName);
    pContext->SetDefaultFont(NULL);
    EXPECT_EQ(-20, pContext->GetDefaultFont().lfHeight);
    ::DeleteObject(hFont);
    pContext->Release();
}

TEST_F(MarkupContext, FontsAreSharedWhenTheMatchedMembersAgree)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    CZPMarkupFont* pPlain = pContext->GetFont(TestFont(-12, FALSE));
    CZPMarkupFont* pUnderlined = pContext->GetFont(TestFont(-12, TRUE));
    LOGFONTW lfCase = TestFont(-12, FALSE);
    wcscpy_s(lfCase.lfFaceName, L"tahoma");
    CZPMarkupFont* pOtherCase = pContext->GetFont(lfCase);
    CZPMarkupFont* pTaller = pContext->GetFont(TestFont(-13, FALSE));
    EXPECT_EQ(pPlain, pUnderlined);
    EXPECT_NE(pPlain, pOtherCase);
    EXPECT_NE(pPlain, pTaller);
    EXPECT_NE(nullptr, pPlain->GetFont());

    // A released font leaves the cache; the next request makes a new one.
    pTaller->Release();
    CZPMarkupFont* pTallerAgain = pContext->GetFont(TestFont(-13, FALSE));
    EXPECT_EQ(1, pTallerAgain->GetRefCount());
    pTallerAgain->Release();

    // A font may outlive its context.
    pContext->Release();
    pUnderlined->Release();
    pPlain->Release();
    pOtherCase->Release();
}
