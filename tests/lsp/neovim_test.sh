#!/usr/bin/env bash
# Neovim, headless, as the language server's client: a base built from the
# samples with vsdoc, a C file that calls AllocVec, uses struct Window and
# types OpenWin, and the checks of neovim_client.lua.
# Usage: tests/lsp/neovim_test.sh VSDOC SAMPLES_DIR
set -euo pipefail
vsdoc=$1 samples=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$vsdoc" base add "$work/samples.qmx" "$samples"/*.doc "$samples"/*.h "$samples"/*.xml "$samples"/*.guide >/dev/null
cat > "$work/window.c" <<'C'
#include <exec/memory.h>
#include <intuition/intuition.h>

void open_one(struct Window **out)
{
    APTR buffer = IExec->AllocVec(256, MEMF_CLEAR);
    *out = OpenWin
}
C
# a private home, so no user configuration or state takes part
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state
export VSDOC=$vsdoc VSDOC_BASE=$work/samples.qmx C_FILE=$work/window.c
timeout 60 nvim --headless -u NONE -i NONE -n -c "luafile $here/neovim_client.lua"
