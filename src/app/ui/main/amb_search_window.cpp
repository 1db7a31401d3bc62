#include "ui/main/amb_search_window.h"

#include "platform/latin1.h"
#include "timing/counting_equipment.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vexa {

AmbSearchWindow::AmbSearchWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TVexaAMBsearchF"));
    setWindowTitle(QStringLiteral("AMB Connection"));
    setWindowModality(Qt::ApplicationModal);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("ambsearchLB"));
    message_->setAlignment(Qt::AlignCenter);
    message_->setMinimumWidth(360);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("AMBsearchPB"));
    progress_->setRange(0, PresenceCheckSteps);
    progress_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addWidget(progress_);
}

void AmbSearchWindow::open(const std::string& message) {
    message_->setText(toQt(message));
    progress_->setValue(0);
    show();
    raise();
}

void AmbSearchWindow::setMessage(const std::string& message) {
    message_->setText(toQt(message));
}

void AmbSearchWindow::setProgress(int step) {
    progress_->setValue(step);
}

void AmbSearchWindow::close() {
    hide();
}

void AmbSearchWindow::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit hidden();
}

} // namespace vexa
