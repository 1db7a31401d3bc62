#include "platform/painted_print_stream.h"

#include "platform/latin1.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include <algorithm>

namespace vexa {

PaintedPrintStream::~PaintedPrintStream() {
    if (painter_.isActive()) painter_.end();
}

namespace {

// The family that prints "Courier New": itself when installed, otherwise a fixed-pitch family of
// the platform, preferring those made to the same measures.
QString fixedPitchFamily() {
    static const QString family = [] {
        for (const char* name : {"Courier New", "Liberation Mono", "Cousine", "Nimbus Mono PS",
                                 "Courier", "Courier 10 Pitch"}) {
            const QString candidate = QString::fromLatin1(name);
            if (QFontDatabase::hasFamily(candidate) && QFontDatabase::isFixedPitch(candidate))
                return candidate;
        }
        const QString system = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (QFontDatabase::isFixedPitch(system)) return system;
        for (const QString& candidate : QFontDatabase::families())
            if (QFontDatabase::isFixedPitch(candidate)) return candidate;
        return system;
    }();
    return family;
}

} // namespace

QFont PaintedPrintStream::printerFont(const std::string& name, int points, FontStyle style) {
    QFont font;
    const QString family = toQt(name);
    if (name == "Courier New") {
        font = QFont(fixedPitchFamily());
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    } else {
        font = QFont(family);
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPointSize(std::max(points, 1));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

Outcome PaintedPrintStream::open() {
    QString failure;
    device_ = startDevice(failure);
    if (!device_) return Outcome::failure(fromQt(failure));
    if (!painter_.begin(device_)) {
        device_ = nullptr;
        return Outcome::failure("The print job could not be started");
    }
    pages_ = 0;
    fonts_.clear();
    runs_.clear();
    lines_.clear();
    lineOpen_ = false;
    feedPending_ = false;
    return Outcome::success();
}

void PaintedPrintStream::setFontName(const std::string& name) {
    fontName_ = name;
}
void PaintedPrintStream::setFontSize(int points) {
    fontSize_ = points;
}
void PaintedPrintStream::setFontStyle(FontStyle style) {
    fontStyle_ = style;
}

void PaintedPrintStream::write(const std::string& text) {
    if (!device_) return;
    lineOpen_ = true;
    if (text.empty()) return;
    const size_t font = currentFont();
    QString qtext = toQt(text);
    const qreal width = fonts_[font].metrics.horizontalAdvance(qtext);
    runs_.push_back({std::move(qtext), font, width});
}

size_t PaintedPrintStream::currentFont() {
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].name == fontName_ && fonts_[i].size == fontSize_ &&
            fonts_[i].style == fontStyle_)
            return i;
    const QFont font = printerFont(fontName_, fontSize_, fontStyle_);
    fonts_.push_back({fontName_, fontSize_, fontStyle_, font, QFontMetricsF(font, device_)});
    return fonts_.size() - 1;
}

void PaintedPrintStream::endLine() {
    if (device_) endCurrentLine();
}

void PaintedPrintStream::formFeed() {
    if (!device_) return;
    if (lineOpen_) endCurrentLine();
    feedPending_ = true;
}

void PaintedPrintStream::endCurrentLine() {
    lines_.push_back({std::move(runs_), currentFont(), feedPending_});
    runs_.clear();
    feedPending_ = false;
    lineOpen_ = false;
}

void PaintedPrintStream::paintLines() {
    // One scale for the whole job keeps the columns of every line in line with each other.
    qreal widest = 0;
    for (const Line& line : lines_) {
        qreal width = 0;
        for (const Run& run : line.runs) width += run.width;
        widest = std::max(widest, width);
    }
    const QRect area = painter_.viewport();
    const qreal scale = widest > area.width() ? area.width() / widest : 1.0;
    painter_.scale(scale, scale);
    const qreal bottom = area.height() / scale;

    qreal y = 0;
    size_t painted = fonts_.size();
    pages_ = 1;
    for (const Line& line : lines_) {
        qreal ascent = 0;
        qreal height = 0;
        if (line.runs.empty()) {
            ascent = fonts_[line.font].metrics.ascent();
            height = fonts_[line.font].metrics.lineSpacing();
        }
        for (const Run& run : line.runs) {
            ascent = std::max(ascent, fonts_[run.font].metrics.ascent());
            height = std::max(height, fonts_[run.font].metrics.lineSpacing());
        }
        if (line.newPageBefore || (y > 0 && y + height > bottom)) {
            device_->newPage();
            ++pages_;
            y = 0;
        }
        qreal x = 0;
        for (const Run& run : line.runs) {
            if (run.font != painted) {
                painter_.setFont(fonts_[run.font].font);
                painted = run.font;
            }
            painter_.drawText(QPointF(x, y + ascent), run.text);
            x += run.width;
        }
        y += height;
    }
}

Outcome PaintedPrintStream::close() {
    if (!device_) return Outcome::failure("The print job was not open");
    if (lineOpen_) endCurrentLine();
    paintLines();
    lines_.clear();
    painter_.end();
    device_ = nullptr;
    return finishDevice();
}

} // namespace vexa
