#pragma once

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>

class QListWidget;
class QListWidgetItem;

namespace vexa {

class Operator;
class PictureView;

inline constexpr const char* NoPictureSelectedMessage = "No picture selected";

// "Drivers Picture": the pictures of the driver pictures folder by name, the current one
// selected, and a preview of the name clicked. "&OK" with a name selected makes it the chosen
// picture; with none selected the operator is told "No picture selected"; with an empty list
// the dialog just closes.
class PictureDialog : public QDialog {
    Q_OBJECT
  public:
    PictureDialog(const std::filesystem::path& picsDir, const std::string& current, Operator& op,
                  QWidget* parent = nullptr);

    // The name chosen with "&OK"; nothing after "&Cancel" or with an empty list.
    const std::optional<std::string>& chosen() const { return chosen_; }

  private:
    void okClicked();
    void preview();
    QListWidgetItem* selected() const;

    std::filesystem::path picsDir_;
    Operator& op_;
    QListWidget* files_;
    PictureView* picture_;
    std::optional<std::string> chosen_;
};

} // namespace vexa
