#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QSpinBox;

namespace vexa {

class SettingFields;

// The "Sound" page: what is announced during and after races, and "Play Number", which speaks
// the number in `SpinEdit1` and then raises it by one.
class SoundPage : public QWidget {
    Q_OBJECT
  public:
    SoundPage(SettingFields& fields, std::function<void(int)> speakNumber,
              QWidget* parent = nullptr);

    // An empty "Read Running order every" becomes "0" (never).
    void emptyRunOrderBecomesZero();

  private:
    std::function<void(int)> speakNumber_;
    QLineEdit* runOrder_;
    QSpinBox* number_;
};

} // namespace vexa
