#pragma once

#include <QString>

namespace vexa {

// Gives a new widget its object name, by which tests find it and readers find its code, and
// hands it back.
template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace vexa
