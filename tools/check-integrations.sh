#!/usr/bin/env bash
# Runs the command lines that integrations/ gives Velociraptor, Wazuh, Intune
# and Configuration Manager (and the README's PowerShell examples) with the
# built Vorlane.exe in the demonstration service's Wine prefix, where some
# protected files are unsigned or changed, and reads their output as those
# tools do (tools/check_integrations.py says how).
#
#   tools/check-integrations.sh i686|x86_64
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build=$BUILD/$1
use_demo_prefix "$1" "$build/demo/sfc.dll"
python3 "$ROOT/tools/check_integrations.py" "$ROOT" "$WINE" "$WINEPREFIX" "$build/Vorlane.exe"
