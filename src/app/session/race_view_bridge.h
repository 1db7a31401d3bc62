#pragma once

#include "ports/race_view.h"

#include <QObject>

namespace vexa {

// The race engine's redraw notices as Qt signals, so that several widgets can listen: the race
// panel's grid, the spectator screen and the keyboard light.
class RaceViewBridge : public QObject, public RaceView {
    Q_OBJECT
  public:
    using QObject::QObject;

    void panelChanged() override { emit panelChangedSignal(); }
    void standingsChanged() override { emit standingsChangedSignal(); }
    void carCellChanged(int row) override { emit carCellChangedSignal(row); }
    void toggleScrollLock() override { emit scrollLockToggled(); }

  signals:
    void panelChangedSignal();
    void standingsChangedSignal();
    void carCellChangedSignal(int row);
    void scrollLockToggled();
};

} // namespace vexa
