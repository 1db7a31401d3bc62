#include "program/main_screens.h"
#include "program/transponder_desk.h"
#include "session/transponder_commands.h"
#include "support/app_test_support.h"
#include "support/event_home.h"
#include "support/recorded_printing.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/main/main_window.h"
#include "ui/transponders/house_transponders_window.h"
#include "ui/transponders/transponders_out_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// The transponder desk's windows: a loan transponder lent in "Drivers Details" and returned with
// one press, the club's list kept in "House Transponders", and "Transponders out" listed,
// printed and shown as the program ends.
class TransponderWindowsTest : public QObject {
    Q_OBJECT

    test::EventHome home_;
    test::RecordingOperator op_;
    std::vector<std::string> jobs_;

    Program& program() { return home_.program(); }
    TransponderDesk desk() { return TransponderDesk(program().home.houseTransponderFile()); }
    static QStringList rows(QListWidget& list) {
        QStringList out;
        for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
        return out;
    }

  private slots:
    void init() {
        Program& p = home_.fresh();
        p.event.competitor(1).name = "Bob Ray";
        p.event.competitor(1).transponder = 3301;
        TransponderDesk d = desk();
        QVERIFY(d.add("4012345", "Club 3").ok);
        QVERIFY(d.add("2001234", "Club 1").ok);
        op_.shown.clear();
        jobs_.clear();
    }

    void lentAtBookingInAndReturnedWithOnePress() {
        DriverEntryWindow window(program(), op_);
        window.setCompetitor(1);
        window.show();
        auto* choice = child<QComboBox>(window, "loanCB");
        auto* giveBack = child<QPushButton>(window, "ReturnLoanBtn");
        auto* transponder = child<QLineEdit>(window, "transED");
        QCOMPARE(choice->count(), 3); // none, then the two not lent
        QCOMPARE(choice->itemText(2), QStringLiteral("4012345  Club 3"));
        QVERIFY(!giveBack->isEnabled());
        bool buddied = false;
        for (QLabel* label : window.findChildren<QLabel*>())
            buddied |= label->text() == QStringLiteral("Loa&n") && label->buddy() == choice;
        QVERIFY(buddied);

        auto* lend = child<QPushButton>(window, "LendBtn");
        lend->click(); // nothing chosen yet
        QCOMPARE(op_.shown, QStringList{QStringLiteral("Choose the loan transponder to lend")});
        QCOMPARE(program().event.competitor(1).transponder, 3301);
        op_.shown.clear();
        choice->setFocus();
        QTest::keyClick(choice, Qt::Key_Down); // "2001234  Club 1": browsing lends nothing
        QTest::keyClick(choice, Qt::Key_Down);
        QVERIFY(desk().out().empty());
        lend->click();
        QCOMPARE(transponder->text(), QStringLiteral("4012345"));
        QCOMPARE(program().event.competitor(1).transponder, 4012345);
        QCOMPARE(desk().loanOf("Club", 1), std::optional<int32_t>(4012345));
        QVERIFY(!choice->isEnabled() && !lend->isEnabled());
        QCOMPARE(choice->currentText(), QStringLiteral("4012345  Club 3  lent to Bob Ray (Club)"));

        giveBack->click();
        QCOMPARE(transponder->text(), QStringLiteral("3301"));
        QVERIFY(desk().out().empty());
        QVERIFY(choice->isEnabled());
        QVERIFY(op_.shown.isEmpty());
    }

    void theClubsListIsKeptInItsWindow() {
        HouseTranspondersWindow window(program(), op_);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* list = child<QListWidget>(window, "HouseLB");
        QCOMPARE(rows(*list), (QStringList{"2001234  Club 1", "4012345  Club 3"}));
        // Typed and entered with Enter alone: no button is pressed on the way.
        auto* number = child<QLineEdit>(window, "numberED");
        number->setFocus();
        QTest::keyClicks(number, QStringLiteral("3000001"));
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(window, "labelED"));
        QCOMPARE(list->count(), 2);
        QTest::keyClicks(child<QLineEdit>(window, "labelED"), QStringLiteral("Club 4"));
        QTest::keyClick(child<QLineEdit>(window, "labelED"), Qt::Key_Return);
        QCOMPARE(list->count(), 3);
        QCOMPARE(desk().transponders()[1].label, std::string("Club 4"));
        QTest::keyClicks(child<QLineEdit>(window, "numberED"), QStringLiteral("3000001"));
        child<QPushButton>(window, "AddBtn")->click();
        QCOMPARE(op_.shown, QStringList{QStringLiteral(
                                "The loan transponder 3000001 is in the list already")});

        QVERIFY(lendHouseTransponder(window.desk(), program(), 2001234, 1).ok);
        window.refresh();
        list->setCurrentRow(0);
        child<QPushButton>(window, "RemoveBtn")->click(); // lent: stays
        QCOMPARE(list->count(), 3);
        QVERIFY(child<QPushButton>(window, "ReturnBtn")->isEnabled());
        child<QPushButton>(window, "ReturnBtn")->click();
        list->setCurrentRow(0);
        child<QPushButton>(window, "RemoveBtn")->click();
        QCOMPARE(rows(*list), (QStringList{"3000001  Club 4", "4012345  Club 3"}));
    }

    void theLoansOutAreListedPrintedAndReturned() {
        TransponderDesk d = desk();
        QVERIFY(lendHouseTransponder(d, program(), 4012345, 1).ok);
        TranspondersOutWindow window(program(), op_, test::recordedPrinting(program(), jobs_, op_));
        window.show();
        auto* list = child<QListWidget>(window, "OutLB");
        QCOMPARE(rows(*list), QStringList{"4012345  Club 3  lent to Bob Ray (Club)"});
        child<QPushButton>(window, "PrintBtn")->click();
        QCOMPARE(jobs_.size(), size_t{1});
        QVERIFY(jobs_[0].find("4012345     Club 3          Bob Ray") != std::string::npos);
        child<QPushButton>(window, "ReturnBtn")->click();
        QCOMPARE(list->count(), 0);
        QCOMPARE(program().event.competitor(1).transponder, 3301);
        QVERIFY(!child<QPushButton>(window, "ReturnBtn")->isEnabled());
    }

    void theLoansOutShowAsTheProgramEnds() {
        Program& p = program();
        MainScreens screens(p);
        MainWindow main(p, screens, op_);
        const ReportPrinting printing = test::recordedPrinting(p, jobs_, op_);
        wireTransponderDesk(p, op_, main, printing);
        main.show();
        TransponderDesk d = desk();
        QVERIFY(lendHouseTransponder(d, p, 2001234, 1).ok);

        QStringList seen;
        test::onNextModal([&](QWidget& out) {
            seen << out.windowTitle();
            QCOMPARE(child<QListWidget>(out, "OutLB")->count(), 1);
            test::onNextModal([&](QWidget& exit) {
                seen << exit.windowTitle();
                child<QPushButton>(exit, "CancelBtn")->click();
            });
            child<QPushButton>(out, "CloseBtn")->click();
        });
        main.close();
        QCOMPARE(seen, (QStringList{"Transponders out", "Sure you want to exit ?"}));

        // Every loan back: straight to the confirmation.
        QVERIFY(returnHouseTransponder(d, p, 2001234).ok);
        seen.clear();
        test::onNextModal([&](QWidget& exit) {
            seen << exit.windowTitle();
            child<QPushButton>(exit, "CancelBtn")->click();
        });
        main.close();
        QCOMPARE(seen, QStringList{"Sure you want to exit ?"});
        QVERIFY(main.menus().transpondersOut->isEnabled());
        QVERIFY(main.menus().houseTransponders->isEnabled());
    }
};

QTEST_MAIN(TransponderWindowsTest)
#include "transponder_windows_test.moc"
