// The reference holder over both counting protocols, and the reporting assertion.
#include <framework.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Counts what every fake does, so a test sees leaks and stray calls.
struct CFakeLedger
{
    int nLive = 0;
    int nWrongProtocol = 0;
};
CFakeLedger g_ledger;

// Shared state of a fake: its count (one reference at creation) and what its last release runs.
class CFakeBase
{
public:
    CFakeBase() { ++g_ledger.nLive; }
    virtual ~CFakeBase()
    {
        --g_ledger.nLive;
        if (m_onFinalRelease)
            m_onFinalRelease();
    }
    long m_nRef = 1;
    std::function<void()> m_onFinalRelease;

protected:
    long Add() { return ++m_nRef; }
    long Drop()
    {
        const long n = --m_nRef;
        if (n == 0)
            delete this;
        return n;
    }
};

// The markup and COM protocol.
class CFakeCounted : public CFakeBase
{
public:
    long AddRef() { return Add(); }
    long Release() { return Drop(); }
};
class CFakeCountedChild : public CFakeCounted
{};

// The command-target protocol; its AddRef/Release stand for the external COM pair, which the
// holder must not use.
class CFakeTarget : public CFakeBase
{
public:
    DWORD InternalAddRef() { return static_cast<DWORD>(Add()); }
    DWORD InternalRelease() { return static_cast<DWORD>(Drop()); }
    long AddRef() { return ++g_ledger.nWrongProtocol; }
    long Release() { return ++g_ledger.nWrongProtocol; }
};

template <class T> class RefPtrTest : public ::testing::Test
{
protected:
    void SetUp() override { g_ledger = CFakeLedger(); }
    void TearDown() override
    {
        EXPECT_EQ(0, g_ledger.nLive);
        EXPECT_EQ(0, g_ledger.nWrongProtocol);
    }
};
typedef ::testing::Types<CFakeCounted, CFakeTarget> FakeProtocols;
TYPED_TEST_SUITE(RefPtrTest, FakeProtocols);

// Records failed assertions instead of printing them.
class CAssertRecorder
{
public:
    CAssertRecorder() : m_pfnOld(AfxSetAssertHandler(&Record)) { s_failures.clear(); }
    ~CAssertRecorder() { AfxSetAssertHandler(m_pfnOld); }
    static std::vector<std::string> s_failures;

private:
    static void Record(LPCSTR, int, LPCSTR lpszExpression) { s_failures.push_back(lpszExpression); }
    AFX_ASSERT_HANDLER m_pfnOld;
};
std::vector<std::string> CAssertRecorder::s_failures;

}  // namespace

TYPED_TEST(RefPtrTest, AdoptTakesTheReferenceAndAddRefAddsOne)
{
    TypeParam* p = new TypeParam;
    {
        CRefPtr<TypeParam> adopted = CRefPtr<TypeParam>::Adopt(p);
        EXPECT_EQ(1, p->m_nRef);
        {
            CRefPtr<TypeParam> added = CRefPtr<TypeParam>::AddRef(p);
            EXPECT_EQ(2, p->m_nRef);
            EXPECT_EQ(p, added.Get());
            EXPECT_EQ(p, added.operator->());
            EXPECT_EQ(p, &*added);
        }
        EXPECT_EQ(1, p->m_nRef);
        EXPECT_EQ(1, g_ledger.nLive);
    }
    EXPECT_EQ(0, g_ledger.nLive);

    CRefPtr<TypeParam> none = CRefPtr<TypeParam>::AddRef(NULL);
    EXPECT_FALSE(none);
    EXPECT_TRUE(CRefPtr<TypeParam>::Adopt(new TypeParam));
}

TYPED_TEST(RefPtrTest, CopyAddsAndMoveEmptiesTheSource)
{
    CRefPtr<TypeParam> a = CRefPtr<TypeParam>::Adopt(new TypeParam);
    TypeParam* p = a.Get();

    CRefPtr<TypeParam> copy(a);
    EXPECT_EQ(2, p->m_nRef);
    CRefPtr<TypeParam> assigned;
    assigned = a;
    EXPECT_EQ(3, p->m_nRef);

    CRefPtr<TypeParam> moved(std::move(copy));
    EXPECT_FALSE(copy);
    EXPECT_EQ(p, moved.Get());
    EXPECT_EQ(3, p->m_nRef);

    // Move-assigning over a held object releases that one.
    CRefPtr<TypeParam> other = CRefPtr<TypeParam>::Adopt(new TypeParam);
    other = std::move(moved);
    EXPECT_FALSE(moved);
    EXPECT_EQ(p, other.Get());
    EXPECT_EQ(1, g_ledger.nLive);
    EXPECT_EQ(3, p->m_nRef);
    static_assert(std::is_nothrow_move_constructible<CRefPtr<TypeParam>>::value, "arrays relocate by move");
    static_assert(!std::is_convertible<TypeParam*, CRefPtr<TypeParam>>::value, "no implicit way in");
}

TYPED_TEST(RefPtrTest, SelfAssignmentAndResetToTheSameObjectKeepIt)
{
    CRefPtr<TypeParam> a = CRefPtr<TypeParam>::Adopt(new TypeParam);
    TypeParam* p = a.Get();
    CRefPtr<TypeParam>& alias = a;

    a = alias;
    EXPECT_EQ(p, a.Get());
    a = std::move(alias);
    EXPECT_EQ(p, a.Get());
    // The only reference: the new one is added before the old one goes.
    a.Reset(a.Get());
    EXPECT_EQ(p, a.Get());
    EXPECT_EQ(1, p->m_nRef);
    EXPECT_EQ(1, g_ledger.nLive);
}

TYPED_TEST(RefPtrTest, DetachGivesTheReferenceAndAttachTakesItBack)
{
    CRefPtr<TypeParam> a = CRefPtr<TypeParam>::Adopt(new TypeParam);
    TypeParam* p = a.Detach();
    EXPECT_FALSE(a);
    EXPECT_EQ(1, p->m_nRef);
    EXPECT_EQ(1, g_ledger.nLive);

    a.Attach(p);
    EXPECT_EQ(1, p->m_nRef);
    a.Attach(new TypeParam);  // the old reference goes
    EXPECT_EQ(1, g_ledger.nLive);
    a.Release();
    EXPECT_FALSE(a);
    a.Release();  // releasing an empty holder does nothing
}

TYPED_TEST(RefPtrTest, ArrayGrowsToAThousandAndKeepsEveryCount)
{
    const int kCount = 1000;
    CRefPtr<TypeParam> shared = CRefPtr<TypeParam>::Adopt(new TypeParam);
    {
        CArray<CRefPtr<TypeParam>> array;
        for (int i = 0; i < kCount; ++i) {
            array.Add(shared);
            array.Add(CRefPtr<TypeParam>::Adopt(new TypeParam));
        }
        ASSERT_EQ(2 * kCount, array.GetSize());
        EXPECT_EQ(1 + kCount, shared->m_nRef);
        EXPECT_EQ(1 + kCount, g_ledger.nLive);
        for (INT_PTR i = 0; i < array.GetSize(); ++i)
            EXPECT_EQ(i % 2 == 0 ? 1 + kCount : 1, array[i]->m_nRef) << i;

        // Removing shifts the rest by move; inserting copies.
        array.RemoveAt(0, 2 * (kCount / 2));
        EXPECT_EQ(1 + kCount / 2, shared->m_nRef);
        EXPECT_EQ(1 + kCount / 2, g_ledger.nLive);
        array.InsertAt(0, shared, 3);
        EXPECT_EQ(4 + kCount / 2, shared->m_nRef);
    }
    EXPECT_EQ(1, shared->m_nRef);
    EXPECT_EQ(1, g_ledger.nLive);
}

TYPED_TEST(RefPtrTest, LastReleaseMayReenterItsOwnersHolder)
{
    struct COwner
    {
        CRefPtr<TypeParam> m_child;
    } owner;
    owner.m_child = CRefPtr<TypeParam>::Adopt(new TypeParam);
    TypeParam* pSeen = reinterpret_cast<TypeParam*>(1);
    TypeParam* pReplacement = NULL;
    owner.m_child->m_onFinalRelease = [&] {
        // The holder no longer names the dying object, and may take a new one.
        pSeen = owner.m_child.Get();
        pReplacement = new TypeParam;
        owner.m_child = CRefPtr<TypeParam>::Adopt(pReplacement);
    };
    owner.m_child.Release();
    EXPECT_EQ(NULL, pSeen);
    EXPECT_EQ(pReplacement, owner.m_child.Get());
    EXPECT_EQ(1, g_ledger.nLive);

    // The same through Reset: the new object stays, the re-entry sees it.
    TypeParam* pNext = new TypeParam;
    owner.m_child->m_onFinalRelease = [&] { pSeen = owner.m_child.Get(); };
    owner.m_child.Attach(pNext);
    EXPECT_EQ(pNext, pSeen);
    EXPECT_EQ(pNext, owner.m_child.Get());
    EXPECT_EQ(1, g_ledger.nLive);
}

TYPED_TEST(RefPtrTest, ReceiveAdoptsWhatACallAnswersThroughItsAddress)
{
    CRefPtr<TypeParam> held = CRefPtr<TypeParam>::Adopt(new TypeParam);
    auto answer = [](TypeParam** pp) { *pp = new TypeParam; };
    answer(held.Receive());  // the old object goes first
    EXPECT_EQ(1, g_ledger.nLive);
    EXPECT_EQ(1, held->m_nRef);
}

TEST(RefPtr, ConvertsFromADerivedHolderByMove)
{
    g_ledger = CFakeLedger();
    {
        CRefPtr<CFakeCountedChild> child = CRefPtr<CFakeCountedChild>::Adopt(new CFakeCountedChild);
        CRefPtr<CFakeCounted> base(std::move(child));
        EXPECT_FALSE(child);
        EXPECT_EQ(1, base->m_nRef);
    }
    EXPECT_EQ(0, g_ledger.nLive);
}

TEST(RefPtr, HoldsARealCommandTargetByItsInternalCount)
{
    CCmdTarget* pTarget = new CCmdTarget;
    CRefPtr<CCmdTarget> a = CRefPtr<CCmdTarget>::Adopt(pTarget);
    CRefPtr<CCmdTarget> b = a;
    EXPECT_EQ(3u, pTarget->InternalAddRef());
    EXPECT_EQ(2u, pTarget->InternalRelease());
}

TEST(RefPtr, EmptyDereferenceReports)
{
    CAssertRecorder recorder;
    CRefPtr<CFakeCounted> empty;
    EXPECT_EQ(NULL, empty.operator->());
    ASSERT_EQ(1u, CAssertRecorder::s_failures.size());
    EXPECT_EQ("m_p != NULL", CAssertRecorder::s_failures[0]);
}

TEST(Assert, ReportsToTheInstalledHandlerAndGoesOn)
{
    CAssertRecorder recorder;
    int nAfter = 0;
    ASSERT(1 + 1 == 2);
    ASSERT(nAfter == 1);
    ++nAfter;
    EXPECT_EQ(1, nAfter);
    ASSERT_EQ(1u, CAssertRecorder::s_failures.size());
    EXPECT_EQ("nAfter == 1", CAssertRecorder::s_failures[0]);
}

TEST(Assert, CommandTargetReleasePastZeroReportsAndAnswersZero)
{
    // A target whose last release does not delete it, so it can be released once more.
    class CKeptTarget : public CCmdTarget
    {
    public:
        void OnFinalRelease() override {}
    } target;
    CAssertRecorder recorder;
    EXPECT_EQ(0u, target.InternalRelease());
    EXPECT_TRUE(CAssertRecorder::s_failures.empty());
    EXPECT_EQ(0u, target.InternalRelease());
    EXPECT_EQ(1u, CAssertRecorder::s_failures.size());
}
