#include "ui/race/race_keys.h"

#include "journal/race_inputs.h"
#include "ui/common/typing_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace vexa {

RaceKeys::RaceKeys(RaceInputs& inputs, QWidget& panel, QObject* parent)
    : QObject(parent), inputs_(inputs), panel_(panel) {
    qApp->installEventFilter(this);
}

char RaceKeys::keyCharacter(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<char>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>('A' + (key - Qt::Key_A));
    return 0;
}

bool RaceKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (!countsIn(*static_cast<QWidget*>(watched)->window())) return false;
    const char c = keyCharacter(key->key());
    return c != 0 && inputs_.key(c);
}

bool RaceKeys::countsIn(const QWidget& window) const {
    if (QApplication::activeModalWidget() || window.isModal() || isTypingWindow(window))
        return false;
    if (&window == panel_.window()) return panel_.isVisible();
    return true;
}

} // namespace vexa
