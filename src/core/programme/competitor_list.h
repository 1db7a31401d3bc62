#pragma once

#include "model/event_data.h"
#include "settings/prog_settings.h"

#include <array>
#include <string>
#include <vector>

namespace vexa {

// The orders of the drivers list ("Display Drivers by").
enum class DriverOrder { IdNumber, FirstName, SecondName };

// The Ids of the entries in use, in the chosen order. Names are compared upper-cased, byte by
// byte; equal names keep Id order.
std::vector<int> competitorListOrder(const EventData& event, DriverOrder order);

// The sort key of 'Second Name': the first word moved behind the rest, upper-cased.
std::string secondNameKey(const std::string& name);

// One row of the drivers list: Id, Name, Class, Ability, Mem.No, Frequency, Enabled, AMBrc DP.
using CompetitorRow = std::array<std::string, 8>;
CompetitorRow competitorListRow(int id, const EventData& event, const ProgSettings& settings,
                                const FreqNames& freqnames);

} // namespace vexa
