#include "ui/frequencies/frequency_choice_box.h"

#include "platform/latin1.h"

namespace vexa {

FrequencyChoiceBox::FrequencyChoiceBox(const char* name, QWidget* parent) : QComboBox(parent) {
    setObjectName(QString::fromLatin1(name));
    setMinimumContentsLength(FreqNameCapacity);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (chosen && index >= 0 && index < static_cast<int>(shown_.size()))
            chosen(shown_[static_cast<size_t>(index)].freq);
    });
}

void FrequencyChoiceBox::rebuild() {
    shown_ = choices ? choices() : std::vector<FreqChoice>{};
    const QSignalBlocker quiet(this);
    clear();
    for (const FreqChoice& c : shown_) addItem(toQt(c.name));
    setCurrentIndex(shown_.empty() ? -1 : 0);
}

void FrequencyChoiceBox::showPopup() {
    rebuild();
    QComboBox::showPopup();
}

} // namespace vexa
