#include "ui/frequencies/text_list_window.h"

#include "platform/latin1.h"
#include "program/program.h"
#include "programme/frequency_lists.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

TextListWindow::TextListWindow(const char* title, const char* name,
                               std::function<std::vector<std::string>()> lines, QWidget* parent)
    : QDialog(parent), lines_(std::move(lines)) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QString::fromLatin1(title));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListLB"));
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    resize(300, 400);
}

void TextListWindow::showEvent(QShowEvent* event) {
    list_->clear();
    for (const std::string& line : lines_()) list_->addItem(toQt(line));
    QDialog::showEvent(event);
}

CrystalChangesWindow::CrystalChangesWindow(const Program& program, QWidget* parent)
    : TextListWindow(
          "Crystal Changes", "xtalchangesF",
          [&program] {
              std::vector<std::string> lines;
              for (FreqChangeLine& line : frequencyChanges(program.event))
                  lines.push_back(std::move(line.text));
              return lines;
          },
          parent) {}

FrequencyNumbersWindow::FrequencyNumbersWindow(const Program& program, QWidget* parent)
    : TextListWindow(
          "Frequency Numbers", "freqcount",
          [&program] {
              std::vector<std::string> lines;
              for (FreqCountLine& line : frequencyNumbers(program.event, program.freqnames))
                  lines.push_back(std::move(line.text));
              return lines;
          },
          parent) {}

} // namespace vexa
