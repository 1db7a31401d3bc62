#pragma once

#include <QDialog>

#include <functional>

namespace vexa {

// What the buttons of the end-of-round window do. "Next Round" and "Enter Finals" answer
// whether the window closes (a question answered Cancel keeps it open).
struct EndOfRoundCommands {
    std::function<void()> positionsPrint;
    std::function<void()> printStartOrder;
    std::function<bool()> nextRound;
    std::function<bool()> enterFinals;
    std::function<void()> mainScreen;
};

// "End of Round - Options", shown modally after the last race of a table, saying which round of
// which table ended (`eorroundLB`). Only its buttons close it: the window's own close and Escape
// do nothing.
class EndOfRoundWindow : public QDialog {
    Q_OBJECT
  public:
    EndOfRoundWindow(EndOfRoundCommands commands, bool finalsSelected, const QString& ended,
                     QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

  private:
    EndOfRoundCommands commands_;
    bool closing_ = false;
};

} // namespace vexa
