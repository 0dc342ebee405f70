// Out-of-line parts of the collections: node blocks, string hashing, string elements.
#include <framework/collections.h>

CPlex* PASCAL CPlex::Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
{
    if (nMax == 0 || cbElement == 0 || nMax > (static_cast<UINT_PTR>(-1) - sizeof(CPlex)) / cbElement)
        AfxThrowInvalidArgException();
    CPlex* p = static_cast<CPlex*>(::operator new(sizeof(CPlex) + nMax * cbElement));
    p->pNext = pHead;
    pHead = p;
    return p;
}

void CPlex::FreeDataChain()
{
    CPlex* p = this;
    while (p != NULL) {
        CPlex* pNext = p->pNext;
        ::operator delete(p);
        p = pNext;
    }
}

UINT AfxHashString(LPCWSTR key)
{
    UINT nHash = 0;
    if (key != NULL) {
        while (*key != 0)
            nHash = (nHash << 5) + nHash + *key++;
    }
    return nHash;
}

void AfxSerializeStrings(CArchive& ar, CStringW* pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}
