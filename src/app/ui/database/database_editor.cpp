#include "ui/database/database_editor.h"

#include "platform/latin1.h"
#include "ports/operator.h"
#include "program/program.h"
#include "ui/drivers/controls.h"
#include "ui/drivers/enter_key.h"
#include "ui/drivers/picture_panel.h"
#include "ui/frequencies/frequency_check_list.h"
#include "ui/frequencies/frequency_choice_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int AddressCapacity = 40, DbMemnoCapacity = 15, PostcodeCapacity = 10, TelCapacity = 30,
              EmailCapacity = 40;

} // namespace

DatabaseEditor::DatabaseEditor(Program& program, Operator& op, std::optional<size_t> record,
                               QWidget* parent)
    : QDialog(parent), program_(program), op_(op) {
    setObjectName(QStringLiteral("DBeditF"));
    setWindowTitle(QStringLiteral("Driver Database Editor"));
    setModal(true);
    const auto& records = program_.database.records;
    if (record && *record < records.size()) index_ = record;
    record_ = index_ ? records[*index_] : newDatabaseRecord(program_.settings.requiresFreq);
    buildBoxes();
    fill();
    name_->setFocus();
}

void DatabaseEditor::buildBoxes() {
    name_ = textBox(NameCapacity, "nameED", this);
    ability_ = digitBox(3, "abilityED", this);
    memno_ = textBox(DbMemnoCapacity, "memnoED", this);
    classBox_ = new QSpinBox(this);
    classBox_->setObjectName(QStringLiteral("classSE"));
    classBox_->setRange(0, MaxClasses - 1);
    className_ = new QLabel(this);
    className_->setObjectName(QStringLiteral("classnameLB"));
    transponder_ = digitBox(7, "transED", this);
    const char* addressNames[] = {"address1ED", "address2ED", "address3ED"};
    for (int i = 0; i < 3; ++i) address_[i] = textBox(AddressCapacity, addressNames[i], this);
    postcode_ = textBox(PostcodeCapacity, "postcodeED", this);
    tel_ = textBox(TelCapacity, "telED", this);
    email_ = textBox(EmailCapacity, "emailED", this);
    picture_ = new PicturePanel(program_.home.driverPicsDir(), op_, this);
    picture_->current = [this] { return record_.picture; };
    picture_->changed = [this](const std::string& name) { record_.picture = name; };
    crystals_ = new FrequencyCheckList(program_.freqnames, 1, "freqlistCLB", this);
    crystalsLabel_ = new QLabel(QStringLiteral("Drivers Frequency List"), this);
    crystalsLabel_->setBuddy(crystals_);
    preferred_ = new FrequencyChoiceBox("preffreqCB", this);
    preferredLabel_ = new QLabel(QStringLiteral("Preferred Frequency"), this);
    preferredLabel_->setBuddy(preferred_);
    noFreq_ = new QCheckBox(QStringLiteral("No Freq Needed / 2.4Ghz"), this);
    noFreq_->setObjectName(QStringLiteral("nofreqCHK"));
    auto* save = plainButton(QStringLiteral("Save"), "SaveBtn", this);
    auto* cancel = plainButton(QStringLiteral("Cancel"), "CancelBtn", this);
    auto* saveTransfer =
        plainButton(QStringLiteral("&Save and transfer to event"), "SaveTransferBtn", this);

    auto* form = new QGridLayout;
    int row = 0;
    auto add = [&](const char* caption, QWidget* box, QWidget* beside = nullptr) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(box);
        form->addWidget(label, row, 0);
        form->addWidget(box, row, 1, 1, beside ? 1 : 2);
        if (beside) form->addWidget(beside, row, 2);
        ++row;
    };
    add("Name:", name_);
    add("Ability:", ability_);
    add("Mem No:", memno_);
    add("Class:", classBox_, className_);
    add("AMBrc DP:", transponder_);
    add("Address 1:", address_[0]);
    add("Address 2:", address_[1]);
    add("Address 3:", address_[2]);
    add("Post Code:", postcode_);
    add("Tel:", tel_);
    add("Email:", email_);
    form->setColumnStretch(2, 1);
    for (QLineEdit* wide : {name_, memno_, address_[0], address_[1], address_[2], email_})
        wide->setMinimumWidth(wide->fontMetrics().horizontalAdvance(QString(28, QLatin1Char('n'))));

    auto* frequencies = new QVBoxLayout;
    frequencies->addWidget(noFreq_);
    frequencies->addWidget(crystalsLabel_);
    frequencies->addWidget(crystals_, 1);
    frequencies->addWidget(preferredLabel_);
    frequencies->addWidget(preferred_);
    frequencies->addStretch(); // the check box stays on top while the list is hidden

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(saveTransfer);
    buttons->addWidget(cancel);

    auto* body = new QHBoxLayout;
    body->addLayout(form);
    body->addWidget(picture_);
    body->addLayout(frequencies);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);

    chainTabOrder({name_, ability_, memno_, classBox_, transponder_, address_[0], address_[1],
                   address_[2], postcode_, tel_, email_, &picture_->chooseButton(),
                   &picture_->removeButton(), noFreq_, crystals_, preferred_, save, saveTransfer,
                   cancel});

    onEnter(name_, [this] {
        name_->setText(toQt(capitaliseWords(fromQt(name_->text()))));
        ability_->setFocus();
    });
    connect(classBox_, &QSpinBox::valueChanged, this, [this](int value) {
        className_->setText(toQt(program_.settings.classSetup(value).name));
    });
    connect(noFreq_, &QCheckBox::toggled, this, &DatabaseEditor::showFrequencyNeed);
    preferred_->choices = [this] {
        return frequencyChoices(record_.preffreq, crystals_->checked(), program_.freqnames);
    };
    preferred_->chosen = [this](int freq) { record_.preffreq = static_cast<int16_t>(freq); };
    connect(save, &QPushButton::clicked, this, [this] { this->save(false); });
    connect(saveTransfer, &QPushButton::clicked, this, [this] { this->save(true); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DatabaseEditor::fill() {
    name_->setText(toQt(record_.name));
    ability_->setText(record_.ability != 0 ? QString::number(record_.ability) : QString());
    memno_->setText(toQt(record_.memno));
    classBox_->setValue(record_.classno);
    className_->setText(toQt(program_.settings.classSetup(record_.classno).name));
    transponder_->setText(record_.transponder > 0 ? QString::number(record_.transponder)
                                                  : QString());
    const std::string* addresses[] = {&record_.address1, &record_.address2, &record_.address3};
    for (int i = 0; i < 3; ++i) address_[i]->setText(toQt(*addresses[i]));
    postcode_->setText(toQt(record_.postcode));
    tel_->setText(toQt(record_.tel));
    email_->setText(toQt(record_.email));
    picture_->showPicture(record_.picture);
    crystals_->setChecked(record_.ownedFreqs());
    preferred_->rebuild();
    noFreq_->setChecked(record_.noFreqNeeded());
    showFrequencyNeed();
}

void DatabaseEditor::showFrequencyNeed() {
    const bool needed = !noFreq_->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(crystalsLabel_), static_cast<QWidget*>(crystals_),
                       static_cast<QWidget*>(preferredLabel_), static_cast<QWidget*>(preferred_)})
        w->setVisible(needed);
}

driver_ent DatabaseEditor::typedRecord() const {
    driver_ent d = record_;
    d.name = fromQt(name_->text());
    d.ability = typedAbility(fromQt(ability_->text()));
    d.memno = fromQt(memno_->text());
    d.classno = static_cast<uint8_t>(classBox_->value());
    d.transponder = typedTransponder(fromQt(transponder_->text()));
    d.address1 = fromQt(address_[0]->text());
    d.address2 = fromQt(address_[1]->text());
    d.address3 = fromQt(address_[2]->text());
    d.postcode = fromQt(postcode_->text());
    d.tel = fromQt(tel_->text());
    d.email = fromQt(email_->text());
    d.setOwnedFreqs(crystals_->checked());
    d.setNoFreqNeeded(noFreq_->isChecked());
    return d;
}

void DatabaseEditor::save(bool transfer) {
    const SavedRecord saved = saveDatabaseRecord(program_.database, typedRecord(), index_);
    if (!saved.outcome) {
        op_.inform(saved.outcome.message);
        return;
    }
    saved_ = saved.index;
    transferAsked_ = transfer;
    accept();
}

} // namespace vexa
