#include "ui/common/typing_window.h"

#include <QVariant>
#include <QWidget>

namespace vexa {

namespace {
const char* const TypingProperty = "vexaTypingWindow";
} // namespace

void markTypingWindow(QWidget& window) {
    window.setProperty(TypingProperty, true);
}

bool isTypingWindow(const QWidget& window) {
    return window.property(TypingProperty).toBool();
}

} // namespace vexa
