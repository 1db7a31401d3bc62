#pragma once

#include "ports/timing_view.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace vexa {

class TransponderTest;

// The settings window's "Transponder Test" page: a status label (`checktranmessagelb`), the
// read-only memo of records (`CheckstranMemo`) and the buttons "Reset Counter" (`Start`),
// "Clear" (`checksmemoClear`) and "Information" (`ChecksInfoBtn`). It draws the equipment's
// transponder test: whoever shows it makes it the test's view (setView) while the test runs,
// between the test's settingsActivated and settingsClosed, and takes it away before the page or
// the equipment goes.
class TransponderTestPage : public QWidget, public MonitorView {
    Q_OBJECT
  public:
    TransponderTestPage(TransponderTest& test, QWidget* parent = nullptr);

    void setLabel(const std::string& text) override;
    void addLines(const std::vector<std::string>& lines) override;
    void clear() override;

  private:
    TransponderTest& test_;
    QLabel* label_;
    QPlainTextEdit* memo_;
};

} // namespace vexa
