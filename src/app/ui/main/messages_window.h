#pragma once

#include <QWidget>

class QListWidget;

namespace vexa {

class MessageDesk;

// "Messages": every message the program gave by itself and every notice of the timing
// equipment, with its time of day, the latest at the bottom. It stays open beside the race
// panel; nothing in it is typed into, so the lap counters' keys count while it has the focus.
class MessagesWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MessagesWindow(const MessageDesk& desk, QWidget* parent = nullptr);

    // Draws the log again (a message was given).
    void refresh();
    // Shows the window in front, without taking the keyboard from the window that has it.
    void showInFront();

  private:
    const MessageDesk& desk_;
    QListWidget* list_;
};

} // namespace vexa
