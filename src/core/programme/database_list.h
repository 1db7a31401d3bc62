#pragma once

#include "files/drivers_database.h"
#include "model/event_data.h"
#include "programme/competitor_list.h"
#include "settings/prog_settings.h"

#include <string>
#include <vector>

namespace vexa {

// "Display Drivers by" of the database window.
enum class DatabaseOrder { IdNumber, FirstName, SecondName, AbilityLevel };

// One listed record, with the texts of the grid's columns ("DD-id", "Name", "Default Class",
// "Ability", "Pref Freq", "AMBrc DP").
struct DatabaseListRow {
    size_t index = 0; // the record's array position
    int id = 0;
    std::string name;
    std::string classText; // the class number, ") " and the class name
    std::string ability;
    std::string prefFreq;    // "Not Req/2.4Ghz", the preferred frequency's name, or empty
    std::string transponder; // empty when 0 or less
    std::string key;         // the name as the order compares it
};

// The live records in the chosen order: as stored; by the upper-cased name; by the second-name
// key (secondNameKey: John Smith compares as SMITH JOHN); by ability, highest first. Equal keys
// keep the array order.
std::vector<DatabaseListRow> databaseList(const DriversDatabase& db, DatabaseOrder order,
                                          const ProgSettings& settings, const FreqNames& freqnames);

// Shift with a letter: the first listed row whose key begins with that letter (upper-cased), or
// -1 when there is none.
int rowForInitial(const std::vector<DatabaseListRow>& rows, char letter);

} // namespace vexa
