#include "ui/common/choice_group.h"

#include <QGroupBox>

namespace vexa {

ChoicePair choiceGroup(QVBoxLayout* into, const char* title, const char* firstName,
                       const char* first, const char* secondName, const char* second,
                       QWidget* parent) {
    auto* group = new QGroupBox(QString::fromLatin1(title), parent);
    auto* a = new QRadioButton(QString::fromLatin1(first), group);
    a->setObjectName(QString::fromLatin1(firstName));
    a->setChecked(true);
    auto* b = new QRadioButton(QString::fromLatin1(second), group);
    b->setObjectName(QString::fromLatin1(secondName));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(a);
    layout->addWidget(b);
    into->addWidget(group);
    return {a, b};
}

} // namespace vexa
