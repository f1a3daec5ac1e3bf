#pragma once
// The layout of a frame's bars (which side each is docked on, whether it is
// shown) as bytes, so that the program can keep it between runs. Reading
// accepts only a well-formed state; anything else leaves the caller's
// default layout alone.

#include <cstdint>
#include <optional>
#include <vector>

enum class DockSide : int32_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

struct BarPlacement {
    int32_t barId = 0;
    DockSide side = DockSide::Top;
    bool visible = true;

    bool operator==(const BarPlacement& other) const
    {
        return barId == other.barId && side == other.side && visible == other.visible;
    }
};

class DockState {
public:
    static constexpr size_t MaxBars = 16;

    std::vector<BarPlacement> bars;

    std::vector<uint8_t> ToBytes() const;
    // Empty unless `bytes` is exactly one state as ToBytes writes it.
    static std::optional<DockState> FromBytes(const std::vector<uint8_t>& bytes);
};
