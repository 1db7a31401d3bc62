#include "program/event_store.h"
#include "program/program.h"
#include "support/app_test_support.h"
#include "ui/event/welcome_window.h"
#include "ui/main/main_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

class WelcomeWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;
    void startIn(Program& program) {
        program.home.root = home_.path().toStdString();
        startProgram(program);
    }
    static void select(QListWidget* list, const QString& text) {
        const auto items = list->findItems(text, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        list->setCurrentItem(items.first());
    }

  private slots:
    void init() { messages_.clear(); }

    void offersTodaysNameAndCreatesTheEvent() {
        Program program;
        startIn(program);
        WelcomeWindow window(program, op_, QDate(2026, 12, 8));
        window.show();
        QCOMPARE(child<QLineEdit>(window, "neweventED")->text(), QStringLiteral("8 DEC 2026"));
        QVERIFY(window.isVisible());
        window.close(); // refused while no event is open
        QVERIFY(window.isVisible());

        child<QPushButton>(window, "CreateBtn")->click();
        QVERIFY(program.eventOpen());
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(QFileInfo::exists(home_.filePath("event files/8 DEC 2026/eventfile.qmf")));
        QVERIFY(QFileInfo(home_.filePath("event files/8 DEC 2026/html")).isDir());
    }

    void aMeetingOf24GHzRadiosNeedsNoFrequencies() {
        Program program;
        startIn(program);
        WelcomeWindow window(program, op_, QDate(2027, 3, 6));
        auto* radios = child<QCheckBox>(window, "radiosonlyCHK");
        QCOMPARE(radios->text(),
                 QStringLiteral("This meeting uses 2.4 GHz radios only: no frequencies"));
        QVERIFY(!radios->isChecked()); // new drivers need a frequency unless told otherwise
        radios->setChecked(true);
        child<QPushButton>(window, "CreateBtn")->click();
        QVERIFY(program.eventOpen());
        QVERIFY(!program.settings.requiresFreq);
        QFile ini(home_.filePath(QStringLiteral("vexa.ini")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("REQUIRES FREQ=NO"));
        QVERIFY(messages_.isEmpty());
        // The next event of the same program offers the same choice again.
        WelcomeWindow next(program, op_, QDate(2027, 3, 7));
        QVERIFY(child<QCheckBox>(next, "radiosonlyCHK")->isChecked());
    }

    void refusesAnExistingNameAndABadName() {
        Program program;
        startIn(program);
        QDir(home_.path()).mkpath(QStringLiteral("event files/8 DEC 2026"));
        WelcomeWindow window(program, op_, QDate(2026, 12, 8));
        child<QPushButton>(window, "CreateBtn")->click();
        QCOMPARE(messages_, QStringList{QStringLiteral(
                                "An event with this name has already been created, please try a "
                                "different name")});
        QVERIFY(!program.eventOpen());

        child<QLineEdit>(window, "neweventED")->setText(QStringLiteral("../x"));
        child<QPushButton>(window, "CreateBtn")->click();
        QCOMPARE(messages_.size(), 2);
        QVERIFY(!program.eventOpen());
        QVERIFY(!QFileInfo::exists(home_.filePath("x")));
    }

    void refusesAFolderWithoutAnEvent() {
        QDir(home_.path()).mkpath(QStringLiteral("event files/Just A Folder"));
        Program program;
        startIn(program);
        WelcomeWindow window(program, op_);
        auto* list = child<QListWidget>(window, "eventLB");
        child<QPushButton>(window, "OpenBtn")->click(); // nothing selected: nothing happens
        QVERIFY(messages_.isEmpty());
        select(list, QStringLiteral("Just A Folder"));
        child<QPushButton>(window, "OpenBtn")->click();
        QCOMPARE(messages_, QStringList{QStringLiteral(
                                "The directory you have chosen does not contain an event")});
        QVERIFY(!program.eventOpen());
    }

    void opensAnEventAndListsItsCompetitors() {
        {
            Program first;
            startIn(first);
            first.event.competitor(2).name = "Bob Adams";
            first.event.competitor(1).name = "Ann Lee";
            first.event.competitor(1).transponder = 4711;
            QVERIFY(createEvent(first, "Club Day").ok);
        }
        Program program;
        startIn(program);
        WelcomeWindow window(program, op_);
        select(child<QListWidget>(window, "eventLB"), QStringLiteral("Club Day"));
        child<QPushButton>(window, "OpenBtn")->click();
        QVERIFY(messages_.isEmpty());
        QVERIFY(program.eventOpen());
        QCOMPARE(window.result(), int(QDialog::Accepted));

        MainScreens screens(program);
        MainWindow main(program, screens, op_);
        QCOMPARE(main.windowTitle(), QStringLiteral("Vexa Free V0.14"));
        auto* grid = child<QTableWidget>(main, "cptgrid");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(grid->item(0, 6)->text(), QStringLiteral("  YES"));
        QCOMPARE(grid->item(0, 7)->text(), QStringLiteral("4711"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Bob Adams"));
        QCOMPARE(grid->horizontalHeaderItem(7)->text(), QStringLiteral("AMBrc DP"));
        QCOMPARE(grid->columnWidth(0), 30);

        auto* order = main.findChild<QComboBox*>(QStringLiteral("displaybyCB"));
        QVERIFY(order);
        order->setCurrentIndex(2); // 'Second Name': ADAMS BOB before LEE ANN
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Bob Adams"));
    }
};

QTEST_MAIN(WelcomeWindowTest)
#include "welcome_window_test.moc"
