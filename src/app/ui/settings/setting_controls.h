#pragma once

#include "model/outcome.h"
#include "settings/prog_settings.h"
#include "settings/settings_table.h"

#include <QString>

#include <initializer_list>
#include <map>
#include <string>

class QBoxLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace vexa {

// The fields of the settings window that the settings table names: made with their object name,
// character limit and the keys they take, and filled from and stored into the settings by the
// table.

// The fields the pages made for the settings table, by their object names: what the window
// fills from and stores into the settings.
class SettingFields {
  public:
    // Keeps `control` as the field its object name names.
    template <typename Control> Control* add(Control* control) {
        keep(control);
        return control;
    }
    QWidget* field(const char* name) const;

  private:
    void keep(QWidget* control);
    std::map<std::string, QWidget*> byName_;
};

// A line edit for the table's field `control` (its length and keys from the table).
QLineEdit* settingLineEdit(SettingFields& fields, const char* control, QWidget* parent);
// A line edit of at most `maxLength` characters (0: no limit) taking only those keys.
QLineEdit* limitedLineEdit(const char* name, int maxLength, TypedKeys keys, QWidget* parent);
// A spin box for the table's field `control` (its range from the table).
QSpinBox* settingSpinBox(SettingFields& fields, const char* control, QWidget* parent);
// A check box named `control`, with its long hint when one is given.
QCheckBox* settingCheckBox(SettingFields& fields, const char* control, const char* caption,
                           QWidget* parent, const char* hint = nullptr);
// Check boxes of the table's fields, added to `into` in order.
struct CheckBoxField {
    const char* control;
    const char* caption;
    const char* hint;
};
void addCheckBoxes(SettingFields& fields, QBoxLayout* into,
                   std::initializer_list<CheckBoxField> boxes, QWidget* parent);
// A radio button named `name`.
QRadioButton* namedRadio(const char* name, const char* caption, QWidget* parent);
// Makes a field as wide as `characters` digits.
void narrowField(QWidget* field, int characters);
// The long hint the window's status bar shows while the mouse is over `control`.
void longHint(QWidget* control, const char* text);
// A label for an input, as its buddy.
QLabel* buddyLabel(const char* caption, QWidget* input, QWidget* parent);

// Shows one value in its control (a check box, a pair of radio buttons, a list, a spin box or a
// line edit); `other` is the second radio button of a pair.
void showSettingValue(ConstSettingRef value, QWidget* control, QWidget* other);
// Stores a control's value; a line edit holding no whole number for a whole-number value fails
// with a message naming `field`, and nothing is stored.
Outcome storeSettingValue(const QWidget* control, SettingRef value, const QString& field);

// Every value of the table that has a field among `fields` (keys without '#'), shown or stored.
void showSettingControls(const ProgSettings& settings, const SettingFields& fields);
void storeSettingControls(const SettingFields& fields, ProgSettings& settings);

// The caption of the label whose buddy is `input`, without its '&'; empty when there is none.
QString buddyCaption(const QWidget& input);

} // namespace vexa
