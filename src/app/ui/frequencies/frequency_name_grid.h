#pragma once

#include "ui/drivers/enter_grid.h"

#include <string>
#include <vector>

namespace vexa {

// The grid of "Frequency Setup": "No." 1..200 and "Frequency Name". A row dragged onto another
// moves its name there; the names between close up, and the numbers stay 1..200.
class FrequencyNameGrid : public EnterGrid {
    Q_OBJECT
  public:
    explicit FrequencyNameGrid(QWidget* parent = nullptr);

    void setNames(const std::vector<std::string>& names);
    // The names in row order, the one being typed included.
    std::vector<std::string> names();
    // Moves the name of row `from` to row `to` (0-based), as a drag does.
    void moveName(int from, int to);

    static constexpr int NameColumn = 1;

  protected:
    void dropEvent(QDropEvent* event) override;
};

} // namespace vexa
