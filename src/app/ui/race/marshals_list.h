#pragma once

#include <QFrame>

#include <string>
#include <vector>

class QLabel;

namespace vexa {

// The "Marshals" of the race: the drivers of the race before, car number and name, in one
// column (race panel) or two (race screen), first column first.
class MarshalsList : public QFrame {
    Q_OBJECT
  public:
    MarshalsList(const char* objectName, int columns, QWidget* parent = nullptr);

    // Fills the list; nothing is redrawn when the marshals are the same.
    void setMarshals(const std::vector<std::string>& marshals);
    // The names as shown, one per line, column after column.
    QStringList lines() const;

  private:
    std::vector<QLabel*> columns_;
    std::vector<std::string> shown_;
};

} // namespace vexa
