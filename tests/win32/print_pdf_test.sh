#!/usr/bin/env bash
# Printing end to end: the Windows test program prints a script of 240
# numbered lines on the default PDF printer and a short one through the
# printer dialog; this script then reads the PDFs back. Needs the print
# server of scripts/print-server.sh (CUPS_SERVER, QVR_PDF_DIR).
# Usage: print_pdf_test.sh qvr_win32_tests.exe
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${CUPS_SERVER:-}" ] && [ -n "${QVR_PDF_DIR:-}" ] || fail "no print server; run through scripts/test.sh"

out="$(dirname "$exe")/printed"
rm -rf "$out" && mkdir -p "$out"
rm -f "$QVR_PDF_DIR"/qvrprint_*
export QVR_PRINT_FOLDER="Z:${out//\//\\}\\"
start=$(date +%s)
bash "$here/../../scripts/wine-run.sh" "$exe" --gtest_filter='RealPrinting.*' || fail "the printing program failed"

# cups-pdf writes the files after the program has ended; it names each
# after its job, that is after the script.
pdf_of() { ls "$QVR_PDF_DIR"/"$1"*.pdf 2>/dev/null | head -n 1; }
for _ in $(seq 1 600); do
  [ -z "$(lpstat -o 2>/dev/null)" ] && [ -n "$(pdf_of qvrprint_long)" ] && [ -n "$(pdf_of qvrprint_dialog)" ] &&
    [ -n "$(pdf_of qvrprint_range)" ] && break
  sleep 0.2
done
long="$(pdf_of qvrprint_long)"
dialog="$(pdf_of qvrprint_dialog)"
range="$(pdf_of qvrprint_range)"
[ -n "$long" ] || fail "no PDF for the job qvrprint_long.script"
[ -n "$dialog" ] || fail "no PDF for the job qvrprint_dialog.script (printer dialog)"
[ -z "$(pdf_of qvrprint_cancelled)" ] || fail "the cancelled dialog printed"
mv "$long" "$out/long.pdf"
mv "$dialog" "$out/dialog.pdf"
[ -n "$range" ] || fail "no PDF for the job qvrprint_range.script (two copies of page 2)"
mv "$range" "$out/range.pdf"
echo "Printed and converted in $(( $(date +%s) - start )) s"

# Every line, in order, and nothing else: the PDF's lines with blanks
# evened out against the script's. Every script line ends in its number; a
# printed line without one was too wide for the page and goes on below.
# Lines break between words, and the blank at a break hangs past the edge,
# so the continued lines are compared without their blanks.
normal() { tr -d '\r\f' | sed -e 's/[[:space:]]\+/ /g' -e 's/^ //' -e 's/ $//' | grep -v '^$' || true; }
rejoin() { awk '{ line = line $0 } /\/\/ ?L[0-9][0-9][0-9]$/ { print line; line = "" } END { if (line != "") print line }'; }
normal < "$out/qvrprint_long.script" | tr -d ' ' > "$out/expected.txt"
pdftotext -layout "$out/long.pdf" - | normal | tr -d ' ' | rejoin > "$out/printed.txt"
[ "$(wc -l < "$out/printed.txt")" -lt "$(pdftotext -layout "$out/long.pdf" - | normal | wc -l)" ] ||
  fail "no line was continued below, though the sample has lines wider than the page"
diff -u "$out/expected.txt" "$out/printed.txt" > "$out/text.diff" || fail "printed text differs: $out/text.diff"
pdftotext -layout "$out/dialog.pdf" - | normal | diff -u <(normal < "$out/qvrprint_dialog.script") - ||
  fail "the dialog's job printed other text"

pages=$(pdfinfo "$out/long.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" -ge 3 ] || fail "240 lines on $pages page(s)"
[ "$(pdfinfo "$out/dialog.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "three lines on more than one page"

# Two copies of page 2 alone, not collated: page 2 of the whole script twice.
[ "$(pdfinfo "$out/range.pdf" | sed -n 's/^Pages: *//p')" = 2 ] || fail "two copies of one page are not two pages"
for p in 1 2; do
  pdftotext -layout -f "$p" -l "$p" "$out/range.pdf" - | normal |
    diff -q - <(pdftotext -layout -f 2 -l 2 "$out/long.pdf" - | normal) >/dev/null ||
    fail "page $p of the range job is not page 2 of the script"
done

# The category colours of page 1: methods red, keywords blue, comments green.
pdftoppm -r 100 -png -f 1 -l 1 "$out/long.pdf" "$out/page-first"
pdftoppm -r 100 -png -f "$pages" -l "$pages" "$out/long.pdf" "$out/page-last"
first="$(ls "$out"/page-first*.png)"
count() { convert "$first" -fuzz 22% -fill white +opaque "$1" -fill black -opaque "$1" -negate -format '%[fx:round(mean*w*h)]' info:; }
for colour in 'rgb(200,0,0)' 'rgb(0,0,200)' 'rgb(0,200,0)'; do
  n=$(count "$colour")
  echo "page 1: $n pixels near $colour"
  [ "$n" -ge 200 ] || fail "page 1 shows hardly any $colour"
done
echo "OK: $pages pages, every line in order, the category colours on page 1 ($out)"
