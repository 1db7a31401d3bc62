#include "ui/common/ok_cancel_row.h"

#include <QHBoxLayout>

namespace vexa {

OkCancelRow okCancelRow(QVBoxLayout* into, const char* okCaption, const char* cancelCaption,
                        QWidget* parent) {
    auto* ok = new QPushButton(QString::fromLatin1(okCaption), parent);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromLatin1(cancelCaption), parent);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    into->addLayout(row);
    return {ok, cancel};
}

} // namespace vexa
