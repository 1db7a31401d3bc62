#pragma once

#include "model/outcome.h"
#include "settings/prog_settings.h"

#include <QWidget>

#include <utility>
#include <vector>

class QGroupBox;

namespace vexa {

class SettingFields;

class Operator;
class SettingsGrid;
struct SettingKey;

// The "Classes" page: the 31 class names in `ClassnameGrid` and the race details of the class
// whose row is selected. Leaving a row stores the details of its class.
class ClassesPage : public QWidget {
    Q_OBJECT
  public:
    ClassesPage(ProgSettings& settings, Operator& op, SettingFields& fields,
                QWidget* parent = nullptr);

    // Fills the names from the settings and shows class 0.
    void showClasses();
    // The class whose details are shown.
    int shownClass() const { return shown_; }

    // The details shown, as the class's setup; fails naming a minute field that holds no whole
    // number (an empty field counts 0).
    Outcome readDetails(ClassSetup& setup) const;
    // Keeps details read with readDetails as the shown class's.
    void keepDetails(const ClassSetup& setup, ProgSettings& into) const;
    // The names of the grid become the classes' names (cut to 20 characters).
    void keepNames(ProgSettings& into) const;

  private:
    void rowChanged(int row, int previousRow);
    void showDetails(int classno);
    // The class table's fields of the details group, with their keys.
    void addDetailField(QWidget* control);
    template <typename Visit> void forEachDetail(Visit visit) const;

    ProgSettings& settings_;
    Operator& op_;
    SettingsGrid* grid_;
    QGroupBox* details_;
    std::vector<std::pair<const SettingKey*, QWidget*>> detailFields_;
    int shown_ = 0;
    bool returning_ = false;
};

} // namespace vexa
