#include "../timing/equipment_fixture.h"
#include "files/event_files.h"
#include "files/file_io.h"
#include "files/settings_file.h"
#include "station/settings_close.h"
#include "support/temp_dir.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>

using namespace vexa;
using namespace vexa::test;

namespace {

// What one close is given and what it must come to.
struct CloseCase {
    const char* name;
    // Sets the scene and fills the request as the window would.
    std::function<void(class SettingsClose&, SettingsCloseRequest&)> arrange;
    bool closed = true;
    SetupPage showPage = SetupPage::None;
    std::vector<std::string> messages{};
    bool equipmentSearched = false;
    std::optional<int> minLap{};
    bool nextRaceChanged = false;
    // The settings file cannot be written: its message follows `messages`.
    bool iniFileFails = false;
};

void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsClose : public Equipment, public ::testing::WithParamInterface<CloseCase> {
  public:
    using Equipment::program;
    using Equipment::untilBookingIn;
    using Equipment::untilRunning;

    SettingsClose() {
        program.home.root = home.path();
        program.paths = EventPaths::in(home.path() / "event files" / "club");
        std::filesystem::create_directories(program.paths->dir);
        program.settings.eventTitle = "Club Day";
        ambrcOnSerial();
    }

    // A request as the window makes it when nothing on its pages was touched.
    SettingsCloseRequest untouched() const {
        SettingsCloseRequest request;
        request.fields = {"7", "60", "30", "120", CountingDevice::Ambrc, 1, 0};
        request.edited = program.settings;
        return request;
    }

    TempDir home;
};

TEST_P(SettingsClose, ComesToItsOutcomesInOrder) {
    const CloseCase& c = GetParam();
    SettingsCloseRequest request = untouched();
    c.arrange(*this, request);
    const ProgSettings before = program.settings;
    std::vector<std::string> hooks;
    const SettingsCloseOutcome outcome =
        closeSettings(program, equipment(), attach(), request,
                      {[&hooks] { hooks.push_back("wait"); },
                       [&] {
                           hooks.push_back("saving");
                           // Whatever the search settled is stored before anything is saved.
                           EXPECT_EQ(program.settings.eventTitle, request.edited.eventTitle);
                       }});

    EXPECT_EQ(outcome.closed, c.closed);
    EXPECT_EQ(outcome.showPage, c.showPage);
    std::vector<std::string> messages = c.messages;
    if (c.iniFileFails)
        messages.push_back("The file " + displayPath(program.home.iniFile()) +
                           " could not be written");
    EXPECT_EQ(outcome.messages, messages);
    EXPECT_EQ(outcome.equipmentSearched, c.equipmentSearched);
    EXPECT_EQ(outcome.minLap, c.minLap);
    EXPECT_EQ(outcome.nextRaceChanged, c.nextRaceChanged);
    if (!c.closed) {
        // A refused close stores and writes nothing.
        EXPECT_EQ(program.settings.eventTitle, before.eventTitle);
        EXPECT_EQ(program.settings.raceNumber, before.raceNumber);
        EXPECT_TRUE(outcome.files.empty());
        EXPECT_FALSE(std::filesystem::exists(program.home.iniFile()));
        EXPECT_FALSE(std::filesystem::exists(program.paths->settings));
        EXPECT_TRUE(hooks.empty());
        return;
    }
    EXPECT_EQ(program.settings.eventTitle, request.edited.eventTitle);
    const std::vector<std::string> expectedHooks = c.equipmentSearched
                                                       ? std::vector<std::string>{"wait", "saving"}
                                                       : std::vector<std::string>{"saving"};
    EXPECT_EQ(hooks, expectedHooks);
    ASSERT_EQ(outcome.files.size(), 2u);
    EXPECT_EQ(outcome.files[0].path, program.home.iniFile());
    EXPECT_EQ(outcome.files[1].path, program.paths->settings);
    for (const SettingsFileWritten& file : outcome.files)
        EXPECT_EQ(std::filesystem::is_regular_file(file.path), static_cast<bool>(file.outcome));
    // The title belongs to the event's own settings file: what was typed is what it holds.
    std::ifstream eventFile(program.paths->settings, std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(eventFile), {}};
    EXPECT_NE(written.find(request.edited.eventTitle), std::string::npos);
    EXPECT_EQ(engine().values().MinLap, c.minLap.value_or(7));
}

const CloseCase Cases[] = {
    {.name = "NothingChanged",
     .arrange = [](SettingsClose&, SettingsCloseRequest&) {},
     .minLap = 7},
    {.name = "TitleTypedIsStoredAndSaved",
     .arrange = [](SettingsClose&,
                   SettingsCloseRequest& r) { r.edited.eventTitle = "Winter Series"; },
     .minLap = 7},
    {.name = "MinLapAboveLastLapIsRefused",
     .arrange =
         [](SettingsClose&, SettingsCloseRequest& r) {
             r.fields.minLap = "90";
             r.edited.eventTitle = "Not stored";
         },
     .closed = false,
     .messages = {MinLapNotBelowLastLapMessage}},
    {.name = "SameSerialPortIsRefused",
     .arrange = [](SettingsClose&, SettingsCloseRequest& r) { r.fields.controllerPortEntry = 2; },
     .closed = false,
     .messages = {SameSerialPortMessage}},
    {.name = "ClassMinuteNotANumberTurnsToClasses",
     .arrange =
         [](SettingsClose&, SettingsCloseRequest& r) {
             r.classDetails = Outcome::failure("'Qualifying' minutes of class 1 is not a number");
         },
     .closed = false,
     .showPage = SetupPage::Classes,
     .messages = {"'Qualifying' minutes of class 1 is not a number"}},
    {.name = "TransponderCellNotANumberTurnsToTransponders",
     .arrange =
         [](SettingsClose&, SettingsCloseRequest& r) {
             r.transponderSet = Outcome::failure("car 3 of set 1 is not a number");
         },
     .closed = false,
     .showPage = SetupPage::Transponders,
     .messages = {"car 3 of set 1 is not a number"}},
    {.name = "DeviceChangedSetsTheEquipmentUpAgain",
     .arrange = [](SettingsClose&,
                   SettingsCloseRequest& r) { r.fields.device = CountingDevice::System20; },
     .equipmentSearched = true,
     .minLap = 7},
    {.name = "PortListChangedLooksForTheDecoderAgain",
     .arrange = [](SettingsClose&, SettingsCloseRequest& r) { r.portListChanged = true; },
     .equipmentSearched = true,
     .minLap = 7},
    {.name = "MinLapReachesTheRunningRaceAndTheDeviceStays",
     .arrange =
         [](SettingsClose& f, SettingsCloseRequest& r) {
             f.untilBookingIn();
             f.untilRunning();
             r.fields.minLap = "12";
             r.fields.device = CountingDevice::Manual;
         },
     .minLap = 12},
    // A folder of the settings file's name stands where it goes.
    {.name = "SettingsFileNotWrittenIsTold",
     .arrange =
         [](SettingsClose& f, SettingsCloseRequest&) {
             std::filesystem::create_directories(f.program.home.iniFile());
         },
     .minLap = 7,
     .iniFileFails = true},
    {.name = "NextRaceChanged",
     .arrange = [](SettingsClose&, SettingsCloseRequest& r) { r.edited.raceNumber += 1; },
     .minLap = 7,
     .nextRaceChanged = true},
};

INSTANTIATE_TEST_SUITE_P(Closes, SettingsClose, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// vexa.ini keeps the device in use, whoever chose it: the operator, or the search that found no
// decoder and fell back to the keys (the device settled while the close waited).
class DeviceSaved : public Equipment {
  protected:
    DeviceSaved() { program.home.root = home.path(); }

    int savedDevice() const {
        ProgSettings saved;
        loadSettingsFile(program.home.iniFile(), saved);
        return saved.countDevice;
    }
    SettingsCloseOutcome close(CountingDevice chosen, bool portListChanged) {
        SettingsCloseRequest request;
        request.fields = {"7", "60", "30", "120", chosen, 1, 0};
        request.edited = program.settings;
        request.portListChanged = portListChanged;
        return closeSettings(program, equipment(), attach(), request,
                             {[this] { runTo(now() + 10); }, {}});
    }

    TempDir home;
};

TEST_F(DeviceSaved, TheDeviceInUseIsWhatTheSettingsFileKeeps) {
    ambrcOnSerial();
    ASSERT_FALSE(close(CountingDevice::Ambrc, false).equipmentSearched);
    EXPECT_EQ(savedDevice(), 2);

    // Searched again, the decoder says nothing: the keys count, and the file says so.
    ASSERT_TRUE(close(CountingDevice::Ambrc, true).equipmentSearched);
    EXPECT_EQ(equipment().countDevice(), CountingDevice::Manual);
    EXPECT_EQ(savedDevice(), 0);

    ASSERT_TRUE(close(CountingDevice::System20, false).equipmentSearched);
    EXPECT_EQ(equipment().countDevice(), CountingDevice::Manual);
    EXPECT_EQ(savedDevice(), 0);
}

} // namespace
