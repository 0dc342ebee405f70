// A gallery of items (kind 10); items, scrolling and preview are not built yet.
#include "commandbars/ZPControlGallery.h"

IMPLEMENT_DYNCREATE(CZPControlGallery, CZPControl)

CZPControlGallery::CZPControlGallery()
{
    m_controlType = zpControlGallery;
}
