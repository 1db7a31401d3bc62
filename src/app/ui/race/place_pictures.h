#pragma once

#include <QWidget>

#include <array>
#include <string>

class QLabel;

namespace vexa {

class Standings;

// The pictures of the first three places ("1st Place", "2nd Place", "3rd Place", pictures
// `driverImage1` to `driverImage3`). A picture is loaded again only when the driver in its place
// changes; a place whose picture file does not exist shows none.
class PlacePictures : public QWidget {
    Q_OBJECT
  public:
    explicit PlacePictures(QWidget* parent = nullptr);

    void refresh(const Standings& standings);

  private:
    std::array<QLabel*, 3> pictures_{};
    std::array<std::string, 3> shown_{};
};

} // namespace vexa
