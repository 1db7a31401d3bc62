#include "ui/frequencies/frequency_check_list.h"

#include "model/event_data.h"
#include "platform/latin1.h"

#include <QResizeEvent>

namespace vexa {

FrequencyCheckList::FrequencyCheckList(const FreqNames& names, int columns, const char* name,
                                       QWidget* parent)
    : QListWidget(parent), columns_(columns < 2 ? 1 : 2) {
    setObjectName(QString::fromLatin1(name));
    setUniformItemSizes(true);
    if (columns_ == 2) {
        setFlow(QListView::TopToBottom);
        setWrapping(true);
        setResizeMode(QListView::Adjust);
    }
    for (int f = 1; f <= MaxFrequencies; ++f) {
        auto* item = new QListWidgetItem(toQt(names.name(f)), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
}

void FrequencyCheckList::setChecked(const std::vector<int>& freqs) {
    for (int i = 0; i < count(); ++i) item(i)->setCheckState(Qt::Unchecked);
    for (int f : freqs)
        if (f >= 1 && f <= count()) item(f - 1)->setCheckState(Qt::Checked);
}

std::vector<int> FrequencyCheckList::checked() const {
    std::vector<int> freqs;
    for (int i = 0; i < count(); ++i)
        if (item(i)->checkState() == Qt::Checked) freqs.push_back(i + 1);
    return freqs;
}

void FrequencyCheckList::resizeEvent(QResizeEvent* event) {
    QListWidget::resizeEvent(event);
    if (columns_ == 2) setGridSize(QSize(viewport()->width() / 2, sizeHintForRow(0)));
}

} // namespace vexa
