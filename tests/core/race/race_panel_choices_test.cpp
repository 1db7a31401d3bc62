#include "race/race_panel_choices.h"
#include "support/race_fixture.h"

#include <algorithm>

using namespace vexa;
using namespace vexa::test;

namespace {

class PanelChoices : public RaceFixture {
  protected:
    PanelChoices() {
        massHeats();
        raceMinutes(5);
        race(1, {1});
    }
    const StandingsRow& row(int r) {
        return engine().standings().rows()[static_cast<size_t>(r - 1)];
    }
    size_t beeps() const {
        const auto all = ports.sounds();
        return static_cast<size_t>(std::count_if(all.begin(), all.end(), [](const std::string& s) {
            return s.rfind("carpass", 0) == 0;
        }));
    }
};

TEST_F(PanelChoices, AChosenExtraColumnIsShownAtOnce) {
    openAndStart();
    keyAt(36, '1');
    chooseExtraColumn(engine(), 1, ExtraColumn::AverageLap);
    EXPECT_EQ(engine().standings().extraHeader(1), "Average Lap");
    EXPECT_EQ(row(1).extra[0], " 36.00");
    // A third column exists only in a wide window.
    const ExtraColumn third = engine().standings().slot(3);
    chooseExtraColumn(engine(), 3, ExtraColumn::HitsSignal);
    EXPECT_EQ(engine().standings().slot(3), third);
    fitExtraColumns(engine(), true);
    EXPECT_EQ(engine().standings().visibleSlots(), Standings::ExtraSlots);
    chooseExtraColumn(engine(), 3, ExtraColumn::HitsSignal);
    engine().noteDecoderReading(0, 5, 80);
    chooseExtraColumn(engine(), 4, ExtraColumn::SpeedTrap);
    EXPECT_EQ(row(1).extra[2], "5 / 80");
    fitExtraColumns(engine(), false);
    EXPECT_EQ(engine().standings().visibleSlots(), 2);
}

TEST_F(PanelChoices, PassBeepsAreHeardOnlyWhileOn) {
    openAndStart();
    setPassBeeps(program.settings, false);
    keyAt(20, '1');
    EXPECT_EQ(beeps(), 0u);
    setPassBeeps(program.settings, true);
    keyAt(40, '1');
    EXPECT_EQ(beeps(), 1u);
}

} // namespace
