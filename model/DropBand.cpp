#include "model/DropBand.h"

DropBand dropBandAt(int top, int bottom, int y)
{
    const int height = bottom - top;
    if (y < top + height / 6) return DropBand::Before;
    if (y >= top + height * 5 / 6) return DropBand::After;
    return DropBand::Into;
}
