#!/bin/sh
# Makes tests/game/demos/story.dmo again with the dev build's record_story_demo (README.md).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin="$here/../../../build/${PRESET:-dev}/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln "$bin/record_story_demo" "$work/" 2>/dev/null || cp "$bin/record_story_demo" "$work/"
for data in images levels local sound; do
    ln -s "$bin/$data" "$work/$data"
done
mkdir -p "$work/data" "$work/config" "$work/run"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/run" "$work/record_story_demo" "$work/story.dmo" </dev/null
cp "$work/story.dmo" "$here/story.dmo"
echo "written $here/story.dmo"
