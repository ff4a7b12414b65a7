#!/usr/bin/env bash
# Mintrel: makes the textures of an N64 title and of a Genesis title from the bundled sample picture,
# then injects them with Stavik into copies of the bundled sample titles: picture -> textures -> title.
set -euo pipefail
cd "$(dirname "$0")/../.."
work="$DEMO/mintrel"
picture=samples/mintrel/moon_racer.png
rm -rf "$work"
mkdir -p "$work/textures/n64" "$work/textures/gen" "$work/view"
cp -r samples/stavik/n64 samples/stavik/genesis "$work/"

# The images a TPL holds, as tpl_viewer decodes them (name and size of each picture it writes).
images() {
    rm -f "$work"/view/*
    (cd "$work/view" && "$SUITE/tpl_viewer" "$1")
    for tga in "$work"/view/*.tga; do
        printf '   %s %sx%s\n' "$(basename "$tga")" "$(od -An -tu2 -j12 -N2 "$tga" | tr -d ' ')" \
            "$(od -An -tu2 -j14 -N2 "$tga" | tr -d ' ')"
    done
}

echo "-- Mintrel -sys n64 -s $picture -d $work/textures/n64/"
"$SUITE/Mintrel" -sys n64 -s "$picture" -d "$work/textures/n64/"
echo "   exit status $?"
ls -l "$work/textures/n64" | tail -n +2 | awk '{printf "   %-16s %6d bytes\n", $9, $5}'
echo "-- the N64 save banner: banner, frame A, two blends, frame B"
images "$work/textures/n64/save_banner.tpl"

echo "-- Mintrel -sys gen -alt -s $picture -d $work/textures/gen/ -m s"
"$SUITE/Mintrel" -sys gen -alt -s "$picture" -d "$work/textures/gen/" -m s
echo "   exit status $?"
ls -l "$work/textures/gen" | tail -n +2 | awk '{printf "   %-16s %6d bytes\n", $9, $5}'

meta="$work/n64/00000005_app_out/meta"
echo "-- Stavik -C n64 -DST $meta/ -SRC $work/textures/n64/save_banner.tpl -EN \"Moon Racer\""
"$SUITE/Stavik" -C n64 -DST "$meta/" -SRC "$work/textures/n64/save_banner.tpl" -EN "Moon Racer" 2>&1
echo "   exit status $?"
cmp -s "$meta/save_banner.tpl" "$work/textures/n64/save_banner.tpl" &&
    echo "   the title's save_banner.tpl is now the one made from the picture"

folder="$work/genesis/00000005_app_out/meta/data_ccf_out/misc_ccf_zlib_out"
echo "-- Stavik -C gen -DST $folder/banner.cfg.txt -SRC $work/textures/gen/ -EN \"Moon Racer\""
"$SUITE/Stavik" -C gen -DST "$folder/banner.cfg.txt" -SRC "$work/textures/gen/" -EN "Moon Racer" 2>&1
echo "   exit status $?"
for wte in 01 02 03 04 05 06; do
    cmp -s "$folder/$wte.wte" "$work/textures/gen/$wte.wte" || echo "   $wte.wte differs"
done
cmp -s "$folder/banner_us.wte" "$work/textures/gen/banner.wte" &&
    echo "   01.wte to 06.wte and the banner (under the title's own name banner_us.wte) are the generated ones"
