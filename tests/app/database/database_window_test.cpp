// Before any Qt header: Qt's `slots` keyword would hide the helper of that name.
#include "support/event_builder.h"

#include "files/event_files.h"
#include "support/app_test_support.h"
#include "support/event_home.h"
#include "ui/database/database_editor.h"
#include "ui/database/database_window.h"
#include "ui/frequencies/frequency_check_list.h"
#include "ui/frequencies/frequency_choice_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace vexa;
using vexa::test::child;
using vexa::test::driver;

// The "Driver Database" window and its "Driver Database Editor".
class DatabaseWindowTest : public QObject {
    Q_OBJECT

    test::EventHome home_;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;
    std::filesystem::path exportTo_;
    std::unique_ptr<DatabaseWindow> window_;

    Program& program() { return home_.program(); }
    std::filesystem::path qad() { return program().home.databaseDir() / "club.qad"; }
    QTableWidget* grid() { return child<QTableWidget>(*window_, "DBgrid"); }
    QStringList column(int c) {
        QStringList texts;
        for (int r = 0; r < grid()->rowCount(); ++r) texts << grid()->item(r, c)->text();
        return texts;
    }
    void addRecord(const std::string& name, int ability, int classno = 0) {
        driver_ent d;
        d.name = name;
        d.ability = static_cast<int16_t>(ability);
        d.classno = static_cast<uint8_t>(classno);
        QVERIFY(saveDatabaseRecord(program().database, d, std::nullopt).outcome.ok);
    }

  private slots:
    void init() {
        home_.fresh().settings.classes[3].name = "Touring";
        newDriversDatabase(program().database, qad());
        addRecord("John Smith", 40, 3);
        addRecord("ann lee", 70);
        addRecord("Bob Adams", 55);
        messages_.clear();
        FileChoices files;
        files.save = [this](QWidget*, const FileQuestion& q) {
            messages_ << QStringLiteral("file: ") + q.filter;
            return exportTo_;
        };
        window_ = std::make_unique<DatabaseWindow>(program(), op_, files);
        window_->showDatabase();
    }

    void listsInItsFourOrders() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Driver Database"));
        QVERIFY(window_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
        QCOMPARE(grid()->item(0, 2)->text(), QStringLiteral("3) Touring"));
        auto* order = child<QComboBox>(*window_, "displaybyCB");
        order->setCurrentIndex(1);
        QCOMPARE(column(1), (QStringList{"ann lee", "Bob Adams", "John Smith"}));
        order->setCurrentIndex(2);
        QCOMPARE(column(1), (QStringList{"Bob Adams", "ann lee", "John Smith"}));
        order->setCurrentIndex(3);
        QCOMPARE(column(3), (QStringList{"70", "55", "40"}));

        // Shift and a letter jumps to the first name (in the order's form) that begins with it.
        order->setCurrentIndex(2);
        QTest::keyClick(grid(), Qt::Key_S, Qt::ShiftModifier);
        QCOMPARE(grid()->currentRow(), 2);
        QTest::keyClick(grid(), Qt::Key_L, Qt::ShiftModifier);
        QCOMPARE(grid()->currentRow(), 1);
    }

    void transferAsksItsQuestionAndWritesTheCompetitorsFile() {
        driver(program().event, 1, "John Smith", 3);
        QSignalSpy changed(window_.get(), &DatabaseWindow::competitorsChanged);
        child<QPushButton>(*window_, "TransferBtn")->click(); // nothing selected
        QVERIFY(messages_.isEmpty());
        grid()->selectRow(0);
        op_.answers = {false};
        child<QPushButton>(*window_, "TransferBtn")->click();
        QVERIFY(!program().event.competitor(2).inUse());
        op_.answers = {true};
        child<QPushButton>(*window_, "TransferBtn")->click();
        QCOMPARE(messages_,
                 (QStringList{QStringLiteral("? A driver with this name and class is already in "
                                             "the event, continue ?"),
                              QStringLiteral("? A driver with this name and class is already in "
                                             "the event, continue ?")}));
        QCOMPARE(changed.count(), 1);
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(2).name, "John Smith");
        QCOMPARE(back.competitor(2).classno, 3);
    }

    void deleteAsksAndExportWritesTheList() {
        grid()->selectRow(1);
        op_.answers = {false, true};
        child<QPushButton>(*window_, "DeleteBtn")->click();
        QCOMPARE(grid()->rowCount(), 3);
        child<QPushButton>(*window_, "DeleteBtn")->click();
        QCOMPARE(column(1), (QStringList{"John Smith", "Bob Adams"}));
        QCOMPARE(messages_.first(), QStringLiteral("?  Are you sure you want to delete ann lee"));

        exportTo_ = home_.filePath(QStringLiteral("drivers.csv")).toStdString();
        child<QPushButton>(*window_, "ExportBtn")->click();
        QCOMPARE(messages_.last(), QStringLiteral("file: CSV file (*.csv)"));
        QFile csv(home_.filePath(QStringLiteral("drivers.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines[0].trimmed(),
                 QByteArray("Id,Name,Class,Ability,Membership,AMB dp,"
                            "AddressL1,AddressL2,AddressL3,Postcode,Tel,Email"));
        QVERIFY(lines[1].startsWith("1,John Smith,3) Touring,40,"));
        QVERIFY(lines[2].startsWith("3,Bob Adams,"));
    }

    void theEditorMakesAndChangesRecords() {
        program().freqnames.names[2] = "27.095 Red";
        program().freqnames.names[5] = "40.665 Blue";
        program().settings.requiresFreq = false;
        test::onNextModal([this](QWidget& modal) {
            QCOMPARE(modal.windowTitle(), QStringLiteral("Driver Database Editor"));
            auto* noFreq = child<QCheckBox>(modal, "nofreqCHK");
            QVERIFY(noFreq->isChecked()); // a new record needs no frequency by default
            QVERIFY(child<FrequencyCheckList>(modal, "freqlistCLB")->isHidden());
            child<QPushButton>(modal, "SaveBtn")->click(); // no name
            QCOMPARE(messages_.last(), QStringLiteral("The driver must be given a name"));
            auto* name = child<QLineEdit>(modal, "nameED");
            name->setFocus();
            QTest::keyClicks(name, "carl moss");
            QTest::keyClick(name, Qt::Key_Return);
            QCOMPARE(name->text(), QStringLiteral("Carl Moss"));
            QTest::keyClicks(child<QLineEdit>(modal, "abilityED"), "6a5");
            child<QSpinBox>(modal, "classSE")->setValue(3);
            QCOMPARE(child<QLabel>(modal, "classnameLB")->text(), QStringLiteral("Touring"));
            noFreq->setChecked(false);
            auto* crystals = child<FrequencyCheckList>(modal, "freqlistCLB");
            QVERIFY(!crystals->isHidden());
            crystals->setChecked({2, 5});
            auto* preferred = child<FrequencyChoiceBox>(modal, "preffreqCB");
            preferred->rebuild();
            QCOMPARE(preferred->count(), 3);
            QCOMPARE(preferred->itemText(1), QStringLiteral("27.095 Red"));
            preferred->setCurrentIndex(2);
            emit preferred->activated(2);
            child<QPushButton>(modal, "SaveBtn")->click();
        });
        child<QPushButton>(*window_, "NewBtn")->click();
        const driver_ent& carl = program().database.records.back();
        QCOMPARE(carl.id, 4);
        QCOMPARE(carl.name, "Carl Moss");
        QCOMPARE(carl.ability, 65);
        QCOMPARE(carl.classno, 3);
        QCOMPARE(carl.preffreq, 5);
        QCOMPARE(carl.ownedFreqs(), (std::vector<int>{2, 5}));
        QVERIFY(!carl.noFreqNeeded());
        QCOMPARE(column(1).last(), QStringLiteral("Carl Moss"));
        QCOMPARE(grid()->item(3, 4)->text(), QStringLiteral("40.665 Blue"));

        // A double click on a row edits it; "&Save and transfer to event" takes it over.
        test::onNextModal([](QWidget& modal) {
            auto* ability = child<QLineEdit>(modal, "abilityED");
            QCOMPARE(ability->text(), QStringLiteral("55"));
            ability->clear();
            child<QPushButton>(modal, "SaveTransferBtn")->click();
        });
        const QRect bob = grid()->visualRect(grid()->model()->index(2, 1));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, bob.center());
        QCOMPARE(program().database.records[2].ability, 0);
        QCOMPARE(program().database.records[2].id, 3);
        QCOMPARE(program().event.competitor(1).name, "Bob Adams");
        EventData back;
        QVERIFY(readCompetitors(program().paths->competitors, back).ok);
        QCOMPARE(back.competitor(1).name, "Bob Adams");
    }

    void closingWritesTheFileOrStaysWithTheReason() {
        // The file cannot be written while a folder stands in its place.
        std::filesystem::create_directories(qad() / "blocked");
        window_->close();
        QVERIFY(window_->isVisible());
        QCOMPARE(messages_.size(), 1);
        QCOMPARE(program().database.records.size(), size_t(3));

        std::filesystem::remove_all(qad());
        window_->close();
        QVERIFY(!window_->isVisible());
        QVERIFY(!program().database.hasFile());
        QCOMPARE(grid()->rowCount(), 0);
        DriversDatabase back;
        QVERIFY(loadDriversDatabase(back, qad()).ok);
        QCOMPARE(back.records.size(), size_t(3));
    }
};

QTEST_MAIN(DatabaseWindowTest)
#include "database_window_test.moc"
