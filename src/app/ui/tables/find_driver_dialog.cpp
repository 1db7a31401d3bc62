#include "ui/tables/find_driver_dialog.h"

#include "platform/latin1.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

FindDriverDialog::FindDriverDialog(const EventData& event, int id, GoTo goTo, QWidget* parent)
    : QDialog(parent), goTo_(std::move(goTo)) {
    setObjectName(QStringLiteral("FindDriverF"));
    setWindowTitle(QStringLiteral("Find Driver"));
    new QVBoxLayout(this);

    const FindDriverResult found = findDriver(event, id);
    addGroup("Qualifier / Heat", "heatGB", found.heatText, "heatLB", "heatGotoBtn", true,
             found.heat);
    addGroup("Main / Final", "finalGB", found.finalText, "finalLB", "finalGotoBtn", false,
             found.final);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout()->addWidget(ok);
    layout()->setAlignment(ok, Qt::AlignRight);
}

void FindDriverDialog::addGroup(const char* title, const char* groupName, const std::string& text,
                                const char* textName, const char* buttonName, bool heats,
                                TablePlace place) {
    auto* group = new QGroupBox(QString::fromLatin1(title), this);
    group->setObjectName(QString::fromLatin1(groupName));
    auto* label = new QLabel(toQt(text), group);
    label->setObjectName(QString::fromLatin1(textName));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(
        QStringLiteral("NOT FOUND IN THE QUALIFIER TABLE/HEAT")));
    auto* goTo = new QPushButton(QStringLiteral("GO TO >>"), group);
    goTo->setObjectName(QString::fromLatin1(buttonName));
    goTo->setEnabled(place.found());
    connect(goTo, &QPushButton::clicked, this, [this, heats, place] {
        goTo_(heats, place);
        accept();
    });
    auto* row = new QHBoxLayout(group);
    row->addWidget(label, 1);
    row->addWidget(goTo);
    layout()->addWidget(group);
}

} // namespace vexa
