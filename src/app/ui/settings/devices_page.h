#pragma once

#include "settings/count_device_choices.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vexa {

class SettingFields;

// The "Devices/Hardware" page: the "Count Method" group (the counting device, its port, the
// decoder's address, "EX20", the speed trap) and the "RCio Connection" group of the track
// controller. The controls a device needs show as it is chosen.
class DevicesPage : public QWidget {
    Q_OBJECT
  public:
    explicit DevicesPage(SettingFields& fields, QWidget* parent = nullptr);

    // Shows the device in "Count Device" with its port entry and lays out the controls for it.
    void showDevice(CountingDevice device, int portEntry);
    CountingDevice chosenDevice() const;
    // Lays out the controls for the chosen device (as a click on "Count Device" does).
    void layOutDevice();

    // Changes of the decoder port list since the window was last activated.
    void resetPortChanges() { portChanges_ = 0; }
    bool portListChanged() const { return portChanges_ > 0; }
    // The entries chosen in the decoder's and the track controller's port lists.
    int decoderPortEntry() const;
    int controllerPortEntry() const;

    // The "Count Method" group is locked while a race runs; the track controller's port once it
    // has been opened for racing.
    void setCountMethodEnabled(bool enabled);
    void setControllerPortEnabled(bool enabled);
    // The speed-trap gap shows only while the speed trap is enabled.
    void showSpeedTrapGap();

  signals:
    // The device's pages show or hide.
    void pagesChanged(bool transponderPage, bool testPage);

  private:
    void portChosen(int entry);
    void showAddressField(bool shown);

    QGroupBox* countMethod_;
    QButtonGroup* devices_;
    QLabel* portLabel_;
    QComboBox* port_;
    QLabel* addressLabel_;
    QLineEdit* address_;
    QCheckBox* ex20_;
    QGroupBox* speedTrap_;
    QCheckBox* speedTrapOn_;
    QWidget* gapPanel_;
    QCheckBox* secondAmb_;
    QComboBox* controllerPort_;
    int portChanges_ = 0;
};

} // namespace vexa
