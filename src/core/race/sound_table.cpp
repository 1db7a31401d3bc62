#include "race/sound_table.h"

#include <array>
#include <system_error>

namespace vexa {

namespace {
constexpr std::array<const char*, Sound::SlotCount> FileNames = {
    "",
    "one.wav",
    "two.wav",
    "three.wav",
    "four.wav",
    "five.wav",
    "six.wav",
    "seven.wav",
    "eight.wav",
    "nine.wav",
    "ten.wav",
    "eleven.wav",
    "twelve.wav",
    "thirteen.wav",
    "forteen.wav",
    "fifteen.wav",
    "sixteen.wav",
    "seventeen.wav",
    "eighteen.wav",
    "ninteen.wav",
    "twenty.wav",
    "thirty.wav",
    "forty.wav",
    "fifty.wav",
    "sixty.wav",
    "seventy.wav",
    "eighty.wav",
    "ninty.wav",
    "",
    "cntdown.wav",
    "lfinish.wav",
    "startord.wav",
    "half.wav",
    "finishorder.wav",
    "start.wav",
    "runorder.wav",
    "finished.wav",
    "currently.wav",
    "intorace.wav",
    "nextmin.wav",
    "onenext.wav",
    "with.wav",
    "remain.wav",
    "raceover.wav",
    "carpass.wav",
    "bookedin.wav",
    "runstart.wav",
    "secondsdrv.wav",
    "noimprove.wav",
    "carimprove.wav",
    "car.wav",
    "ftdimprove.wav",
    "roundimprove.wav",
    "carpassno.wav",
    "carpassftd.wav",
    "started.wav",
};
} // namespace

const char* SoundFileName(int slot) {
    if (slot < 0 || slot >= Sound::SlotCount) return "";
    return FileNames[static_cast<size_t>(slot)];
}

bool soundTableComplete(const std::filesystem::path& soundsDir) {
    for (int slot = 1; slot < Sound::SlotCount; ++slot) {
        if (*SoundFileName(slot) == '\0') continue;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(soundsDir / SoundFileName(slot), ec)) return false;
    }
    return true;
}

void loadSoundTable(SoundOut& sound, const std::filesystem::path& soundsDir) {
    for (int slot = 1; slot < Sound::SlotCount; ++slot) {
        if (*SoundFileName(slot) == '\0') continue;
        sound.load(slot, soundsDir / SoundFileName(slot));
    }
}

} // namespace vexa
