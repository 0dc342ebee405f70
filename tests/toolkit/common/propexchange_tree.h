// A persisted tree with a value of every kind, sections, a numbered list, a class record, a
// polymorphic child and a nested archive: stored and loaded through each medium.
#pragma once

#include "common/ZPPropExchange.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class CTestShape : public CCmdTarget
{
    DECLARE_SERIAL(CTestShape)
public:
    virtual void DoExchange(CZPPropExchange* pPX) { PropExchangeLong(pPX, L"Edges", &m_nEdges, 0); }
    long m_nEdges = 0;
};

class CTestCircle : public CTestShape
{
    DECLARE_SERIAL(CTestCircle)
public:
    void DoExchange(CZPPropExchange* pPX) override
    {
        CTestShape::DoExchange(pPX);
        PropExchangeLong(pPX, L"Radius", &m_nRadius, 1);
    }
    long m_nRadius = 1;
};

// Serialised as a nested archive.
class CTestPoint : public CObject
{
public:
    void Serialize(CArchive& ar) override;
    long x = 0, y = 0;
};

struct ZpTestTree
{
    BYTE b = 0;
    short s = 0;
    long l = 0;
    BOOL f = FALSE;
    float r4 = 0;
    double r8 = 0;
    CY cy = {};
    COleDateTime dt;
    COleVariant var;
    BSTR bstr = NULL;   // no medium keeps system strings
    CString str;
    RECT rc = {};
    SIZE sz = {};
    std::vector<BYTE> blob;
    std::vector<CString> items;
    CRuntimeClass* pClass = NULL;
    std::unique_ptr<CTestShape, void (*)(CTestShape*)> shape{ NULL, [](CTestShape* p) { if (p) p->InternalRelease(); } };
    CTestPoint point;
    long nLate = 7;   // introduced by schema 34

    ZpTestTree() { dt.SetStatus(COleDateTime::null); }
    ~ZpTestTree() { SysFreeString(bstr); }
    ZpTestTree(const ZpTestTree&) = delete;
    ZpTestTree& operator=(const ZpTestTree&) = delete;

    // Every value away from its default, with the awkward ones of each kind.
    void Fill();
    void Exchange(CZPPropExchange* pPX, bool bOleKinds);
    // Compares what the medium keeps; OLE kinds (currency, date, variant) only when asked.
    void ExpectEqual(const ZpTestTree& other, bool bOleKinds) const;
};
