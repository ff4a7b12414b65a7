#!/usr/bin/env bash
# Lorvane: an unattended edit of the bundled seven-language sample layout. The layout sits two folders
# deep, as in an extracted banner (its texture folder would be the sibling "timg").
set -euo pipefail
cd "$(dirname "$0")/../.."
panes="$SUITE/../bin/layout_panes"
layout="$DEMO/lorvane/banner/arc/banner.brlyt"
mkdir -p "$(dirname "$layout")"
cp samples/layouts/vc_banner.brlyt "$layout"

echo "-- panes of $layout before ($(stat -c %s "$layout") bytes)"
"$panes" "$layout"

echo "-- Lorvane $layout -TITLE \"Moon Quest^Deluxe\" -YEAR 1991 -PLAY 4 -ESRB E -SYSTEM Famicom -T_JPN ムーンクエスト -COLOR NES -PAD 12000"
"$SUITE/Lorvane" "$layout" -TITLE "Moon Quest^Deluxe" -YEAR 1991 -PLAY 4 -ESRB E -SYSTEM Famicom \
    -T_JPN "ムーンクエスト" -COLOR NES -PAD 12000
echo "   exit status $?"

echo "-- panes after ($(stat -c %s "$layout") bytes, padded to 12000)"
"$panes" "$layout"
