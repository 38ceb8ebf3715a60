// Where CenterWindow puts a window, as pure arithmetic.
#pragma once

struct CenterRect {
    long left;
    long top;
    long right;
    long bottom;
};

// `window` moved (not resized) so that its centre lies on the centre of
// `centerOn`, then pushed back inside `workArea` where it would reach beyond
// it; a window larger than the area keeps to its left and top edges.
CenterRect CenterRectOn(const CenterRect& window, const CenterRect& centerOn, const CenterRect& workArea);
