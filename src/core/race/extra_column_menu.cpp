#include "race/extra_column_menu.h"

namespace vexa {

int extraSlotAtColumn(const Standings& standings, int gridColumn, bool keysOn) {
    if (keysOn) return 0;
    const int slot = gridColumn - FirstExtraColumn + 1;
    return slot >= 1 && slot <= standings.visibleSlots() ? slot : 0;
}

std::array<ExtraColumnMenuItem, 7> extraColumnMenu(const Standings& standings,
                                                   CountingDevice device, bool speedTrapEnabled) {
    std::array<ExtraColumnMenuItem, 7> items{{
        {ExtraColumn::AverageLap, "Average Lap", true},
        {ExtraColumn::AverageSpeed, "Average Speed", true},
        {ExtraColumn::SpeedTrap, "Speed Trap", true},
        {ExtraColumn::DriverFtd, "Driver FTD", true},
        {ExtraColumn::PredictedResult, "Predicted Result", true},
        {ExtraColumn::LeaderGap, "Leader Gap", true},
        {ExtraColumn::HitsSignal, "Hits / Signal Strength", true},
    }};
    for (ExtraColumnMenuItem& item : items) {
        for (int k = 1; k <= standings.visibleSlots(); ++k)
            if (standings.slot(k) == item.type) item.enabled = false;
        if (item.type == ExtraColumn::SpeedTrap &&
            !(device == CountingDevice::Ambrc && speedTrapEnabled))
            item.enabled = false;
        if (item.type == ExtraColumn::HitsSignal && device == CountingDevice::Manual)
            item.enabled = false;
    }
    return items;
}

} // namespace vexa
