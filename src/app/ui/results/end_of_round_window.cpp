#include "ui/results/end_of_round_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

EndOfRoundWindow::EndOfRoundWindow(EndOfRoundCommands commands, bool finalsSelected,
                                   const QString& ended, QWidget* parent)
    : QDialog(parent), commands_(std::move(commands)) {
    setObjectName(QStringLiteral("TVEXAeorF"));
    setWindowTitle(QStringLiteral("End of Round - Options"));
    setModal(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);

    auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumHeight(40);
        return b;
    };
    auto* positions = button("Positions Print", "PositionsBtn");
    auto* startOrder = button("Print Start Order", "StartOrderBtn");
    auto* next = button("Next Round", "NextRoundBtn");
    auto* finals = button("Enter Finals", "EnterFinalsBtn");
    auto* main = button("Main Screen", "MainScreenBtn");
    finals->setEnabled(!finalsSelected);
    auto* what = new QLabel(ended, this);
    what->setObjectName(QStringLiteral("eorroundLB"));
    QFont bold = what->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    what->setFont(bold);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {positions, startOrder, next, finals, main}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addLayout(buttons);

    auto closeWhen = [this](bool closes) {
        if (!closes) return;
        closing_ = true;
        accept();
    };
    connect(positions, &QPushButton::clicked, this, [this] { commands_.positionsPrint(); });
    connect(startOrder, &QPushButton::clicked, this, [this] { commands_.printStartOrder(); });
    connect(next, &QPushButton::clicked, this,
            [this, closeWhen] { closeWhen(commands_.nextRound()); });
    connect(finals, &QPushButton::clicked, this,
            [this, closeWhen] { closeWhen(commands_.enterFinals()); });
    connect(main, &QPushButton::clicked, this, [this, closeWhen] {
        commands_.mainScreen();
        closeWhen(true);
    });
}

void EndOfRoundWindow::closeEvent(QCloseEvent* event) {
    if (closing_)
        event->accept();
    else
        event->ignore();
}

} // namespace vexa
