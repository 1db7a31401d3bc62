#pragma once

#include <QAbstractSpinBox>
#include <QDialog>

namespace vexa {

struct EventData;

// The one-letter box of the "Final Letter" dialog: read-only, stepped from A to Z by its arrows.
class LetterBox : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit LetterBox(char letter, QWidget* parent = nullptr);
    char letter() const { return letter_; }
    void stepBy(int steps) override;

  protected:
    StepEnabled stepEnabled() const override;

  private:
    char letter_;
};

// "Final Letter" of a finals column: "Select the letter for this final". Whichever way it
// closes, the final's information text becomes the class of its first driver and the letter
// (2/C), or empty when the final has no driver.
class FinalLetterDialog : public QDialog {
    Q_OBJECT
  public:
    FinalLetterDialog(EventData& event, int race, QWidget* parent = nullptr);
    void done(int result) override;

  private:
    EventData& event_;
    int race_;
    LetterBox* box_;
};

} // namespace vexa
