#include "programme/side_bar.h"

#include "model/table_queries.h"

namespace vexa {

const char* sideBarCaption(SideBarView view) {
    return view == SideBarView::Names ? "Names" : "Frequencies";
}

SideBarView toggledView(SideBarView view) {
    return view == SideBarView::Names ? SideBarView::Frequencies : SideBarView::Names;
}

SideBar sideBar(const EventData& event, const ProgSettings& settings, const FreqNames& freqnames,
                bool heatsTable, int race, SideBarView view) {
    constexpr size_t CaptionWidth = 26;
    const RacingTable& table = heatsTable ? event.heats : event.finals;
    SideBar bar;
    const int first = firstDriverId(table, race);
    if (first == 0) {
        bar.classCaption = "Class: None";
    } else {
        bar.classCaption = "Class:" + settings.classSetup(event.cpts[first].classno).name;
        if (bar.classCaption.size() > CaptionWidth) bar.classCaption.resize(CaptionWidth);
    }
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int id = table.idAt(race, slot);
        if (id == 0) continue;
        const comp_ent& c = event.cpts[id];
        bar.slot[slot] =
            view == SideBarView::Names ? c.name : competitorFreqText(c, freqnames, heatsTable);
    }
    return bar;
}

} // namespace vexa
