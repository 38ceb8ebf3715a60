#include "IconPlacement.h"

IconOrigin CenterIconInClient(int width, int height, int cx, int cy)
{
    return {(width - cx + 1) / 2, (height - cy + 1) / 2};
}
