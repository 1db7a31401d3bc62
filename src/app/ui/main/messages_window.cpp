#include "ui/main/messages_window.h"

#include "platform/latin1.h"
#include "program/message_desk.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

MessagesWindow::MessagesWindow(const MessageDesk& desk, QWidget* parent)
    : QWidget(parent, Qt::Window), desk_(desk) {
    setObjectName(QStringLiteral("MessagesF"));
    setWindowTitle(QStringLiteral("Messages"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("messagesLB"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    list_->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(640, 320);
    refresh();
}

void MessagesWindow::refresh() {
    // Messages are few (a handful in a meeting): the list is drawn again whole.
    list_->clear();
    for (const LoggedMessage& m : desk_.log()) list_->addItem(toQt(m.time + "  " + m.text));
    list_->scrollToBottom();
}

void MessagesWindow::showInFront() {
    refresh();
    show();
    raise();
}

} // namespace vexa
