// A gallery of items (kind 10); items, scrolling and preview are not built yet.
#pragma once

#include "commandbars/ZPControl.h"

class CZPControlGallery : public CZPControl
{
    DECLARE_DYNCREATE(CZPControlGallery)
public:
    CZPControlGallery();
};
