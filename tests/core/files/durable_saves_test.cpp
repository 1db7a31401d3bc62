// Every save reaches the disk before it counts: the temporary file's data is carried to the disk
// before it is renamed over the old file, and the folder after the rename. Seen in the calls the
// program makes to the system, with `vexa-cli race` run under the file-calls library.
#include "support/cli_race.h"

#include <filesystem>
#include <fstream>

#if defined(VEXA_FILE_CALLS_LIBRARY)

using namespace vexa;
namespace fs = std::filesystem;

namespace {

class DurableSaves : public test::CliRace {
  protected:
    // The calls the run made, in order: {"rename", from, to} or {"fsync", path}.
    std::vector<std::vector<std::string>> calls(const fs::path& log) {
        std::vector<std::vector<std::string>> out;
        std::ifstream in(log);
        std::string line;
        while (std::getline(in, line)) {
            // Paths may hold blanks: a rename's two paths are split at " /".
            if (line.rfind("fsync ", 0) == 0) {
                out.push_back({"fsync", canonical(line.substr(6))});
            } else if (line.rfind("rename ", 0) == 0) {
                const std::string rest = line.substr(7);
                const size_t split = rest.find(" /");
                out.push_back({"rename", canonical(rest.substr(0, split)),
                               canonical(rest.substr(split + 1))});
            }
        }
        return out;
    }
    static std::string canonical(const std::string& path) {
        return fs::weakly_canonical(fs::path(path)).string();
    }
};

} // namespace

TEST_F(DurableSaves, EverySaveIsSyncedBeforeItsRenameAndItsFolderAfter) {
    program.settings.heatMass = true;
    driver(1, 1);
    driver(2, 1, 2); // a second heat: the race number moves on and the event settings are saved
    const fs::path log = dir.path() / "calls.log";
    ASSERT_EQ(run(at(81, "key 1") + at(101, "key 1"), 1, {},
                  "LD_PRELOAD=\"" VEXA_FILE_CALLS_LIBRARY "\" VEXA_FILE_CALLS_LOG=\"" +
                      log.string() + "\" ASAN_OPTIONS=verify_asan_link_order=0"),
              0)
        << output;

    const auto seen = calls(log);
    std::vector<std::string> saved;
    for (size_t i = 0; i < seen.size(); ++i) {
        if (seen[i][0] != "rename") continue;
        const std::string& temp = seen[i][1];
        const std::string& file = seen[i][2];
        saved.push_back(fs::path(file).filename().string());
        bool dataSynced = false;
        for (size_t j = i; j-- > 0 && seen[j][0] != "rename";)
            if (seen[j][1] == temp) dataSynced = true;
        EXPECT_TRUE(dataSynced) << file << ": renamed before its data was on the disk";
        const std::string folder = canonical(fs::path(file).parent_path().string());
        bool folderSynced = false;
        for (size_t j = i + 1; j < seen.size() && seen[j][0] != "rename"; ++j)
            if (seen[j][1] == folder) folderSynced = true;
        EXPECT_TRUE(folderSynced) << file << ": its folder was not carried to the disk";
    }
    const auto has = [&](const char* name) {
        return std::find(saved.begin(), saved.end(), name) != saved.end();
    };
    EXPECT_TRUE(has("eventfile.qrf") && has("eventfile.qmf") && has("h1r1.html"))
        << "saved: " << ::testing::PrintToString(saved);
}

#else
TEST(DurableSaves, EverySaveIsSyncedBeforeItsRenameAndItsFolderAfter) {
    GTEST_SKIP() << "seeing the system calls of vexa-cli needs a preloaded library (Linux)";
}
#endif
