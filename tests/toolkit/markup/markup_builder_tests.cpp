// The builder: pages to tree shapes or exact errors, white space, property elements, markup
// extensions, the nesting guards, and that nothing outlives a failed build.
#include "markup_page_fixtures.h"

#include "markup/ZPFormatString.h"
#include "markup/ZPMarkupBrush.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupValues.h"

#include <string>

namespace
{
class MarkupBuilder : public CMarkupLeakCheck
{
};

// A keyed resource the test holds a reference to from its making, so that a release too many
// frees it while the test still holds it.
class CHeldProbe : public CZPMarkupObject
{
    ZP_DECLARE_MARKUPTYPE()
public:
    CHeldProbe()
    {
        AddRef();
        s_pLast = this;
        s_bDestroyed = false;
    }
    ~CHeldProbe() override { s_bDestroyed = true; }

    static CHeldProbe* s_pLast;   // the test's reference
    static bool s_bDestroyed;
};
CHeldProbe* CHeldProbe::s_pLast = NULL;
bool CHeldProbe::s_bDestroyed = false;
ZP_IMPLEMENT_MARKUPTYPE(CHeldProbe, L"HeldProbe", CZPMarkupObject, NULL)
CZPMarkupType* const g_pHeldProbeType = CHeldProbe::GetClassType();

std::wstring Repeat(const std::wstring& text, int nCount)
{
    std::wstring result;
    result.reserve(text.size() * static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; i++)
        result += text;
    return result;
}

// Nested boxes: depth start tags, then as many end tags.
std::wstring NestedBoxes(int nDepth)
{
    return Repeat(L"<Box>", nDepth) + Repeat(L"</Box>", nDepth);
}

// The root's content log, or "ERROR: " and the message.
std::wstring Shape(const std::wstring& page)
{
    CBuilt built;
    std::wstring shape;
    BuildPage(page, built, [&](CZPMarkupObject* pRoot) {
        std::wstring log = static_cast<CPageBox*>(pRoot)->Log();
        // One level down, for spans inside text.
        for (CZPMarkupObject* pChild : static_cast<CPageBox*>(pRoot)->m_children)
        {
            if (CPageBox* pBox = ZpMarkupCast<CPageBox>(pChild))
                if (!pBox->m_log.empty())
                    log += L" {" + pBox->Log() + L"}";
        }
        shape = log;
    });
    EXPECT_EQ(1, built.nContextCount) << "elements kept counts on the context";
    return built.bRoot ? shape : L"ERROR: " + built.error;
}
}

TEST_F(MarkupBuilder, PagesFailWithTheExactMessageLineAndPositionAndLeaveNothingAlive)
{
    const struct
    {
        const wchar_t* page;
        const wchar_t* error;
    } cases[] = {
        {L"", L"Data at the root level is invalid"},
        {L"text <Box/>", L"Data at the root level is invalid"},
        {L"<Box Foo='1'/>", L"The property 'Foo' does not exist in XML namespace. Line 1, position 13"},
        {L"<Box>\r\n  <Box Foo='1'/></Box>", L"The property 'Foo' does not exist in XML namespace. Line 2, position 15"},
        {L"<Box>", L"Unexpected end of file has occurred. The following elements are not closed: 'Box'. Line 1, "
                   L"position 6"},
        {L"<Box><Text></Box>", L"The 'Text' start tag does not match the end tag of 'Box'. Line 1, position 18"},
        {L"<Box></box>", L"The 'Box' start tag does not match the end tag of 'box'. Line 1, position 12"},
        {L"<Box/><Box/>", L"There are multiple root elements. Line 1, position 12"},
        {L"<Boxes/>", L"The tag 'Boxes' does not exist in XML namespace. Line 1, position 8"},
        {L"<Box.Tag/>", L"The tag 'Box.Tag' does not exist in XML namespace. Line 1, position 10"},
        {L"<Box><Box.Nothing/></Box>", L"The tag 'Box.Nothing' does not exist in XML namespace. Line 1, position 19"},
        {L"<Box><Box.Background></Box.Background></Box>",
         L"'Background' property does not have a value. Line 1, position 39"},
        {L"<Box Background='Grey'/>",
         L"Cannot convert string in attribute 'Background' to object of type 'CZPMarkupColor'. Line 1, position 23"},
        {L"<Box Tag='{abc'/>", L"Markup extension expressions must end with '}'. Line 1, position 16"},
        {L"<Box Tag='{Binding x}'/>", L"The tag 'Binding x' does not exist in XML namespace. Line 1, position 23"},
        {L"<Box Tag='{x:Static SystemColors.highlightColor}'/>",
         L"Cannot find the static member  'SystemColors.highlightColor'. Line 1, position 50"},
        {L"<Box Tag='{x:Static  SystemColors.WindowColor}'/>",
         L"Cannot find the static member  ' SystemColors.WindowColor'. Line 1, position 48"},
        {L"<Box Tag='{x:Type Nothing}'/>", L"Cannot find type 'Nothing'. Line 1, position 28"},
        {L"<Box Tag='{StaticResource Missing }'/>",
         L"Cannot find resource named 'Missing '. Resource names are case sensitive. Line 1, position 37"},
        {L"<Item/>", L"Root element have to be 'CZPMarkupUIElement' type"},
        {L"<Box><Item>x</Item></Box>",
         L"Cannot convert the string 'x' into a 'CPageItem' object. Line 1, position 20"},
        {L"<Box>\n</Box>\n</Box>", L"Unexpected end tag. Line 3, position 7"},
        {L"<!-- only a comment --><?pi?>", L"Root element is missing. Line 1, position 30"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(L"ERROR: " + std::wstring(c.error), Shape(c.page)) << c.page;
}

TEST_F(MarkupBuilder, WhiteSpaceBecomesSingleBlanksAndSeparatesChildrenOnlyWhereAllowed)
{
    const struct
    {
        const wchar_t* page;
        const wchar_t* shape;
    } cases[] = {
        {L"<Text>  Hello \r\n  world  </Text>", L"\"Hello world\""},
        {L"<Text>Click <Strong>here</Strong> now</Text>", L"\"Click \"|<Strong>|\" now\" {\"here\"}"},
        {L"<Text><Strong>a</Strong> <Strong>b</Strong></Text>", L"<Strong>|\" \"|<Strong> {\"a\"} {\"b\"}"},
        {L"<Box><Box/> <Box/></Box>", L"<Box>|<Box>"},
        {L"<Box> <Box/>x</Box>", L"<Box>|\"x\""},
        {L"<Box><Box/> x </Box>", L"<Box>|\" x\""},
        {L"<?xml version='1.0'?><Text>a<!-- c --><![CDATA[lost]]>b</Text>", L"\"ab\""},
        {L"<Text>{}&amp;&#65;</Text>", L"\"{}&A\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.shape, Shape(c.page)) << c.page;
}

TEST_F(MarkupBuilder, AttributesPropertyElementsAndExtensionsReachTheirProperties)
{
    CBuilt built;
    BuildPage(L"<Box xmlns='x' xmlns:x='y' x:Key='k' Background='Red'>"
              L"<Text Box.Row='3' Tag='{}{abc}'/>"
              L"<Box Tag='{x:Type Text}' Background='{x:Static SystemColors.WindowColor}'/>"
              L"<Box Tag='{x:Static SystemColors.WindowBrushKey}'/>"
              L"<Box Tag='{StaticResource {x:Static SystemColors.HighlightColorKey}}'/>"
              L"<Box><Box.Items><Item/><Item/></Box.Items><Box.Tag>Hello</Box.Tag></Box>"
              L"<Box Tag='{x:Static SystemColors.WindowBrush}'/>"
              L"<Box Tag='{StaticResource {x:Static SystemColors.HighlightBrushKey}}'/>"
              L"</Box>",
              built, [](CZPMarkupObject* pRoot) {
                  CPageBox* pBox = static_cast<CPageBox*>(pRoot);
                  ASSERT_EQ(7u, pBox->m_children.size());
                  EXPECT_EQ(RGB(255, 0, 0), static_cast<CZPMarkupColor*>(pBox->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());
                  EXPECT_STREQ(L"k", static_cast<CZPMarkupString*>(pBox->GetValue(CZPMarkupObject::m_pKeyProperty))->GetText());

                  CZPMarkupObject* pText = pBox->m_children[0];
                  EXPECT_EQ(3, static_cast<CZPMarkupInt*>(pText->GetValue(CPageBox::m_pRowProperty))->m_nValue);
                  EXPECT_STREQ(L"{abc}", static_cast<CZPMarkupString*>(pText->GetValue(CPageBox::m_pTagProperty))->GetText());

                  EXPECT_EQ(CPageText::GetClassType(), pBox->m_children[1]->GetValue(CPageBox::m_pTagProperty));
                  EXPECT_EQ(::GetSysColor(COLOR_WINDOW), static_cast<CZPMarkupColor*>(pBox->m_children[1]->GetValue(CPageBox::m_pBackgroundProperty))->GetColorRef());

                  CZPMarkupBrushKey* pKey = ZpMarkupCast<CZPMarkupBrushKey>(pBox->m_children[2]->GetValue(CPageBox::m_pTagProperty));
                  ASSERT_NE(nullptr, pKey);
                  EXPECT_EQ(COLOR_WINDOW, pKey->m_nIndex);

                  // An unfound colour key falls back to the system colour.
                  CZPMarkupColor* pColor = ZpMarkupCast<CZPMarkupColor>(pBox->m_children[3]->GetValue(CPageBox::m_pTagProperty));
                  ASSERT_NE(nullptr, pColor);
                  EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), pColor->GetColorRef());

                  // A collection property element is made by its first item and filled by the next.
                  CZPMarkupObject* pLast = pBox->m_children[4];
                  CZPMarkupCollection* pItems = ZpMarkupCast<CZPMarkupCollection>(pLast->GetValue(CPageBox::m_pItemsProperty));
                  ASSERT_NE(nullptr, pItems);
                  EXPECT_EQ(2, pItems->GetCount());
                  EXPECT_STREQ(L"Hello", static_cast<CZPMarkupString*>(pLast->GetValue(CPageBox::m_pTagProperty))->GetText());

                  // A brush member is a brush of the system colour; an unfound brush key falls back to one.
                  const struct
                  {
                      size_t nChild;
                      int nSysColor;
                  } brushes[] = {{5, COLOR_WINDOW}, {6, COLOR_HIGHLIGHT}};
                  for (const auto& b : brushes)
                  {
                      CZPMarkupSolidColorBrush* pBrush =
                          ZpMarkupCast<CZPMarkupSolidColorBrush>(pBox->m_children[b.nChild]->GetValue(CPageBox::m_pTagProperty));
                      ASSERT_NE(nullptr, pBrush) << b.nChild;
                      EXPECT_EQ(::GetSysColor(b.nSysColor), pBrush->GetColor()) << b.nChild;
                  }
              });
    EXPECT_TRUE(built.bRoot) << built.error;
    EXPECT_EQ(1, built.nContextCount);
}

TEST_F(MarkupBuilder, SystemKeysAreSharedWithinOneBuild)
{
    CBuilt built;
    BuildPage(L"<Box><Box Tag='{x:Static SystemColors.InfoColorKey}'/><Box Tag='{x:Static SystemColors.InfoColorKey}'/></Box>",
              built, [](CZPMarkupObject* pRoot) {
                  CPageBox* pBox = static_cast<CPageBox*>(pRoot);
                  CZPMarkupObject* pFirst = pBox->m_children[0]->GetValue(CPageBox::m_pTagProperty);
                  EXPECT_NE(nullptr, ZpMarkupCast<CZPMarkupColorKey>(pFirst));
                  EXPECT_EQ(pFirst, pBox->m_children[1]->GetValue(CPageBox::m_pTagProperty));
              });
    EXPECT_TRUE(built.bRoot) << built.error;
}

TEST_F(MarkupBuilder, NestingIsBoundedWithTheErrorWhereItStops)
{
    const int nBound = CZPMarkupBuilder::kMaxOpenElements;
    EXPECT_EQ(L"<Box> {<Box>}", Shape(NestedBoxes(nBound)));
    const std::wstring tooDeep = L"ERROR: Elements are nested more than 256 levels deep. Line 1, position " +
                                 std::to_wstring(5 * (nBound + 1) + 1);
    EXPECT_EQ(tooDeep, Shape(NestedBoxes(nBound + 1)));
    EXPECT_EQ(tooDeep, Shape(NestedBoxes(100000)));

    // Property elements count as open elements too.
    EXPECT_EQ(tooDeep.substr(0, 60), Shape(Repeat(L"<Box>", nBound) + L"<Box.Tag>").substr(0, 60));

    // Extensions nest through resource keys.
    auto nestedKeys = [](int nDepth) {
        return L"<Box Tag='" + Repeat(L"{StaticResource ", nDepth) + L"{x:Static SystemColors.InfoColorKey}" +
               Repeat(L"}", nDepth) + L"'/>";
    };
    const int nExtensions = CZPMarkupBuilder::kMaxExtensionDepth;
    // A colour key resolves, and the colour it gives is no key for the next level.
    EXPECT_EQ(L"", Shape(nestedKeys(1)));
    EXPECT_EQ(0u, Shape(nestedKeys(nExtensions - 1)).find(L"ERROR: Cannot find resource named '{StaticResource "));
    EXPECT_EQ(0u, Shape(nestedKeys(nExtensions)).find(L"ERROR: Markup extensions are nested more than 32 levels deep"));
    EXPECT_EQ(0u, Shape(nestedKeys(20000)).find(L"ERROR: Markup extensions are nested more than 32 levels deep"));
}

TEST_F(MarkupBuilder, HugeValuesAreCutInMessagesAndLongTextIsKeptWhole)
{
    const std::wstring huge(10 * 1024 * 1024, L'a');
    const std::wstring error = Shape(L"<Box><Item>" + huge + L"</Item></Box>");
    EXPECT_EQ(0u, error.find(L"ERROR: Cannot convert the string 'aaa"));
    EXPECT_LT(error.size(), 300u);

    std::wstring words;
    for (int i = 0; i < 100000; i++)
        words += L"word ";
    words.pop_back();
    EXPECT_EQ(L"\"" + words + L"\"", Shape(L"<Text>" + words + L"</Text>"));
}

TEST_F(MarkupBuilder, OtherExceptionsPassOnAndReleaseThePartialTree)
{
    CZPMarkupContext* pContext = new CZPMarkupContext;
    const std::wstring page = L"<Box Background='Red'><Hungry><Box/></Hungry></Box>";
    bool bMemoryException = false;
    {
        CZPMarkupParser parser;
        parser.SetBuffer(page.c_str(), page.c_str() + page.size());
        CZPMarkupBuilder builder(pContext);
        try
        {
            builder.Parse(&parser);
        }
        catch (CMemoryException* e)
        {
            bMemoryException = true;
            e->Delete();
        }
    }
    EXPECT_TRUE(bMemoryException);
    EXPECT_EQ(1, pContext->GetRefCount());
    pContext->Release();
}

TEST_F(MarkupBuilder, BuilderExceptionMessagesAreCutAndCopiedSafely)
{
    const std::wstring huge(1000, L'x');
    std::wstring message = BuilderError([&] { ZpMarkupThrowBuilderError(huge.c_str()); });
    EXPECT_EQ(std::wstring(CZPMarkupBuilderException::kMaxMessage, L'x'), message);

    CZPMarkupBuilderException exception(L"abcdef");
    WCHAR sz[4];
    UINT nHelp = 7;
    EXPECT_TRUE(exception.GetErrorMessage(sz, 4, &nHelp));
    EXPECT_STREQ(L"abc", sz);
    EXPECT_EQ(0u, nHelp);
    EXPECT_FALSE(exception.GetErrorMessage(NULL, 4));
    EXPECT_EQ(L"x 'abc' 12", std::wstring(ZpFormatString2(L"x '%s' %i", L"abc", 12).GetString()));
    EXPECT_EQ(kZpFormatArgumentMax + 2, ZpFormatString(L"'%ls'", huge.c_str()).GetLength());
}

TEST_F(MarkupBuilder, GridDefinitionsOfTheWrongKindFailWithoutAReleaseTooMany)
{
    const struct
    {
        const wchar_t* page;
        const wchar_t* error;
    } cases[] = {
        {L"<Grid ColumnDefinitions='x'/>", L"CZPMarkupColumnDefinitionCollection class expected"},
        {L"<Box><Box.Resources><HeldProbe x:Key='b'/></Box.Resources>"
         L"<Grid ColumnDefinitions='{StaticResource b}'/></Box>",
         L"CZPMarkupColumnDefinitionCollection class expected"},
        {L"<Grid RowDefinitions=' '/>", L"CZPMarkupRowDefinitionCollection class expected"},
        {L"<Grid RowDefinitions=' '/>", L"CZPMarkupRowDefinitionCollection class expected"},
    };
    auto blankRefs = [] {
        CZPMarkupString* pBlank = CZPMarkupString::CreateValue(L" ");
        const long nRefs = pBlank->AddRef() - 2;   // less this test's two
        pBlank->Release();
        pBlank->Release();
        return nRefs;
    };
    auto buildAll = [&] {
        for (const auto& c : cases)
        {
            CHeldProbe::s_pLast = NULL;
            CBuilt built;
            BuildPage(c.page, built);
            EXPECT_FALSE(built.bRoot) << c.page;
            EXPECT_EQ(0u, built.error.find(c.error)) << built.error;
            EXPECT_EQ(1, built.nContextCount) << c.page;
            if (CHeldProbe* pProbe = CHeldProbe::s_pLast)
            {
                ASSERT_FALSE(CHeldProbe::s_bDestroyed) << "the refused resource was freed while still held";
                EXPECT_EQ(0, pProbe->Release());   // the test's own reference was the last
                EXPECT_TRUE(CHeldProbe::s_bDestroyed);
            }
        }
    };
    buildAll();   // the first round lets the engine make what it keeps for good
    const long nBlankRefs = blankRefs();
    buildAll();
    EXPECT_EQ(nBlankRefs, blankRefs()) << "the shared blank lost references";
}
