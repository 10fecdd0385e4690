#include "geometry/CursorList.h"

#include <cstdlib>

#include "geometry/DiagLog.h"

void CursorListIndexFault(int index, int count)
{
    DiagLog("point list index %d outside 0..%d", index, count - 1);
    std::_Exit(-8);
}
