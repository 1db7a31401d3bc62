#include "ui/main/exit_confirmation.h"

#include "platform/latin1.h"
#include "program/main_screens.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

ExitConfirmation::ExitConfirmation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ExitF"));
    setWindowTitle(QString::fromLatin1(ExitQuestionCaption));
    setModal(true);

    auto* text = new QLabel(QString::fromLatin1(ExitQuestionText), this);
    answer_ = new QLineEdit(this);
    answer_->setObjectName(QStringLiteral("exitED"));
    answer_->setEchoMode(QLineEdit::Password);
    text->setBuddy(answer_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(answer_);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &ExitConfirmation::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, answer_, &QLineEdit::clear);
}

void ExitConfirmation::okClicked() {
    if (MainScreens::exitConfirmed(fromQt(answer_->text()))) {
        accept();
        return;
    }
    answer_->clear();
    answer_->setFocus();
}

} // namespace vexa
