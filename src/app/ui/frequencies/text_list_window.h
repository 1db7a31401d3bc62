#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QListWidget;

namespace vexa {

struct Program;

// A window with a read-only list of text lines, rebuilt from `lines` each time it is shown.
class TextListWindow : public QDialog {
    Q_OBJECT
  public:
    TextListWindow(const char* title, const char* name,
                   std::function<std::vector<std::string>()> lines, QWidget* parent);

    QListWidget& list() { return *list_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::function<std::vector<std::string>()> lines_;
    QListWidget* list_;
};

// "Crystal Changes": the drivers whose heat and final frequencies differ ("(12) :Ann Lee").
class CrystalChangesWindow : public TextListWindow {
    Q_OBJECT
  public:
    CrystalChangesWindow(const Program& program, QWidget* parent = nullptr);
};

// "Frequency Numbers": how many drivers own each frequency ("27.095 Red = 3").
class FrequencyNumbersWindow : public TextListWindow {
    Q_OBJECT
  public:
    FrequencyNumbersWindow(const Program& program, QWidget* parent = nullptr);
};

} // namespace vexa
