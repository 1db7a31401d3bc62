#pragma once

#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

// The buttons at the foot of a dialog, right-aligned: the first is the default button.
struct OkCancelRow {
    QPushButton* ok;
    QPushButton* cancel;
};

// Adds the row with the two captions to `into`; the buttons are named "OKBtn" and "CancelBtn".
OkCancelRow okCancelRow(QVBoxLayout* into, const char* okCaption, const char* cancelCaption,
                        QWidget* parent);

} // namespace vexa
