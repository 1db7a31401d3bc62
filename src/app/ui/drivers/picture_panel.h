#pragma once

#include <QWidget>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QPushButton;

namespace vexa {

class Operator;
class PictureView;

// A driver's picture with "&Picture File" (choose one in "Drivers Picture") and "&Remove
// Picture", for the entry window and the database editor. `current` names the picture shown;
// `changed` hears the name chosen, or an empty name when the picture is removed.
class PicturePanel : public QWidget {
    Q_OBJECT
  public:
    PicturePanel(std::filesystem::path picsDir, Operator& op, QWidget* parent = nullptr);

    std::function<std::string()> current;
    std::function<void(const std::string& name)> changed;

    // Shows the picture of that name (nothing when it has none, or no readable file).
    void showPicture(const std::string& name);
    QPushButton& chooseButton() { return *choose_; }
    QPushButton& removeButton() { return *remove_; }

  private:
    void choose();

    std::filesystem::path picsDir_;
    Operator& op_;
    PictureView* view_;
    QPushButton* choose_;
    QPushButton* remove_;
};

} // namespace vexa
