#!/usr/bin/env bash
# Runs one command with DISPLAY set to a private Xvfb, which ends with it.
# Usage: with_xvfb.sh COMMAND [ARG]...
set -uo pipefail
source "$(dirname "$0")/lib.sh"
start_x
trap stop_x EXIT
"$@"
