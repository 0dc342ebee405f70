// Stores into / loads from an in-memory archive for the tests.
#pragma once

#include <framework.h>

#include <stdlib.h>
#include <vector>

using Bytes = std::vector<BYTE>;

template <typename Fn>
Bytes StoreBytes(Fn store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* p = file.Detach();
    Bytes bytes(p, p + nLength);
    free(p);
    return bytes;
}

template <typename Fn>
void LoadBytes(const Bytes& bytes, Fn load)
{
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? NULL : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// The archive exception's cause from a load, or -1 when none was thrown.
template <typename Fn>
int LoadCause(const Bytes& bytes, Fn load)
{
    try {
        LoadBytes(bytes, load);
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}
