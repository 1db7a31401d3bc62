#pragma once

#include <QObject>

class QWidget;

namespace vexa {

class RaceInputs;

// The lap counters' keys: 1..9, 0 (the keypad's too) and Q W E R T Y U I O P in either case go to
// the race engine, which counts them while its keys are on, from whichever of the program's
// windows has the keyboard: the main window while its race panel shows, the spectators' race
// screen, the message log, ... but not a dialog the operator opened, nor a window he opened to
// type into ("Penalty"). A key the engine takes goes no further, so a lap is never typed into a
// box. Held keys repeat nothing, and keys with Ctrl or Alt are left to shortcuts.
class RaceKeys : public QObject {
    Q_OBJECT
  public:
    RaceKeys(RaceInputs& inputs, QWidget& panel, QObject* parent = nullptr);

    // The character a key stands for ('0'..'9', 'A'..'Z'), or 0.
    static char keyCharacter(int key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool countsIn(const QWidget& window) const;

    RaceInputs& inputs_;
    QWidget& panel_;
};

} // namespace vexa
