// Decoder bytes during a running race: the serial or socket line assembly, the record parser of
// every dialect and the dispatch into the race engine's passings. The first byte chooses the
// dialect and the race's settings (see RigChoice); of the bytes after it, 0xFC hands the bytes
// gathered so far to the link, 0xFD and 0xFE do so and let 0.2 s or 5 s of race time pass, and
// 0xFF does so and breaks the link, which is then set up again. At the end the race runs to its
// finish and every competitor's counted laps must be in the stored results.
#include "decoder_rig.h"
#include "fuzz_check.h"

#include <string>

using namespace vexa;
using vexa::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzz::DecoderRig rig(fuzz::RigChoice::fromByte(data[0]));
    require(rig.raceRunning(), "the race runs");

    std::string block;
    auto deliver = [&] {
        rig.receive(block);
        block.clear();
        rig.checkEntrants();
    };
    for (size_t i = 1; i < size; ++i) {
        const uint8_t byte = data[i];
        if (byte < 0xFC) {
            block += static_cast<char>(byte);
            continue;
        }
        deliver();
        if (byte == 0xFD) rig.advance(200);
        if (byte == 0xFE) rig.advance(5000);
        if (byte == 0xFF) rig.loseAndReconnectLink();
    }
    deliver();

    require(rig.finishRace(), "the race ends");
    rig.checkEntrants();
    rig.checkStoredResults();
    return 0;
}
