#!/usr/bin/env bash
# Stavik: unattended injections into the bundled sample titles: the seven save titles and the save
# banner of an N64 title, then the titles and WTE set of a Genesis title.
set -euo pipefail
cd "$(dirname "$0")/../.."
work="$DEMO/stavik"
rm -rf "$work"
mkdir -p "$work"
cp -r samples/stavik/n64 samples/stavik/genesis samples/stavik/new "$work/"
meta="$work/n64/00000005_app_out/meta"
cfg="$work/genesis/00000005_app_out/meta/data_ccf_out/misc_ccf_zlib_out/banner.cfg.txt"

# The title of an N64 save-comment file: byte 47 holds its length, the UTF-16LE text starts at 64.
n64_titles() {
    for code in jp en de fr es it nl; do
        file="$meta/saveComments_saveComments_$code.bin"
        n=$(od -An -tu1 -j47 -N1 "$file" | tr -d ' ')
        printf '   %s (%3d bytes): %s\n' "$code" "$(stat -c %s "$file")" \
            "$(tail -c +65 "$file" | head -c "$n" | iconv -f UTF-16LE -t UTF-8 | tr '\n' '^')"
    done
}

echo "-- N64 save titles before"
n64_titles
echo "-- Stavik -C n64 -DST $meta/ -SRC $work/new/save_banner.tpl -EN \"Moon Racer^Time Trial\" -GE \"Mondrenner\" -SP \"Corredor lunar\" -DU \"Maanracer\""
"$SUITE/Stavik" -C n64 -DST "$meta/" -SRC "$work/new/save_banner.tpl" -EN "Moon Racer^Time Trial" \
    -GE "Mondrenner" -SP "Corredor lunar" -DU "Maanracer" 2>&1
echo "   exit status $?"
echo "-- N64 save titles after (the languages not given keep their titles; \"^\" is the line break)"
n64_titles
cmp -s "$meta/save_banner.tpl" "$work/new/save_banner.tpl" && echo "   save_banner.tpl replaced by the new one"

echo "-- Genesis banner.cfg.txt before"
iconv -f UTF-16 -t UTF-8 "$cfg" | tr -d '\r' | sed 's/^/   /'; echo
echo "-- Stavik -C gen -DST $cfg -SRC $work/new/wte/ -EN \"Moon Blast\" -JP \"ムーンブラスト\""
"$SUITE/Stavik" -C gen -DST "$cfg" -SRC "$work/new/wte/" -EN "Moon Blast" -JP "ムーンブラスト" 2>&1
echo "   exit status $?"
echo "-- Genesis banner.cfg.txt after"
iconv -f UTF-16 -t UTF-8 "$cfg" | tr -d '\r' | sed 's/^/   /'; echo
folder=$(dirname "$cfg")
cmp -s "$folder/banner_us.wte" "$work/new/wte/banner.wte" && echo "   banner.wte copied under the title's own name banner_us.wte"
