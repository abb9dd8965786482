#!/usr/bin/env bash
# Checks that every `#include "folder/..."` of the plug-in and the host simulator follows the
# folder stack: a folder includes only itself and the folders below it. Only the composition root
# includes upward. The host simulator, beside the plug-in, includes only the plug-in's wire
# declarations, and those include nothing of the plug-in beyond platform/ and one another.
set -euo pipefail
cd "$(dirname "$0")/.."

# Lowest first. ui/ and forms/ are the places of the form framework and the forms support.
stack=(platform frame client RTL ui forms arranger)

# The files that wire everything together: the export entry, the load sequence, and the
# registration of the command with the server module.
composition_root=(frame/entry.cpp frame/library.cpp frame/plazen_module.cpp)

# What the host simulator (hostsim/, with trelpa/) may use of the plug-in besides platform/. The
# arrange command's options are the format of its parameter text, which a host writes: the
# simulator reads them as the command does to report the options in force.
wire=(frame/host_interfaces.h frame/plugin_interfaces.h
      client/client_api_names.h client/client_api_calls.h client/vfs_api_names.h
      RTL/pcb_api_names.h RTL/pcb_api_calls.h RTL/pcb_wire.h
      arranger/arrange_options.h arranger/natural_order.h)

rank() {
  local i
  for i in "${!stack[@]}"; do [ "${stack[$i]}" = "$1" ] && { echo "$i"; return; }; done
  echo -1
}
contains() {
  local x item=$1
  shift
  for x in "$@"; do [ "$x" = "$item" ] && return 0; done
  return 1
}

bad=0
while IFS=: read -r file line text; do
  target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' <<<"$text")
  [ -n "$target" ] || continue
  case $target in */*) ;; *) continue ;; esac  # beside the file (a generated list)
  to=${target%%/*}
  from=${file%%/*}
  if [ "$from" = hostsim ]; then
    [ "$to" = hostsim ] || [ "$to" = platform ] || contains "$target" "${wire[@]}" && continue
    reason="the host simulator uses only the plug-in's wire declarations"
  elif contains "$file" "${wire[@]}"; then
    [ "$to" = platform ] || contains "$target" "${wire[@]}" && continue
    reason="a wire declaration includes only platform/ and other wire declarations"
  else
    from_rank=$(rank "$from")
    to_rank=$(rank "$to")
    if [ "$to_rank" -lt 0 ]; then
      reason="$to/ is not a folder of the stack"
    elif [ "$to_rank" -le "$from_rank" ] || contains "$file" "${composition_root[@]}"; then
      continue
    else
      reason="$from/ sits below $to/"
    fi
  fi
  echo "$file:$line: #include \"$target\": $reason" >&2
  bad=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"' --include='*.h' --include='*.cpp' \
  "${stack[@]}" hostsim 2>/dev/null || true)

if [ "$bad" -ne 0 ]; then
  echo "include check failed; the stack, lowest first: ${stack[*]}" >&2
  exit 1
fi
echo "include check: the stack holds (${stack[*]})"
