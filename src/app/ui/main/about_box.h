#pragma once

#include <QDialog>

namespace vexa {

// "About": the product's name, "Version: " and "Date Made: " with the build date, and "OK".
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace vexa
