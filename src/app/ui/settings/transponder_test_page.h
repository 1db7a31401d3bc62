#pragma once

#include "ports/timing_view.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;

namespace vexa {

class CountingEquipment;

// The settings window's "Transponder Test" page: a status label (`checktranmessagelb`), the
// read-only memo of records (`CheckstranMemo`) and the buttons "Reset Counter" (`Start`),
// "Clear" (`checksmemoClear`) and "Information" (`ChecksInfoBtn`). The settings window calls
// the equipment's settingsActivated / settingsClosed as it opens and closes.
class TransponderTestPage : public QWidget, public MonitorView {
    Q_OBJECT
  public:
    TransponderTestPage(CountingEquipment& equipment, QWidget* parent = nullptr);
    ~TransponderTestPage() override;

    void setLabel(const std::string& text) override;
    void addLines(const std::vector<std::string>& lines) override;
    void clear() override;

  private:
    CountingEquipment& equipment_;
    QLabel* label_;
    QPlainTextEdit* memo_;
};

} // namespace vexa
