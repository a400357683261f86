# Sourced by the README's commands: each step says what failed and what to do, never a bare exit
# code, and how long it took.
#   step WHAT HINT COMMAND...   runs COMMAND; on failure prints what failed and HINT, and exits 1
step() {
  local what=$1 hint=$2 started=$SECONDS rc=0
  shift 2
  "$@" || rc=$?
  if ((rc != 0)); then
    echo "== FAILED: $what (exit code $rc). $hint" >&2
    exit 1
  fi
  STEP_TIMES+=("$what: $((SECONDS - started)) s")
}

# Prints the time each step took.
step_times() {
  local t
  echo "== time taken"
  for t in "${STEP_TIMES[@]}"; do echo "  $t"; done
}

# Stops with one sentence unless running as root (apt, binfmt_misc and the test drive need it).
need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "== $1 needs root: it installs packages and prepares Wine. Run it again as root." >&2
    exit 1
  fi
}
STEP_TIMES=()
