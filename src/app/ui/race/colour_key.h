#pragma once

#include <QGroupBox>

namespace vexa {

// The colour key beside the standings: "SET TO BEAT FTD" (white on black), "BEST TIME IN ROUND"
// (white on fuchsia), "SET TO IMPROVE" (yellow), "DRIVER IMPROVED" (lime) and "NOT RUNNING
// CURRENTLY" (grey), drawn as the grids draw those colours. The race panel titles it "COLOUR
// CODE (KEY)", the race screen "Colour Key".
class ColourKey : public QGroupBox {
    Q_OBJECT
  public:
    ColourKey(const QString& title, QWidget* parent = nullptr);
};

} // namespace vexa
