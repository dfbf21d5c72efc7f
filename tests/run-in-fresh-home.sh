#!/bin/sh
# Runs one test executable with a fresh temporary HOME (the program writes
# under the home folder) and removes it afterwards.
home=$(mktemp -d "${TMPDIR:-/tmp}/nk-test-home.XXXXXX") || exit 1
mkdir -p "$home/tmp" "$home/run"
chmod 700 "$home/run"
HOME="$home"
TMPDIR="$home/tmp"
XDG_RUNTIME_DIR="$home/run"
QT_QPA_PLATFORM=offscreen
dir=$(dirname "$0")

# A test sees the same machine wherever it runs: one locale and time zone,
# the offscreen screen alone (no desktop to measure, none of Qt's scaling,
# style or theme settings), and only the fonts the project installs, with
# no machine or user font settings. A test may name fonts of its own.
LC_ALL=C.UTF-8
LANG=C.UTF-8
TZ=UTC
unset LANGUAGE DISPLAY WAYLAND_DISPLAY NK_DESKTOP_WIDTH NK_SCREEN_DPI \
      QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING \
      QT_SCALE_FACTOR_ROUNDING_POLICY QT_FONT_DPI QT_DEVICE_PIXEL_RATIO QT_QPA_PLATFORMTHEME \
      QT_STYLE_OVERRIDE FC_LANG FONTCONFIG_PATH FONTCONFIG_SYSROOT
# The user's own folders would take the place of the fresh home's.
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
fonts=/usr/share/fonts/truetype/dejavu
mkdir -p "$home/fonts"
for name in DejaVuSans DejaVuSans-Bold DejaVuSansMono DejaVuSansMono-Bold DejaVuSerif DejaVuSerif-Bold; do
  if [ ! -f "$fonts/$name.ttf" ]; then
    echo "$fonts/$name.ttf is missing: install fonts-dejavu-core (scripts/install-deps.sh)" >&2
    rm -rf "$home"
    exit 1
  fi
  ln -s "$fonts/$name.ttf" "$home/fonts/$name.ttf"
done
# Any family the set lacks comes out as DejaVu Sans, as the usual rules
# make it on a machine with only these fonts.
FONTCONFIG_FILE="$home/fonts.conf"
cat > "$FONTCONFIG_FILE" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir prefix="relative">fonts</dir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <alias><family>serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <match target="pattern"><edit name="family" mode="append_last"><string>DejaVu Sans</string></edit></match>
</fontconfig>
EOF
LSAN_OPTIONS="suppressions=$dir/lsan.supp:print_suppressions=0"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=1"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Any report fails the test (exit code 66) once it has run to its end.
TSAN_OPTIONS="suppressions=$dir/tsan.supp:print_suppressions=0:second_deadlock_stack=1"
export HOME TMPDIR XDG_RUNTIME_DIR QT_QPA_PLATFORM LC_ALL LANG TZ FONTCONFIG_FILE LSAN_OPTIONS ASAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS
"$@"
rc=$?
rm -rf "$home"
exit $rc
