#pragma once

#include "program/transponder_desk.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace vexa {

struct Program;
class Operator;

// A window with a list of the club's loan transponders read from their file each time it is
// shown, and "Return" for the one selected. What it lists is its subclass's.
class TransponderListWindow : public QDialog {
    Q_OBJECT
  public:
    QListWidget& list() { return *list_; }
    TransponderDesk& desk() { return desk_; }
    // Reads the file again and redraws the list.
    void refresh();
    // "Return": the selected transponder returned; a driver of the open event gets his own
    // transponder back.
    void returnSelected();

  signals:
    // A driver's transponder changed (a loan returned in the open event).
    void competitorsChanged();

  protected:
    TransponderListWindow(Program& program, Operator& op, const char* title, const char* name,
                          const char* listName, QWidget* parent);
    virtual std::vector<HouseTransponder> rows() const = 0;
    std::optional<int32_t> selectedNumber() const;
    // Shows the failure of an operation; true when it went well.
    bool told(const Outcome& outcome);
    void showEvent(QShowEvent* event) override;

    Program& program_;
    Operator& op_;
    TransponderDesk desk_;
    QListWidget* list_;
    QPushButton* return_;
};

} // namespace vexa
