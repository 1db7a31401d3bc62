#include "ui/results/end_of_round_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>

namespace vexa {

EndOfRoundWindow::EndOfRoundWindow(EndOfRoundCommands commands, bool finalsSelected,
                                   QWidget* parent)
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
    auto* layout = new QHBoxLayout(this);
    for (QPushButton* b : {positions, startOrder, next, finals, main}) layout->addWidget(b);

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
