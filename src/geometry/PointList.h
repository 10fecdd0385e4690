#pragma once

#include "geometry/CursorList.h"
#include "geometry/TimedPoint.h"

// The vertices of a polygon: TimedPoint values owned by the list.
using CPointList = CCursorList<TimedPoint>;
