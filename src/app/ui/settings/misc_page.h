#pragma once

#include "model/limits.h"

#include <QWidget>

#include <array>
#include <functional>

class QPushButton;
class QRadioButton;

namespace vexa {

class SettingFields;

class SettingsGrid;

// The "Misc" page: "Crystal Setup", printing and list options, the display, the scoreboard
// feed's port, the (hidden) score method and the
// "Round 1 Start Order", whose rows are dragged into the order cars start in the first round.
class MiscPage : public QWidget {
    Q_OBJECT
  public:
    explicit MiscPage(SettingFields& fields, QWidget* parent = nullptr);

    // What "Crystal Setup" opens (the frequency names window); the button is disabled without.
    void setCrystalSetup(std::function<void()> open);

    // Car numbers of the start order, rows 1..20.
    void showStartOrder(const std::array<int, MaxSlots + 1>& order);
    const std::array<int, MaxSlots + 1>& startOrder() const { return order_; }

    // "Laps to count" shows unless "Normal" is chosen.
    void showScoreMethod();

  private:
    void drawStartOrder();

    std::function<void()> crystalSetup_;
    QPushButton* crystal_;
    SettingsGrid* orderGrid_;
    QRadioButton* normal_;
    QWidget* lapsPanel_;
    std::array<int, MaxSlots + 1> order_{};
};

} // namespace vexa
