#pragma once

#include "race/standings_tones.h"

#include <QGroupBox>

namespace vexa {

// The colour key beside the standings: "SET TO BEAT FTD" (white on black), "BEST TIME IN ROUND"
// (white on fuchsia), "SET TO IMPROVE" (yellow), "DRIVER IMPROVED" (lime) and "NOT RUNNING
// CURRENTLY" (grey), drawn in the tones the grids give those colours in the key's theme. The
// race panel titles it "COLOUR CODE (KEY)", the race screen "Colour Key".
class ColourKey : public QGroupBox {
    Q_OBJECT
  public:
    ColourKey(const QString& title, QWidget* parent = nullptr);

    void setTheme(StandingsTheme theme);

  private:
    StandingsTheme theme_ = StandingsTheme::Light;
};

} // namespace vexa
