#include "CenterRules.h"

namespace {
// The start of a span of `length` centred on [low, high], kept inside
// [areaLow, areaHigh].
long Place(long length, long low, long high, long areaLow, long areaHigh)
{
    long start = (low + high) / 2 - length / 2;
    if (start + length > areaHigh)
        start = areaHigh - length;
    if (start < areaLow)
        start = areaLow;
    return start;
}
} // namespace

CenterRect CenterRectOn(const CenterRect& window, const CenterRect& centerOn, const CenterRect& workArea)
{
    const long width = window.right - window.left;
    const long height = window.bottom - window.top;
    const long left = Place(width, centerOn.left, centerOn.right, workArea.left, workArea.right);
    const long top = Place(height, centerOn.top, centerOn.bottom, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}
