#pragma once

#include <QLabel>

#include <filesystem>

namespace vexa {

// A driver's picture, fitted into the frame. It shows only a file that exists and reads as a
// picture; anything else leaves the frame empty.
class PictureView : public QLabel {
    Q_OBJECT
  public:
    PictureView(const char* name, QWidget* parent = nullptr);

    void showFile(const std::filesystem::path& path);
    bool showsPicture() const;
};

} // namespace vexa
