#include "ui/drivers/file_choices.h"

#include <QFileDialog>

namespace vexa {

namespace {

std::filesystem::path ask(QWidget* parent, const FileQuestion& q, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, q.caption, QString::fromStdU16String(q.dir.u16string()), q.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(q.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return std::filesystem::path(dialog.selectedFiles().first().toStdU16String());
}

} // namespace

FileChoices FileChoices::dialogs() {
    return {[](QWidget* parent, const FileQuestion& q) {
                return ask(parent, q, QFileDialog::AcceptOpen);
            },
            [](QWidget* parent, const FileQuestion& q) {
                return ask(parent, q, QFileDialog::AcceptSave);
            }};
}

} // namespace vexa
