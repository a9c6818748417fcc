# Shared by the run command and the test run: a private Xvfb display and scratch Wine prefixes.
# Source it; every function takes a session directory that holds the display's number and pid.

wine_env() {  # wine_env <prefix>: the environment every Wine call of ours runs with
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  # Wine would ask to install Mono and Gecko, which it cannot download here.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

xvfb_start() {  # xvfb_start <session dir> [WxH]: starts Xvfb on the first free display from :90 on
  local session=$1 size=${2:-1024x768} n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >"$session/xvfb.log" 2>&1 &
    echo $! >"$session/xvfb.pid"
    local tries
    for tries in $(seq 1 50); do
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        echo ":$n" >"$session/display"
        return 0
      fi
      kill -0 "$(cat "$session/xvfb.pid")" 2>/dev/null || break
      sleep 0.1
    done
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

wine_prefix_create() {  # wine_prefix_create <prefix> [WxH]: a fresh prefix with Wine's own fonts
  local prefix=$1 desktop=${2:-1024x768}
  (
    wine_env "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    # Debian's Wine does not find its own fonts (MS Sans Serif among them) by itself; copied into
    # the prefix, the tool's "MS Sans Serif" is Wine's metric-compatible bitmap font, not a
    # substitute with other text widths.
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    # Without a window manager on the display, Wine draws no frames or title bars; in a virtual
    # desktop it draws them itself, so windows and screenshots look as they do on Windows.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
  )
}

# The prefix's wineserver and Wine's services, started once for the session and kept running
# until it stops. Started by the first program of a test instead, they would inherit that test's
# output pipe, and CTest would wait for the pipe to close for as long as the server runs.
wine_server_start() {  # wine_server_start <session dir>: after xvfb_start and the prefix
  (
    wine_env "$1/prefix"
    DISPLAY=$(cat "$1/display")
    export DISPLAY
    wineserver --persistent
    wine cmd.exe /c exit
  ) >>"$1/wineserver.log" 2>&1 </dev/null
}

wine_set_density() {  # wine_set_density <pixels per inch>: the screen density of $WINEPREFIX
  # Read by each Wine process as it starts: the prefix is left idle first, so that the next
  # process (and the desktop it starts) takes the new value.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

wine_session_stop() {  # wine_session_stop <session dir>
  local session=$1
  if [ -d "$session/prefix" ]; then
    (wine_env "$session/prefix"; wineserver -k 2>/dev/null || true)
  fi
  if [ -f "$session/xvfb.pid" ]; then
    kill "$(cat "$session/xvfb.pid")" 2>/dev/null || true
    rm -f "$session/xvfb.pid"
  fi
}

# The full-disk drive of a test session: a tmpfs of 1 MiB mapped as drive T: in the prefix, so
# that a copy onto it runs out of space as on a full disk. Only where mounting is allowed (root,
# no container rules against it); without it the drive is simply missing and the tests that
# need it skip. A failed mount is not an error of the session.
full_disk_start() {  # full_disk_start <session dir>
  local mount_point=$1/full-disk
  mkdir -p "$mount_point"
  if mount -t tmpfs -o size=1m,mode=0777 tavelin-full-disk "$mount_point" 2>/dev/null; then
    ln -sfn "$mount_point" "$1/prefix/dosdevices/t:"
    echo "full-disk drive T: is a 1 MiB tmpfs at $mount_point"
  else
    rmdir "$mount_point" 2>/dev/null || true
    echo "full-disk drive T: not made: mounting a tmpfs is not allowed here"
  fi
}

full_disk_stop() {  # full_disk_stop <session dir>: unmounts what full_disk_start mounted
  local mount_point=$1/full-disk
  rm -f "$1/prefix/dosdevices/t:"
  if mountpoint -q "$mount_point" 2>/dev/null; then umount "$mount_point" || umount -l "$mount_point"; fi
  if [ -d "$mount_point" ]; then rmdir "$mount_point" 2>/dev/null || true; fi
}
