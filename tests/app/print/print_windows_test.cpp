#include "program/program.h"
#include "support/app_test_support.h"
#include "support/print_recorder.h"
#include "support/recorded_printing.h"
#include "ui/print/label_printing_window.h"
#include "ui/print/output_commands.h"
#include "ui/print/racing_table_print_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace vexa;
using vexa::test::child;

// The print windows of the reports, driven as the operator drives them.
class PrintWindowsTest : public QObject {
    Q_OBJECT

    Program program_;
    std::vector<std::string> jobs_;
    test::RecordingOperator op_;
    QStringList& messages_ = op_.shown;

    // A printing whose jobs are recorded; each job's transcript is kept when it closes.
    ReportPrinting printing() { return test::recordedPrinting(program_, jobs_, op_); }

  private slots:
    void init() {
        program_ = Program{};
        program_.settings.classes[1].name = "Touring";
        program_.event.competitor(1).name = "Ann Lee";
        program_.event.competitor(1).classno = 1;
        program_.event.heats.setSlotText(1, 1, "1");
        program_.event.heats.setSlotText(2, 1, "1");
        program_.event.heats.setSlotText(2, 2, "1");
        program_.event.finals.setInfo(1, "1/A");
        program_.event.finals.setSlotText(1, 1, "1");
        program_.event.finals.setInfo(2, "1/B");
        program_.event.finals.setSlotText(2, 1, "1");
        jobs_.clear();
        messages_.clear();
    }

    void racingTablePrintOfAChosenRange() {
        RacingTablePrintWindow window(printing());
        QCOMPARE(window.windowTitle(), QStringLiteral("Racing Table Print"));
        window.openFor(true);
        QVERIFY(child<QRadioButton>(window, "RfinalsCHK")->isChecked());
        auto* printAll = child<QCheckBox>(window, "printallchk");
        auto* range = child<QGroupBox>(window, "rangeGB");
        QVERIFY(printAll->isChecked());
        QVERIFY(range->isHidden());
        printAll->setChecked(false);
        QVERIFY(!range->isHidden());
        auto* start = child<QLineEdit>(window, "rangestart");
        auto* end = child<QLineEdit>(window, "rangeend");
        start->setText(QStringLiteral("2"));
        end->clear();
        emit end->editingFinished();
        QCOMPARE(end->text(), QStringLiteral("50"));
        child<QCheckBox>(window, "incfreqCHK")->setChecked(false);
        child<QPushButton>(window, "OKBtn")->click();
        QVERIFY(window.isHidden());
        QCOMPARE(jobs_.size(), size_t(1));
        const QString printed = QString::fromStdString(jobs_[0]);
        QVERIFY(printed.contains(QStringLiteral("B Final:2  Touring")));
        QVERIFY(!printed.contains(QStringLiteral("A Final:1")));

        printAll->setChecked(true);
        QCOMPARE(start->text(), QStringLiteral("1"));
        child<QRadioButton>(window, "heatchk")->setChecked(true);
        child<QPushButton>(window, "OKBtn")->click();
        QVERIFY(QString::fromStdString(jobs_[1]).contains(QStringLiteral("Heat:1 (Touring")));
    }

    void labelsByCarNumberAskForTheStock() {
        LabelPrintingWindow window(printing());
        QCOMPARE(window.windowTitle(), QStringLiteral("Label Printing"));
        QVERIFY(child<QRadioButton>(window, "heatchk")->isChecked());
        QVERIFY(child<QRadioButton>(window, "onecolchk")->isChecked());
        child<QRadioButton>(window, "ordercar")->setChecked(true);
        child<QRadioButton>(window, "Printthenfeedchk")->setChecked(true);
        child<QPushButton>(window, "OKBtn")->click();
        QCOMPARE(messages_, (QStringList{QStringLiteral("Ready to print 2* car number :1's"),
                                         QStringLiteral("Ready to print 1* car number :2's")}));
        QCOMPARE(jobs_.size(), size_t(1));
        QCOMPARE(QString::fromStdString(jobs_[0]).count(QStringLiteral("<FF>")), 3);
    }

    void startOrderMenuIsRefusedInRoundOne() {
        program_.settings.roundNumber = 1;
        startOrderMenuCommand(printing(), nullptr);
        QCOMPARE(messages_,
                 QStringList{QStringLiteral("Can't print start orders, its only round 1 !")});
        QVERIFY(jobs_.empty());

        program_.settings.roundNumber = 3;
        startOrderMenuCommand(printing(), nullptr);
        printStartOrderForNextRound(printing(), nullptr);
        QCOMPARE(jobs_.size(), size_t(2));
        QVERIFY(
            QString::fromStdString(jobs_[0]).contains(QStringLiteral("START ORDER FOR ROUND 3")));
        QVERIFY(
            QString::fromStdString(jobs_[1]).contains(QStringLiteral("START ORDER FOR ROUND 4")));
    }

    void aFailedJobIsToldToTheOperator() {
        ReportPrinting refusing = printing();
        refusing.printer = [](QWidget*, const QString&) {
            auto job = std::make_unique<test::PrintRecorder>();
            job->refuseOpen = true;
            return job;
        };
        program_.settings.roundNumber = 2;
        startOrderMenuCommand(refusing, nullptr);
        QCOMPARE(messages_, QStringList{QStringLiteral("No printer")});
    }
};

QTEST_MAIN(PrintWindowsTest)
#include "print_windows_test.moc"
