#include "session/race_view_bridge.h"

#include <QSignalSpy>
#include <QtTest>

using namespace vexa;

// The engine's redraw notices as the grids get them: a burst of standings changes between two
// frames is one redraw, a car cell of standings still to be redrawn goes with them, and a car
// cell alone is drawn at once. The live results hear of every change.
class RaceViewBridgeTest : public QObject {
    Q_OBJECT

  private slots:
    void aBurstOfPassingsIsRedrawnOnceAFrame() {
        RaceViewBridge bridge;
        QSignalSpy standings(&bridge, &RaceViewBridge::standingsRedraw);
        QSignalSpy changes(&bridge, &RaceViewBridge::standingsChangedSignal);
        QSignalSpy cells(&bridge, &RaceViewBridge::carCellChangedSignal);
        for (int passing = 0; passing < 5; ++passing) {
            bridge.standingsChanged();
            bridge.carCellChanged(passing + 1);
        }
        QCOMPARE(standings.count(), 0);
        QCOMPARE(changes.count(), 5);
        QVERIFY(bridge.redrawPending());
        QTRY_COMPARE_WITH_TIMEOUT(standings.count(), 1, 1000);
        QTest::qWait(3 * RaceViewBridge::FrameMs);
        QCOMPARE(standings.count(), 1);
        QCOMPARE(cells.count(), 0);

        bridge.carCellChanged(3); // the car cell's colour changes back: drawn at once
        QCOMPARE(cells.count(), 1);
        QCOMPARE(cells.at(0).at(0).toInt(), 3);
        bridge.standingsChanged();
        bridge.redrawNow(); // a look that cannot wait
        QCOMPARE(standings.count(), 2);
        QVERIFY(!bridge.redrawPending());
    }
};

QTEST_MAIN(RaceViewBridgeTest)
#include "race_view_bridge_test.moc"
