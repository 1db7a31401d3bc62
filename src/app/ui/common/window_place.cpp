#include "ui/common/window_place.h"

#include "settings/display_settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vexa {

std::optional<bool> restoreWindowPlace(QWidget& window, const std::string& text) {
    const std::optional<WindowPlace> place = readWindowPlace(text);
    if (!place) return std::nullopt;
    const QRect rect(place->x, place->y, place->width, place->height);
    // Most of the title bar must be on a screen, or the operator could not move the window.
    QScreen* on = QGuiApplication::screenAt(QPoint(rect.center().x(), rect.top() + 10));
    if (!on) return std::nullopt;
    const QSize least = window.minimumSize();
    window.setGeometry(QRect(rect.topLeft(), rect.size().expandedTo(least)));
    return place->maximised;
}

std::string windowPlace(const QWidget& window) {
    const bool maximised = window.isMaximized() || window.isFullScreen();
    const QRect r = maximised ? window.normalGeometry() : window.geometry();
    if (r.width() <= 0 || r.height() <= 0) return {};
    return windowPlaceText({r.x(), r.y(), r.width(), r.height(), maximised});
}

QScreen* screenOf(const QWidget& window) {
    if (QScreen* s = QGuiApplication::screenAt(window.geometry().center())) return s;
    return window.screen();
}

} // namespace vexa
