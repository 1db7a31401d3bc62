#pragma once

#include "model/race_driver.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vexa {

// The colours the standings grids use; Normal is the platform's button-face background.
enum class GridColour : uint8_t {
    Normal,
    Black,
    Fuchsia,
    Lime,
    Yellow,
    Grey,
    Red,
    Blue,
    White,
    Maroon
};

// What an extra column of the operator grid shows.
enum class ExtraColumn : uint8_t {
    Empty = 0,
    AverageLap = 1,
    AverageSpeed = 2,
    SpeedTrap = 3,
    DriverFtd = 4,
    PredictedResult = 5,
    LeaderGap = 6,
    HitsSignal = 7,
};

// The header text of an extra column type.
const char* extraColumnHeader(ExtraColumn type);

// One row of the live standings, drawn by both grids: the operator grid shows the seven fixed
// columns and its visible extra columns, the race screen grid the seven fixed columns, the
// leader gap and the predicted result.
struct StandingsRow {
    int entrant = 0; // index into race_drivers
    std::string pos, car, name, laps, time, lastLap, fastestLap;
    std::string leaderGap, predicted;
    std::array<std::string, 4> extra; // extra slots 1..4 of the operator grid
    GridColour carText = GridColour::Blue;
    GridColour nameText = GridColour::Blue;
    GridColour lapsTimeBackground = GridColour::Normal;
    GridColour lapsTimeText = GridColour::Blue;
};

// The reference results and distances the standings compare with.
struct StandingsContext {
    bool staggerStart = false;
    bool startOrderSpoken = false;
    int ftdLapCount = 0;
    double ftdTime = 0.0;
    int roundBestLapCount = 0;
    double roundBestTime = 0.0;
    double trackMiles = 0.0;
    double trapMiles = 0.0;
};

// The live standings as data: rows in display order, the extra column choices of the operator
// grid and the pictures of the first three places.
//
// An update takes the numbers the rows show; their text is made when the rows are read, so a
// burst of passings between two redraws of the grids formats the rows once.
class Standings {
  public:
    static constexpr int ExtraSlots = 4;

    // Takes the rows' numbers from race_drivers (the running order must be sorted already); the
    // rows are made from them when next read.
    void update(const RaceDrivers& drivers, const StandingsContext& context);
    // The same, with the rows made at once.
    void build(const RaceDrivers& drivers, const StandingsContext& context);
    // Recolours the "Car" cell of entrant i's row; returns its row (1-based) or 0 when the car
    // is not shown.
    int MarkCarCell(const RaceDrivers& drivers, int i);

    const std::vector<StandingsRow>& rows() const;
    // No rows and no pictures: the race that comes next is not set up yet.
    void clear();

    // The operator grid shows 2 extra slots (9 columns) when narrow, 4 (11 columns) when wide.
    void setWide(bool wide);
    int visibleSlots() const { return visibleSlots_; }
    ExtraColumn slot(int k) const { return slots_[static_cast<size_t>(k)]; }
    // Chooses the type of a visible slot 1..visibleSlots(); out-of-range slots are ignored.
    void setSlot(int k, ExtraColumn type);
    // The headers of the visible extra slots (empty for hidden ones).
    std::string extraHeader(int k) const;

    // The picture of place 1..3, as the last update left it.
    const std::string& placePicture(int place) const;

    static GridColour carColour(uint8_t passmark);

  private:
    // The numbers of one entrant that its row shows, as the last update took them.
    struct Figures {
        int32_t carno = 0;
        int32_t lapcount = 0;
        int32_t predlapcount = 0;
        int32_t bestlapcount = 0;
        int32_t hits = 0;
        int32_t signal = 0;
        double lastpass = 0.0;
        double lastlap = 0.0;
        double fastestlap = 0.0;
        double leadergap = 0.0;
        double predtime = 0.0;
        double besttime = 0.0;
        double traptime = 0.0;
        uint8_t passmark = 0;
        bool finished = false;
        bool seen = true;
        std::string name;
        std::string picture;
    };

    void makeRows() const;
    void fillExtra(StandingsRow& row, const Figures& d) const;

    std::vector<Figures> figures_;
    std::vector<int> order_; // the entrant of each row
    StandingsContext context_;
    mutable bool stale_ = false; // the rows are not made from the figures yet
    mutable std::vector<StandingsRow> rows_;
    std::array<ExtraColumn, ExtraSlots + 1> slots_{ExtraColumn::Empty, ExtraColumn::LeaderGap,
                                                   ExtraColumn::PredictedResult,
                                                   ExtraColumn::AverageLap, ExtraColumn::DriverFtd};
    int visibleSlots_ = 2;
    mutable std::array<std::string, 4> pictures_{};
};

// The race screen's "Leader Gap" text of a row (1-based).
void appendLeaderGap(std::string& out, int row, double leadergap);

} // namespace vexa
