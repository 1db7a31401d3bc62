#include "ui/drivers/driver_entry_window.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "ui/drivers/controls.h"
#include "ui/drivers/enter_key.h"
#include "ui/drivers/picture_panel.h"
#include "ui/drivers/results_grid.h"
#include "ui/frequencies/frequency_allocation_window.h"
#include "ui/transponders/loan_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

QLabel* labelFor(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

DriverEntryWindow::DriverEntryWindow(Program& program, Operator& op, QWidget* parent)
    : QDialog(parent), program_(program), op_(op), entry_(program) {
    setObjectName(QStringLiteral("CompF"));
    setWindowTitle(QStringLiteral("Drivers Details"));
    setModal(true);
    buildNavigation();
    buildFields();
    connectFields();
    fill();
}

DriverEntryWindow::~DriverEntryWindow() {
    // The Id box loses the focus as the window goes; that is no Id typed.
    idBox_->blockSignals(true);
}

void DriverEntryWindow::buildNavigation() {
    back_ = plainButton(QStringLiteral("<"), "BackBtn", this);
    back_->setToolTip(QStringLiteral("Move Competetors backwards (+ Shift to go to start)"));
    back_->setAccessibleName(QStringLiteral("Back"));
    forward_ = plainButton(QStringLiteral(">"), "ForwardBtn", this);
    forward_->setToolTip(QStringLiteral("Move Competetors forwards (+ Shift to go to end)"));
    forward_->setAccessibleName(QStringLiteral("Forward"));
    idBox_ = digitBox(3, "idnumED", this);
    idBox_->setAlignment(Qt::AlignCenter);
    idBox_->setAccessibleName(QStringLiteral("Id"));
    for (QPushButton* b : {back_, forward_}) b->setFixedWidth(b->sizeHint().height() * 2);

    auto* pageUp = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    auto* pageDown = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(pageUp, &QShortcut::activated, this, &DriverEntryWindow::moveBack);
    connect(pageDown, &QShortcut::activated, this, &DriverEntryWindow::moveForward);
    connect(back_, &QPushButton::clicked, this, &DriverEntryWindow::moveBack);
    connect(forward_, &QPushButton::clicked, this, &DriverEntryWindow::moveForward);
    connect(idBox_, &QLineEdit::editingFinished, this, &DriverEntryWindow::showTypedId);
}

void DriverEntryWindow::buildFields() {
    name_ = textBox(NameCapacity, "nameED", this);
    name_->setMinimumWidth(
        name_->fontMetrics().horizontalAdvance(QString(NameCapacity, QLatin1Char('n'))));
    classBox_ = new QSpinBox(this);
    classBox_->setObjectName(QStringLiteral("classSE"));
    classBox_->setRange(0, MaxClasses - 1);
    className_ = new QLabel(this);
    className_->setObjectName(QStringLiteral("classnameLB"));
    noFreq_ = new QCheckBox(QStringLiteral("No Freq Needed / 2.4Ghz"), this);
    noFreq_->setObjectName(QStringLiteral("nofreqCHK"));
    freqButton_ = plainButton(QStringLiteral("Fre&q "), "FreqBtn", this);
    freqName_ = new QLabel(this);
    freqName_->setObjectName(QStringLiteral("freqnameLB"));
    ability_ = digitBox(3, "abilityED", this);
    memno_ = textBox(MemnoCapacity, "memnoED", this);
    memno_->setMaximumWidth(ability_->maximumWidth() * 2);
    transponder_ = digitBox(7, "transED", this);
    loan_ = new LoanBox(program_, op_, this);
    enabled_ = new QCheckBox(QStringLiteral("Driver Enabled"), this);
    enabled_->setObjectName(QStringLiteral("enabledCHK"));
    picture_ = new PicturePanel(program_.home.driverPicsDir(), op_, this);
    picture_->current = [this] { return entry_.competitor().picture; };
    picture_->changed = [this](const std::string& name) { entry_.setPicture(name); };
    results_ = new ResultsGrid(this);

    auto* navigation = new QHBoxLayout;
    navigation->addStretch();
    navigation->addWidget(back_);
    navigation->addWidget(idBox_);
    navigation->addWidget(forward_);
    navigation->addStretch();

    auto* form = new QGridLayout;
    form->addWidget(labelFor("Name", name_, this), 0, 0);
    form->addWidget(name_, 0, 1, 1, 2);
    form->addWidget(labelFor("Class", classBox_, this), 1, 0);
    form->addWidget(classBox_, 1, 1);
    form->addWidget(className_, 1, 2);
    form->addWidget(noFreq_, 2, 1, 1, 2);
    form->addWidget(freqButton_, 3, 0);
    form->addWidget(freqName_, 3, 1, 1, 2);
    form->addWidget(labelFor("Ability", ability_, this), 4, 0);
    form->addWidget(ability_, 4, 1);
    form->addWidget(labelFor("Mem #", memno_, this), 5, 0);
    form->addWidget(memno_, 5, 1);
    form->addWidget(labelFor("AMB DP", transponder_, this), 6, 0);
    form->addWidget(transponder_, 6, 1);
    form->addWidget(labelFor("Loa&n", &loan_->choice(), this), 7, 0);
    form->addWidget(loan_, 7, 1, 1, 2);
    form->addWidget(enabled_, 8, 1, 1, 2);
    form->setColumnStretch(2, 1);
    form->setRowStretch(9, 1);

    auto* resultsGroup = new QGroupBox(QStringLiteral("Results"), this);
    resultsGroup->setObjectName(QStringLiteral("ResultsGB"));
    auto* resultsLayout = new QVBoxLayout(resultsGroup);
    resultsLayout->addWidget(results_);

    auto* body = new QHBoxLayout;
    body->addLayout(form, 1);
    body->addWidget(picture_);
    body->addWidget(resultsGroup);
    // "Close" does what closing the window does: the shown entry is stored and saved.
    auto* close = plainButton(QStringLiteral("Close"), "CloseBtn", this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(navigation);
    layout->addLayout(body);
    layout->addLayout(closeRow);

    chainTabOrder({back_, idBox_, forward_, name_, classBox_, noFreq_, freqButton_, ability_,
                   memno_, transponder_, &loan_->choice(), &loan_->lendButton(),
                   &loan_->returnButton(), enabled_, &picture_->chooseButton(),
                   &picture_->removeButton(), results_, close});
}

void DriverEntryWindow::connectFields() {
    connect(name_, &QLineEdit::textEdited, this,
            [this](const QString& text) { entry_.setName(fromQt(text)); });
    onEnter(name_, [this] {
        entry_.capitaliseName();
        name_->setText(toQt(entry_.competitor().name));
        classBox_->setFocus();
    });
    connect(classBox_, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_) return;
        entry_.setClass(value);
        className_->setText(toQt(entry_.className()));
    });
    // Without a frequency to allocate, Enter goes on to the ability.
    onEnter(classBox_, [this] {
        (freqButton_->isEnabled() ? static_cast<QWidget*>(freqButton_) : ability_)->setFocus();
    });
    connect(noFreq_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_) return;
        entry_.setNoFreqNeeded(on);
        showFrequency();
    });
    connect(freqButton_, &QPushButton::clicked, this, &DriverEntryWindow::openFrequencies);
    connect(ability_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const auto shown = entry_.setAbility(fromQt(text))) ability_->setText(toQt(*shown));
    });
    onEnter(ability_, [this] { memno_->setFocus(); });
    connect(memno_, &QLineEdit::textEdited, this,
            [this](const QString& text) { entry_.setMemno(fromQt(text)); });
    onEnter(memno_, [this] { name_->setFocus(); });
    connect(transponder_, &QLineEdit::textEdited, this,
            [this](const QString& text) { entry_.setTransponder(fromQt(text)); });
    onEnter(transponder_, [this] { memno_->setFocus(); });
    connect(loan_, &LoanBox::transponderChanged, this,
            [this] { transponder_->setText(toQt(entry_.transponderText())); });
    connect(enabled_, &QCheckBox::toggled, this, [this](bool on) {
        if (!filling_) entry_.setEnabled(on);
    });
    onEnter(idBox_, [this] { showTypedId(); });
}

void DriverEntryWindow::fill() {
    filling_ = true;
    const comp_ent& c = entry_.competitor();
    idBox_->setText(QString::number(entry_.id()));
    name_->setText(toQt(c.name));
    classBox_->setValue(c.classno);
    className_->setText(toQt(entry_.className()));
    noFreq_->setChecked(c.noFreqNeeded());
    ability_->setText(toQt(entry_.abilityText()));
    memno_->setText(toQt(c.memno));
    transponder_->setText(toQt(entry_.transponderText()));
    loan_->showFor(entry_.id());
    enabled_->setChecked(c.isEnabled());
    results_->showRows(entry_.shownResults());
    showFrequency();
    picture_->showPicture(c.picture);
    filling_ = false;
}

void DriverEntryWindow::showFrequency() {
    freqButton_->setEnabled(!entry_.competitor().noFreqNeeded());
    freqName_->setText(toQt(entry_.freqText()));
}

void DriverEntryWindow::setCompetitor(int id) {
    entry_.show(id);
    fill();
}

void DriverEntryWindow::editCompetitor(int id) {
    setCompetitor(id);
    name_->setFocus();
    exec();
}

void DriverEntryWindow::showTypedId() {
    if (idBox_->text() == QString::number(entry_.id())) return;
    const auto message = entry_.showTyped(fromQt(idBox_->text()), results_->typedRows());
    fill();
    if (message) op_.inform(*message);
}

void DriverEntryWindow::moveBack() {
    entry_.back(results_->typedRows());
    fill();
}

void DriverEntryWindow::moveForward() {
    entry_.forward(results_->typedRows());
    fill();
}

void DriverEntryWindow::openFrequencies() {
    FrequencyAllocationWindow frequencies(program_, entry_.id(), this);
    frequencies.exec();
    if (!isVisible()) return;
    showFrequency();
    ability_->setFocus();
}

void DriverEntryWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return; // minimised, not closed
    const Outcome saved = entry_.hide(results_->typedRows());
    emit competitorsChanged();
    if (!saved) op_.inform(saved.message);
}

} // namespace vexa
