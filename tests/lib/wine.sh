# Shared by the Wine tests. Every Wine process runs under a time limit; a
# freshly started Wine server now and then stalls one of its first processes,
# so a run that times out is tried once more before it counts as failed.
wine=/usr/lib/wine/wine64  # plain `wine` is the 32-bit loader, which cannot run here
wineserver=/usr/lib/wine/wineserver
wine_limit=${WINE_LIMIT:-120}  # seconds a Wine process may take

# wine_run OUT ERR COMMAND...: runs COMMAND (a Wine command line) with its
# output in the files OUT and ERR (written anew for a second try); returns
# its status, 124 when it timed out twice.
wine_run() {
  local out=$1 err=$2 status attempt
  shift 2
  for attempt in 1 2; do
    timeout -k 10 "$wine_limit" "$@" >"$out" 2>"$err"
    status=$?
    [ "$status" -eq 124 ] || [ "$status" -eq 137 ] || return "$status"
    echo "wine: no answer within ${wine_limit}s (try $attempt): $*" >&2
  done
  return 124
}

# wine_wait: waits (bounded) until the prefix's Wine server has finished.
wine_wait() { timeout -k 10 "$wine_limit" "$wineserver" -w; }
