#pragma once

#include <QListWidget>

#include <vector>

namespace vexa {

struct FreqNames;

// A check list of the 200 frequency names in index order, in one column or in two side by side
// (the list then runs down the first column and on in the second).
class FrequencyCheckList : public QListWidget {
    Q_OBJECT
  public:
    FrequencyCheckList(const FreqNames& names, int columns, const char* name,
                       QWidget* parent = nullptr);

    // Checks exactly the frequencies listed (indices 1..200).
    void setChecked(const std::vector<int>& freqs);
    // The checked frequency indices, ascending.
    std::vector<int> checked() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    int columns_;
};

} // namespace vexa
