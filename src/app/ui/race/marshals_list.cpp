#include "ui/race/marshals_list.h"

#include "platform/latin1.h"

#include <QHBoxLayout>
#include <QLabel>

namespace vexa {

MarshalsList::MarshalsList(const char* objectName, int columns, QWidget* parent) : QFrame(parent) {
    setObjectName(QString::fromLatin1(objectName));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    for (int c = 0; c < columns; ++c) {
        auto* column = new QLabel(this);
        column->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        column->setTextFormat(Qt::PlainText);
        layout->addWidget(column, 1);
        columns_.push_back(column);
    }
}

void MarshalsList::setMarshals(const std::vector<std::string>& marshals) {
    if (marshals == shown_) return;
    shown_ = marshals;
    const size_t perColumn = (marshals.size() + columns_.size() - 1) / columns_.size();
    for (size_t c = 0; c < columns_.size(); ++c) {
        QStringList names;
        for (size_t i = c * perColumn; i < marshals.size() && i < (c + 1) * perColumn; ++i)
            names << toQt(marshals[i]);
        columns_[c]->setText(names.join(QLatin1Char('\n')));
    }
}

QStringList MarshalsList::lines() const {
    QStringList out;
    for (const std::string& m : shown_) out << toQt(m);
    return out;
}

} // namespace vexa
