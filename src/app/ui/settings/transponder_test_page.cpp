#include "ui/settings/transponder_test_page.h"

#include "platform/latin1.h"
#include "timing/transponder_test.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

TransponderTestPage::TransponderTestPage(TransponderTest& test, QWidget* parent)
    : QWidget(parent), test_(test) {
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("checktranmessagelb"));
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("CheckstranMemo"));
    memo_->setReadOnly(true);
    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* reset = button("Start", "Reset Counter");
    QPushButton* clearButton = button("checksmemoClear", "Clear");
    QPushButton* info = button("ChecksInfoBtn", "Information");
    connect(reset, &QPushButton::clicked, this, [this] { test_.resetCounterClick(); });
    connect(clearButton, &QPushButton::clicked, this, [this] { test_.clearClick(); });
    connect(info, &QPushButton::clicked, this, [this] { test_.informationClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addWidget(clearButton);
    buttons->addWidget(info);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(memo_, 1);
    layout->addLayout(buttons);
}

void TransponderTestPage::setLabel(const std::string& text) {
    label_->setText(toQt(text));
}

void TransponderTestPage::addLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) memo_->appendPlainText(toQt(line));
}

void TransponderTestPage::clear() {
    memo_->clear();
}

} // namespace vexa
