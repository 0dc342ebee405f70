// The toolkit frame's runtime class.
#include "commandbars/ZPFrameWnd.h"

IMPLEMENT_DYNCREATE(CZPFrameWnd, CFrameWnd)
