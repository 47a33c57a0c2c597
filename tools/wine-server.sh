# Sourced: start_wine BUILD_DIR starts that prefix's Wine server to stay, with its
# services, on DISPLAY: programs started later would otherwise start the services,
# which keep the programs' output open after they end. stop_wine BUILD_DIR ends it.
wine_server_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
start_wine() {
    (export QM_BUILD_DIR=$1
     source "$wine_server_here/wine-env.sh"
     wineserver -p
     "$QM_WINE" cmd /c exit </dev/null >/dev/null 2>&1)
}
stop_wine() {
    (export QM_BUILD_DIR=$1; source "$wine_server_here/wine-env.sh"; wineserver -k 2>/dev/null || true)
}
