#pragma once

#include <QObject>

class QWidget;

namespace vexa {

class RaceInputs;

// The lap counters' keys: while the race panel is shown in the active main window, 1..9, 0 (the
// keypad's too) and Q W E R T Y U I O P in either case go to the race engine, which counts them
// while its keys are on. A key it takes goes no further, so a lap is never typed into a box. Held
// keys repeat nothing, and keys with Ctrl or Alt are left to shortcuts.
class RaceKeys : public QObject {
    Q_OBJECT
  public:
    RaceKeys(RaceInputs& inputs, QWidget& panel, QObject* parent = nullptr);

    // The character a key stands for ('0'..'9', 'A'..'Z'), or 0.
    static char keyCharacter(int key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    RaceInputs& inputs_;
    QWidget& panel_;
};

} // namespace vexa
