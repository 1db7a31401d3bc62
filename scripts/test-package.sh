#!/usr/bin/env bash
# Installs the Debian package as a club would (apt-get install ./vexa_*.deb), checks what it
# brought (its name, dependencies, manual pages, menu entry and icons), runs the installed
# programs (their --version, a race of a small meeting with vexa-cli, and a first start of the
# program, which makes its home in the user's data folder with the sounds there), then removes
# the package and checks that nothing of it is left. Needs root, or sudo.
# Usage: scripts/test-package.sh PACKAGE BUILD_DIR
#        (BUILD_DIR: a build with the tests, whose tests/make_sample_event makes the meeting)
set -euo pipefail
export LC_ALL=C
usage="usage: scripts/test-package.sh PACKAGE BUILD_DIR"
deb=$(realpath "${1:?$usage}")
build=$(cd "${2:?$usage}" && pwd)
cd "$(dirname "$0")/.."
# file tells the icons' sizes; desktop-file-validate checks the menu entry.
scripts/setup.sh file desktop-file-utils
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
programs=(vexa vexa-cli vexa-decoder-sim)

fail() {
    echo "test-package: $*" >&2
    exit 1
}
status() { dpkg-query -W -f='${Status}' vexa 2>/dev/null || true; }
case $(status) in
"" | *not-installed) ;;
*) fail "the vexa package is installed already; remove it first (apt-get purge vexa)" ;;
esac
work=$(mktemp -d)
# A check that fails leaves no package behind either.
cleanup() {
    case $(status) in
    "" | *not-installed) ;;
    *) DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get purge -y vexa >/dev/null 2>&1 || true ;;
    esac
    rm -rf "$work"
}
trap cleanup EXIT

# The package itself: its file name, and dependencies that are libraries, espeak-ng and sox.
field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$(basename "$deb")" = "vexa_${version}_$(field Architecture).deb" ] ||
    fail "$(basename "$deb") is not named vexa_<version>_<arch>.deb"
depends=$(field Depends)
for need in espeak-ng sox libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6serialport6 \
    libqt6printsupport6 libqt6multimedia6; do
    grep -Eq "(^|, )$need( |,|$)" <<<"$depends" || fail "the package does not depend on $need"
done
dependencies=$(sed -E 's/ *\([^)]*\)//g; s/ *\| */\n/g; s/, */\n/g' <<<"$depends")
while read -r dependency; do
    case $dependency in
    espeak-ng | sox) ;;
    *-dev | *-dev-* | *-tools) fail "the package depends on the build tool $dependency" ;;
    lib*) ;;
    *) fail "the package depends on $dependency, which is neither a library nor espeak-ng or sox" ;;
    esac
done <<<"$dependencies"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | sort >"$work/files"

# Whatever carries the program's name in the system's folders, to compare with after the removal.
traces() { find /usr /etc /var/lib/dpkg/info -xdev -iname '*vexa*' 2>/dev/null | sort; }
traces >"$work/before"

cp "$deb" "$work/"
(cd "$work" && DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "./$(basename "$deb")")
[ "$(status)" = "install ok installed" ] || fail "apt-get did not install the package"

for program in "${programs[@]}"; do
    [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not in /usr/bin"
    [ "$("$program" --version)" = "$program $version" ] || fail "$program --version is not $version"
    page=/usr/share/man/man1/$program.1.gz
    zcat "$page" | grep -q "^\.TH " || fail "$page is not a manual page"
    zcat "$page" | grep -qF "${program//-/\\-} \\- " || fail "$page lacks its NAME line"
done
# Every library the programs are linked with comes from a package the package depends on, so
# that apt-get brings it to a machine that lacks it.
for program in "${programs[@]}"; do
    ldd "/usr/bin/$program" | grep -q "not found" && fail "$program misses a library"
    for library in $(readelf -d "/usr/bin/$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        path=$(ldd "/usr/bin/$program" | awk -v l="$library" '$1 == l {print $3}')
        # dpkg knows a library by the path its package put it at: /lib or /usr/lib.
        owner=$(dpkg -S "$path" 2>/dev/null || dpkg -S "$(realpath "$path")" 2>/dev/null) ||
            fail "$program needs $library ($path), which no package holds"
        owner=${owner%%:*}
        grep -qx "$owner" <<<"$dependencies" ||
            fail "$program needs $library of $owner, which the package does not depend on"
    done
done
desktop-file-validate /usr/share/applications/vexa.desktop
grep -qx "Icon=vexa" /usr/share/applications/vexa.desktop || fail "the menu entry has no icon"
for size in 16 22 24 32 48 64 128 256; do
    file "/usr/share/icons/hicolor/${size}x${size}/apps/vexa.png" |
        grep -q "PNG image data, $size x $size" || fail "no ${size}-pixel icon"
done
[ -x /usr/share/vexa/make_sounds.sh ] || fail "no sound script in /usr/share/vexa"
[ "$(stat -c %s /usr/share/vexa/vexa.qfq)" = 4200 ] || fail "no frequency names in /usr/share/vexa"

# A race of a small meeting, run by the installed vexa-cli.
"$build/tests/make_sample_event" "$work/meeting" "$work/script.txt"
/usr/bin/vexa-cli race --home "$work/meeting" --event "Club Day" --script "$work/script.txt" \
    --races 2 --print-dir "$work/print" --quiet || fail "vexa-cli race failed"
event="$work/meeting/event files/Club Day"
grep -q "Ann Lee" "$event/html/h1r1.html" || fail "no results of heat 1"
grep -q "Dan &lt;Fast&gt; Ray" "$event/html/h2r1.html" || fail "no results of heat 2"
for saved in eventfile.qrf mlri.dat; do
    [ -s "$event/$saved" ] || fail "the races' $saved was not written"
done

# The first start of the installed program: its home is the user's data folder, even for root,
# who could write into /usr/bin, and it makes the sounds there.
user=$work/user
data="$user/.local/share/Vexa Free"
"$build/tests/make_sample_event" "$data" "$work/first-script.txt"
if ! env -u XDG_DATA_HOME HOME="$user" QT_QPA_PLATFORM=offscreen \
    timeout 300 /usr/bin/vexa --check-start --event "Club Day" >"$work/start.log" 2>&1; then
    cat "$work/start.log"
    fail "the installed program did not start"
fi
cat "$work/start.log"
grep -oE '^(speak|tone|pips) [a-z]+\.wav' /usr/share/vexa/make_sounds.sh | cut -d' ' -f2 |
    while read -r sound; do
        [ "$(head -c 4 "$data/sounds/$sound" 2>/dev/null)" = RIFF ] ||
            fail "the first start did not make $sound in the user's data folder"
    done
for made in vexa.ini vexa.qfq sounds "event files" database; do
    [ ! -e "/usr/bin/$made" ] || fail "the program wrote /usr/bin/$made"
done

DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y vexa
for program in "${programs[@]}"; do
    [ ! -e "/usr/bin/$program" ] || fail "/usr/bin/$program is left after apt-get remove"
done
# The package has no configuration files, so dpkg forgets it at the removal already; were it to
# keep any, they go with a purge (apt-get purge of a package dpkg no longer knows is an error).
case $(status) in
*config-files) DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get purge -y vexa ;;
esac
case $(status) in
"" | *not-installed) ;;
*) fail "dpkg still holds the package after its removal ($(status))" ;;
esac
while read -r path; do
    [ ! -e "$path" ] || fail "$path is left after the removal"
done <"$work/files"
traces >"$work/after"
if ! diff "$work/before" "$work/after" >&2; then
    fail "the paths above are left after the removal"
fi
echo "test-package: $(basename "$deb") installed, ran and was removed without a trace"
