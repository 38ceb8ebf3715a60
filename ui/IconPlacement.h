// Where the minimised main dialog draws its icon, as pure arithmetic.
#pragma once

struct IconOrigin {
    int x;
    int y;
};

// Centres an icon of cx x cy in a client area of width x height; the
// halving truncates toward zero after adding one.
IconOrigin CenterIconInClient(int width, int height, int cx, int cy);
