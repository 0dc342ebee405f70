// A class that nothing references: it exists only in the registry, created by name.
#include <framework.h>

class CCreatedByNameOnly : public CObject
{
    DECLARE_SERIAL(CCreatedByNameOnly)
public:
    int m_nValue = 42;
};

IMPLEMENT_SERIAL(CCreatedByNameOnly, CObject, VERSIONABLE_SCHEMA | 7)
