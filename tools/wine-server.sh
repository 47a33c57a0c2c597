# Sourced, with the environment of a build's prefix (wine-env.sh) or a build folder:
# start_wine BUILD_DIR starts that prefix's Wine server to stay, with its services, on
# DISPLAY: programs started later would otherwise start the services, which keep the
# programs' output open after they end. stop_wine BUILD_DIR ends it.
# end_wine_server [SECONDS], in the prefix's own environment: ends the prefix's Wine
# server, after letting it end by itself for at most SECONDS when given. It serves the
# prefixes of the tests, the benchmarks and the play without a display, and a prefix
# being made, where nothing of the player's runs: a server still there is a persistent
# one, lingering services, or what a killed run left. An ended server writes its
# registry out first.
wine_server_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
end_wine_server() {
    if [ -n "${1:-}" ] && timeout "$1" wineserver -w; then
        return 0
    fi
    wineserver -k 2>/dev/null || true
    timeout 10 wineserver -w || true
}
start_wine() {
    (export QM_BUILD_DIR=$1
     source "$wine_server_here/wine-env.sh"
     end_wine_server
     # The server outlives the caller's command: it must not hold the caller's output.
     if ! wineserver -p </dev/null >/dev/null 2>&1; then
         echo "The Wine server of $1 did not start." >&2
         exit 1
     fi
     "$QM_WINE" cmd /c exit </dev/null >/dev/null 2>&1)
}
stop_wine() {
    (export QM_BUILD_DIR=$1; source "$wine_server_here/wine-env.sh"; end_wine_server)
}
