#include "ui/event/welcome_window.h"

#include "files/settings_file.h"
#include "platform/latin1.h"
#include "program/event_store.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace vexa {

WelcomeWindow::WelcomeWindow(Program& program, Operator& op, QDate today, QWidget* parent)
    : QDialog(parent), program_(program), op_(op) {
    setObjectName(QStringLiteral("WelcomeF"));
    setWindowTitle(QStringLiteral("Vexa Free"));
    setModal(true);

    auto* nameLabel = new QLabel(QStringLiteral("New Event Name:"), this);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("neweventED"));
    nameEdit_->setText(toQt(defaultEventName(today.year(), today.month(), today.day())));
    nameLabel->setBuddy(nameEdit_);

    radiosOnly_ = new QCheckBox(QString::fromLatin1(RadiosOnlyCaption), this);
    radiosOnly_->setObjectName(QStringLiteral("radiosonlyCHK"));
    radiosOnly_->setChecked(!program_.settings.requiresFreq);
    radiosOnly_->setToolTip(QStringLiteral(
        "New drivers need no radio frequency: they are \"No Freq Needed / 2.4Ghz\""));

    auto* listLabel = new QLabel(QStringLiteral("Existing Events:"), this);
    eventList_ = new QListWidget(this);
    eventList_->setObjectName(QStringLiteral("eventLB"));
    listLabel->setBuddy(eventList_);

    auto* createBtn = new QPushButton(QStringLiteral("Create New Event"), this);
    createBtn->setObjectName(QStringLiteral("CreateBtn"));
    auto* openBtn = new QPushButton(QStringLiteral("Open Existing Event"), this);
    openBtn->setObjectName(QStringLiteral("OpenBtn"));
    auto* exitBtn = new QPushButton(QStringLiteral("Exit Program"), this);
    exitBtn->setObjectName(QStringLiteral("ExitBtn"));
    auto* version =
        new QLabel(QStringLiteral("Version: ") + QString::fromLatin1(ProgramVersion), this);
    version->setObjectName(QStringLiteral("versionLB"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(nameLabel, 0, 0);
    layout->addWidget(nameEdit_, 0, 1);
    layout->addWidget(createBtn, 0, 2);
    layout->addWidget(radiosOnly_, 1, 1, 1, 2);
    layout->addWidget(listLabel, 2, 0, Qt::AlignTop);
    layout->addWidget(eventList_, 2, 1);
    layout->addWidget(openBtn, 2, 2, Qt::AlignTop);
    layout->addWidget(version, 3, 0, 1, 2);
    layout->addWidget(exitBtn, 3, 2);

    connect(createBtn, &QPushButton::clicked, this, &WelcomeWindow::createClicked);
    connect(nameEdit_, &QLineEdit::returnPressed, this, &WelcomeWindow::createClicked);
    connect(openBtn, &QPushButton::clicked, this, &WelcomeWindow::openClicked);
    connect(eventList_, &QListWidget::itemDoubleClicked, this, &WelcomeWindow::openClicked);
    connect(exitBtn, &QPushButton::clicked, this, &WelcomeWindow::exitClicked);

    fillEventList();
    resize(560, 320);
}

void WelcomeWindow::fillEventList() {
    eventList_->clear();
    for (const std::string& name : listEvents(program_.home)) eventList_->addItem(toQt(name));
}

void WelcomeWindow::createClicked() {
    const Outcome created = createEvent(program_, fromQt(nameEdit_->text()));
    if (!created) {
        op_.inform(created.message);
        return;
    }
    // The event is made; a settings file that cannot be written is told, and the event opens.
    if (const Outcome chosen = chooseEventRadios(program_, radiosOnly_->isChecked()); !chosen)
        op_.inform(chosen.message);
    accept();
}

void WelcomeWindow::openClicked() {
    QListWidgetItem* item = eventList_->currentItem();
    if (!item) return;
    const OpenEventResult opened = openEvent(program_, fromQt(item->text()));
    if (!opened.message.empty()) op_.inform(opened.message);
    if (opened.opened) accept();
}

void WelcomeWindow::exitClicked() {
    exitChosen_ = true;
    QDialog::reject();
}

void WelcomeWindow::closeEvent(QCloseEvent* event) {
    if (program_.eventOpen() || exitChosen_)
        event->accept();
    else
        event->ignore();
}

void WelcomeWindow::reject() {
    // Escape and the window's close button do nothing until an event is open.
    if (program_.eventOpen() || exitChosen_) QDialog::reject();
}

} // namespace vexa
