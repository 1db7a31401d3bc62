#pragma once

#include "model/event_data.h"
#include "settings/prog_settings.h"

#include <array>
#include <string>

namespace vexa {

// What the side bar of a racing table lists for the selected race: the drivers' names or their
// frequencies. The caption is the text of the side bar's row 1.
enum class SideBarView { Names, Frequencies };

const char* sideBarCaption(SideBarView view); // "Names" or "Frequencies"
SideBarView toggledView(SideBarView view);    // the "View" button

// The side bar's content for one race.
struct SideBar {
    std::string classCaption;                   // "Class:" + class name, or "Class: None"
    std::array<std::string, MaxSlots + 1> slot; // index 1..20; 0 unused
};

// The class caption is that of the race's first driver, cut to 26 characters. Each slot holding
// an Id shows the driver's name or his frequency for this table ("Not Req/2.4Ghz" when he needs
// none); a slot holding anything but an Id 1..300 shows nothing.
SideBar sideBar(const EventData& event, const ProgSettings& settings, const FreqNames& freqnames,
                bool heatsTable, int race, SideBarView view);

} // namespace vexa
