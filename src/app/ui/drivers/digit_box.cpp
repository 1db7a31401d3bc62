#include "ui/drivers/digit_box.h"

#include <QRegularExpressionValidator>

namespace vexa {

QLineEdit* textBox(int capacity, const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(capacity);
    return box;
}

QLineEdit* digitBox(int digits, const char* name, QWidget* parent) {
    QLineEdit* box = textBox(digits, name, parent);
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    // Wide enough for its digits and a little more, not the whole row.
    box->setMaximumWidth(
        box->fontMetrics().horizontalAdvance(QString(digits + 3, QLatin1Char('8'))));
    return box;
}

} // namespace vexa
