#include "propexchange_tree.h"

IMPLEMENT_SERIAL(CTestShape, CCmdTarget, 34)
IMPLEMENT_SERIAL(CTestCircle, CTestShape, 34)

void CTestPoint::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << x << y;
    else
        ar >> x >> y;
}

void ZpTestTree::Fill()
{
    b = 255;
    s = -1;
    l = -123456789;
    f = TRUE;
    r4 = 1.5f;
    r8 = 0.1;
    cy.int64 = 1234567890123LL;
    dt.SetDateTime(2009, 3, 15, 10, 20, 30);
    var = COleVariant(L"variant");
    str = L"tab\tline\nreturn\rback\\slash \x00e9\x4e2d";
    rc = RECT{ -1, 2, 30000, -40000 };
    sz = SIZE{ 5, -6 };
    blob = { 0x00, 0xFF, 0x3C, 0x80, 0x7F };
    items = { L"first", L"", L"third" };
    pClass = RUNTIME_CLASS(CTestCircle);
    CTestCircle* pCircle = new CTestCircle;
    pCircle->m_nEdges = 0;
    pCircle->m_nRadius = 42;
    shape.reset(pCircle);
    point.x = -7;
    point.y = 70000;
    nLate = 8;
}

void ZpTestTree::Exchange(CZPPropExchange* pPX, bool bOleKinds)
{
    static const float kFloatDefault = 0;
    static const double kDoubleDefault = 0;
    pPX->ExchangeSchemaNumber();
    PropExchangeByte(pPX, L"Byte", &b, 0);
    PropExchangeShort(pPX, L"Short", &s, 0);
    PropExchangeLong(pPX, L"Long", &l, 0);
    PropExchangeBool(pPX, L"Bool", &f, FALSE);
    pPX->ExchangeValue(L"Float", VT_R4, &r4, &kFloatDefault);
    pPX->ExchangeValue(L"Double", VT_R8, &r8, &kDoubleDefault);
    if (bOleKinds) {
        static const CY kCyDefault = {};
        COleDateTime kDateDefault;
        kDateDefault.SetStatus(COleDateTime::null);
        const COleVariant varDefault;
        pPX->ExchangeValue(L"Currency", VT_CY, &cy, &kCyDefault);
        pPX->ExchangeValue(L"Date", VT_DATE, &dt, &kDateDefault);
        pPX->ExchangeValue(L"Variant", VT_VARIANT, &var, &varDefault);
    }
    PropExchangeBstr(pPX, L"Bstr", &bstr, L"");
    PropExchangeString(pPX, L"Text", str, L"");
    PropExchangeRect(pPX, L"Rect", &rc, RECT{});
    PropExchangeSize(pPX, L"Size", &sz, SIZE{});
    {
        CRefPtr<CZPPropExchange> secBlob = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"Data"));
        BYTE* pData = pPX->IsLoading() ? NULL : blob.data();
        DWORD cbData = static_cast<DWORD>(blob.size());
        if (PropExchangeBlob(secBlob.Get(), L"Blob", &pData, &cbData) && pPX->IsLoading()) {
            blob.assign(pData, pData + cbData);
            delete[] pData;
        }
    }
    {
        CZPPropExchangeEnumeratorHolder items_(pPX->GetEnumerator(L"Item"));
        POSITION pos = items_->GetPosition(pPX->IsLoading() ? 0 : static_cast<DWORD>(items.size()));
        if (pPX->IsLoading())
            items.clear();
        size_t i = 0;
        while (pos != NULL) {
            CRefPtr<CZPPropExchange> secItem = CRefPtr<CZPPropExchange>::Adopt(items_->GetNext(pos));
            if (pPX->IsLoading())
                items.emplace_back();
            PropExchangeString(secItem.Get(), L"Name", items[i++], L"");
        }
    }
    PropExchangeClassRecord(pPX, L"Kind", &pClass, RUNTIME_CLASS(CTestShape));
    {
        CRefPtr<CZPPropExchange> secShape = CRefPtr<CZPPropExchange>::Adopt(pPX->GetSection(L"Shape"));
        CObject* pObject = shape.get();
        if (secShape->ExchangeObjectByClass(&pObject, RUNTIME_CLASS(CTestShape))) {
            if (pPX->IsLoading())
                shape.reset(static_cast<CTestShape*>(pObject));
            shape->DoExchange(secShape.Get());
        }
    }
    PropExchangeSerializable(pPX, L"Point", &point);
    if (pPX->GetSchema() > 33)
        PropExchangeLong(pPX, L"Late", &nLate, 7);
}

void ZpTestTree::ExpectEqual(const ZpTestTree& other, bool bOleKinds) const
{
    EXPECT_EQ(b, other.b);
    EXPECT_EQ(s, other.s);
    EXPECT_EQ(l, other.l);
    EXPECT_EQ(f, other.f);
    EXPECT_EQ(r4, other.r4);
    EXPECT_EQ(r8, other.r8);
    if (bOleKinds) {
        EXPECT_EQ(cy.int64, other.cy.int64);
        EXPECT_EQ(dt.GetStatus(), other.dt.GetStatus());
        EXPECT_EQ(dt.m_dt, other.dt.m_dt);
        EXPECT_TRUE(var == other.var);
    }
    EXPECT_EQ(str, other.str);
    EXPECT_TRUE(EqualRect(&rc, &other.rc));
    EXPECT_EQ(sz.cx, other.sz.cx);
    EXPECT_EQ(sz.cy, other.sz.cy);
    EXPECT_EQ(blob, other.blob);
    ASSERT_EQ(items.size(), other.items.size());
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i], other.items[i]);
    EXPECT_EQ(pClass, other.pClass);
    ASSERT_TRUE(shape && other.shape);
    EXPECT_EQ(shape->GetRuntimeClass(), other.shape->GetRuntimeClass());
    EXPECT_EQ(shape->m_nEdges, other.shape->m_nEdges);
    if (shape->IsKindOf(RUNTIME_CLASS(CTestCircle))) {
        EXPECT_EQ(static_cast<CTestCircle*>(shape.get())->m_nRadius, static_cast<CTestCircle*>(other.shape.get())->m_nRadius);
    }
    EXPECT_EQ(point.x, other.point.x);
    EXPECT_EQ(point.y, other.point.y);
    EXPECT_EQ(nLate, other.nLate);
}
