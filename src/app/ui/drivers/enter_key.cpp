#include "ui/drivers/enter_key.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace vexa {

namespace {

class EnterFilter : public QObject {
  public:
    EnterFilter(QWidget* widget, std::function<void()> act)
        : QObject(widget), act_(std::move(act)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        act_();
        return true;
    }

  private:
    std::function<void()> act_;
};

} // namespace

void onEnter(QWidget* widget, std::function<void()> act) {
    widget->installEventFilter(new EnterFilter(widget, std::move(act)));
}

} // namespace vexa
