#!/usr/bin/env bash
# Makes still images of the explorer for a person to look at: windows 700 and 800 pixels wide, a
# 1280x800 window at text scale 1.5 and an inline rename in list and grid mode, all on a small demo
# folder made in /tmp for the purpose.
#
#   scripts/screenshots.sh [OUT_DIR]        (default /tmp/fe-shots)
#
# The program is $FE_EXPLORER when set, else build/bin/file-explorer (built when missing). Each PNG's
# path is printed as it is written.
set -euo pipefail
cd "$(dirname "$0")/.."

out_dir=${1:-/tmp/fe-shots}
explorer=${FE_EXPLORER:-build/bin/file-explorer}
if [ ! -x "$explorer" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFE_BUILD_TESTS=OFF -DFE_BUILD_BENCH=OFF >&2
  cmake --build build -j "$(nproc)" --target file-explorer >&2
  explorer=build/bin/file-explorer
fi
explorer=$(realpath "$explorer")
mkdir -p "$out_dir"
out_dir=$(realpath "$out_dir")

# A home of its own, so that the pictures never show (or change) the real user's folders and settings.
demo=$(mktemp -d /tmp/fe-demo-XXXXXX)
trap 'rm -rf "$demo"' EXIT
home="$demo/home"
mkdir -p "$home"/{Desktop,Documents,Downloads,Music,Pictures,Videos,.config,.local/state,.local/share,.cache}
folder="$home/Documents/Demo project"
mkdir -p "$folder"/{Drafts,Invoices,"Photos from the trip"}
printf 'Meeting notes\n\n- budget\n- timeline\n' >"$folder/Notes from the meeting.md"
printf 'name,amount\nrent,1200\nfood,400\n' >"$folder/Quarterly budget.csv"
printf 'int main() { return 0; }\n' >"$folder/main.cpp"
printf '{"title": "demo"}\n' >"$folder/settings.json"
head -c 250000 /dev/zero >"$folder/Archive backup.tar.gz"
head -c 1800000 /dev/zero >"$folder/Holiday video.mp4"
head -c 64000 /dev/zero >"$folder/Thesis draft final version with a rather long name.pdf"
touch -d '2026-03-02 09:15' "$folder/main.cpp"
touch -d '2025-11-20 17:40' "$folder/Quarterly budget.csv"

in_demo_home() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LANGUAGE HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    XDG_STATE_HOME="$home/.local/state" XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
    LANG=en_US.UTF-8 "$@"
}

shoot() {
  local name=$1
  shift
  in_demo_home "$explorer" --shot "$out_dir/$name.png" --path "$folder" "$@" >/dev/null
  echo "$out_dir/$name.png"
}

# Drives the automation mode: the last entry renamed in place, in list and then in grid mode.
shoot_rename() {
  in_demo_home "$explorer" --automation --window-size 800x560 "$folder" >/dev/null <<EOF
{"op":"key","key":"End"}
{"op":"key","key":"F2"}
{"op":"shot","path":"$out_dir/rename-list.png"}
{"op":"key","key":"Escape"}
{"op":"invoke","kind":2,"action":"files.folder-command","payload":"grid"}
{"op":"key","key":"F2"}
{"op":"shot","path":"$out_dir/rename-grid.png"}
EOF
  echo "$out_dir/rename-list.png"
  echo "$out_dir/rename-grid.png"
}

shoot width-700 --size 700x560
shoot width-800 --size 800x600
shoot text-scale-1.5 --size 1280x800 --text-scale 1.5
shoot_rename
