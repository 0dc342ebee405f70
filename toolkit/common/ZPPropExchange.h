// Named-value exchange through which persisted toolkit state is stored and loaded: one routine
// per persisted class serves both directions over any medium (archive, registry, INI, XML).
#pragma once

#include <framework.h>
#include <framework/oledata.h>

class CArchive;
class CZPPropExchangeEnumerator;

// Value kinds: variant type codes plus the toolkit's own. The variable a kind points to:
//   VT_I2 SHORT, VT_I4 LONG (also DWORD, enumerations, colours), VT_R4 float, VT_R8 double,
//   VT_CY CY, VT_DATE COleDateTime, VT_BSTR BSTR, VT_BOOL BOOL (32-bit), VT_VARIANT COleVariant,
//   VT_UI1 BYTE, VT_ZPSTRING CString, VT_ZPRECT RECT, VT_ZPSIZE SIZE or POINT.
// Defaults point to the same types, except that strings (VT_BSTR, VT_ZPSTRING) take a wide C string.
enum
{
    VT_ZPSTRING = 30,
    VT_ZPRECT = 100,
    VT_ZPSIZE = 101
};

class CZPPropExchange : public CCmdTarget
{
    DECLARE_DYNAMIC(CZPPropExchange)
public:
    CZPPropExchange();

    // Stores or loads one named value of the given kind; pvDefault may be NULL (no default).
    virtual BOOL ExchangeValue(LPCWSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault) = 0;
    // Loading with *ppData NULL allocates the buffer (new[], the caller frees it).
    virtual BOOL ExchangeBlob(LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData);
    virtual BOOL ExchangeClassRecord(LPCWSTR pszPropName, CRuntimeClass** ppClass, CRuntimeClass* pDefaultClass);
    // Loading creates *ppObject (owned by the caller) from the stored class name.
    virtual BOOL ExchangeObjectByClass(CObject** ppObject, CRuntimeClass* pExpectedClass);
    // A nested binary archive stored as one blob; finish it with ReleaseArchive.
    virtual CArchive* GetArchive(LPCWSTR pszPropName);
    virtual void ReleaseArchive(LPCWSTR pszPropName, CArchive* pArchive);
    // A new child exchange holding one reference (give it up with InternalRelease).
    virtual CZPPropExchange* GetSection(LPCWSTR pszSection) = 0;
    virtual void EmptySection();
    virtual void WriteCount(DWORD dwCount);
    virtual DWORD ReadCount();
    virtual void Write(LPCWSTR pszPropName, const void* lpBuf, UINT nCount);
    // Bytes actually read (at most nCount), 0 when nothing could be read.
    virtual UINT Read(LPCWSTR pszPropName, void* lpBuf, UINT nCount);
    virtual BOOL CanSkipDefaults() const;
    virtual BOOL SupportsBinary() const;
    virtual BOOL OpenForExchange();
    // A new enumerator of the sections prefix0, prefix1, ...; the caller deletes it.
    virtual CZPPropExchangeEnumerator* GetEnumerator(LPCWSTR pszSection);
    virtual void ExchangeSchemaNumber();

    BOOL IsLoading() const { return m_bLoading; }
    BOOL IsStoring() const { return !m_bLoading; }
    BOOL IsRootSection() const { return !m_bChildSection; }
    BOOL IsSectionEmptied() const { return m_bEmptySection; }
    long GetSchema() const { return m_nSchema; }
    void SetSchema(long nSchema) { m_nSchema = nSchema; }
    BOOL IsAllowDefaultValues() const { return m_bUseDefaultOnLoad; }
    void UseDefaultOnLoad(BOOL bUseDefaultOnLoad) { m_bUseDefaultOnLoad = bUseDefaultOnLoad; }
    void UseDefaultOnSave(BOOL bUseDefaultOnSave) { m_bUseDefaultOnSave = bUseDefaultOnSave; }

    DWORD_PTR m_dwData;    // caller's context, copied into child sections
    DWORD_PTR m_dwData2;   // caller's context, not copied

protected:
    // Gives a new child section this exchange's schema, user data and flags.
    void InheritPropertyExchange(CZPPropExchange* pChild) const;

    BOOL m_bLoading;
    long m_nSchema;
    BOOL m_bChildSection;
    BOOL m_bEmptySection;
    BOOL m_bInitialized;
    BOOL m_bUseDefaultOnLoad;
    BOOL m_bUseDefaultOnSave;
};

// Enumerates the numbered child sections prefix0 .. prefix(count-1).
class CZPPropExchangeEnumerator
{
public:
    CZPPropExchangeEnumerator(CZPPropExchange* pContainer, LPCWSTR pszSection);
    virtual ~CZPPropExchangeEnumerator() = default;
    CZPPropExchangeEnumerator(const CZPPropExchangeEnumerator&) = delete;
    CZPPropExchangeEnumerator& operator=(const CZPPropExchangeEnumerator&) = delete;

    // Exchanges the count (pass it when storing, 0 when loading); nonzero when there are items.
    virtual POSITION GetPosition(DWORD dwCount = 0, BOOL bCompactMode = TRUE);
    // The section of the current item (one reference); pos becomes 0 after the last one.
    virtual CZPPropExchange* GetNext(POSITION& pos);

protected:
    CZPPropExchange* m_pContainer;   // borrowed
    CString m_strSectionName;
    DWORD m_nCount;
};

// Deletes an enumerator at scope end.
class CZPPropExchangeEnumeratorHolder
{
public:
    explicit CZPPropExchangeEnumeratorHolder(CZPPropExchangeEnumerator* pEnumerator = NULL) : m_pEnumerator(pEnumerator) {}
    ~CZPPropExchangeEnumeratorHolder() { Release(); }
    CZPPropExchangeEnumeratorHolder(const CZPPropExchangeEnumeratorHolder&) = delete;
    CZPPropExchangeEnumeratorHolder& operator=(const CZPPropExchangeEnumeratorHolder&) = delete;

    void Release()
    {
        delete m_pEnumerator;
        m_pEnumerator = NULL;
    }
    CZPPropExchangeEnumerator* operator->() const { return m_pEnumerator; }
    operator CZPPropExchangeEnumerator*() const { return m_pEnumerator; }

private:
    CZPPropExchangeEnumerator* m_pEnumerator;   // owned
};

// Helpers every persisted class calls. A NULL exchange gives FALSE and leaves the variable alone.
BOOL PropExchangeByte(CZPPropExchange* pPX, LPCWSTR pszPropName, BYTE* pbValue, BYTE bDefault);
BOOL PropExchangeShort(CZPPropExchange* pPX, LPCWSTR pszPropName, short* psValue, short sDefault);
BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, long* plValue, long lDefault);
BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, DWORD* pdwValue, DWORD dwDefault);
BOOL PropExchangeLong(CZPPropExchange* pPX, LPCWSTR pszPropName, int* pnValue, int nDefault);
BOOL PropExchangeLongNoDefault(CZPPropExchange* pPX, LPCWSTR pszPropName, long* plValue);
BOOL PropExchangeBool(CZPPropExchange* pPX, LPCWSTR pszPropName, BOOL* pbValue, BOOL bDefault);
BOOL PropExchangeString(CZPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue, LPCWSTR pszDefault);
BOOL PropExchangeStringNoDefault(CZPPropExchange* pPX, LPCWSTR pszPropName, CString& strValue);
BOOL PropExchangeBstr(CZPPropExchange* pPX, LPCWSTR pszPropName, BSTR* pbstrValue, LPCWSTR pszDefault);
BOOL PropExchangeSize(CZPPropExchange* pPX, LPCWSTR pszPropName, SIZE* pszValue, SIZE szDefault);
BOOL PropExchangeRect(CZPPropExchange* pPX, LPCWSTR pszPropName, RECT* prcValue, RECT rcDefault);
BOOL PropExchangeBlob(CZPPropExchange* pPX, LPCWSTR pszPropName, BYTE** ppData, DWORD* pcbData);
BOOL PropExchangeClassRecord(CZPPropExchange* pPX, LPCWSTR pszPropName, CRuntimeClass** ppClass,
                             CRuntimeClass* pDefaultClass);
// The object's Serialize on a nested archive; archive and OLE exceptions become FALSE.
BOOL PropExchangeSerializable(CZPPropExchange* pPX, LPCWSTR pszPropName, CObject* pObject);

// Shared by the back ends.
DWORD ZpPropExchangeValueSize(VARTYPE vtProp);
BOOL ZpPropExchangeIsDefault(VARTYPE vtProp, const void* pvProp, const void* pvDefault);
// Copies the default into the variable; FALSE (variable unchanged) without one.
BOOL ZpPropExchangeCopyDefault(VARTYPE vtProp, void* pvProp, const void* pvDefault);

// The text form of values kept by the text media (and by the registry for rectangles and sizes).
BOOL ZpPropExchangeValueToText(VARTYPE vtProp, const void* pvProp, CString& strText);
// Sets the variable from its text form; a rectangle or size that does not parse takes the default.
BOOL ZpPropExchangeTextToValue(VARTYPE vtProp, const CString& strText, void* pvProp, const void* pvDefault);
void ZpPropExchangeEscapeText(CString& strText);
void ZpPropExchangeUnescapeText(CString& strText);
CString ZpPropExchangeDateToText(const COleDateTime& dt);
BOOL ZpPropExchangeTextToDate(LPCWSTR pszText, COleDateTime& dt);
