#!/bin/sh
# Makes a demo of tests/game/demos again with the dev build's record_story_demo (README.md):
# record.sh story (story.dmo), record.sh easy (easy.dmo) or record.sh tour (tour.dmo, and the
# files the recorded run wrote in tour/).
set -eu
script=${1:-story}
here=$(cd "$(dirname "$0")" && pwd)
bin="$here/../../../build/${PRESET:-dev}/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln "$bin/record_story_demo" "$work/" 2>/dev/null || cp "$bin/record_story_demo" "$work/"
for data in images levels local sound; do
    ln -s "$bin/$data" "$work/$data"
done
mkdir -p "$work/share" "$work/config" "$work/run"
# A first start: player files and settings of its own, never the user's.
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$work/share" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" \
    "$work/record_story_demo" "$script" "$work/$script.dmo" </dev/null
cp "$work/$script.dmo" "$here/$script.dmo"
echo "written $here/$script.dmo"
if [ "$script" = tour ]; then
    mkdir -p "$here/tour"
    data="$work/share/Kelmontrave/Quandrellis"
    cp "$data/Player.pf" "$data/profile.dat" "$data/scores.dat" \
        "$work/config/Kelmontrave/Quandrellis.reg" "$here/tour/"
    echo "written $here/tour/"
fi
