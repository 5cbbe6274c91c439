# Sourced: the environment of every wine call of the Windows build.
# ZOT_WINEPREFIX chooses another prefix than build-windows/wine.
WINEPREFIX="${ZOT_WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build-windows/wine}"
export WINEPREFIX
export WINEARCH=win64
# Wine's own diagnostics would mix into the programs' output the tests read.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogues when the prefix is made. No XInput:
# GLFW loads it at glfwInit and frees it at glfwTerminate, but wine's XInput
# leaves a thread running in the freed library, which crashes a program that
# starts GLFW a second time (as the GL tests do) or keeps running after it.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml,xinput1_1,xinput1_2,xinput1_3,xinput1_4,xinput9_1_0=}"

# Debian's wine has no preloader, the helper that reserves the addresses
# Windows programs expect before Linux's loader puts its own at random places.
# Now and then (about one start in 2,000 here) one lands on the page of the
# shared user data and wine ends at once, before the program runs ("failed to
# map the shared user data: c0000018"). Wine's processes therefore run with
# address randomisation off (setarch -R), which keeps those addresses free as
# the preloader would. Where the system refuses that, they run as they are.
if setarch "$(uname -m)" -R true 2>/dev/null; then
  zot_fixed_layout=(setarch "$(uname -m)" -R)
else
  zot_fixed_layout=()
fi
zot_wine() { "${zot_fixed_layout[@]}" wine "$@"; }
