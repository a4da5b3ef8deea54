#!/usr/bin/env bash
# Draws the program's own images (check boxes, list-box buttons, file and
# application icons, splash). The PNG/ICO files are committed; run this again
# only to change the artwork. Needs ImageMagick's convert.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
rc="$here/src/rc"
support="$here/SharedSupport"
mkdir -p "$rc" "$support"
font_regular=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
font_bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

accent='#2f6fb2'
accent_light='#dbe8f6'
grey='#a0a4a8'
grey_light='#eceef0'
hover='#4a8fd8'
red='#c8423b'
png() { convert -strip -define png:exclude-chunks=date,time "$@"; }

# Check-box states, 16x16.
box() {  # $1 border, $2 fill, $3 out, then extra draw args
    local border=$1 fill=$2 out=$3; shift 3
    png -size 16x16 xc:none -fill "$fill" -stroke "$border" -strokewidth 1 \
        -draw "roundrectangle 1.5,1.5 14.5,14.5 2,2" "$@" "$out"
}
tick=(-fill none -strokewidth 2 -draw "polyline 4,8 7,11 12,5")
box '#6b7178' white "$rc/chk_empty.png"
box "$grey" "$grey_light" "$rc/chk_disabled.png"
box "$accent" "$accent_light" "$rc/chk_checked.png" -stroke "$accent" "${tick[@]}"
box '#6b7178' white "$rc/chk_unchecked.png"
box '#6b7178' white "$rc/chk_unknown.png" -fill '#6b7178' -stroke none -draw "rectangle 4,7 11,9"
box "$grey" "$grey_light" "$rc/chk_disabled_checked.PNG" -stroke "$grey" "${tick[@]}"
box "$grey" "$grey_light" "$rc/chk_disabled_list.png"
box "$accent" "$accent_light" "$rc/chk_checked_list.png" -stroke "$accent" "${tick[@]}"
box '#6b7178' white "$rc/chk_unchecked_list.png"
box '#6b7178' white "$rc/chk_unknown_list.png" -fill '#6b7178' -stroke none -draw "rectangle 4,7 11,9"

# File icons: a sheet with a folded corner; the duplicate has a second sheet behind.
sheet="polygon 3.5,1.5 10.5,1.5 13.5,4.5 13.5,14.5 3.5,14.5"
png -size 16x16 xc:none -fill white -stroke '#5a6068' -draw "$sheet" \
    -fill "$accent_light" -draw "polyline 10.5,1.5 10.5,4.5 13.5,4.5" \
    -stroke "$accent" -draw "line 5,8 11,8" -draw "line 5,10.5 11,10.5" "$rc/icon_file.png"
png -size 16x16 xc:none -fill "$grey_light" -stroke "$grey" -draw "rectangle 5.5,0.5 14.5,12.5" \
    -fill white -stroke '#5a6068' -draw "polygon 1.5,3.5 8.5,3.5 11.5,6.5 11.5,15.5 1.5,15.5" \
    -stroke "$accent" -draw "line 3,10 9,10" -draw "line 3,12.5 9,12.5" "$rc/icon_file_duplicate.png"

# Application icon: a rounded blue tile with a white "S" and a response dot.
app_icon() {  # $1 size, $2 out
    local s=$1 r=$(( $1 / 5 )) e=$(( $1 - 1 ))
    png -size "${s}x${s}" xc:none -fill "$accent" -draw "roundrectangle 0,0 $e,$e $r,$r" \
        -fill white -font "$font_bold" -pointsize $(( s * 7 / 10 )) -gravity center -annotate +0+0 "S" \
        -fill '#f2b134' -draw "circle $(( s * 4 / 5 )),$(( s / 5 )) $(( s * 4 / 5 + s / 12 + 1 )),$(( s / 5 ))" "$2"
}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do app_icon $s "$tmp/app$s.png"; done
convert "$tmp/app16.png" "$tmp/app32.png" "$tmp/app48.png" "$rc/icon_app.ico"
doc_icon() {
    local s=$1 e=$(( $1 - 2 )) f=$(( $1 * 2 / 3 ))
    png -size "${s}x${s}" xc:none -fill white -stroke '#5a6068' \
        -draw "polygon 2,1 $f,1 $e,$(( s / 3 )) $e,$e 2,$e" \
        -fill "$accent" -stroke none -font "$font_bold" -pointsize $(( s / 2 )) -gravity center -annotate +0+2 "S" "$2"
}
for s in 16 32 48; do doc_icon $s "$tmp/doc$s.png"; done
convert "$tmp/doc16.png" "$tmp/doc32.png" "$tmp/doc48.png" "$rc/icon_document.ico"

# List-box buttons, 16x16, in standard, disabled and (for delete) hover colours.
lb() {  # $1 name, $2 colour, then draw args
    local name=$1 colour=$2; shift 2
    png -size 16x16 xc:none -fill none -stroke "$colour" -strokewidth 2 "$@" "$rc/$name.png"
}
for state in std disabled; do
    c=$accent; [ $state = disabled ] && c=$grey
    lb icon_lb_edit_$state "$c" -draw "line 3,13 12,4" -strokewidth 1 -fill "$c" -draw "polygon 2,14 3,11 5,13"
    lb icon_lb_move_up_$state "$c" -fill "$c" -stroke none -draw "polygon 8,2 14,9 10,9 10,14 6,14 6,9 2,9"
    lb icon_lb_move_dn_$state "$c" -fill "$c" -stroke none -draw "polygon 8,14 14,7 10,7 10,2 6,2 6,7 2,7"
    d=$red; [ $state = disabled ] && d=$grey
    lb icon_lb_delete_$state "$d" -draw "line 4,4 12,12" -draw "line 12,4 4,12"
    n='#3a9a4a'; [ $state = disabled ] && n=$grey
    lb icon_lb_new_$state "$n" -draw "line 8,3 8,13" -draw "line 3,8 13,8"
done
lb icon_lb_delete_hover '#e0554d' -draw "line 4,4 12,12" -draw "line 12,4 4,12"

# Splash: a calm gradient with the program's name; the bottom 35 pixels stay a
# plain light strip for the status text.
w=520; h=320; strip=35
png -size ${w}x$(( h - strip )) gradient:'#1f4f86-#3a82cf' \
    \( -size ${w}x${strip} xc:'#f4f6f8' \) -append \
    -fill '#ffffff22' -stroke none -draw "circle 430,70 560,70" -draw "circle 470,230 540,230" \
    -fill white -font "$font_bold" -pointsize 40 -annotate +36+120 "Study Station" \
    -font "$font_regular" -pointsize 16 -fill '#dbe8f6' -annotate +38+152 "Behavioural experiments, run anywhere" \
    -font "$font_regular" -pointsize 12 -fill '#dbe8f6' -annotate +38+255 "Version 6.5.3" \
    -fill '#f2b134' -draw "circle 470,40 478,40" \
    -stroke '#c9d2dc' -draw "line 0,$(( h - strip )) $w,$(( h - strip ))" \
    "$support/Vantrel 6 splash screen.png"
