#include "ui/models/side_bar_model.h"

#include "platform/latin1.h"

namespace vexa {

int SideBarModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : MaxSlots + 1;
}

int SideBarModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant SideBarModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    if (index.row() == 0) return QString::fromLatin1(sideBarCaption(view_));
    return toQt(bar_.slot[static_cast<size_t>(index.row())]);
}

QVariant SideBarModel::headerData(int, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return toQt(bar_.classCaption);
}

void SideBarModel::show(SideBar bar, SideBarView view) {
    if (bar.classCaption != bar_.classCaption) {
        bar_.classCaption = std::move(bar.classCaption);
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
    if (view != view_) {
        view_ = view;
        emit dataChanged(index(0, 0), index(0, 0), {Qt::DisplayRole});
    }
    for (int row = 1; row <= MaxSlots; ++row) {
        std::string& shown = bar_.slot[static_cast<size_t>(row)];
        std::string& text = bar.slot[static_cast<size_t>(row)];
        if (text == shown) continue;
        shown = std::move(text);
        emit dataChanged(index(row, 0), index(row, 0), {Qt::DisplayRole});
    }
}

} // namespace vexa
