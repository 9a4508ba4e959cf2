# Sourced by the scripts that run Wine sessions: takes the session lock of the Wine folder and ends
# every process the session started when the script exits, however it exits.
export HOLVARA_WINE_ROOT=${HOLVARA_WINE_ROOT:-$PWD/build/wine}
mkdir -p "$HOLVARA_WINE_ROOT"
# One session per prefix at a time: a second run waits instead of sharing the wineserver.
exec 9>"$HOLVARA_WINE_ROOT/session.lock"
flock 9

end_wine_session() {
  if [ -s "$HOLVARA_WINE_ROOT/pids" ]; then
    while read -r pid; do
      kill -KILL -- "-$pid" 2>/dev/null || true
    done <"$HOLVARA_WINE_ROOT/pids"
    : >"$HOLVARA_WINE_ROOT/pids"
  fi
  if [ -d "$HOLVARA_WINE_ROOT/prefix" ]; then
    WINEPREFIX="$HOLVARA_WINE_ROOT/prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
    WINEPREFIX="$HOLVARA_WINE_ROOT/prefix" timeout 30 wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
}
trap end_wine_session EXIT
