// Before any Qt header: Qt's `slots` keyword would hide the helper of that name.
#include "support/event_builder.h"

#include "files/event_files.h"
#include "session/driver_commands.h"
#include "support/app_test_support.h"
#include "support/event_home.h"
#include "ui/database/database_window.h"
#include "ui/drivers/competitor_list_view.h"
#include "ui/drivers/driver_entry_window.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>

using namespace vexa;
using vexa::test::child;
using vexa::test::driver;
using vexa::test::seat;

// The driver menu and the drivers list of the main window, with their questions and the files
// they write.
class DriverCommandsTest : public QObject {
    Q_OBJECT

    test::EventHome home_;
    std::unique_ptr<MainScreens> screens_;
    std::unique_ptr<MainWindow> window_;
    DriverCommands* commands_ = nullptr;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;
    std::filesystem::path nextFile_; // what the next file dialog answers
    QStringList fileQuestions_;

    Program& program() { return home_.program(); }
    const MainMenus& menus() { return window_->menus(); }
    QTableWidget* list() { return child<QTableWidget>(*window_, "cptgrid"); }
    QStringList listedNames() {
        QStringList names;
        for (int r = 0; r < list()->rowCount(); ++r) names << list()->item(r, 1)->text();
        return names;
    }
    void selectId(int id) {
        for (int r = 0; r < list()->rowCount(); ++r)
            if (list()->item(r, 0)->text().toInt() == id) list()->selectRow(r);
    }
    FileChoices answeringFiles() {
        auto answer = [this](QWidget*, const FileQuestion& q) {
            fileQuestions_ << q.caption + QStringLiteral(" | ") + q.filter;
            return nextFile_;
        };
        return {answer, answer};
    }

  private slots:
    void init() {
        commands_ = nullptr;
        window_.reset();
        Program& program = home_.fresh();
        screens_ = std::make_unique<MainScreens>(program);
        window_ = std::make_unique<MainWindow>(program, *screens_, op_);
        commands_ = &wireDriverCommands(program, op_, *window_, answeringFiles());
        messages_.clear();
        fileQuestions_.clear();
        nextFile_.clear();
    }

    void newWithEveryEntryInUse() {
        for (int id = 1; id <= 300; ++id) driver(program().event, id, test::numbered("D", id));
        QVERIFY(menus().newDriver->isEnabled());
        menus().newDriver->trigger();
        QCOMPARE(messages_, QStringList{QStringLiteral("No free spaces can be found")});
    }

    void newOpensTheEntryWindowOnTheFirstFreeId() {
        driver(program().event, 1, "Ann Lee");
        int shown = 0;
        test::onNextModal([&shown](QWidget& modal) {
            shown = static_cast<DriverEntryWindow&>(modal).shownId();
            QTest::keyClicks(child<QLineEdit>(modal, "nameED"), "Bob Day");
            modal.close();
        });
        menus().newDriver->trigger();
        QCOMPARE(shown, 2);
        QCOMPARE(listedNames(),
                 (QStringList{QStringLiteral("Ann Lee"), QStringLiteral("Bob Day")}));
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(2).name, "Bob Day");
    }

    void doubleClickEditsOrActsAsNew() {
        driver(program().event, 4, "Ann Lee");
        window_->refreshCompetitorList();
        window_->show();
        auto* view = static_cast<CompetitorListView*>(list());
        int shown = 0;
        auto closeAndNote = [&shown](QWidget& modal) {
            shown = static_cast<DriverEntryWindow&>(modal).shownId();
            modal.close();
        };
        test::onNextModal(closeAndNote);
        const QRect row = view->visualRect(view->model()->index(0, 1));
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(shown, 4);
        test::onNextModal(closeAndNote);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           QPoint(row.center().x(), view->viewport()->height() - 5));
        QCOMPARE(shown, 1); // no competitor there: "New"
    }

    void namesListInTheirOrders() {
        driver(program().event, 3, "ann lee");
        driver(program().event, 5, "Ann Lee");
        driver(program().event, 7, "Zed Adams");
        driver(program().event, 9, "Cher");
        window_->refreshCompetitorList();
        auto* order = child<QComboBox>(*window_, "displaybyCB");
        order->setCurrentIndex(1); // 'First Name': equal names in Id order
        QCOMPARE(listedNames(), (QStringList{"ann lee", "Ann Lee", "Cher", "Zed Adams"}));
        order->setCurrentIndex(2); // 'Second Name': ADAMS ZED, CHER, LEE ANN
        QCOMPARE(listedNames(), (QStringList{"Zed Adams", "Cher", "ann lee", "Ann Lee"}));
    }

    void deleteEmptiesOnlyTheLastTableCellAndWritesTheFourFiles() {
        driver(program().event, 5, "Ann Lee");
        driver(program().event, 6, "Bob Day");
        seat(program().event.heats, 2, {5, 6});
        seat(program().event.heats, 6, {6, 5});
        seat(program().event.finals, 1, {5});
        program().event.storeResult(5, 1, 10, 300.0);
        window_->refreshCompetitorList();
        selectId(5);

        op_.answers = {false};
        menus().deleteDriver->trigger();
        QVERIFY(program().event.competitor(5).inUse());
        op_.answers = {true};
        menus().deleteDriver->trigger();
        QCOMPARE(messages_,
                 (QStringList{QStringLiteral("? Are you sure you want to delete competitor 5 ?"),
                              QStringLiteral("? Are you sure you want to delete competitor 5 ?")}));
        QCOMPARE(listedNames(), QStringList{QStringLiteral("Bob Day")});

        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        readTable(program().paths->heats, back.heats);
        readTable(program().paths->finals, back.finals);
        readResults(program().paths->results, back);
        QVERIFY(!back.competitor(5).inUse());
        QCOMPARE(back.heats.idAt(2, 1), 5);
        QCOMPARE(back.heats.idAt(6, 2), 0);
        QCOMPARE(back.heats.idAt(6, 1), 6);
        QCOMPARE(back.finals.idAt(1, 1), 0);
        QVERIFY(!back.cptres[5].hasResult(1));
    }

    void enableAndDisableAllAsk() {
        driver(program().event, 1, "Ann Lee");
        driver(program().event, 2, "Bob Day").enabled = 'N';
        window_->refreshCompetitorList();
        op_.answers = {false, true};
        menus().disableAll->trigger();
        QCOMPARE(list()->item(0, 6)->text(), QStringLiteral("  YES"));
        menus().disableAll->trigger();
        QCOMPARE(list()->item(0, 6)->text(), QStringLiteral("   NO"));
        menus().enableAll->trigger();
        QCOMPARE(list()->item(1, 6)->text(), QStringLiteral("  YES"));
        QCOMPARE(messages_,
                 (QStringList{QStringLiteral("? Are you sure you want to disable all driver ?"),
                              QStringLiteral("? Are you sure you want to disable all driver ?"),
                              QStringLiteral("? Are you sure you want to enable all driver ?")}));
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(2).enabled, 'Y');
    }

    void csvImportReportsTheDriversActuallyAdded() {
        for (int id = 1; id <= 298; ++id) driver(program().event, id, test::numbered("D", id));
        const QString csv = home_.filePath(QStringLiteral("club.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Ann Lee,3,55,A123456,1234567,0A\r\n,4\r\nBob Day,2\r\nCarl Moss,1\r\n");
        file.close();

        menus().importCsv->trigger(); // cancelled: nothing happens
        QVERIFY(messages_.isEmpty());
        nextFile_ = csv.toStdString();
        menus().importCsv->trigger();
        QCOMPARE(fileQuestions_.last(),
                 QStringLiteral("Import from CSV File | Import CSV File (*.csv)"));
        QCOMPARE(messages_, QStringList{QStringLiteral("2 drivers have been added to the event.")});
        QCOMPARE(list()->rowCount(), 300);
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(299).name, "Ann Lee");
        QCOMPARE(back.competitor(299).ownedFreqs(), (std::vector<int>{1, 18}));
        QCOMPARE(back.competitor(300).name, "Bob Day");
    }

    void databaseMenusFollowTheOpenDatabase() {
        QVERIFY(menus().newDatabase->isEnabled());
        QVERIFY(menus().openDatabase->isEnabled());
        QVERIFY(!menus().copyToDatabase->isEnabled());
        QVERIFY(!menus().copyAllToDatabase->isEnabled());

        nextFile_ = program().home.databaseDir() / "missing.qad";
        menus().openDatabase->trigger();
        QCOMPARE(messages_, QStringList{QStringLiteral(
                                "The drivers database file to be loaded did not exist")});

        const std::filesystem::path qad = program().home.databaseDir() / "club.qad";
        nextFile_ = qad;
        menus().newDatabase->trigger();
        QCOMPARE(fileQuestions_.last(),
                 QStringLiteral("New Drivers Database | Vexa Drivers Database (*.qad)"));
        auto& database = commands_->databaseWindow();
        QVERIFY(database.isVisible());
        QVERIFY(menus().copyAllToDatabase->isEnabled());

        driver(program().event, 1, "Ann Lee", 3);
        driver(program().event, 2, "Bob Day");
        window_->refreshCompetitorList();
        selectId(2);
        menus().copyToDatabase->trigger();
        menus().copyAllToDatabase->trigger();
        auto* grid = child<QTableWidget>(database, "DBgrid");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Bob Day"));
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("Ann Lee"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("2"));
        menus().setup->aboutToShow();
        QVERIFY(!menus().newDatabase->isEnabled()); // the database holds records now

        database.close();
        QVERIFY(!database.isVisible());
        DriversDatabase back;
        QVERIFY(loadDriversDatabase(back, qad).ok);
        QCOMPARE(back.records.size(), size_t(3));
        QVERIFY(!program().database.hasFile());
        QVERIFY(menus().newDatabase->isEnabled());
        QVERIFY(!menus().copyToDatabase->isEnabled());
    }

    void frequencyNumbersFromTheOutputMenu() {
        program().freqnames.names[2] = "27.095 Red";
        driver(program().event, 1, "Ann Lee").setOwnedFreqs({2});
        driver(program().event, 2, "Bob Day").setOwnedFreqs({2});
        QStringList lines;
        test::onNextModal([&lines](QWidget& modal) {
            lines << modal.windowTitle();
            auto* list = child<QListWidget>(modal, "ListLB");
            for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
            modal.close();
        });
        menus().frequencyNumbers->trigger();
        QCOMPARE(lines, (QStringList{"Frequency Numbers", "27.095 Red = 2"}));
    }
};

QTEST_MAIN(DriverCommandsTest)
#include "driver_commands_test.moc"
