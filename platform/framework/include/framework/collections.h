// Arrays, lists and hash maps, with their archive form.
#pragma once

#include <framework/archive.h>

#include <new>
#include <stdint.h>
#include <string.h>
#include <type_traits>

struct CPositionTag;
typedef CPositionTag* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

// Blocks of nodes for lists and maps: nodes are carved from blocks and returned to a free list.
struct alignas(8) CPlex
{
    CPlex* pNext;   // owned chain
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement);
    void* data() { return this + 1; }
    void FreeDataChain();
};

// Elements in an archive: raw little-endian bytes for plain values, records for strings.
void AfxSerializeStrings(CArchive& ar, CStringW* pElements, INT_PTR nCount);

template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_same<TYPE, CStringW>::value) {
        AfxSerializeStrings(ar, pElements, nCount);
    } else if constexpr (std::is_trivially_copyable<TYPE>::value) {
        UINT_PTR cb = static_cast<UINT_PTR>(nCount) * sizeof(TYPE);
        if (ar.IsStoring())
            ar.Write(pElements, static_cast<UINT>(cb));
        else if (ar.Read(pElements, static_cast<UINT>(cb)) != cb)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    } else {
        AfxThrowNotSupportedException();
    }
}

// The least number of archive bytes one element takes, to refuse counts the data cannot hold.
template <class TYPE>
constexpr UINT AfxMinArchiveBytes() { return std::is_same<TYPE, CStringW>::value ? 1 : sizeof(TYPE); }

template <class TYPE, class ARG_KEY>
BOOL CompareElements(const TYPE* pElement1, const ARG_KEY* pElement2)
{
    return *pElement1 == *pElement2;
}

// Map hashing: integers and pointers drop their low four bits (icon widths step by 16),
// strings mix every character.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    return static_cast<UINT>(static_cast<UINT_PTR>(key) >> 4);
}
template <>
inline UINT HashKey<void*>(void* key)
{
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(key) >> 4);
}
UINT AfxHashString(LPCWSTR key);
template <>
inline UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    return AfxHashString(key);
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(-1) {}
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra() { Reserve(m_nSize, TRUE); }
    void RemoveAll() { SetSize(0); Reserve(0, TRUE); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement) { INT_PTR nIndex = m_nSize; SetAtGrow(nIndex, newElement); return nIndex; }
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;

private:
    void CheckIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Reserve(INT_PTR nCapacity, BOOL bExact);

    TYPE* m_pData;   // owned; raw storage, m_nSize constructed elements
    INT_PTR m_nSize;
    INT_PTR m_nMaxSize;
    INT_PTR m_nGrowBy;
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Reserve(INT_PTR nCapacity, BOOL bExact)
{
    if (nCapacity < m_nSize)
        AfxThrowInvalidArgException();
    if (!bExact && nCapacity <= m_nMaxSize)
        return;
    if (!bExact) {
        INT_PTR nGrowBy = m_nGrowBy;
        if (nGrowBy <= 0) {
            // Grow by an eighth, at least 4 and at most 1024 elements.
            nGrowBy = m_nSize / 8;
            nGrowBy = nGrowBy < 4 ? 4 : (nGrowBy > 1024 ? 1024 : nGrowBy);
        }
        if (nCapacity < m_nMaxSize + nGrowBy)
            nCapacity = m_nMaxSize + nGrowBy;
    }
    if (nCapacity == m_nMaxSize)
        return;
    if (static_cast<UINT_PTR>(nCapacity) > static_cast<UINT_PTR>(INTPTR_MAX) / sizeof(TYPE))
        AfxThrowMemoryException();
    TYPE* pNew = nCapacity > 0 ? static_cast<TYPE*>(::operator new(nCapacity * sizeof(TYPE))) : NULL;
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        ::new (static_cast<void*>(pNew + i)) TYPE(static_cast<TYPE&&>(m_pData[i]));
        m_pData[i].~TYPE();
    }
    ::operator delete(m_pData);
    m_pData = pNew;
    m_nMaxSize = nCapacity;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize > m_nMaxSize)
        Reserve(nNewSize, m_nMaxSize == 0);   // the first allocation is exact
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        ::new (static_cast<void*>(m_pData + i)) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);   // the element may live in this array
        if (nIndex >= m_nMaxSize)
            Reserve(nIndex + 1, FALSE);
        SetSize(nIndex + 1);
        m_pData[nIndex] = static_cast<TYPE&&>(copy);
        return;
    }
    m_pData[nIndex] = newElement;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    if (this == &src)
        AfxThrowInvalidArgException();
    INT_PTR nOldSize = m_nSize;
    if (m_nSize + src.m_nSize > m_nMaxSize)
        Reserve(m_nSize + src.m_nSize, FALSE);
    SetSize(m_nSize + src.m_nSize);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (this == &src)
        return;
    SetSize(0);
    Append(src);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    if (nIndex < 0 || nCount <= 0)
        AfxThrowInvalidArgException();
    TYPE copy(newElement);
    INT_PTR nOldSize = m_nSize;
    INT_PTR nEnd = nIndex < nOldSize ? nOldSize + nCount : nIndex + nCount;
    if (nEnd > m_nMaxSize)
        Reserve(nEnd, FALSE);
    SetSize(nEnd);
    for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
        m_pData[i + nCount] = static_cast<TYPE&&>(m_pData[i]);
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    if (nIndex < 0 || nCount < 0 || nCount > m_nSize - nIndex)
        AfxThrowInvalidArgException();
    for (INT_PTR i = nIndex; i + nCount < m_nSize; ++i)
        m_pData[i] = static_cast<TYPE&&>(m_pData[i + nCount]);
    SetSize(m_nSize - nCount);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_nSize);
    } else {
        DWORD_PTR nCount = ar.ReadCount();
        ar.EnsureAvailable(nCount, AfxMinArchiveBytes<TYPE>());
        SetSize(static_cast<INT_PTR>(nCount));
    }
    SerializeElements<TYPE>(ar, m_pData, m_nSize);
}

class CPtrArray : public CArray<void*, void*> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CWordArray : public CArray<WORD, WORD> {};
class CByteArray : public CArray<BYTE, BYTE> {};
class CStringArray : public CArray<CStringW, LPCWSTR> {};

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return Checked(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return Checked(m_pNodeHead)->data; }
    TYPE& GetTail() { return Checked(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return Checked(m_pNodeTail)->data; }
    TYPE RemoveHead() { CNode* p = Checked(m_pNodeHead); TYPE value = p->data; RemoveAt(Pos(p)); return value; }
    TYPE RemoveTail() { CNode* p = Checked(m_pNodeTail); TYPE value = p->data; RemoveAt(Pos(p)); return value; }
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(Pos(m_pNodeHead), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(Pos(m_pNodeTail), newElement); }
    void RemoveAll();

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = Checked(Node(rPosition)); rPosition = Pos(p->pNext); return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = Checked(Node(rPosition)); rPosition = Pos(p->pNext); return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = Checked(Node(rPosition)); rPosition = Pos(p->pPrev); return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = Checked(Node(rPosition)); rPosition = Pos(p->pPrev); return p->data; }
    TYPE& GetAt(POSITION position) { return Checked(Node(position))->data; }
    const TYPE& GetAt(POSITION position) const { return Checked(Node(position))->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Checked(Node(pos))->data = newElement; }
    void RemoveAt(POSITION position);
    // NULL position: at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

private:
    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* Node(POSITION pos) { return reinterpret_cast<CNode*>(pos); }
    static CNode* Checked(CNode* p)
    {
        if (p == NULL)
            AfxThrowInvalidArgException();
        return p;
    }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement);
    void FreeNode(CNode* pNode);

    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;   // owned node storage
    INT_PTR m_nBlockSize;
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
{
    TYPE copy(newElement);   // the element may live in this list
    if (m_pNodeFree == NULL) {
        CPlex* pBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CNode));
        CNode* pNode = static_cast<CNode*>(pBlock->data()) + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pNode) {
            pNode->pNext = m_pNodeFree;
            m_pNodeFree = pNode;
        }
    }
    CNode* pNode = m_pNodeFree;
    m_pNodeFree = pNode->pNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ::new (static_cast<void*>(&pNode->data)) TYPE(static_cast<TYPE&&>(copy));
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p != NULL; p = p->pNext)
        p->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = Node(position != NULL ? position : Pos(m_pNodeHead));
    CNode* pNew = NewNode(pOld != NULL ? pOld->pPrev : NULL, pOld, newElement);
    if (pOld == NULL) {
        m_pNodeHead = m_pNodeTail = pNew;
        return Pos(pNew);
    }
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pNew;
    else
        m_pNodeHead = pNew;
    pOld->pPrev = pNew;
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = Node(position != NULL ? position : Pos(m_pNodeTail));
    CNode* pNew = NewNode(pOld, pOld != NULL ? pOld->pNext : NULL, newElement);
    if (pOld == NULL) {
        m_pNodeHead = m_pNodeTail = pNew;
        return Pos(pNew);
    }
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = Checked(Node(position));
    if (pOld->pPrev != NULL)
        pOld->pPrev->pNext = pOld->pNext;
    else
        m_pNodeHead = pOld->pNext;
    if (pOld->pNext != NULL)
        pOld->pNext->pPrev = pOld->pPrev;
    else
        m_pNodeTail = pOld->pPrev;
    FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter == NULL ? m_pNodeHead : Node(startAfter)->pNext;
    for (; pNode != NULL; pNode = pNode->pNext) {
        if (CompareElements<TYPE, TYPE>(&pNode->data, &searchValue))
            return Pos(pNode);
    }
    return NULL;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return NULL;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return Pos(pNode);
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)
            SerializeElements<TYPE>(ar, &pNode->data, 1);
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.EnsureAvailable(nCount, AfxMinArchiveBytes<TYPE>());
    for (; nCount > 0; --nCount) {
        TYPE newData{};
        SerializeElements<TYPE>(ar, &newData, 1);
        AddTail(newData);
    }
}

class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

// Hash map. Enumeration order is fixed: buckets from 0 up, and in each bucket the newest
// entry first (bucket = HashKey(key) modulo the table size).
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10)
        : m_pHashTable(NULL), m_nHashTableSize(17), m_nCount(0), m_pFreeList(NULL), m_pBlocks(NULL),
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nHashBucket, nHashValue;
        CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
        if (pAssoc == NULL)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }
    // The value of key, added with a default value when missing.
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Only while the map is empty; later entries use the new size.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

private:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const;
    CAssoc* NewAssoc(ARG_KEY key);
    void FreeAssoc(CAssoc* pAssoc);

    CAssoc** m_pHashTable;   // owned
    UINT m_nHashTableSize;
    INT_PTR m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;        // owned entry storage
    INT_PTR m_nBlockSize;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    if (m_nCount != 0 || nHashSize == 0)
        AfxThrowInvalidArgException();
    delete[] m_pHashTable;
    m_pHashTable = NULL;
    if (bAllocNow) {
        m_pHashTable = new CAssoc*[nHashSize];
        memset(m_pHashTable, 0, sizeof(CAssoc*) * nHashSize);
    }
    m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != NULL) {
        for (UINT nBucket = 0; nBucket < m_nHashTableSize; ++nBucket) {
            for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
                pAssoc->key.~KEY();
                pAssoc->value.~VALUE();
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = NULL;
    }
    m_nCount = 0;
    m_pFreeList = NULL;
    if (m_pBlocks != NULL)
        m_pBlocks->FreeDataChain();
    m_pBlocks = NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nHashBucket, UINT& nHashValue) const
{
    nHashValue = HashKey<ARG_KEY>(key);
    nHashBucket = nHashValue % m_nHashTableSize;
    if (m_pHashTable == NULL)
        return NULL;
    for (CAssoc* pAssoc = m_pHashTable[nHashBucket]; pAssoc != NULL; pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key))
            return pAssoc;
    }
    return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc(ARG_KEY key)
{
    if (m_pFreeList == NULL) {
        CPlex* pBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CAssoc));
        CAssoc* pAssoc = static_cast<CAssoc*>(pBlock->data()) + m_nBlockSize - 1;
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i, --pAssoc) {
            pAssoc->pNext = m_pFreeList;
            m_pFreeList = pAssoc;
        }
    }
    CAssoc* pAssoc = m_pFreeList;
    ::new (static_cast<void*>(&pAssoc->key)) KEY(key);
    ::new (static_cast<void*>(&pAssoc->value)) VALUE();
    m_pFreeList = m_pFreeList->pNext;
    ++m_nCount;
    return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
    pAssoc->key.~KEY();
    pAssoc->value.~VALUE();
    pAssoc->pNext = m_pFreeList;
    m_pFreeList = pAssoc;
    if (--m_nCount == 0)
        RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nHashBucket, nHashValue;
    CAssoc* pAssoc = GetAssocAt(key, nHashBucket, nHashValue);
    if (pAssoc != NULL)
        return pAssoc->value;
    if (m_pHashTable == NULL)
        InitHashTable(m_nHashTableSize);
    pAssoc = NewAssoc(key);
    pAssoc->nHashValue = nHashValue;
    pAssoc->pNext = m_pHashTable[nHashBucket];
    m_pHashTable[nHashBucket] = pAssoc;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == NULL)
        return FALSE;
    UINT nHashValue = HashKey<ARG_KEY>(key);
    for (CAssoc** ppAssocPrev = &m_pHashTable[nHashValue % m_nHashTableSize]; *ppAssocPrev != NULL;
         ppAssocPrev = &(*ppAssocPrev)->pNext) {
        CAssoc* pAssoc = *ppAssocPrev;
        if (pAssoc->nHashValue == nHashValue && CompareElements(&pAssoc->key, &key)) {
            *ppAssocPrev = pAssoc->pNext;
            FreeAssoc(pAssoc);
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
    if (rNextPosition == NULL || m_pHashTable == NULL)
        AfxThrowInvalidArgException();
    CAssoc* pAssoc = reinterpret_cast<CAssoc*>(rNextPosition);
    if (rNextPosition == BEFORE_START_POSITION) {
        pAssoc = NULL;
        for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssoc == NULL; ++nBucket)
            pAssoc = m_pHashTable[nBucket];
        if (pAssoc == NULL)
            AfxThrowInvalidArgException();
    }
    CAssoc* pNext = pAssoc->pNext;
    for (UINT nBucket = pAssoc->nHashValue % m_nHashTableSize + 1; pNext == NULL && nBucket < m_nHashTableSize;
         ++nBucket)
        pNext = m_pHashTable[nBucket];
    rNextPosition = reinterpret_cast<POSITION>(pNext);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_nCount);
        POSITION pos = GetStartPosition();
        while (pos != NULL) {
            KEY key;
            VALUE value;
            GetNextAssoc(pos, key, value);
            SerializeElements<KEY>(ar, &key, 1);
            SerializeElements<VALUE>(ar, &value, 1);
        }
        return;
    }
    DWORD_PTR nCount = ar.ReadCount();
    ar.EnsureAvailable(nCount, AfxMinArchiveBytes<KEY>() + AfxMinArchiveBytes<VALUE>());
    for (; nCount > 0; --nCount) {
        KEY newKey{};
        VALUE newValue{};
        SerializeElements<KEY>(ar, &newKey, 1);
        SerializeElements<VALUE>(ar, &newValue, 1);
        SetAt(newKey, newValue);
    }
}

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap<void*, void*, void*, void*>(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap<WORD, WORD, void*, void*>(nBlockSize) {}
};

class CMapStringToPtr : public CMap<CStringW, LPCWSTR, void*, void*>
{
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap<CStringW, LPCWSTR, void*, void*>(nBlockSize) {}
};
