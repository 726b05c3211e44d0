#!/usr/bin/env bash
# Exit codes and output of the options; the dates are in the scripted sessions.
# Usage: command_line_test.sh QUILLORA_HEADLESS VERSION
set -uo pipefail
program=$1
version=$2
failures=0
expect() {  # expect WHAT WANT_CODE WANT_STDOUT_REGEX WANT_STDERR_REGEX -- ARGS...
  local what=$1 want_code=$2 want_out=$3 want_err=$4 out err code
  shift 5
  out=$("$program" "$@" </dev/null 2>/tmp/cl-err.$$)
  code=$?
  err=$(cat /tmp/cl-err.$$)
  if [[ $code == "$want_code" && $out =~ $want_out && $err =~ $want_err ]]; then
    echo "ok - $what"
  else
    echo "not ok - $what: exit $code, stdout '$out', stderr '$err'"
    failures=$((failures + 1))
  fi
}
expect "--help prints usage, exit 0" 0 '^Usage: quillora-headless .*--version' '^$' -- --help
expect "--version prints the version, exit 0" 0 "^Quillora $version\$" '^$' -- --version
# The program would end its run with an "exit" line; help and version never start it.
for option in --help --version; do
  if "$program" "$option" </dev/null | grep -q '^exit '; then
    echo "not ok - $option started the program"
    failures=$((failures + 1))
  else
    echo "ok - $option does not start the program"
  fi
done
expect "an unknown option is one line on stderr, exit 2" 2 '^$' "^quillora-headless: unknown option '--bogus'[^"$'\n'"]*\$" -- --bogus
expect "two dates are refused, exit 2" 2 '^$' 'only one birth date' -- 19860121 19900615
expect "--now without its value, exit 2" 2 '^$' 'needs' -- --now
rm -f /tmp/cl-err.$$
exit $((failures > 0))
