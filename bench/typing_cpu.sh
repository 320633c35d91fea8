#!/usr/bin/env bash
# CPU time the running editor spends per typed character on a large page, in the real window:
#   bash bench/typing_cpu.sh [MEGABYTES...]      (default: 1 10)
# Starts build/veskhtml under an Xvfb of its own on a page of the given size (a realistic
# Japanese page repeated), types 200 characters in the middle of it with xdotool, and reads the
# process's user+system CPU time from /proc before and after; the CPU of an idle period of the
# same length is subtracted.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
binary="$here/build/veskhtml"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1 10)
work="$(mktemp -d)"
trap 'kill "${app:-0}" "${xvfb:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

display=":$(( 200 + $$ % 50 ))"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

ticks=$(getconf CLK_TCK)
cpu() { awk -v t="$ticks" '{ printf "%.0f", ($14 + $15) * 1000 / t }' "/proc/$1/stat"; }

for mb in "${sizes[@]}"; do
  page="$work/page$mb.html"
  python3 - "$page" "$mb" <<'PY'
import sys
path, mb = sys.argv[1], int(sys.argv[2])
block = ('<TR><TD><A HREF="item.html#n">商品の説明</A></TD><TD><IMG SRC="img/p.png" WIDTH="40">'
         '</TD><TD>価格は<B>1,200円</B>です。<FONT COLOR="#FF0000">在庫わずか</FONT></TD></TR>\r\n'
         '<!-- コメント -->\r\n<P>日本語の段落です。ホームページを手で書く人のためのエディタ。</P>\r\n')
body = block * (mb * 1024 * 1024 // len(block.encode()) + 1)
open(path, 'w', encoding='utf-8', newline='').write('<HTML><BODY><TABLE>\r\n' + body + '</TABLE></BODY></HTML>\r\n')
PY
  home="$work/home$mb"; mkdir -p "$home"
  HOME="$home" XDG_CONFIG_HOME="$home/config" VESKHTML_DATA_DIR="$home/data" \
    "$binary" "$page" >/dev/null 2>&1 &
  app=$!
  window=""
  for _ in $(seq 300); do
    # Pages this large bring the notice that colouring may be slow: it is answered.
    notice=""
    for candidate in $(xdotool search --onlyvisible --pid "$app" --name '^VeskHtml$' 2>/dev/null); do
      if [ "$(xdotool getwindowgeometry "$candidate" | awk '/Geometry/ { split($2, g, "x"); print g[1] }')" -lt 700 ]; then
        notice=$candidate
        xdotool windowfocus --sync "$notice" key Return
      fi
    done
    window=$(xdotool search --onlyvisible --pid "$app" --name '^VeskHtml - ' 2>/dev/null | head -1) || true
    [ -n "$window" ] && [ -z "${notice:-}" ] && break; notice=""; sleep 0.2
  done
  sleep 2
  xdotool windowfocus --sync "$window"
  # The middle of the page: half the lines down.
  xdotool key ctrl+Home; for _ in $(seq 10); do xdotool key --delay 0 Page_Down; done
  sleep 1
  idle0=$(cpu "$app"); sleep 10; idle1=$(cpu "$app")
  start=$(cpu "$app"); t0=$(date +%s.%N)
  xdotool type --delay 50 "$(printf 'abcdefghij%.0s' $(seq 20))"
  sleep 1
  end=$(cpu "$app"); t1=$(date +%s.%N)
  [ -z "${SHOT:-}" ] || import -window root "$SHOT-$mb.png"
  awk -v mb="$mb" -v s="$start" -v e="$end" -v i0="$idle0" -v i1="$idle1" -v t0="$t0" -v t1="$t1" \
    'BEGIN { idle = (i1 - i0) / 10 * (t1 - t0); printf "%d MB page: %.2f ms CPU per typed character (%.0f ms for 200, idle %.0f ms)\n", mb, (e - s - idle) / 200, e - s, idle }'
  kill "$app"; wait "$app" 2>/dev/null || true
done
