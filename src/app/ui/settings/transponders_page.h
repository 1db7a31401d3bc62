#pragma once

#include "model/limits.h"
#include "model/outcome.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QButtonGroup;
class QLineEdit;

namespace vexa {

class SettingFields;

struct ProgSettings;
class Operator;
class SettingsGrid;

// The "Transponders" page: four named sets of the transponders carried by the track's own cars
// 1..20, one shown at a time in `AmbTrackGrid`. Choosing another set first stores the grid into
// the set shown.
class TranspondersPage : public QWidget {
    Q_OBJECT
  public:
    TranspondersPage(ProgSettings& settings, Operator& op, SettingFields& fields,
                     QWidget* parent = nullptr);

    // Shows set `set` (1..4): nothing happens when it is shown already; otherwise the grid goes
    // into the set shown first. False (after telling the operator) when a cell holds no whole
    // number; the shown set stays.
    bool chooseSet(int set);
    int shownSet() const { return shown_; }
    // Shows the shown set again from the settings.
    void redrawSet();
    // The sets' names, shown from the settings and kept as typed.
    void showNames();
    void keepNames(ProgSettings& into) const;

    // The numbers of the grid's cells (an empty cell is -1); fails naming a cell that holds no
    // whole number.
    Outcome readShownSet(std::array<int32_t, MaxSlots + 1>& transponders) const;
    // Keeps numbers read with readShownSet as the shown set's.
    void keepShownSet(const std::array<int32_t, MaxSlots + 1>& transponders,
                      ProgSettings& into) const;

  private:
    ProgSettings& settings_;
    Operator& op_;
    QButtonGroup* sets_;
    std::array<QLineEdit*, 5> names_{}; // 1..4
    SettingsGrid* grid_;
    int shown_ = 0;
};

} // namespace vexa
