#pragma once

#include "programme/find_driver.h"

#include <QDialog>

#include <functional>

namespace vexa {

// "Find Driver": where a competitor runs in the heats ("Qualifier / Heat") and the finals
// ("Main / Final"), the last place in each table counting. "GO TO >>" of a table where he was
// found hands his place to `goTo` and closes the dialog; "OK" closes it.
class FindDriverDialog : public QDialog {
    Q_OBJECT
  public:
    using GoTo = std::function<void(bool heats, TablePlace place)>;
    FindDriverDialog(const EventData& event, int id, GoTo goTo, QWidget* parent = nullptr);

  private:
    void addGroup(const char* title, const char* groupName, const std::string& text,
                  const char* textName, const char* buttonName, bool heats, TablePlace place);

    GoTo goTo_;
};

} // namespace vexa
