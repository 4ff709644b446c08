# Sourced by the scripts: where the build trees, the Wine prefix and the
# locale live. Everything belongs to build/, nothing to the user's home.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$ROOT/build
NATIVE_BUILD=$BUILD/native
WIN_BUILD=$BUILD/win
BIN=$WIN_BUILD/bin
export HOME_FOR_WINE=$BUILD/winehome
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LOCPATH=$BUILD/locale
export LANG=ja_JP.UTF-8
unset LC_ALL
