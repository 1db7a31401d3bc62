#include "ui/settings/devices_page.h"

#include "ui/settings/setting_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vexa {

namespace {

QString comText(int n) {
    return QStringLiteral("Com %1").arg(n);
}

} // namespace

DevicesPage::DevicesPage(SettingFields& fields, QWidget* parent) : QWidget(parent) {
    countMethod_ = new QGroupBox(QStringLiteral("Count Method"), this);
    countMethod_->setObjectName(QStringLiteral("CountMethodGB"));

    auto* deviceGroup = new QGroupBox(QStringLiteral("Count Device"), countMethod_);
    deviceGroup->setObjectName(QStringLiteral("CountdevicetypeGB"));
    longHint(deviceGroup, "What counts the laps: the keyboard or an AMB decoder");
    devices_ = new QButtonGroup(this);
    auto* deviceLayout = new QVBoxLayout(deviceGroup);
    int id = 0;
    for (const CountDeviceChoice& choice : countDeviceChoices()) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.caption), deviceGroup);
        devices_->addButton(button, id++);
        deviceLayout->addWidget(button);
    }
    deviceLayout->addStretch();
    connect(devices_, &QButtonGroup::idClicked, this, [this] { layOutDevice(); });

    port_ = new QComboBox(countMethod_);
    port_->setObjectName(QStringLiteral("countdevicecomcb"));
    fields.add(port_);
    for (int n = 1; n <= SerialPortEntries; ++n) port_->addItem(comText(n));
    port_->addItem(QString::fromLatin1(AddressPortEntryCaption));
    longHint(port_, "The serial port of the decoder, or \"IP Address\" for an AMBrc decoder on "
                    "the network");
    portLabel_ = buddyLabel("Port ", port_, countMethod_);
    portLabel_->setObjectName(QStringLiteral("portlb"));
    connect(port_, &QComboBox::activated, this, &DevicesPage::portChosen);

    address_ = settingLineEdit(fields, "ambrcIPED", countMethod_);
    longHint(address_, "The network address of the AMBrc decoder (port 5100)");
    addressLabel_ = buddyLabel(AddressPortEntryCaption, address_, countMethod_);
    ex20_ = settingCheckBox(fields, "Extendeds20", "EX20", countMethod_);
    longHint(ex20_, "The System 20 decoder runs in extended mode (19200 baud)");

    speedTrap_ = new QGroupBox(QStringLiteral("Speed Trap"), countMethod_);
    speedTrapOn_ = settingCheckBox(fields, "SpTpEnabledCB", "Enabled", speedTrap_);
    longHint(speedTrapOn_, "The AMBrc decoder's second loop measures the speed of the cars");
    gapPanel_ = new QWidget(speedTrap_);
    QLineEdit* gap = settingLineEdit(fields, "SpTpgapED", gapPanel_);
    narrowField(gap, 5);
    longHint(gap, "The distance between the two loops of the speed trap");
    auto* gapRow = new QHBoxLayout(gapPanel_);
    gapRow->setContentsMargins(0, 0, 0, 0);
    gapRow->addWidget(buddyLabel("Gap Length", gap, gapPanel_));
    gapRow->addWidget(gap);
    gapRow->addWidget(fields.add(namedRadio("SpTpgapfeet", "Feet", gapPanel_)));
    gapRow->addWidget(fields.add(namedRadio("SpTpgapmeters", "Meters", gapPanel_)));
    gapRow->addStretch();
    auto* trapLayout = new QVBoxLayout(speedTrap_);
    trapLayout->addWidget(speedTrapOn_);
    trapLayout->addWidget(gapPanel_);
    connect(speedTrapOn_, &QCheckBox::toggled, this, &DevicesPage::showSpeedTrapGap);

    auto* note = new QLabel(QStringLiteral("If the count method is changed, close and re-open "
                                           "setup screen to test transponders"),
                            countMethod_);
    note->setObjectName(QStringLiteral("transpondernoteLB"));
    note->setWordWrap(true);

    auto* portGrid = new QGridLayout;
    portGrid->addWidget(portLabel_, 0, 0);
    portGrid->addWidget(port_, 0, 1);
    portGrid->addWidget(addressLabel_, 1, 0);
    portGrid->addWidget(address_, 1, 1);
    portGrid->addWidget(ex20_, 2, 0, 1, 2);
    portGrid->setRowStretch(3, 1);
    auto* methodTop = new QHBoxLayout;
    methodTop->addWidget(deviceGroup);
    methodTop->addLayout(portGrid);
    auto* methodLayout = new QVBoxLayout(countMethod_);
    methodLayout->addLayout(methodTop);
    methodLayout->addWidget(speedTrap_);
    methodLayout->addWidget(note);
    methodLayout->addStretch();

    auto* rcio = new QGroupBox(QStringLiteral("RCio Connection"), this);
    controllerPort_ = new QComboBox(rcio);
    controllerPort_->setObjectName(QStringLiteral("displaycomLB"));
    fields.add(controllerPort_);
    controllerPort_->addItem(QStringLiteral("None"));
    for (int n = 1; n <= SerialPortEntries; ++n) controllerPort_->addItem(comText(n));
    longHint(controllerPort_, "The serial port of the RCio track controller (start lights and "
                              "displays)");
    auto* lights = new QGroupBox(QStringLiteral("Light Times - in countdown"), rcio);
    QLineEdit* noLights = settingLineEdit(fields, "NolightED", lights);
    QLineEdit* amber = settingLineEdit(fields, "yellowlightED", lights);
    narrowField(noLights, 3);
    narrowField(amber, 3);
    longHint(noLights, "Second of the countdown at which all start lights go off");
    longHint(amber, "Second of the countdown at which the amber light comes on");
    auto* lightsLayout = new QGridLayout(lights);
    lightsLayout->addWidget(buddyLabel("No Lights", noLights, lights), 0, 0);
    lightsLayout->addWidget(noLights, 0, 1);
    lightsLayout->addWidget(buddyLabel("Amber On", amber, lights), 1, 0);
    lightsLayout->addWidget(amber, 1, 1);
    lightsLayout->setColumnStretch(2, 1);
    secondAmb_ = settingCheckBox(fields, "secondamb", "Second AMB decoder", rcio);
    secondAmb_->hide();
    QCheckBox* compatible = settingCheckBox(fields, "compatRCio", "Compatibility mode ", rcio);
    longHint(compatible, "A simpler controller that only takes the race number");
    auto* rcioLayout = new QGridLayout(rcio);
    rcioLayout->addWidget(buddyLabel("Port:", controllerPort_, rcio), 0, 0);
    rcioLayout->addWidget(controllerPort_, 0, 1);
    rcioLayout->addWidget(lights, 1, 0, 1, 2);
    rcioLayout->addWidget(compatible, 2, 0, 1, 2);
    rcioLayout->setRowStretch(3, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(countMethod_, 3);
    layout->addWidget(rcio, 2);
}

void DevicesPage::showDevice(CountingDevice device, int portEntry) {
    const auto choices = countDeviceChoices();
    for (size_t i = 0; i < choices.size(); ++i)
        if (choices[i].device == device) devices_->button(static_cast<int>(i))->setChecked(true);
    if (port_->count() == SerialPortEntries)
        port_->addItem(QString::fromLatin1(AddressPortEntryCaption));
    port_->setCurrentIndex(portEntry >= 0 && portEntry < port_->count() ? portEntry : -1);
    layOutDevice();
}

CountingDevice DevicesPage::chosenDevice() const {
    const int id = devices_->checkedId();
    const auto choices = countDeviceChoices();
    return id >= 0 && static_cast<size_t>(id) < choices.size()
               ? choices[static_cast<size_t>(id)].device
               : CountingDevice::Manual;
}

void DevicesPage::layOutDevice() {
    const DeviceLayout layout =
        deviceLayout(countDeviceChoice(chosenDevice()), port_->currentIndex());
    const bool listHasAddress = port_->count() > SerialPortEntries;
    if (layout.addressEntry && listHasAddress != *layout.addressEntry) {
        if (listHasAddress)
            port_->removeItem(SerialPortEntries);
        else
            port_->addItem(QString::fromLatin1(AddressPortEntryCaption));
    }
    if (port_->currentIndex() != layout.portEntry && layout.portEntry >= 0)
        port_->setCurrentIndex(layout.portEntry);
    portLabel_->setVisible(layout.portList);
    port_->setVisible(layout.portList);
    showAddressField(layout.addressField);
    ex20_->setVisible(layout.extendedMode);
    speedTrap_->setVisible(layout.speedTrap);
    secondAmb_->hide();
    emit pagesChanged(layout.transponderPage, layout.testPage);
}

void DevicesPage::portChosen(int entry) {
    ++portChanges_;
    showAddressField(entry == AddressPortEntry);
}

void DevicesPage::showAddressField(bool shown) {
    addressLabel_->setVisible(shown);
    address_->setVisible(shown);
}

void DevicesPage::setCountMethodEnabled(bool enabled) {
    countMethod_->setEnabled(enabled);
}

void DevicesPage::setControllerPortEnabled(bool enabled) {
    controllerPort_->setEnabled(enabled);
}

void DevicesPage::showSpeedTrapGap() {
    gapPanel_->setVisible(speedTrapOn_->isChecked());
}

int DevicesPage::decoderPortEntry() const {
    return port_->currentIndex();
}
int DevicesPage::controllerPortEntry() const {
    return controllerPort_->currentIndex();
}

} // namespace vexa
