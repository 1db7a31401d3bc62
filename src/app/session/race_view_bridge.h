#pragma once

#include "ports/race_view.h"

#include <QObject>
#include <QTimer>

namespace vexa {

// The race engine's redraw notices as Qt signals, so that several widgets can listen: the race
// panel's grid, the spectator screen, the live results and the keyboard light.
//
// The grids redraw the standings at most once a frame: a burst of passings between two frames
// gives one standingsRedraw, so the rows' text is made once, and the passings themselves (the
// journal, the decoder, the track controller) wait for no grid. The live results follow every
// change (standingsChangedSignal) and gather their own sends.
class RaceViewBridge : public QObject, public RaceView {
    Q_OBJECT
  public:
    static constexpr int FrameMs = 16;

    explicit RaceViewBridge(QObject* parent = nullptr) : QObject(parent) {
        frame_.setSingleShot(true);
        frame_.setInterval(FrameMs);
        connect(&frame_, &QTimer::timeout, this, &RaceViewBridge::standingsRedraw);
    }

    void panelChanged() override { emit panelChangedSignal(); }
    void standingsChanged() override {
        if (!frame_.isActive()) frame_.start();
        emit standingsChangedSignal();
    }
    // A car cell of standings still to be redrawn whole is drawn with them.
    void carCellChanged(int row) override {
        if (!frame_.isActive()) emit carCellChangedSignal(row);
    }
    void toggleScrollLock() override { emit scrollLockToggled(); }

    // Whether the grids' redraw waits for the next frame.
    bool redrawPending() const { return frame_.isActive(); }
    // Redraws at once what waits for the next frame (a look at the grids that cannot wait for
    // it: a test's, a screenshot's).
    void redrawNow() {
        if (!frame_.isActive()) return;
        frame_.stop();
        emit standingsRedraw();
    }

  signals:
    void panelChangedSignal();
    void standingsChangedSignal();
    void standingsRedraw();
    void carCellChangedSignal(int row);
    void scrollLockToggled();

  private:
    QTimer frame_;
};

} // namespace vexa
