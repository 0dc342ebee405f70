// Per-thread maps from system handles to their C++ objects: permanent entries are the objects
// that own a handle; temporary ones are made on demand by FromHandle and freed at idle.
#pragma once

#include <windows.h>

#include <unordered_map>

template <class TObject, class THandle>
class CHandleMap
{
public:
    typedef TObject* (*PFN_NEWTEMP)(THandle h);     // a borrowing object for h
    typedef void (*PFN_DELETETEMP)(TObject* pObject);  // lets go of the handle, then deletes

    CHandleMap(PFN_NEWTEMP pfnNew, PFN_DELETETEMP pfnDelete) : m_pfnNew(pfnNew), m_pfnDelete(pfnDelete) {}
    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;
    ~CHandleMap() { DeleteTemp(); }

    TObject* FromHandle(THandle h)
    {
        if (h == NULL)
            return NULL;
        if (TObject* pObject = LookupPermanent(h))
            return pObject;
        if (TObject* pObject = LookupTemporary(h))
            return pObject;
        TObject* pTemp = m_pfnNew(h);
        m_temporary[h] = pTemp;
        return pTemp;
    }
    TObject* LookupPermanent(THandle h) const { return Lookup(m_permanent, h); }
    TObject* LookupTemporary(THandle h) const { return Lookup(m_temporary, h); }
    void SetPermanent(THandle h, TObject* pObject) { m_permanent[h] = pObject; }
    // Forgets h when pObject is its owner (another object may have taken the handle since).
    void RemovePermanent(THandle h, const TObject* pObject)
    {
        if (h != NULL && LookupPermanent(h) == pObject)
            RemoveHandle(h);
    }
    // Forgets h in both maps; a temporary object for it is freed.
    void RemoveHandle(THandle h)
    {
        m_permanent.erase(h);
        auto it = m_temporary.find(h);
        if (it != m_temporary.end()) {
            TObject* pTemp = it->second;
            m_temporary.erase(it);
            m_pfnDelete(pTemp);
        }
    }
    void DeleteTemp()
    {
        std::unordered_map<THandle, TObject*> temporary;
        temporary.swap(m_temporary);
        for (auto& entry : temporary)
            m_pfnDelete(entry.second);
    }
    size_t GetPermanentCount() const { return m_permanent.size(); }
    size_t GetTemporaryCount() const { return m_temporary.size(); }

private:
    static TObject* Lookup(const std::unordered_map<THandle, TObject*>& map, THandle h)
    {
        auto it = map.find(h);
        return it != map.end() ? it->second : NULL;
    }

    PFN_NEWTEMP m_pfnNew;
    PFN_DELETETEMP m_pfnDelete;
    std::unordered_map<THandle, TObject*> m_permanent;   // borrowed: the objects own their handles
    std::unordered_map<THandle, TObject*> m_temporary;   // owned
};
