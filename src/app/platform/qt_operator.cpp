#include "platform/qt_operator.h"

#include "platform/latin1.h"

#include <QApplication>
#include <QMessageBox>

namespace vexa {

namespace {

QWidget* askingWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return QApplication::activeWindow();
}

} // namespace

void QtOperator::inform(const std::string& text) {
    QMessageBox::information(askingWindow(), QApplication::applicationName(), toQt(text));
}

bool QtOperator::ask(const std::string& text, Buttons buttons) {
    QMessageBox::StandardButton yes = QMessageBox::Ok;
    QMessageBox::StandardButton no = QMessageBox::Cancel;
    if (buttons == Buttons::YesNo) {
        yes = QMessageBox::Yes;
        no = QMessageBox::No;
    } else if (buttons == Buttons::YesCancel) {
        yes = QMessageBox::Yes;
    }
    return QMessageBox::question(askingWindow(), QApplication::applicationName(), toQt(text),
                                 yes | no, yes) == yes;
}

} // namespace vexa
