#!/bin/sh
# Runs a Windows test program under Wine for CTest. The output goes through a file: Wine processes
# that outlive the program (the display's desktop, the prefix's services) may hold whatever they
# inherited, and CTest would wait for a pipe that they keep open.
log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
exit $rc
