#pragma once

#include "ports/timing_view.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace vexa {

// "AMB Connection": the small window of the decoder presence check, a centred message
// (`ambsearchLB`) over a progress bar of ten steps (`AMBsearchPB`). It is application-modal
// without blocking: the check goes on in the event loop while it shows.
class AmbSearchWindow : public QDialog, public SearchWindow {
    Q_OBJECT
  public:
    explicit AmbSearchWindow(QWidget* parent = nullptr);

    void open(const std::string& message) override;
    void setMessage(const std::string& message) override;
    void setProgress(int step) override;
    void close() override;

  signals:
    // The window went away: the check ended, or the operator closed it.
    void hidden();

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    QLabel* message_;
    QProgressBar* progress_;
};

} // namespace vexa
