#include "race/race_panel_choices.h"

#include "race/race_engine.h"
#include "settings/prog_settings.h"

namespace vexa {

void chooseExtraColumn(RaceEngine& engine, int slot, ExtraColumn type) {
    engine.standings().setSlot(slot, type);
    engine.SetExtraColumnHeaders();
}

void fitExtraColumns(RaceEngine& engine, bool wide) {
    Standings& standings = engine.standings();
    if (wide == (standings.visibleSlots() == Standings::ExtraSlots)) return;
    standings.setWide(wide);
    engine.SetExtraColumnHeaders();
}

void setPassBeeps(ProgSettings& settings, bool on) {
    settings.passBeeps = on;
}

} // namespace vexa
