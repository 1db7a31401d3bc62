// The race journal reader: whatever the bytes, it keeps only whole, sealed records and reads the
// same from the bytes it kept; its records written again read back the same; its inputs written
// out as a race script read back as the same script events.
#include "fuzz_check.h"

#include "journal/journal_records.h"

#include <algorithm>
#include <string_view>

using namespace vexa;
using vexa::fuzz::require;

namespace {

bool sameInputs(const std::vector<ScriptEvent>& a, const std::vector<ScriptEvent>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].ms != b[i].ms || a[i].kind != b[i].kind || a[i].data != b[i].data ||
            a[i].action != b[i].action || a[i].argument != b[i].argument)
            return false;
    return true;
}

bool scriptable(const ScriptEvent& e) {
    if (e.kind != ScriptEvent::Kind::Key) return true;
    for (unsigned char c : e.data)
        if (c <= ' ' || c >= 127) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Journal first = readJournal(bytes);
    require(first.wholeBytes <= size, "the records read lie within the input");
    require(first.cut == (first.wholeBytes < size), "what is not read is reported as cut");
    require(!first.damaged || first.cut, "only a journal cut short is damaged");
    require(first.header || (first.inputs.empty() && first.setUps.empty() && !first.endMs),
            "nothing is read without a header");

    const Journal kept = readJournal(bytes.substr(0, first.wholeBytes));
    require(!kept.cut && sameInputs(kept.inputs, first.inputs) &&
                kept.setUps.size() == first.setUps.size() && kept.endMs == first.endMs,
            "the bytes kept read the same");
    if (!first.header) return 0;

    std::string again = journalHeaderRecord(*first.header);
    for (const JournalSetUp& s : first.setUps) again += journalSetUpRecord(s);
    for (const ScriptEvent& e : first.inputs) appendJournalInput(again, e.ms, e);
    if (first.uploadBytes) again += journalUploadRecord(0, *first.uploadBytes);
    if (first.endMs) again += journalEndRecord(*first.endMs);
    const Journal second = readJournal(again);
    require(!second.cut && sameInputs(second.inputs, first.inputs) && second.endMs == first.endMs &&
                second.uploadBytes == first.uploadBytes,
            "written again, the records read back the same");
    require(second.setUps.size() == first.setUps.size(), "every set-up is written again");
    for (size_t i = 0; i < first.setUps.size(); ++i) {
        const auto& a = first.setUps[i].entrants;
        const auto& b = second.setUps[i].entrants;
        require(a.size() == b.size(), "a set-up keeps its entrants");
        for (size_t k = 0; k < a.size(); ++k)
            require(a[k].slot == b[k].slot && a[k].id == b[k].id && a[k].laps == b[k].laps &&
                        a[k].time == b[k].time,
                    "an entrant's result reads back the same");
    }

    const ParsedScript script = parseRaceScript(journalAsScript(first));
    require(script.error.empty(), "the journal as a script is a valid script");
    std::vector<ScriptEvent> expected;
    for (const ScriptEvent& e : first.inputs)
        if (scriptable(e)) expected.push_back(e);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.ms < b.ms; });
    require(sameInputs(script.script.events, expected),
            "the script holds the journal's inputs in order");
    return 0;
}
