#include "ui/settings/classes_page.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "settings/settings_table.h"
#include "settings/setup_fields.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/settings_grid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa {

namespace {} // namespace

template <typename Visit> void ClassesPage::forEachDetail(Visit visit) const {
    // In the table's order, so a refused read names the first wrong field.
    for (const SettingKey& key : settingsTable()) {
        if (!key.control || !isClassKey(key)) continue;
        for (const auto& [fieldKey, control] : detailFields_)
            if (fieldKey == &key) visit(key, control);
    }
}

void ClassesPage::addDetailField(QWidget* control) {
    detailFields_.emplace_back(settingForControl(control->objectName().toLatin1().constData()),
                               control);
}

ClassesPage::ClassesPage(ProgSettings& settings, Operator& op, SettingFields& fields,
                         QWidget* parent)
    : QWidget(parent), settings_(settings), op_(op) {
    grid_ =
        new SettingsGrid("ClassnameGrid", MaxClasses, {{"Class #", 45}, {"Class Name", 142}}, this);
    grid_->setMaxCellLength(settingForControl("ClassnameGrid")->maxLength);
    longHint(grid_, "The names of the classes; select a class to see its race details");
    for (int row = 0; row < MaxClasses; ++row) grid_->setCellText(row, 0, QString::number(row));
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) { rowChanged(row, previousRow); });

    details_ = new QGroupBox(this);
    details_->setObjectName(QStringLiteral("classdetGB"));
    auto* duration = new QGroupBox(QStringLiteral("Race Duration"), details_);
    auto* durationGrid = new QGridLayout(duration);
    struct Minutes {
        const char* name;
        const char* caption;
        const char* hint;
    };
    const Minutes minutes[] = {
        {"qualmin", "Qualifying", "Minutes of a heat (qualifying race) of this class"},
        {"amin", "A Final", "Minutes of the A final of this class"},
        {"bmin", "B Final", "Minutes of the B final of this class"},
        {"othermin", "Other Finals", "Minutes of the C, D, ... finals of this class"},
    };
    int row = 0;
    for (const Minutes& m : minutes) {
        QLineEdit* field = settingLineEdit(fields, m.name, duration);
        addDetailField(field);
        narrowField(field, 4);
        longHint(field, m.hint);
        durationGrid->addWidget(buddyLabel(m.caption, field, duration), row, 0);
        durationGrid->addWidget(field, row, 1);
        durationGrid->addWidget(new QLabel(QStringLiteral("Minutes"), duration), row, 2);
        ++row;
    }
    auto* sounds = new QGroupBox(QStringLiteral("Start Sounds"), details_);
    QCheckBox* tenSeconds =
        settingCheckBox(fields, "StartTensec", "10 Second Countdown Beeps", sounds);
    longHint(tenSeconds, "The last seconds before the start of this class's races beep");
    QCheckBox* readOrder =
        settingCheckBox(fields, "StartSReadSrt", "Read start order (Stagger Only)", sounds);
    longHint(readOrder, "The start order is read out before a stagger start of this class");
    addDetailField(tenSeconds);
    addDetailField(readOrder);
    auto* soundsLayout = new QVBoxLayout(sounds);
    soundsLayout->addWidget(tenSeconds);
    soundsLayout->addWidget(readOrder);
    auto* detailsLayout = new QVBoxLayout(details_);
    detailsLayout->addWidget(duration);
    detailsLayout->addWidget(sounds);
    detailsLayout->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(details_);
    showDetails(0);
}

void ClassesPage::showClasses() {
    for (int classno = 0; classno < MaxClasses; ++classno)
        grid_->setCellText(classno, 1, toQt(settings_.classes[static_cast<size_t>(classno)].name));
    returning_ = true;
    grid_->setCurrentCell(0, 1);
    returning_ = false;
    showDetails(0);
}

void ClassesPage::rowChanged(int row, int previousRow) {
    if (returning_ || row < 0 || row == previousRow) return;
    ClassSetup setup;
    if (const Outcome read = readDetails(setup); !read) {
        // The switch is abandoned: back to the class whose details are wrong.
        returning_ = true;
        grid_->setCurrentCell(shown_, 1);
        returning_ = false;
        op_.inform(read.message);
        return;
    }
    keepDetails(setup, settings_);
    showDetails(row);
}

void ClassesPage::showDetails(int classno) {
    shown_ = classno;
    details_->setTitle(toQt(classDetailsCaption(classno)));
    const ClassSetup& setup = settings_.classes[static_cast<size_t>(classno)];
    forEachDetail([&setup](const SettingKey& key, QWidget* control) {
        showSettingValue(classSettingValue(key, setup), control, nullptr);
    });
}

Outcome ClassesPage::readDetails(ClassSetup& setup) const {
    setup = settings_.classes[static_cast<size_t>(shown_)];
    Outcome read;
    forEachDetail([&](const SettingKey& key, QWidget* control) {
        const QString field =
            QStringLiteral("'%1' minutes of class %2").arg(buddyCaption(*control)).arg(shown_);
        if (read) read = storeSettingValue(control, classSettingValue(key, setup), field);
    });
    return read;
}

void ClassesPage::keepDetails(const ClassSetup& setup, ProgSettings& into) const {
    into.classes[static_cast<size_t>(shown_)] = setup;
}

void ClassesPage::keepNames(ProgSettings& into) const {
    for (int classno = 0; classno < MaxClasses; ++classno)
        into.classes[static_cast<size_t>(classno)].name =
            fromQt(grid_->cellText(classno, 1).left(ClassNameCapacity));
}

} // namespace vexa
