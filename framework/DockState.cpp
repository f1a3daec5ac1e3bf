#include "framework/DockState.h"

#include "framework/Archive.h"
#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"

namespace {

// "RvDk" and a version, so that a state written by some other layout code
// (or typed in by hand) is recognised as foreign.
constexpr int32_t signature = 0x6B447652;
constexpr int32_t version = 1;

bool isDockSide(int32_t value)
{
    return value >= static_cast<int32_t>(DockSide::Top) && value <= static_cast<int32_t>(DockSide::Right);
}

std::optional<BarPlacement> readPlacement(Archive& archive)
{
    BarPlacement placement;
    placement.barId = archive.readInt32();
    const int32_t side = archive.readInt32();
    const int32_t visible = archive.readInt32();
    if (!isDockSide(side) || (visible != 0 && visible != 1)) return std::nullopt;
    placement.side = static_cast<DockSide>(side);
    placement.visible = visible == 1;
    return placement;
}

}  // namespace

std::vector<uint8_t> DockState::ToBytes() const
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    archive.writeInt32(signature);
    archive.writeInt32(version);
    archive.writeInt32(static_cast<int32_t>(bars.size()));
    for (const BarPlacement& bar : bars) {
        archive.writeInt32(bar.barId);
        archive.writeInt32(static_cast<int32_t>(bar.side));
        archive.writeInt32(bar.visible ? 1 : 0);
    }
    archive.close();
    return file.detach();
}

std::optional<DockState> DockState::FromBytes(const std::vector<uint8_t>& bytes)
{
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    try {
        if (archive.readInt32() != signature || archive.readInt32() != version) return std::nullopt;
        const int32_t count = archive.readInt32();
        if (count < 0 || static_cast<size_t>(count) > MaxBars) return std::nullopt;
        DockState state;
        for (int32_t i = 0; i < count; ++i) {
            const std::optional<BarPlacement> placement = readPlacement(archive);
            if (!placement) return std::nullopt;
            state.bars.push_back(*placement);
        }
        if (archive.bytesRemaining() != 0) return std::nullopt;
        return state;
    } catch (const ArchiveException&) {
        return std::nullopt;
    }
}
