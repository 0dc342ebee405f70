// Typed collections: insertion, removal, parents, content errors.
#include "markup_fixture_types.h"

#include "markup/ZPMarkupContext.h"
#include "markup/ZPMarkupValues.h"

#include <string>
#include <vector>

namespace
{
class MarkupCollections : public CMarkupLeakCheck
{
};

// Records each insertion.
class CTextCollection : public CZPMarkupCollection
{
public:
    CTextCollection() : CZPMarkupCollection(CFixtureText::GetClassType()) {}
    void OnItemAdded(CZPMarkupObject* pItem, int nIndex) override { m_added.push_back({pItem, nIndex}); }
    std::vector<std::pair<CZPMarkupObject*, int>> m_added;
};

TEST_F(MarkupCollections, InsertTypedItemsAppendingOutOfRangeIndexes)
{
    CRef<CTextCollection> pItems(new CTextCollection);
    CFixtureRun* pA = new CFixtureRun;
    CFixtureSpan* pB = new CFixtureSpan;
    CFixtureBold* pC = new CFixtureBold;
    CFixtureRun* pD = new CFixtureRun;
    EXPECT_TRUE(pItems->Insert(-1, pA));
    EXPECT_TRUE(pItems->Insert(7, pB));
    EXPECT_TRUE(pItems->Insert(0, pC));
    EXPECT_TRUE(pItems->Add(pD));
    ASSERT_EQ(4, pItems->GetCount());
    EXPECT_EQ(pC, pItems->GetAt(0));
    EXPECT_EQ(pA, pItems->GetAt(1));
    EXPECT_EQ(pB, pItems->GetAt(2));
    EXPECT_EQ(pD, pItems->GetLogicalChild(3));
    EXPECT_EQ(4, pItems->GetLogicalChildrenCount());
    EXPECT_EQ((std::vector<std::pair<CZPMarkupObject*, int>>{{pA, 0}, {pB, 1}, {pC, 0}, {pD, 3}}), pItems->m_added);
    EXPECT_EQ(pItems.Get(), pA->GetLogicalParent());
    EXPECT_EQ(1, pA->GetRefCount());

    // Refused: the caller keeps its reference and the collection is unchanged.
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    EXPECT_FALSE(pItems->Insert(0, pPanel));
    EXPECT_FALSE(pItems->Add(NULL));
    EXPECT_EQ(4, pItems->GetCount());
    EXPECT_EQ(NULL, pPanel->GetLogicalParent());
    EXPECT_EQ(4u, pItems->m_added.size());
}

TEST_F(MarkupCollections, RemoveItemsAndClearTheirParents)
{
    CRef<CZPMarkupCollection> pItems(new CZPMarkupCollection(CFixtureText::GetClassType()));
    CFixtureRun* pKept = new CFixtureRun;
    pItems->Add(new CFixtureRun);
    pItems->Add(pKept);
    pKept->AddRef();
    CRef<CFixtureRun> holdKept(pKept);

    pItems->RemoveAt(2); // at the count: nothing
    EXPECT_EQ(2, pItems->GetCount());
    pItems->RemoveAt(1);
    EXPECT_EQ(1, pItems->GetCount());
    EXPECT_EQ(NULL, pKept->GetLogicalParent());
    EXPECT_EQ(1, pKept->GetRefCount());

    for (int nBad : {-1, 1, 5})
    {
        EXPECT_THROW(pItems->GetAt(nBad), CInvalidArgException*) << nBad;
    }
    try
    {
        pItems->RemoveAt(-1);
        ADD_FAILURE() << "RemoveAt(-1) did not throw";
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
    }
    pItems->RemoveAll();
    EXPECT_EQ(0, pItems->GetCount());
    EXPECT_FALSE(pItems->HasContentObject());
}

TEST_F(MarkupCollections, InputElementListKeepsItemParents)
{
    CRef<CFixturePanel> pPanel(new CFixturePanel);
    CFixtureRun* pRun = new CFixtureRun;
    pPanel->AddChild(pRun);
    CZPMarkupCollection* pChildren = pPanel->GetChildren();
    ASSERT_EQ(pChildren, pRun->GetLogicalParent());
    EXPECT_EQ(pPanel.Get(), pChildren->GetLogicalParent());

    CRef<CZPMarkupContext::CInputElementCollection> pChain(new CZPMarkupContext::CInputElementCollection);
    pRun->AddRef();
    EXPECT_TRUE(pChain->Add(pRun));
    CRef<CZPMarkupInt> pNumber(new CZPMarkupInt(1));
    EXPECT_FALSE(pChain->Add(pNumber));
    EXPECT_EQ(pChildren, pRun->GetLogicalParent());
    pChain->RemoveAll();
    EXPECT_EQ(pChildren, pRun->GetLogicalParent());
}

TEST_F(MarkupCollections, AddContentOfTheirTypeAndRefuseOther)
{
    CRef<CZPMarkupCollection> pItems(new CZPMarkupCollection(CFixtureText::GetClassType()));
    pItems->SetContentObject(NULL, new CFixtureRun);
    EXPECT_EQ(1, pItems->GetCount());
    EXPECT_TRUE(pItems->HasContentObject());

    CRef<CFixturePanel> pPanel(new CFixturePanel);
    const std::wstring message = BuilderError([&] { pItems->SetContentObject(NULL, pPanel); });
    EXPECT_EQ(L"'CFixturePanel' object cannot be added to 'CZPMarkupCollection'. Object cannot be converted to type "
              L"'CFixtureText'",
              message);
    EXPECT_EQ(1, pPanel->GetRefCount());
}
}
