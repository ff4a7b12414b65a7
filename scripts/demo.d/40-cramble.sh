#!/usr/bin/env bash
# Cramble: packs the bundled sample folder into a CCF archive, extracts it again and shows that the
# round trip gives the same member names, sizes and compression choices (and the same archive when
# the extracted folder is packed once more).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
SAMPLE="$ROOT/samples/cramble"
OUT="$DEMO/cramble"
rm -rf "$OUT"
mkdir -p "$OUT"

# The member table: name, stored size, original size; a member is compressed when the two differ.
members() {
    local archive=$1 count i at name fields
    count=$(od -An -tu1 -j 20 -N 1 "$archive" | tr -d ' ')
    printf '  %-22s %8s %8s  %s\n' member stored original "stored as"
    for ((i = 0; i < count; i++)); do
        at=$((32 + 32 * i))
        name=$(dd if="$archive" bs=1 skip="$at" count=20 status=none | tr -d '\0')
        read -r _ stored original < <(od -An -tu4 --endian=little -j $((at + 20)) -N 12 "$archive")
        fields=plain
        [ "$stored" != "$original" ] && fields=zlib
        printf '  %-22s %8s %8s  %s\n' "$name" "$stored" "$original" "$fields"
    done
}

# A folder as the archive sees it: member name, size on disk, compressed or not.
as_members() {
    local file
    for file in "$1"/*; do
        file=$(basename "$file")
        case "$file" in
            *.zlib) printf '%s %s zlib\n' "${file%.zlib}" "$(stat -c %s "$1/$file")" ;;
            *) printf '%s %s plain\n' "$file" "$(stat -c %s "$1/$file")" ;;
        esac
    done | sort
}

echo "Packing $SAMPLE"
"$SUITE/Cramble" -pack -folder "$SAMPLE" -file "$OUT/sample.ccf"
echo "sample.ccf: $(stat -c %s "$OUT/sample.ccf") bytes"
members "$OUT/sample.ccf"

echo "Extracting it again (the folder is derived from the archive name)"
"$SUITE/Cramble" -e -file "$OUT/sample.ccf"

echo "Both folders read as members: name, size, compression (left the sample, right the extracted folder):"
paste <(as_members "$SAMPLE") <(as_members "$OUT/sample_ccf_OUT") | awk '{ printf "  %-16s %6s %-6s | %-16s %6s %s\n", $1, $2, $3, $4, $5, $6 }'
if diff <(as_members "$SAMPLE") <(as_members "$OUT/sample_ccf_OUT") >/dev/null; then
    echo "Round trip: same member names, sizes and compression choices"
else
    echo "Round trip changed the members" >&2
    exit 1
fi
diff -r "$SAMPLE" "$OUT/sample_ccf_OUT" && echo "Round trip: every file has the same content"

"$SUITE/Cramble" -pack -folder "$OUT/sample_ccf_OUT" -file "$OUT/repacked.ccf"
cmp "$OUT/sample.ccf" "$OUT/repacked.ccf" && echo "Packing the extracted folder again gives the same archive, byte for byte"
