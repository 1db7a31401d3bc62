#include "ui/drivers/controls.h"

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

QPushButton* plainButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

void chainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* const* w = widgets.begin();
    for (size_t i = 0; i + 1 < widgets.size(); ++i) QWidget::setTabOrder(w[i], w[i + 1]);
}

} // namespace vexa
