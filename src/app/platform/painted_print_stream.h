#pragma once

#include "ports/print_stream.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <vector>

class QPagedPaintDevice;

namespace vexa {

// A print stream painted onto pages. The lines of the job are collected and painted when it
// closes: each line on a baseline that fits the tallest font of the line, a line that does not fit
// the page on a new page, a form feed starting a new page before the next line. A job whose
// widest line is wider than the page is scaled down as a whole, so that no column is cut off and
// all columns keep lining up. "Courier New" falls back to the platform's fixed-pitch font when it
// is missing, so that columns filled with blanks still line up.
class PaintedPrintStream : public PrintStream {
  public:
    ~PaintedPrintStream() override;

    Outcome open() override;
    void setFontName(const std::string& name) override;
    void setFontSize(int points) override;
    void setFontStyle(FontStyle style) override;
    void write(const std::string& text) override;
    void endLine() override;
    void formFeed() override;
    Outcome close() override;

    // The font a report font name is printed with.
    static QFont printerFont(const std::string& name, int points, FontStyle style);

    int pagesPrinted() const { return pages_; }

  protected:
    // The device of the job, ready to paint on; nullptr with a message when there is none.
    virtual QPagedPaintDevice* startDevice(QString& failure) = 0;
    // Called after painting has ended; a failure to finish the job is reported here.
    virtual Outcome finishDevice() = 0;

  private:
    // A font of the job with its measures on the device, made once per font.
    struct JobFont {
        std::string name;
        int size;
        FontStyle style;
        QFont font;
        QFontMetricsF metrics;
    };
    struct Run {
        QString text;
        size_t font; // index into fonts_
        qreal width;
    };
    struct Line {
        std::vector<Run> runs;
        size_t font; // the font in effect when the line ended: the height of an empty line
        bool newPageBefore = false;
    };
    size_t currentFont();
    void endCurrentLine();
    void paintLines();

    QPagedPaintDevice* device_ = nullptr;
    QPainter painter_;
    std::string fontName_ = "Arial";
    int fontSize_ = 10;
    FontStyle fontStyle_;
    std::vector<JobFont> fonts_;
    std::vector<Run> runs_;
    std::vector<Line> lines_;
    bool lineOpen_ = false;
    bool feedPending_ = false;
    int pages_ = 0;
};

} // namespace vexa
