#pragma once

#include "programme/frequency_choices.h"

#include <QComboBox>

#include <functional>
#include <vector>

namespace vexa {

// A frequency drop-down that is rebuilt from `choices` each time it drops down: the current
// frequency first (selected), then the checked ones. `chosen` hears the frequency of an item the
// operator picks.
class FrequencyChoiceBox : public QComboBox {
    Q_OBJECT
  public:
    FrequencyChoiceBox(const char* name, QWidget* parent = nullptr);

    std::function<std::vector<FreqChoice>()> choices;
    std::function<void(int freq)> chosen;

    void rebuild();
    void showPopup() override;

  private:
    std::vector<FreqChoice> shown_;
};

} // namespace vexa
