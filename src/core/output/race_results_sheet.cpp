#include "output/race_results_sheet.h"

#include "output/field_format.h"
#include "output/print_header.h"
#include "program/program.h"
#include "race/text_formats.h"

namespace vexa {

namespace {

std::string sheetTitle(const ProgSettings& settings, const FinishedRace& race) {
    const std::string className = settings.classSetup(race.raceClass).name;
    const std::string numbers = std::to_string(race.raceNumber) +
                                " Round: " + std::to_string(race.roundNumber) + " " + className;
    if (race.final) return "( Race Results ) " + race.finalLetter + " Final: " + numbers;
    return "( Race Results ) Heat: " + numbers;
}

std::string gapText(const RaceDriver& d, int position) {
    if (position == 1 || d.leadergap < 0) return FormatLapGap(d.leadergap);
    return "+ " + FormatSeconds(d.leadergap);
}

void printFinishingOrder(PrintStream& out, const FinishedRace& race) {
    for (int p = 1; p <= static_cast<int>(race.drivers.size()); ++p) {
        const RaceDriver* d = race.inPosition(p);
        if (!d) continue;
        out.write(PadLeft(p, 3) + " " + PadLeft(d->carno, 3) + " ");
        out.setFontStyle(improvedOnBest(*d) ? FontStyle::boldItalic() : FontStyle::plain());
        out.write(PadLeft(d->lapcount, 5) + " " + PadLeft(FormatLapTime(d->lastpass), 11) + " ");
        out.setFontStyle(FontStyle::plain());
        out.write(PadRight(d->drivername, 25) + " " + PadLeft(fixed(d->fastestlap, 3, 3), 7) + " " +
                  PadLeft(averageLapText(*d), 7) + " " + PadLeft(gapText(*d, p), 11));
        out.endLine();
    }
}

void printLapChart(PrintStream& out, const FinishedRace& race, bool lapsOnlyWithTransponder) {
    std::string head = "LAP ";
    for (const RaceDriver& d : race.drivers)
        head += PadLeft(d.drivername.substr(0, 4) + std::to_string(d.carno), 7);
    head += "   LAP";
    out.setFontStyle(FontStyle::boldItalic());
    out.write(head);
    out.setFontStyle(FontStyle::plain());
    out.endLine();
    for (int n = 1; n <= MaxLapTimes; ++n) {
        std::string line = PadLeft(n, 3) + "  ";
        bool anyTime = false;
        for (const RaceDriver& d : race.drivers) {
            const double t = d.laptimes[static_cast<size_t>(n)];
            if (t == 0.0 || (d.transponder <= 0 && lapsOnlyWithTransponder)) {
                line += "      ";
            } else {
                line += PadLeft(fixed(t, 3, 2), 6);
                anyTime = true;
            }
            line += " ";
        }
        if (!anyTime) break;
        writeLine(out, line + "  " + PadRight(n, 3));
    }
}

} // namespace

Outcome printRaceResultsSheet(PrintStream& out, const ReportContext& context,
                              const FinishedRace& race, const TrackWeather& weather) {
    if (Outcome opened = PrintHeader(out, context); !opened) return opened;
    const ProgSettings& settings = context.program.settings;
    setFont(out, ArialFont, 15, FontStyle::plain());
    writeLine(out, sheetTitle(settings, race));
    out.setFontName(CourierNewFont);
    out.setFontSize(10);
    if (!weather.airTemperature.empty() || !weather.trackTemperature.empty() ||
        !weather.humidity.empty())
        writeLine(out, weather.airTemperature + "  " + weather.trackTemperature + "  " +
                           weather.humidity + "  " + weather.pressure);
    out.setFontStyle(FontStyle::boldUnderline());
    writeLine(out, "Pos-Car -Laps       -Time-Name                     -FastLap  -AvLap "
                   "-Leader Gap");
    out.setFontStyle(FontStyle::plain());
    printFinishingOrder(out, race);
    out.endLine();
    printLapChart(out, race, settings.dpLapsOnly);
    return out.close();
}

} // namespace vexa
