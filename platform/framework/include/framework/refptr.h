// One holder for every reference-counted object: command targets (InternalAddRef and
// InternalRelease) and COM-style objects (AddRef and Release), chosen by CRefTraits.
#pragma once

#include <type_traits>
#include <utility>

#include <framework/assert.h>

// Counting protocol of T: command targets when T has InternalAddRef, else AddRef/Release.
// A class with another protocol specialises CRefTraits.
template <class T, class = void> struct CRefTraits
{
    static void AddRef(T* p) { p->AddRef(); }
    static void Release(T* p) { p->Release(); }
};

template <class T> struct CRefTraits<T, std::void_t<decltype(std::declval<T*>()->InternalAddRef())>>
{
    static void AddRef(T* p) { p->InternalAddRef(); }
    static void Release(T* p) { p->InternalRelease(); }
};

template <class T> class CRefPtr
{
public:
    CRefPtr() noexcept : m_p(NULL) {}
    ~CRefPtr() { Release(); }

    // The two ways in: take over a reference the caller owns, or add one of our own.
    static CRefPtr Adopt(T* p) noexcept
    {
        CRefPtr ref;
        ref.m_p = p;
        return ref;
    }
    static CRefPtr AddRef(T* p)
    {
        CRefPtr ref;
        ref.Reset(p);
        return ref;
    }

    CRefPtr(const CRefPtr& other) : m_p(NULL) { Reset(other.m_p); }
    CRefPtr(CRefPtr&& other) noexcept : m_p(other.m_p) { other.m_p = NULL; }
    template <class U, class = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    CRefPtr(CRefPtr<U>&& other) noexcept : m_p(other.Detach())
    {}

    CRefPtr& operator=(const CRefPtr& other)
    {
        Reset(other.m_p);
        return *this;
    }
    CRefPtr& operator=(CRefPtr&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Holds p with a reference of our own. The new reference is added before the old one
    // goes, and the member is cleared before release: a last release may re-enter the owner.
    void Reset(T* p = NULL)
    {
        if (p != NULL)
            CRefTraits<T>::AddRef(p);
        Attach(p);
    }
    // Takes over the caller's reference on p; the old reference is released.
    void Attach(T* p) noexcept
    {
        T* pOld = m_p;
        m_p = p;
        if (pOld != NULL)
            CRefTraits<T>::Release(pOld);
    }
    // Gives the reference to the caller.
    [[nodiscard]] T* Detach() noexcept
    {
        T* p = m_p;
        m_p = NULL;
        return p;
    }
    void Release() noexcept { Attach(NULL); }
    // For a call that answers a reference through a T** parameter: releases what is held and
    // gives the member's address, so the answer is adopted.
    T** Receive() noexcept
    {
        Release();
        return &m_p;
    }

    T* Get() const noexcept { return m_p; }
    T* operator->() const noexcept
    {
        ASSERT(m_p != NULL);
        return m_p;
    }
    T& operator*() const noexcept
    {
        ASSERT(m_p != NULL);
        return *m_p;
    }
    explicit operator bool() const noexcept { return m_p != NULL; }

private:
    T* m_p;  // one reference owned
};
