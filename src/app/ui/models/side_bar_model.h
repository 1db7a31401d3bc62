#pragma once

#include "programme/side_bar.h"

#include <QAbstractTableModel>

namespace vexa {

// The side bar of a racing table: the class caption above, "Names" or "Frequencies" beside the
// information row, then what it lists for slots 1..20, row by row with the table beside it.
class SideBarModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Shows a side bar; only the rows whose text changed are redrawn.
    void show(SideBar bar, SideBarView view);
    const SideBar& shown() const { return bar_; }

  private:
    SideBar bar_{"Class: None", {}};
    SideBarView view_ = SideBarView::Names;
};

} // namespace vexa
