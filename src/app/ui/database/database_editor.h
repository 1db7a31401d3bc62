#pragma once

#include "files/drivers_database.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vexa {

struct Program;
class Operator;
class FrequencyCheckList;
class FrequencyChoiceBox;
class PicturePanel;

// "Driver Database Editor": one record of the open drivers database, a new one when no record is
// given. "Save" stores it (refused without a name) and closes; "&Save and transfer to event" does
// the same and asks for the record to be taken into the event (`transferAsked`); "Cancel" closes
// without saving.
class DatabaseEditor : public QDialog {
    Q_OBJECT
  public:
    DatabaseEditor(Program& program, Operator& op, std::optional<size_t> record,
                   QWidget* parent = nullptr);

    // Where the saved record now is in the database, once saved.
    const std::optional<size_t>& savedIndex() const { return saved_; }
    bool transferAsked() const { return transferAsked_; }

  private:
    void buildBoxes();
    void fill();
    void showFrequencyNeed();
    void save(bool transfer);
    driver_ent typedRecord() const;

    Program& program_;
    Operator& op_;
    std::optional<size_t> index_;
    driver_ent record_;
    std::optional<size_t> saved_;
    bool transferAsked_ = false;

    QLineEdit* name_;
    QLineEdit* ability_;
    QLineEdit* memno_;
    QSpinBox* classBox_;
    QLabel* className_;
    QLineEdit* transponder_;
    QLineEdit* address_[3];
    QLineEdit* postcode_;
    QLineEdit* tel_;
    QLineEdit* email_;
    PicturePanel* picture_;
    QLabel* crystalsLabel_;
    FrequencyCheckList* crystals_;
    QLabel* preferredLabel_;
    FrequencyChoiceBox* preferred_;
    QCheckBox* noFreq_;
};

} // namespace vexa
