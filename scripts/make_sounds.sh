#!/usr/bin/env bash
# Makes every announcement sound that is missing from a sounds folder: the words spoken by
# espeak-ng, the beeps as tones made by sox, all 16-bit mono at 22050 Hz. A file that is already
# there is never touched, so a club's own recordings stay; delete a file to have it made again.
# Usage: scripts/make_sounds.sh SOUNDS_DIR
set -euo pipefail
dir=${1:?usage: scripts/make_sounds.sh SOUNDS_DIR}

for tool in espeak-ng sox; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "make_sounds: $tool is not installed (scripts/setup.sh installs it)" >&2
        exit 1
    fi
done
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each sound is made in the work folder and then moved into place, so an interrupted run leaves
# no half-written file that a later run would keep.
put() { mv -n "$work/$1" "$dir/$1"; }

# A word or phrase, with the silence before and after cut off so that words queued one after
# another (forty, seven) run together as a sentence, and a short pause at the end.
speak() {
    local file=$1 text=$2
    [ -e "$dir/$file" ] && return 0
    espeak-ng -v en -s 150 -w "$work/raw.wav" "$text"
    sox "$work/raw.wav" -r 22050 -c 1 -b 16 "$work/$file" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse norm -1 pad 0 0.06
    put "$file"
}

# A short tone: sox synth arguments after the length, e.g. "sine 880".
tone() {
    local file=$1 length=$2
    shift 2
    [ -e "$dir/$file" ] && return 0
    sox -n -r 22050 -c 1 -b 16 "$work/$file" synth "$length" "$@" fade 0.005 "$length" 0.02 \
        gain -3
    put "$file"
}

# Two short tones with a gap, for the brightest beep.
pips() {
    local file=$1 frequency=$2
    [ -e "$dir/$file" ] && return 0
    sox -n -r 22050 -c 1 -b 16 "$work/pip.wav" synth 0.05 sine "$frequency" fade 0.005 0.05 0.01 \
        gain -3 pad 0 0.03
    sox "$work/pip.wav" "$work/pip.wav" "$work/$file"
    put "$file"
}

# The numbers one to twenty and the tens thirty to ninety; a number is spoken as its tens word
# followed by its units word.
speak one.wav "one"
speak two.wav "two"
speak three.wav "three"
speak four.wav "four"
speak five.wav "five"
speak six.wav "six"
speak seven.wav "seven"
speak eight.wav "eight"
speak nine.wav "nine"
speak ten.wav "ten"
speak eleven.wav "eleven"
speak twelve.wav "twelve"
speak thirteen.wav "thirteen"
speak forteen.wav "fourteen"
speak fifteen.wav "fifteen"
speak sixteen.wav "sixteen"
speak seventeen.wav "seventeen"
speak eighteen.wav "eighteen"
speak ninteen.wav "nineteen"
speak twenty.wav "twenty"
speak thirty.wav "thirty"
speak forty.wav "forty"
speak fifty.wav "fifty"
speak sixty.wav "sixty"
speak seventy.wav "seventy"
speak eighty.wav "eighty"
speak ninty.wav "ninety"

# Every second of the last seconds before the start.
tone cntdown.wav 0.25 sine 660
# Race time up in a mass start: each car finishes at its next crossing.
speak lfinish.wav "Race time is up. Cars finish as they cross the line."
# Followed by the car numbers in start order.
speak startord.wav "The start order is"
# Followed by the race number.
speak half.wav "Half time in race"
# Followed by the car numbers.
speak finishorder.wav "The finishing order is"
speak start.wav "Go!"
# Followed by the car numbers.
speak runorder.wav "The running order is"
# After a car number.
speak finished.wav "finished"
# "Currently" 5 "minutes into the race", "with" 3 "minutes remaining".
speak currently.wav "Currently"
speak intorace.wav "minutes into the race"
# After a number of minutes.
speak nextmin.wav "minutes to the next race"
speak onenext.wav "One minute to the next race"
speak with.wav "with"
speak remain.wav "minutes remaining"
speak raceover.wav "The race is over"
# Pass beeps: a counted crossing that is not on course to beat the driver's best ...
tone carpassno.wav 0.1 sine 440
# ... one that is ...
tone carpass.wav 0.1 sine 880
# ... and the leader on course to beat the fastest time of the day, or a car booked in.
pips carpassftd.wav 1320
# After a competitor number, when the transponder test sees a transponder.
speak bookedin.wav "booked in"
# A stagger start without a called start order: each car starts at its first crossing.
speak runstart.wav "Stagger start. Cars start as they cross the line."
# After thirty, twenty or ten.
speak secondsdrv.wav "seconds to go"
speak noimprove.wav "No driver improved"
# Followed by the car numbers.
speak carimprove.wav "Drivers who improved, car numbers"
# "Car" 7 "set a new fastest time of the day" / "set the best result of the round".
speak car.wav "Car"
speak ftdimprove.wav "set a new fastest time of the day"
speak roundimprove.wav "set the best result of the round"
# After a car number, in a stagger start.
speak started.wav "started"
