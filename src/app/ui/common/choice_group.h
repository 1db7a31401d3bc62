#pragma once

#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

// The two radio buttons of a choice group; the first starts chosen.
struct ChoicePair {
    QRadioButton* first;
    QRadioButton* second;
};

// Adds a titled group of two choices to `into`, each button named for tests and readers.
ChoicePair choiceGroup(QVBoxLayout* into, const char* title, const char* firstName,
                       const char* first, const char* secondName, const char* second,
                       QWidget* parent);

} // namespace vexa
