#include "ui/operator_messages.h"

#include <QApplication>
#include <QMessageBox>

namespace vexa {

InformOperator messageBoxInformer() {
    return [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QApplication::applicationName(), text);
    };
}

} // namespace vexa
