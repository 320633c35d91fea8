#!/usr/bin/env bash
# Encoding detection of the editor against nkf --guess and uchardet on the test corpus
# (Japanese pages in every encoding, with and without META, NEC/IBM characters in
# Shift-JIS, kana-only EUC-JP, Western Windows-1252 pages):
#   bash bench/compare_detection.sh [-v]
# Installs nkf and uchardet when missing. The editor must name the encoding exactly (its
# tests check the text it reads); nkf and uchardet count as right when the text they read
# the page as (nkf -w, or iconv from what uchardet names) is the page's text, BOM aside.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
verbose="${1:-}"
missing=()
command -v nkf >/dev/null || missing+=(nkf)
command -v uchardet >/dev/null || missing+=(uchardet)
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update >/dev/null && apt-get install -y "${missing[@]}" >/dev/null
fi
cmake --build "$here/build" --target write_corpus veskhtml >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$here/build/bench/write_corpus" "$work" > "$work/expected.tsv"

strip_bom() { sed '1s/^\xEF\xBB\xBF//'; }
reads_right() {  # reads_right FILE: standard input is some tool's reading of FILE
  cmp -s <(strip_bom) "$1.utf8"
}

total=0; ours=0; nkfs=0; uchar=0
while IFS=$'\t' read -r file want; do
  total=$((total + 1))
  got_ours="$("$here/build/veskhtml" --detect "$file" | cut -f2)"
  got_nkf="$(nkf --guess "$file")"
  got_uchar="$(uchardet "$file")"
  ok_ours=no; ok_nkf=no; ok_uchar=no
  [ "$got_ours" = "$want" ] && { ours=$((ours + 1)); ok_ours=yes; }
  nkf -w -x "$file" | reads_right "$file" && { nkfs=$((nkfs + 1)); ok_nkf=yes; }
  { iconv -f "$got_uchar" -t UTF-8 "$file" 2>/dev/null || true; } | reads_right "$file" &&
    { uchar=$((uchar + 1)); ok_uchar=yes; }
  if [ "$verbose" = -v ]; then
    printf '%-28s %-13s ours=%s(%s) nkf=%s(%s) uchardet=%s(%s)\n' "$(basename "$file")" "$want" \
      "$got_ours" "$ok_ours" "$got_nkf" "$ok_nkf" "$got_uchar" "$ok_uchar"
  fi
done < "$work/expected.tsv"
echo "pages: $total   veskhtml --detect: $ours   nkf --guess: $nkfs   uchardet: $uchar"
