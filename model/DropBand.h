#pragma once
// Which part of a row or tree entry a drag points at: its upper sixth puts
// the drop before it, its lower sixth after it, the rest into it. Integer
// division, as the views measure rows in whole pixels.

enum class DropBand { Before, Into, After };

// `y` against the row spanning `top` (inclusive) to `bottom` (exclusive).
DropBand dropBandAt(int top, int bottom, int y);
