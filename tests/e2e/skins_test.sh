#!/usr/bin/env bash
# Skins under Xvfb, driven through the menu 皮肤设置 from the keyboard: each built-in skin changes
# the main window's look and is stored as PF; effects on change the look again and are stored as
# TX; the transparency slider sets _NET_WM_WINDOW_OPACITY on the main window and stores TM; the
# next start brings the skin, the effects and the transparency back.
# $1: the program directory the build assembles.
source "$(dirname "$0")/x_session.sh"
ini="$work/config/config.ini"

# A digest of the main window's top rows (the menu bar and the toolbar), where no caret blinks.
digest() {
  import -window "$window" -crop 600x70+0+0 -depth 8 rgb:- | sha1sum | cut -d' ' -f1
}

# The look once it has settled: the same digest twice in a row. The pointer waits in a corner, so
# nothing shows a hover.
look() {
  xdotool mousemove 0 0
  local last now
  now=$(digest)
  for _ in $(seq 100); do
    last=$now
    sleep 0.1
    now=$(digest)
    [ "$now" != "$last" ] || break
  done
  echo "$now"
}

# Opens 皮肤设置 from the keyboard, goes down to its entry number $1 (1: 皮肤特效, 2: 皮肤透明,
# 3: 皮肤选择) and chooses item number $2 of that submenu.
choose() {
  xdotool windowactivate --sync "$window"
  wait_active "$window"
  xdotool key alt Right Right Right Down
  wait_menus 1
  local i
  for ((i = 1; i < $1; i++)); do xdotool key Down; done
  xdotool key Right
  wait_menus 2
  for ((i = 1; i < $2; i++)); do xdotool key Down; done
  xdotool key Return
  wait_menus 0
}

stored() {
  sed -n "s/^$1=//p" "$ini" | tr -d '\r'
}

opacity() {
  xprop -id "$window" _NET_WM_WINDOW_OPACITY | sed -n 's/.* = //p'
}

opacity_is() {
  [ "$(opacity)" = "$1" ]
}

other_window_active() {
  [ "$(xdotool getactivewindow)" != "$window" ]
}

start_program
looks=("$(look)")
for n in 2 3 4 5 1; do
  choose 3 "$n"
  wait_ini PF "$n"
  now=$(look)
  [ "$now" != "${looks[-1]}" ] || fail "skin $n did not change the main window"
  [ "$(stored PF)" = "$n" ] || fail "skin $n stored PF '$(stored PF)'"
  looks+=("$now")
done
[ "${looks[-1]}" = "${looks[0]}" ] || fail "skin 1 chosen does not look as skin 1 at the start"
[ "$(printf '%s\n' "${looks[@]:0:5}" | sort -u | wc -l)" = 5 ] || fail "two skins look the same"

choose 3 3
plain=$(look)
choose 1 1
with_effects=$(look)
[ "$with_effects" != "$plain" ] || fail "effects on did not change the main window"
[ "$(stored TX)" = 1 ] || fail "effects on stored TX '$(stored TX)'"

choose 2 1
wait_until "the transparency window to appear" other_window_active
slider=$(xdotool getactivewindow)
# The slider has the keyboard: End moves it to 200, the most transparent.
xdotool key End
wait_ini TM 200
# Alpha 55 of 255, as the window manager's 32-bit opacity.
wait_until "the slider to set the opacity" opacity_is 926365495
wmctrl -i -c "$slider"
wait_unmapped "$slider"
wait_active "$window"

before=$(look)
close_program
start_program
[ "$(look)" = "$before" ] || fail "the next start does not bring skin 3 with effects back"
[ "$(opacity)" = 926365495 ] || fail "opacity after the next start: '$(opacity)'"
[ "$(stored PF)" = 3 ] && [ "$(stored TX)" = 1 ] && [ "$(stored TM)" = 200 ] ||
  fail "stored appearance after the next start: PF '$(stored PF)' TX '$(stored TX)' TM '$(stored TM)'"
close_program
echo "PASS"
