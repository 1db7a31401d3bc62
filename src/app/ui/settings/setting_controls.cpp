#include "ui/settings/setting_controls.h"

#include "platform/latin1.h"
#include "settings/setup_fields.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include <type_traits>

namespace vexa {

namespace {

const SettingKey& keyOf(const char* control) {
    const SettingKey* key = settingForControl(control);
    if (!key) qFatal("no setting for %s", control);
    return *key;
}

bool onceOnly(const SettingKey& key) {
    return key.control && std::string(key.key).find('#') == std::string::npos;
}

} // namespace

void SettingFields::keep(QWidget* control) {
    byName_[control->objectName().toStdString()] = control;
}

QWidget* SettingFields::field(const char* name) const {
    if (!name) return nullptr;
    const auto found = byName_.find(name);
    return found == byName_.end() ? nullptr : found->second;
}

QLineEdit* limitedLineEdit(const char* name, int maxLength, TypedKeys keys, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    // Backspace, Delete and Enter are no characters: every line edit takes them.
    const QString typed = keys == TypedKeys::Digits           ? QStringLiteral("[0-9]*")
                          : keys == TypedKeys::DigitsAndPoint ? QStringLiteral("[0-9.]*")
                                                              : QString();
    if (!typed.isEmpty())
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(typed), edit));
    return edit;
}

QLineEdit* settingLineEdit(SettingFields& fields, const char* control, QWidget* parent) {
    const SettingKey& key = keyOf(control);
    return fields.add(limitedLineEdit(control, key.maxLength, key.keys, parent));
}

QSpinBox* settingSpinBox(SettingFields& fields, const char* control, QWidget* parent) {
    const SettingKey& key = keyOf(control);
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(control));
    spin->setRange(key.lowest, key.highest);
    return fields.add(spin);
}

QCheckBox* settingCheckBox(SettingFields& fields, const char* control, const char* caption,
                           QWidget* parent, const char* hint) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setObjectName(QString::fromLatin1(control));
    if (hint) longHint(box, hint);
    return fields.add(box);
}

void addCheckBoxes(SettingFields& fields, QBoxLayout* into,
                   std::initializer_list<CheckBoxField> boxes, QWidget* parent) {
    for (const CheckBoxField& b : boxes)
        into->addWidget(settingCheckBox(fields, b.control, b.caption, parent, b.hint));
}

QRadioButton* namedRadio(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void narrowField(QWidget* field, int characters) {
    const int digit = field->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    field->setMaximumWidth(digit * (characters + 2) + 16);
}

void longHint(QWidget* control, const char* text) {
    control->setStatusTip(QString::fromLatin1(text));
}

QLabel* buddyLabel(const char* caption, QWidget* input, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(input);
    return label;
}

QString buddyCaption(const QWidget& input) {
    const QWidget* top = input.window();
    for (const QLabel* label : top->findChildren<QLabel*>())
        if (label->buddy() == &input) return label->text().remove(QLatin1Char('&')).trimmed();
    return {};
}

void showSettingValue(ConstSettingRef value, QWidget* control, QWidget* other) {
    std::visit(
        [control, other](auto source) {
            using T = decltype(source);
            if constexpr (std::is_same_v<T, const bool*>) {
                if (auto* box = qobject_cast<QCheckBox*>(control)) box->setChecked(*source);
                if (auto* radio = qobject_cast<QRadioButton*>(control)) {
                    radio->setChecked(*source);
                    if (auto* second = qobject_cast<QRadioButton*>(other))
                        second->setChecked(!*source);
                }
                if (auto* list = qobject_cast<QComboBox*>(control))
                    list->setCurrentIndex(*source ? 1 : 0);
            } else if constexpr (std::is_same_v<T, const int32_t*>) {
                if (auto* list = qobject_cast<QComboBox*>(control))
                    list->setCurrentIndex(*source >= 0 && *source < list->count() ? *source : -1);
                if (auto* spin = qobject_cast<QSpinBox*>(control)) spin->setValue(*source);
                if (auto* edit = qobject_cast<QLineEdit*>(control))
                    edit->setText(QString::number(*source));
            } else if constexpr (std::is_same_v<T, const std::string*>) {
                if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(toQt(*source));
            }
        },
        value);
}

Outcome storeSettingValue(const QWidget* control, SettingRef value, const QString& field) {
    Outcome stored;
    std::visit(
        [control, &field, &stored](auto target) {
            using T = decltype(target);
            if constexpr (std::is_same_v<T, bool*>) {
                if (auto* box = qobject_cast<const QCheckBox*>(control)) *target = box->isChecked();
                if (auto* radio = qobject_cast<const QRadioButton*>(control))
                    *target = radio->isChecked();
                if (auto* list = qobject_cast<const QComboBox*>(control))
                    *target = list->currentIndex() == 1;
            } else if constexpr (std::is_same_v<T, int32_t*>) {
                if (auto* list = qobject_cast<const QComboBox*>(control))
                    *target = list->currentIndex();
                if (auto* spin = qobject_cast<const QSpinBox*>(control)) *target = spin->value();
                if (auto* edit = qobject_cast<const QLineEdit*>(control))
                    stored = fieldWholeNumber(fromQt(edit->text()), 0, fromQt(field), *target);
            } else if constexpr (std::is_same_v<T, std::string*>) {
                if (auto* edit = qobject_cast<const QLineEdit*>(control))
                    *target = fromQt(edit->text());
            }
        },
        value);
    return stored;
}

void showSettingControls(const ProgSettings& settings, const SettingFields& fields) {
    for (const SettingKey& key : settingsTable()) {
        if (!onceOnly(key)) continue;
        if (QWidget* control = fields.field(key.control))
            showSettingValue(settingValue(key, settings), control, fields.field(key.otherControl));
    }
}

void storeSettingControls(const SettingFields& fields, ProgSettings& settings) {
    for (const SettingKey& key : settingsTable()) {
        if (!onceOnly(key)) continue;
        if (const QWidget* control = fields.field(key.control))
            storeSettingValue(control, settingValue(key, settings), {});
    }
}

} // namespace vexa
