#pragma once

#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace vexa {

// What an open or save dialog asks: its caption, the folder it starts in, its filter ("CSV file
// (*.csv)") and the extension a typed name gets when it has none.
struct FileQuestion {
    QString caption;
    std::filesystem::path dir;
    QString filter;
    QString defaultSuffix;
};

// The file dialogs of the driver windows; each returns the path chosen, or an empty path when
// the operator cancels. Tests give their own answers.
struct FileChoices {
    std::function<std::filesystem::path(QWidget* parent, const FileQuestion&)> open;
    std::function<std::filesystem::path(QWidget* parent, const FileQuestion&)> save;

    // The platform's file dialogs.
    static FileChoices dialogs();
};

} // namespace vexa
