#!/usr/bin/env bash
# Renders the main window's artwork from the SVG sources in data/art into the
# files the program loads: data/Skin/Main/*.bmp (24-bit, magenta keyed) and the
# dial layers data/Resource/*.png (32-bit RGBA). The outputs are committed, so
# only a designer who changes an SVG runs this (needs rsvg-convert from
# librsvg2-bin, ImageMagick and the DejaVu fonts).
#
# Controls are cut from their sheet and laid over the part of the background
# they really cover (their place is read from data/Forms/TMAINFORM.txt), so
# their soft edges blend into the panel; only pixels the artwork leaves fully
# empty become magenta. The window outline cannot know the desktop behind it:
# its edge is blended over the dark rim colour and cut where it is half covered.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
art=$root/data/art
skin=$root/data/Skin/Main
res=$root/data/Resource
layout=$root/data/Forms/TMAINFORM.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$skin" "$res"

KEY='#FF00FF'
RIM='#07090B'      # outline colour of the window
WELL='#0A0D11'     # display wells the digit readouts sit in
BAND_TOP=228       # the CO2 readout band, left out of the small view
BAND_HEIGHT=33

for sheet in main-background main-controls gear-dial units; do
  rsvg-convert -o "$work/$sheet.png" "$art/$sheet.svg"
done


# Writes a 24-bit BMP: the image, with the pixels where the mask is black set
# to the key colour.
keyed_bmp() { # image mask out
  convert "$1" "$2" -alpha off -compose CopyOpacity -composite \
    -background "$KEY" -alpha remove -alpha off -type TrueColor "BMP3:$3"
}

# Backgrounds. The flattened picture (over the rim colour) is also what the
# controls are laid over.
convert "$work/main-background.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
convert "$work/main-background.png" -alpha extract -threshold 50% "$work/outline.png"
keyed_bmp "$work/flat.png" "$work/outline.png" "$work/LargeBk.bmp"
cp "$work/LargeBk.bmp" "$skin/LargeBk.bmp"
height=$(identify -format '%h' "$work/main-background.png")
below=$((BAND_TOP + BAND_HEIGHT))
convert "$work/LargeBk.bmp" \
  \( -clone 0 -crop "691x$BAND_TOP+0+0" +repage \) \
  \( -clone 0 -crop "691x$((height - below))+0+$below" +repage \) \
  -delete 0 -append -type TrueColor "BMP3:$skin/SmallBk.bmp"

# Left and top of every control of the layout.
declare -A LEFT TOP
while read -r name left top; do
  LEFT[$name]=$left
  TOP[$name]=$top
done < <(awk '/^  object /{name=$2; sub(":", "", name)}
              /^    Left = /{left[name]=$3}
              /^    Top = /{top[name]=$3}
              END{for (n in left) print n, left[n], top[n]}' "$layout")

# Cuts the cell w x h at (x, y) of a sheet and writes it as a keyed bitmap laid
# over the background at (left, top), or over a plain colour.
cell() { # sheet x y w h out left top | sheet x y w h out colour
  local sheet=$work/$1.png geometry="$4x$5+$2+$3" out=$6
  convert "$sheet" -crop "$geometry" +repage "$work/cell.png"
  if [ $# -eq 8 ]; then
    convert "$work/flat.png" -crop "$4x$5+$7+$8" +repage "$work/cell.png" -compose over -composite "$work/laid.png"
  else
    convert "$work/cell.png" -background "$7" -alpha remove "$work/laid.png"
  fi
  convert "$work/cell.png" -alpha extract -threshold 1% "$work/mask.png"
  keyed_bmp "$work/laid.png" "$work/mask.png" "$skin/$out.bmp"
}
control() { # sheet x y w h control file
  [ -n "${LEFT[$6]:-}" ] || { echo "render-art: $6 is not in $layout" >&2; exit 1; }
  cell "$1" "$2" "$3" "$4" "$5" "$7" "${LEFT[$6]}" "${TOP[$6]}"
}

states=(raised sunken focused disabled)
modes=(AutoButton TurboButton NormalButton MedButton LowButton)
for m in "${!modes[@]}"; do
  for s in 0 1 2 3 4 5 6 7; do
    group=off; [ $s -ge 4 ] && group=on
    control main-controls $((10 + 60 * s)) $((10 + 60 * m)) 45 45 "${modes[$m]}" "${modes[$m]}_${group}_${states[$((s % 4))]}"
  done
done
devices=(CpuButton VgaButton ChipButton MemoryButton DriveButton FanButton)
for d in "${!devices[@]}"; do
  for s in 0 1 2 3; do
    control main-controls $((10 + 90 * s)) $((320 + 80 * d)) 80 70 "${devices[$d]}" "${devices[$d]}_${states[$s]}"
  done
done
for s in 0 1 2 3; do
  for b in MoreSettingButton CalibrateButton ExitButton; do
    control main-controls $((10 + 140 * s)) 800 130 30 $b "${b}_${states[$s]}"
  done
  control main-controls $((10 + 140 * s)) 840 130 30 SwitchButton "SwitchButton_${states[$s]}"
  control main-controls $((10 + 40 * s)) 880 26 24 MinimizeButton "MinimizeButton_${states[$s]}"
  control main-controls $((10 + 40 * s)) 910 26 24 CloseButton "CloseButton_${states[$s]}"
  control main-controls $((10 + 40 * s)) 940 28 28 ResetButton "ResetButton_${states[$s]}"
  control main-controls $((10 + 40 * s)) 980 24 20 ShrinkButton "ShrinkButton_off_${states[$s]}"
  control main-controls $((170 + 40 * s)) 980 24 20 ShrinkButton "ShrinkButton_on_${states[$s]}"
done
# One pair of lamp bitmaps serves all six lamps: they sit on identical recesses.
control main-controls 10 1010 28 8 CpuLed Led_on
control main-controls 50 1010 28 8 CpuLed Led_off

# Units: the CO2 unit lies at the readout's left + 162, top + 4 on the main
# window; the others are shown on other forms' display wells.
co2_left=$((46 + 162)) co2_top=$((236 + 4))
cell units 10 10 28 18 MgBk $co2_left $co2_top
cell units 50 10 14 18 GBk $co2_left $co2_top
cell units 80 10 22 18 KgBk $co2_left $co2_top
cell units 120 10 44 18 WattsBk "$WELL"
cell units 180 10 48 18 WattHrBk "$WELL"
cell units 240 10 44 22 MacroBk "$WELL"

# Dial layers keep their alpha.
layer() { convert "$work/gear-dial.png" -crop "$3x$4+$1+$2" +repage -define png:exclude-chunks=date,time "PNG32:$res/$5.png"; }
layer 10 10 27 36 gear
layer 60 10 140 132 pentagon
layer 210 10 140 132 line
layer 360 10 140 132 mask
stems=(auto turbo normal medium low)
for i in "${!stems[@]}"; do
  layer $((10 + 150 * i)) 160 140 132 "${stems[$i]}_b"
  layer $((10 + 150 * i)) 310 140 132 "${stems[$i]}_a"
done
echo "render-art: $(ls "$skin" | wc -l) skin bitmaps, $(ls "$res"/*.png | wc -l) dial layers"

# ---- Dialogs: the message and progress forms (data/art/dialogs.svg) --------
# Same rules as above, into data/Skin/Dialogs/. The places below are those of
# data/Forms/TUNIVERSALDIALOG.txt and TPROGRESSDIALOG.txt.
dialogs=$root/data/Skin/Dialogs
mkdir -p "$dialogs"
rsvg-convert -o "$work/dialogs.png" "$art/dialogs.svg"
dialog_body() { # y out
  convert "$work/dialogs.png" -crop "421x142+0+$1" +repage "$work/body.png"
  convert "$work/body.png" -background "$RIM" -alpha remove -alpha off "$work/$2-flat.png"
  convert "$work/body.png" -alpha extract -threshold 50% "$work/body-outline.png"
  keyed_bmp "$work/$2-flat.png" "$work/body-outline.png" "$dialogs/$2.bmp"
}
dialog_body 0 UniversalBk
dialog_body 150 ProgressBk
# The cells are cut by `cell` above, laid over the body they sit on.
skin=$dialogs
cp "$work/UniversalBk-flat.png" "$work/flat.png"
for s in 0 1 2 3; do
  cell dialogs $((140 * s)) 300 130 34 "LeftButton_${states[$s]}" 146 104
  cell dialogs $((140 * s)) 300 130 34 "RightButton_${states[$s]}" 277 104
  cell dialogs $((40 * s)) 345 32 19 "CloseButton_${states[$s]}" 371 0
  cell dialogs $((40 * s)) 370 32 19 "MinimizeButton_${states[$s]}" 339 0
done
cp "$work/ProgressBk-flat.png" "$work/flat.png"
for s in 0 1 2 3; do
  cell dialogs $((140 * s)) 300 130 34 "CancelButton_${states[$s]}" 272 104
done
cell dialogs 200 345 10 18 ProgressBarHead "$WELL"
cell dialogs 220 345 10 18 ProgressBarBody "$WELL"
cell dialogs 240 345 8 18 ProgressBarTail "$WELL"
echo "render-art: $(ls "$dialogs" | wc -l) dialog bitmaps"

# ---- Energy readouts: digit glyphs and the graphics-boost look -------------
# data/art/digits.svg into data/Resource/Number/00.bmp..12.bmp (laid over the
# display well the readouts sit in) and data/Resource/gpu_*.bmp (laid over the
# main window's background under the VGA tile and, 9 px further left, its
# lamp). Glyph widths: digits 12 px, points 6 px, so that six digits, the
# point and three decimals end at left + 157, before a unit at left + 162.
rsvg-convert -o "$work/digits.png" "$art/digits.svg"
skin=$res/Number
mkdir -p "$skin"
for i in $(seq 0 12); do
  width=12
  [ "$i" -eq 10 ] || [ "$i" -eq 12 ] && width=6
  cell digits $((10 + 20 * i)) 10 "$width" 18 "$(printf '%02d' "$i")" "$WELL"
done
convert "$work/main-background.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
skin=$res
gpu=(gpu_n gpu_d gpu_o gpu_un)
for s in 0 1 2 3; do
  cell digits $((10 + 90 * s)) 40 80 70 "${gpu[$s]}" "${LEFT[VgaButton]}" "${TOP[VgaButton]}"
done
cell digits 10 120 46 8 gpu_light_on $((LEFT[VgaLed] - 9)) "${TOP[VgaLed]}"
cell digits 70 120 46 8 gpu_light_off $((LEFT[VgaLed] - 9)) "${TOP[VgaLed]}"
echo "render-art: $(ls "$res/Number" | wc -l) digit glyphs, $(ls "$res"/gpu_*.bmp | wc -l) graphics-boost bitmaps"

# ---- CPU and graphics-card forms (data/art/cpu-vga.svg) ---------------------
# Same rules as the dialogs, into data/Skin/CpuForm/ and data/Skin/VgaForm/.
# The places below are those of data/Forms/TCPUFORM.txt and TVGAFORM.txt.
rsvg-convert -o "$work/cpu-vga.png" "$art/cpu-vga.svg"
popup_form() { # y width folder out exit-left close-left
  local folder=$root/data/Skin/$3
  mkdir -p "$folder"
  convert "$work/cpu-vga.png" -crop "$2x219+0+$1" +repage "$work/popup.png"
  convert "$work/popup.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
  convert "$work/popup.png" -alpha extract -threshold 50% "$work/popup-outline.png"
  keyed_bmp "$work/flat.png" "$work/popup-outline.png" "$folder/$4.bmp"
  skin=$folder
  for s in 0 1 2 3; do
    cell cpu-vga $((140 * s)) 460 115 35 "ExitButton_${states[$s]}" "$5" 183
    cell cpu-vga $((40 * s)) 505 32 19 "CloseButton_${states[$s]}" "$6" 0
    cell cpu-vga $((40 * s)) 530 32 19 "MinimizeButton_${states[$s]}" $(($6 - 32)) 0
  done
  echo "render-art: $(ls "$folder" | wc -l) bitmaps in $3"
}
popup_form 0 373 CpuForm CpuBk 243 323
popup_form 230 566 VgaForm VgaBk 436 516

# ---- Advanced settings (data/art/advanced-settings.svg) --------------------
# Same rules, into data/Skin/AdvancedSetting/ and the slider thumbs into
# data/Resource/. Tabs and buttons are laid over the basic body at their
# places in data/Forms/TADVANCEDSETTING.txt; the row parts, which the form
# places at run time, over the tab page's plate colour.
advanced=$root/data/Skin/AdvancedSetting
mkdir -p "$advanced"
PLATE='#1A1D22'
rsvg-convert -o "$work/advanced-settings.png" "$art/advanced-settings.svg"
advanced_body() { # x height out
  convert "$work/advanced-settings.png" -crop "444x$2+$1+0" +repage "$work/body.png"
  convert "$work/body.png" -background "$RIM" -alpha remove -alpha off "$work/$3-flat.png"
  convert "$work/body.png" -alpha extract -threshold 50% "$work/body-outline.png"
  keyed_bmp "$work/$3-flat.png" "$work/body-outline.png" "$advanced/$3.bmp"
}
advanced_body 0 375 Background_Basic
advanced_body 460 424 Background_Spec
skin=$advanced
cp "$work/Background_Basic-flat.png" "$work/flat.png"
tabs=(TurboTab NormalTab MediumTab LowTab)
tab_lefts=(22 122 221 321)
for t in 0 1 2 3; do
  for s in 0 1 2 3 4 5 6 7; do
    group=off; [ $s -ge 4 ] && group=on
    cell advanced-settings $((110 * s)) $((440 + 45 * t)) 100 38 "${tabs[$t]}_${group}_${states[$((s % 4))]}" "${tab_lefts[$t]}" 40
  done
done
for s in 0 1 2 3; do
  cell advanced-settings $((125 * s)) 630 115 37 "DefaultButton_${states[$s]}" 42 286
  cell advanced-settings $((125 * s)) 680 115 34 "FooterButton_${states[$s]}" 185 338
  cell advanced-settings $((40 * s)) 725 32 19 "CloseButton_${states[$s]}" 394 0
  cell advanced-settings $((200 + 40 * s)) 725 32 19 "MinimizeButton_${states[$s]}" 362 0
done
arrows=(Arrow_n Arrow_d Arrow_o Arrow_un)
for s in 0 1 2 3; do
  cell advanced-settings $((20 * s)) 760 14 14 "${arrows[$s]}" "$PLATE"
done
cell advanced-settings 100 760 137 19 ComboBoxBk "$PLATE"
cell advanced-settings 0 800 327 19 GrayAreaSave "$PLATE"
cell advanced-settings 340 800 354 25 GraySliderSave "$PLATE"
cell advanced-settings 0 840 364 33 GraySliderSave2 "$PLATE"
# The list frame is stretched by the program and drawn without a key.
for piece in "250 760 163 6 ComboBoxBody" "250 770 163 9 ComboBoxBottom"; do
  read -r x y w h out <<<"$piece"
  convert "$work/advanced-settings.png" -crop "${w}x${h}+$x+$y" +repage -background "$PLATE" -alpha remove \
    -alpha off -type TrueColor "BMP3:$advanced/$out.bmp"
done
thumb() { convert "$work/advanced-settings.png" -crop "$3x18+$1+$2" +repage -define png:exclude-chunks=date,time "PNG32:$res/$4.png"; }
thumb 380 840 44 s_n
thumb 440 840 69 s_o02
thumb 520 840 69 s_un02
"$root/tools/picture-catalog.py" "$root"/data/Skin/* "$res"
echo "render-art: $(ls "$advanced" | wc -l) advanced-settings bitmaps, 3 slider thumbs"

# ---- Savings history form (data/art/history.svg) ----------------------------
# Same rules as the CPU form, into data/Skin/HistoryForm/; the places are
# those of data/Forms/THISTORYFORM.txt. The main window's history button is
# laid over the main background at its place in data/Forms/TMAINFORM.txt.
history=$root/data/Skin/HistoryForm
mkdir -p "$history"
rsvg-convert -o "$work/history.png" "$art/history.svg"
convert "$work/history.png" -crop "640x340+0+0" +repage "$work/history-body.png"
convert "$work/history-body.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
convert "$work/history-body.png" -alpha extract -threshold 50% "$work/history-outline.png"
keyed_bmp "$work/flat.png" "$work/history-outline.png" "$history/HistoryBk.bmp"
skin=$history
period_lefts=(24 150 276)
for s in 0 1 2 3; do
  for p in 0 1 2; do
    cell history $((130 * s)) 360 120 26 "PeriodButton${p}_${states[$s]}" "${period_lefts[$p]}" 40
  done
  cell history $((140 * s)) 400 115 35 "ExportButton_${states[$s]}" 385 302
  cell history $((140 * s)) 400 115 35 "ClearButton_${states[$s]}" 506 302
  cell history $((40 * s)) 450 32 19 "CloseButton_${states[$s]}" 590 0
done
convert "$work/main-background.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
skin=$root/data/Skin/Main
for s in 0 1 2 3; do
  control history $((40 * s)) 490 24 20 HistoryButton "HistoryButton_${states[$s]}"
done
"$root/tools/picture-catalog.py" "$root"/data/Skin/* "$res"
echo "render-art: $(ls "$history" | wc -l) history bitmaps, 4 history button bitmaps"

# ---- Keyboard focus cue (data/art/focus.svg) --------------------------------
# Two alpha pictures laid over focused controls at run time: the frame, which
# the program stretches (its 8 px corners kept), and the ring of the knobs.
rsvg-convert -o "$work/focus.png" "$art/focus.svg"
for piece in "10 10 24 24 focus_frame" "50 10 45 45 focus_ring"; do
  read -r x y w h out <<<"$piece"
  convert "$work/focus.png" -crop "${w}x${h}+$x+$y" +repage -define png:exclude-chunks=date,time "PNG32:$res/$out.png"
done
"$root/tools/picture-catalog.py" "$root"/data/Skin/* "$res"
echo "render-art: 2 focus cue pictures"
# ---- Automation form (data/art/automation.svg) -----------------------------
# Same rules as the history form, into data/Skin/AutomationForm/; the places
# are those of data/Forms/TAUTOMATIONFORM.txt. The page's small faces sit on
# the flat tab page plate, which the lists and rows also fill with its
# colour. The main window's automation button is laid over the main
# background at its place in data/Forms/TMAINFORM.txt.
automation=$root/data/Skin/AutomationForm
mkdir -p "$automation"
rsvg-convert -o "$work/automation.png" "$art/automation.svg"
convert "$work/automation.png" -crop "640x440+0+0" +repage "$work/automation-body.png"
convert "$work/automation-body.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
convert "$work/automation-body.png" -alpha extract -threshold 50% "$work/automation-outline.png"
keyed_bmp "$work/flat.png" "$work/automation-outline.png" "$automation/AutomationBk.bmp"
skin=$automation
tab_lefts=(24 180 336)
for s in 0 1 2 3; do
  for t in 0 1 2; do
    cell automation $((160 * s)) 460 150 26 "TabButton${t}_${states[$s]}" "${tab_lefts[$t]}" 40
  done
  cell automation $((140 * s)) 500 115 35 "OkButton_${states[$s]}" 385 396
  cell automation $((140 * s)) 500 115 35 "CancelButton_${states[$s]}" 506 396
  cell automation $((40 * s)) 550 32 19 "CloseButton_${states[$s]}" 590 0
  cell automation $((110 * s)) 615 100 24 "Small100_${states[$s]}" "$PLATE"
  cell automation $((70 * s)) 650 56 24 "Small56_${states[$s]}" "$PLATE"
  cell automation $((45 * s)) 685 32 24 "Small32_${states[$s]}" "$PLATE"
  cell automation $((210 * s)) 720 200 24 "ModeChoice_${states[$s]}" "$PLATE"
done
convert "$work/main-background.png" -background "$RIM" -alpha remove -alpha off "$work/flat.png"
skin=$root/data/Skin/Main
for s in 0 1 2 3; do
  control automation $((40 * s)) 760 24 20 AutomationButton "AutomationButton_${states[$s]}"
done
"$root/tools/picture-catalog.py" "$root"/data/Skin/* "$res"
echo "render-art: $(ls "$automation" | wc -l) automation bitmaps, 4 automation button bitmaps"
