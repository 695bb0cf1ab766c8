#!/usr/bin/env bash
# boardwright --export as a script or a user at a terminal uses it, with no display: each
# format read back by an independent tool, and every failure one line with its status.
#   export_cli.sh PROGRAM DESIGN_WRITER_FOLDER
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY

# A design with odd text: commas, quotes, a pipe, non-Latin letters, prices in one currency.
python3 - <<'PY'
lines = [" 1 "]
slots = 172
extra = {0, 3}  # the enclosure and the operating system carry a number
parts = {0: ("", "", "", ""), 5: ("", 'Intel, "Core"', "i7 | K", "$ 300"), 68: ("Intel", "Ölwerk Москва", "x", "$ 1,234.50")}
for code in range(slots):
    present = code in parts or code == 0
    lines.append("True" if present else "False")
    if code in extra:
        lines.append(" 1 " if code == 0 else " 0 ")
    name, maker, model, cost = parts.get(code, ("", "", "", ""))
    lines += [cost, name, maker, model]
open("design.VELDR", "w", newline="").write("\r\n".join(lines) + "\r\n")
PY

expect_failure() { # STATUS WHAT COMMAND...
  local status=$1 what=$2; shift 2
  set +e; "$@" >out.txt 2>err.txt; local got=$?; set -e
  [ "$got" = "$status" ] || { echo "$what: status $got, not $status"; cat err.txt; exit 1; }
  [ "$(wc -l <err.txt)" = 1 ] || { echo "$what: not one line on stderr"; cat err.txt; exit 1; }
  [ ! -s out.txt ] || { echo "$what: wrote to stdout"; exit 1; }
  echo "$what: $(cat err.txt)"
}

for format in csv md html png pdf; do
  "$program" --export "parts.$format" design.VELDR
  [ -s "parts.$format" ] || { echo "no parts.$format"; exit 1; }
done

# CSV: Python's reader gets the cells back as typed, the total last.
python3 - <<'PY'
import csv
rows = list(csv.reader(open("parts.csv", encoding="utf-8-sig", newline="")))
assert rows[0] == ["Category", "Part", "Manufacturer", "Model", "Cost"], rows[0]
cells = {tuple(r[2:4]) for r in rows}
assert ('Intel, "Core"', "i7 | K") in cells and ("Ölwerk Москва", "x") in cells, rows
assert rows[-1][0] == "Total" and rows[-1][4] == "$ 1,534.50", rows[-1]
PY
# Markdown: the pipe in the model is escaped, so every row has the same cells.
grep -qF 'i7 \| K' parts.md
awk -F' [|] ' 'NF != 5 { print "row with " NF " cells: " $0; bad = 1 } END { exit bad }' parts.md
# HTML: one page that loads nothing from elsewhere, with the picture inside.
grep -q '<img src="data:image/png;base64,' parts.html
! grep -qiE '(src|href)="(https?:)?//' parts.html
# PNG: the model, not a blank picture.
colours=$(convert parts.png -format %k info:)
[ "$colours" -gt 50 ] || { echo "parts.png has $colours colours"; exit 1; }
# PDF: every part and the total in its text.
pdftotext parts.pdf parts.txt
for text in 'Intel, "Core"' "Ölwerk Москва" "Tower" "Motherboard" '$ 1,534.50'; do
  grep -qF "$text" parts.txt || { echo "the report lacks $text"; exit 1; }
done

# The paper is the locale's: Letter in the United States, A4 in Germany; the total is
# written the locale's way.
LC_ALL=en_US.UTF-8 "$program" --export letter.pdf design.VELDR
LC_ALL=de_DE.UTF-8 "$program" --export a4.pdf design.VELDR
pdfinfo letter.pdf | grep -q '612 x 792 pts' || { echo "not Letter in en_US"; exit 1; }
pdfinfo a4.pdf | grep -q '595 x 842 pts' || { echo "not A4 in de_DE"; exit 1; }
LC_ALL=de_DE.UTF-8 "$program" --export de.csv design.VELDR
tail -n1 de.csv | grep -qF '"$ 1.534,50"' || { echo "the total is not written the German way"; exit 1; }

# A long list runs onto more pages, each with the table's header first.
python3 - <<'PY'
lines = [" 1 "]
for code in range(172):
    lines.append("True")
    if code in (0, 3):
        lines.append(" 1 " if code == 0 else " 0 ")
    lines += ["$ %d.25" % code, "", "Maker %d" % code, "Model %d" % code]
open("every-part.VELDR", "w", newline="").write("\r\n".join(lines) + "\r\n")
PY
"$program" --export every-part.pdf every-part.VELDR
pages=$(pdfinfo every-part.pdf | awk '/^Pages:/ { print $2 }')
[ "$pages" -ge 3 ] || { echo "every part on $pages pages"; exit 1; }
for page in 2 "$pages"; do
  [ "$(pdftotext -f "$page" -l "$page" every-part.pdf - | grep -m1 .)" = Category ] ||
    { echo "page $page does not start with the table's header"; exit 1; }
done
[ "$(pdftotext every-part.pdf - | grep -c '^Maker ')" = 172 ] || { echo "parts missing from the report"; exit 1; }

# Failures: a wrong command line (status 2), an unreadable design or an unwritable OUT (1),
# each one line, and nothing written.
expect_failure 2 "no design" "$program" --export x.csv
expect_failure 2 "unknown format" "$program" --export x.docx design.VELDR
printf ' 1 \r\nMaybe\r\n' >broken.VELDR
expect_failure 1 "broken design" "$program" --export broken.csv broken.VELDR
grep -q "broken.VELDR" err.txt && grep -q "Line 2" err.txt
expect_failure 1 "missing design" "$program" --export missing.csv missing.VELDR
expect_failure 1 "unwritable OUT" "$program" --export parts.csv/inside.pdf design.VELDR
[ ! -e broken.csv ] && [ ! -e missing.csv ] || { echo "a failed export wrote a file"; exit 1; }
echo "every export checked"
