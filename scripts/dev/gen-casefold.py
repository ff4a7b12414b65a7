#!/usr/bin/env python3
"""Writes platform/CaseFoldTable.h: Unicode simple case folding as runs, from Python's Unicode data.

A character folds to its one-character case fold, else to its one-character lower case, else to
itself (simple folding: the folds that turn one character into several, such as sharp s, are left
out). Runs of characters that fold by the same offset at a fixed stride (1 for a block, 2 for the
upper/lower pairs of Latin Extended) become one entry. Run it again after a Python upgrade brings a
newer Unicode version."""
import sys
import unicodedata
from pathlib import Path

pairs = []
for cp in range(0x20000):
    if 0xD800 <= cp < 0xE000:
        continue
    ch = chr(cp)
    folded = ch.casefold()
    if len(folded) != 1:
        folded = ch.lower() if len(ch.lower()) == 1 else ch
    if folded != ch:
        pairs.append((cp, ord(folded)))

runs = []  # first, count, delta, stride
for cp, folded in pairs:
    delta = folded - cp
    if runs:
        first, count, d, stride = runs[-1]
        last = first + (count - 1) * stride
        if d == delta and ((count == 1 and cp - last in (1, 2)) or (count > 1 and cp - last == stride)):
            runs[-1] = (first, count + 1, d, cp - last if count == 1 else stride)
            continue
    runs.append((cp, 1, delta, 1))

lines = [
    "#pragma once",
    "",
    f"// Unicode {unicodedata.unidata_version} simple case folding, made by scripts/dev/gen-casefold.py; do not edit.",
    "// Each run folds count characters, first, first + stride, ..., by adding delta.",
    "",
    "#include <array>",
    "#include <cstdint>",
    "",
    "namespace platform::casefold {",
    "",
    "struct Run",
    "{",
    "    char32_t first;",
    "    std::uint16_t count;",
    "    std::uint8_t stride;",
    "    std::int32_t delta;",
    "};",
    "",
    f"inline constexpr std::array<Run, {len(runs)}> RUNS{{{{",
]
for first, count, delta, stride in runs:
    lines.append(f"    {{0x{first:04X}, {count}, {stride}, {delta}}},")
lines += ["}};", "", "} // namespace platform::casefold", ""]
out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "platform" / "CaseFoldTable.h")
out.write_text("\n".join(lines))
print(f"{out}: {len(runs)} runs for {len(pairs)} characters")
