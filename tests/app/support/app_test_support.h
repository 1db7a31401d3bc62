#pragma once

#include "ports/operator.h"

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <string>

namespace vexa::test {

// The operator of a test: every message and question is kept as text ("? " before a question)
// and questions are answered from a script, then with `answer`.
class RecordingOperator : public Operator {
  public:
    QStringList shown;
    std::deque<bool> answers;
    bool answer = true;

    void inform(const std::string& text) override { shown << QString::fromLatin1(text.c_str()); }
    bool ask(const std::string& text, Buttons) override {
        shown << QStringLiteral("? ") + QString::fromLatin1(text.c_str());
        if (answers.empty()) return answer;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

// The child widget (or object) of that type and object name; the test stops when there is none.
template <typename T> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no child %s", name);
    return found;
}

// Runs `act` on the next modal window that opens (a dialog shown with exec()), as soon as the
// event loop runs it.
inline void onNextModal(std::function<void(QWidget&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        act(*modal);
    });
    poll->start();
}

} // namespace vexa::test
