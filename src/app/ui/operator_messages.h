#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace vexa {

// Shows an information message to the operator. Windows take one so that tests can read the
// messages instead of answering a modal box.
using InformOperator = std::function<void(QWidget* parent, const QString& text)>;

// The message box the operator sees.
InformOperator messageBoxInformer();

} // namespace vexa
