# Sourced by the tests of the program checks (scripts/check-*).
# in_scratch_folder: work in a new temporary folder, removed at exit.
in_scratch_folder() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cd "$work"
}

# expect_faults NAME STATUS FAULT...: the check NAME, which ended with STATUS
# and wrote its output to ./out, must have failed and named every FAULT.
expect_faults() {
  local name=$1 status=$2 fault
  shift 2
  if [ "$status" -eq 0 ]; then
    echo "$name passed a bad program:" >&2
    cat out >&2
    exit 1
  fi
  for fault in "$@"; do
    if ! grep -qF "$fault" out; then
      echo "$name did not name the fault $fault:" >&2
      cat out >&2
      exit 1
    fi
  done
  echo "$name names all $# faults of a bad program"
}
