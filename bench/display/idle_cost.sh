#!/usr/bin/env bash
# The idle cost of the running program beside a bare Qt window (see idle_cost.py).
exec python3 "$(dirname "$0")/idle_cost.py" "${1:-build/release}" "${IDLE_SECONDS:-60}"
