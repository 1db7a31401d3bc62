#pragma once

#include <QDialog>

class QListWidget;

namespace vexa {

struct EventData;

// "Crystal Changes" ("Freq Changes" on the tables screen): the drivers whose heat and final
// frequencies differ, listed again each time the window is shown.
class CrystalChangesWindow : public QDialog {
    Q_OBJECT
  public:
    explicit CrystalChangesWindow(const EventData& event, QWidget* parent = nullptr);

    // Lists the drivers again and shows the window on top.
    void showChanges();

  private:
    const EventData& event_;
    QListWidget* list_;
};

} // namespace vexa
