#!/usr/bin/env bash
# Whole-process cost of `lumivane --text` beside `lumivane --version` (see startup_cost.py).
exec python3 "$(dirname "$0")/startup_cost.py" "${1:-build/release}"
