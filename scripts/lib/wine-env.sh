# Sourced by scripts/test and scripts/run: a virtual X display and a Wine
# prefix of the project's own under build/, each stopped by what started it.

quorvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$quorvane_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"  # no Mono or Gecko prompts, no menu entries
quorvane_xvfb_pid=""
quorvane_wineserver_started=""

# Starts Xvfb on the first free display from :90 and exports DISPLAY.
quorvane_start_xvfb() {
  local n=90
  while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  quorvane_xvfb_pid=$!
  local i
  for ((i = 0; i < 100; i++)); do
    [[ -e /tmp/.X11-unix/X$n ]] && break
    kill -0 "$quorvane_xvfb_pid" 2>/dev/null || { echo "Xvfb failed to start" >&2; return 1; }
    sleep 0.1
  done
  export DISPLAY=":$n"
}

# Creates the prefix if need be, makes sure it holds what the tests rely on,
# then keeps a wineserver running for the session. A prefix that Wine made
# by itself (a test started through scripts/wine-run alone) lacks both
# settings below, so they are checked on every start, not only at creation.
# Wine's helpers inherit the caller's output; keep them off our pipes.
quorvane_start_wine() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Debian's Wine looks for its own fonts beside its data folder, not in
  # it: without a copy in the prefix "MS Sans Serif" becomes another font
  # and every dialog unit maps to other pixels.
  if [[ -d /usr/share/wine/fonts && ! -f $WINEPREFIX/drive_c/windows/Fonts/sserife.fon ]]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
  # Without a window manager, Wine waits about 2 s whenever a managed
  # window is hidden or destroyed.
  if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  quorvane_wineserver_started=1
  # The first program of a session starts Wine's services, which live as long
  # as the server; start them here so that they hold no test's pipes open.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

quorvane_stop_all() {
  if [[ -n $quorvane_wineserver_started ]]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    quorvane_wineserver_started=""
  fi
  if [[ -n $quorvane_xvfb_pid ]]; then
    kill "$quorvane_xvfb_pid" 2>/dev/null || true
    wait "$quorvane_xvfb_pid" 2>/dev/null || true
    quorvane_xvfb_pid=""
  fi
}
