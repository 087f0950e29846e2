#!/bin/bash
# Makes a contact sheet of the generated art for review:
#   tools/art-sheet.sh <art dir> <sheet.png>
# Every picture is shown twice as large with sharp pixels, in three bands:
# the keys (in file-name order), the dialog buttons, then the logo, the
# contact picture, the drop arrow and the icons (32x32 then 16x16, on the
# dialog grey).
set -euo pipefail
art=$1
sheet=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
n=0
band() {  # <band name> <columns> <image file>...
    local name=$1 columns=$2
    shift 2
    local args=()
    for image in "$@"; do
        n=$((n + 1))
        convert "$image" -background '#c0c0c0' -flatten -filter point -resize 200% "$work/$n.png"
        args+=("$work/$n.png")
    done
    montage "${args[@]}" -tile "${columns}x" -geometry '+10+6' -background '#8888aa' "$work/$name.png"
}
band keys 7 "$art"/key_*.bmp
band buttons 3 "$art"/button_*.bmp
band pictures 9 "$art"/logo.bmp "$art"/contact.bmp "$art"/lookup.bmp \
    "$art/icon_program.ico[0]" "$art/icon_program.ico[1]" "$art/icon_euro.ico[0]" "$art/icon_euro.ico[1]" \
    "$art/icon_franc.ico[0]" "$art/icon_franc.ico[1]"
convert -background '#8888aa' "$work/keys.png" "$work/buttons.png" "$work/pictures.png" -gravity west -append +repage "$sheet"
