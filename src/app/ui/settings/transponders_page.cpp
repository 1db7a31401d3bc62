#include "ui/settings/transponders_page.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "settings/prog_settings.h"
#include "settings/settings_table.h"
#include "settings/setup_fields.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/settings_grid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

TranspondersPage::TranspondersPage(ProgSettings& settings, Operator& op, SettingFields& fields,
                                   QWidget* parent)
    : QWidget(parent), settings_(settings), op_(op) {
    auto* colours = new QGroupBox(QStringLiteral("Transponder Set Colors"), this);
    auto* coloursGrid = new QGridLayout(colours);
    sets_ = new QButtonGroup(this);
    for (int set = 1; set <= 4; ++set) {
        const QString n = QString::number(set);
        auto* button = new QRadioButton(n, colours);
        button->setObjectName(QStringLiteral("AMBtxSet") + n);
        longHint(button, "Shows the transponders of this set in the grid");
        sets_->addButton(button, set);
        const std::string name = "Tranname" + std::to_string(set) + "ED";
        QLineEdit* edit = settingLineEdit(fields, name.c_str(), colours);
        edit->setAccessibleName(QStringLiteral("Name of set ") + n);
        longHint(edit, "The name (colour) of the set");
        names_[static_cast<size_t>(set)] = edit;
        coloursGrid->addWidget(button, set - 1, 0);
        coloursGrid->addWidget(edit, set - 1, 1);
    }
    // Enter moves on to the next name, from the fourth back to the first.
    for (int set = 1; set <= 4; ++set) {
        QLineEdit* next = names_[static_cast<size_t>(set % 4 + 1)];
        connect(names_[static_cast<size_t>(set)], &QLineEdit::returnPressed, next,
                [next] { next->setFocus(); });
    }
    coloursGrid->addWidget(new QLabel(QStringLiteral("These are not used for printing"), colours),
                           4, 0, 1, 2);
    connect(sets_, &QButtonGroup::idClicked, this, [this](int set) { chooseSet(set); });

    grid_ = new SettingsGrid("AmbTrackGrid", MaxSlots,
                             {{"Car No.", 45}, {"AMBrc Transponder Number", 139}}, this);
    grid_->setMaxCellLength(settingForControl("AmbTrackGrid")->maxLength);
    longHint(grid_, "The transponder each of the track's own cars carries in the set shown");
    for (int row = 0; row < MaxSlots; ++row) grid_->setCellText(row, 0, QString::number(row + 1));
    auto* gridLabel = buddyLabel("Track cars", grid_, this);

    QCheckBox* same =
        settingCheckBox(fields, "countallAtCB", "Count different sets as same car", this);
    longHint(same, "A car counts the same whichever set's transponder it carries");

    auto* left = new QVBoxLayout;
    left->addWidget(colours);
    left->addWidget(same);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(gridLabel);
    right->addWidget(grid_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    chooseSet(1);
}

bool TranspondersPage::chooseSet(int set) {
    if (set == shown_) return true;
    if (shown_ != 0) {
        std::array<int32_t, MaxSlots + 1> numbers{};
        if (const Outcome read = readShownSet(numbers); !read) {
            sets_->button(shown_)->setChecked(true);
            op_.inform(read.message);
            return false;
        }
        keepShownSet(numbers, settings_);
    }
    shown_ = set;
    sets_->button(set)->setChecked(true);
    redrawSet();
    return true;
}

void TranspondersPage::redrawSet() {
    if (shown_ == 0) return;
    const auto& transponders = settings_.trackSets[static_cast<size_t>(shown_)].transponders;
    for (int car = 1; car <= MaxSlots; ++car)
        grid_->setCellText(car - 1, 1,
                           toQt(transponderCellText(transponders[static_cast<size_t>(car)])));
}

void TranspondersPage::showNames() {
    for (int set = 1; set <= 4; ++set)
        names_[static_cast<size_t>(set)]->setText(
            toQt(settings_.trackSets[static_cast<size_t>(set)].name));
}

void TranspondersPage::keepNames(ProgSettings& into) const {
    for (int set = 1; set <= 4; ++set)
        into.trackSets[static_cast<size_t>(set)].name =
            fromQt(names_[static_cast<size_t>(set)]->text());
}

Outcome TranspondersPage::readShownSet(std::array<int32_t, MaxSlots + 1>& transponders) const {
    TransponderCells cells;
    for (int car = 1; car <= MaxSlots; ++car)
        cells[static_cast<size_t>(car)] = fromQt(grid_->cellText(car - 1, 1));
    transponders = settings_.trackSets[static_cast<size_t>(shown_)].transponders;
    return storeTransponderCells(cells, shown_, transponders);
}

void TranspondersPage::keepShownSet(const std::array<int32_t, MaxSlots + 1>& transponders,
                                    ProgSettings& into) const {
    if (shown_ != 0) into.trackSets[static_cast<size_t>(shown_)].transponders = transponders;
}

} // namespace vexa
