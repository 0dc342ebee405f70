// Time of turning a 1 MB page into a tree (tokenizer, builder, value conversion and styles), of
// releasing the tree, and of one element holding 1 MB of words. The element class here is a
// bench-local stand-in for a panel ("P"): a UI element with a thickness, a colour and an enumeration.
// Usage: markup_builder_bench [runs]
#include "BenchClock.h"
#include "markup/ZPMarkupBuilder.h"
#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupConverters.h"
#include "markup/ZPMarkupParser.h"
#include "markup/ZPMarkupValues.h"
#include "markup/ZPMarkupVisual.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const size_t kPageCharacters = 1050000;
const int kElements = 20000;

class CBenchPanel : public CZPMarkupUIElement
{
    ZP_DECLARE_MARKUPTYPE()
public:
    ~CBenchPanel() override
    {
        for (CZPMarkupObject* pChild : m_children)
            pChild->Release();
    }
    void SetContentObject(CZPMarkupBuilder* /*pBuilder*/, CZPMarkupObject* pContent) override
    {
        pContent->SetLogicalParent(this);
        m_children.push_back(pContent);
    }
    BOOL HasContentObject() const override { return !m_children.empty(); }
    int GetLogicalChildrenCount() const override { return static_cast<int>(m_children.size()); }
    CZPMarkupObject* GetLogicalChild(int nIndex) const override { return m_children[static_cast<size_t>(nIndex)]; }

    static void RegisterProperties()
    {
        CZPMarkupDependencyProperty::Register(L"Margin", CZPMarkupThickness::GetClassType(), GetClassType());
        CZPMarkupDependencyProperty::Register(L"Fill", CZPMarkupColor::GetClassType(), GetClassType());
        CZPMarkupDependencyProperty::Register(L"Align", CZPMarkupEnum::GetClassType(), GetClassType(),
                                              new CZPMarkupPropertyMetadata(NULL, &ZpMarkupConvertHorizontalAlignment, 0));
    }

    std::vector<CZPMarkupObject*> m_children; // one reference each
};
ZP_IMPLEMENT_MARKUPTYPE(CBenchPanel, L"P", CZPMarkupUIElement, &CBenchPanel::RegisterProperties)
CZPMarkupType* const g_pPanelType = CBenchPanel::GetClassType();

// 200 groups of 99 panels inside one root: 20,000 elements.
std::wstring MakePage()
{
    static const wchar_t* const s_colours[] = {L"Navy", L"#FFEEF3FA", L"Red", L"#80102030"};
    static const wchar_t* const s_alignments[] = {L"Left", L"Center", L"Right", L"Stretch"};
    std::wstring page = L"<P Margin='0'>\r\n";
    int nElements = 1;
    for (int nGroup = 0; nElements < kElements; nGroup++)
    {
        page += L" <P Margin='2' Fill='White' Align='Stretch'>\r\n";
        nElements++;
        for (int i = 0; i < 99 && nElements < kElements; i++, nElements++)
            page += L"<P Margin='" + std::to_wstring(i % 7) + L",2,4," + std::to_wstring(i % 5) + L"' Fill='" +
                    s_colours[i % 4] + L"' Align='" + s_alignments[i % 4] + L"'/>\r\n";
        page += L" </P>\r\n";
    }
    // Comments bring the page to its size without adding elements.
    while (page.size() + 80 < kPageCharacters)
        page += L"<!-- padding of the benchmark page, ignored by the builder like every comment -->\r\n";
    return page + L"</P>\r\n";
}

CZPMarkupObject* Build(CZPMarkupContext* pContext, const std::wstring& page)
{
    CZPMarkupParser parser;
    parser.SetBuffer(page.data(), page.data() + page.size());
    CZPMarkupBuilder builder(pContext);
    CZPMarkupObject* pRoot = builder.Parse(&parser);
    if (pRoot == NULL)
        fprintf(stderr, "build failed: %ls\n", builder.GetErrorMessage().GetString());
    return pRoot;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
}

int main(int argc, char** argv)
{
    const int nRuns = argc > 1 ? atoi(argv[1]) : 21;
    (void)g_pPanelType;
    const std::wstring page = MakePage();
    std::wstring words = L"<P>";
    while (words.size() < 1000000)
        words += L"word ";
    words += L"</P>";

    CZPMarkupContext* pContext = new CZPMarkupContext;
    std::vector<double> build, release, text, tokens;
    for (int nRun = 0; nRun < nRuns; nRun++)
    {
        double t0 = BenchNowMs();
        CZPMarkupObject* pRoot = Build(pContext, page);
        build.push_back(BenchNowMs() - t0);
        if (pRoot == NULL)
            return 1;
        t0 = BenchNowMs();
        pRoot->Release();
        release.push_back(BenchNowMs() - t0);

        t0 = BenchNowMs();
        pRoot = Build(pContext, words);
        text.push_back(BenchNowMs() - t0);
        if (pRoot == NULL)
            return 1;
        pRoot->Release();

        // The tokenizer's share of the same text.
        t0 = BenchNowMs();
        CZPMarkupParser parser;
        parser.SetBuffer(words.data(), words.data() + words.size());
        while (parser.GetNextToken() > 0)
            ;
        tokens.push_back(BenchNowMs() - t0);
    }
    printf("page: %lu characters, %d elements\n", static_cast<unsigned long>(page.size()), kElements);
    printf("parse, build and styles: first %.1f ms, median %.1f ms (%d runs)\n", build[0], Median(build), nRuns);
    printf("release: median %.1f ms\n", Median(release));
    printf("1 MB of words in one element: median %.1f ms (tokenizer alone %.1f ms)\n", Median(text), Median(tokens));
    pContext->Release();
    return 0;
}
