#pragma once

class QWidget;

namespace vexa {

// A window the operator opens to type into ("Penalty", the drivers database): the lap
// counters' keys leave it its keys, as they leave every dialog the operator opened.
void markTypingWindow(QWidget& window);
bool isTypingWindow(const QWidget& window);

} // namespace vexa
