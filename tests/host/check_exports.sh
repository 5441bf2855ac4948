#!/bin/sh
# Checks the dynamic symbol table of the driver library against a list of
# names it must export.
#
# Usage: check_exports.sh NM LIBRARY EXPECTED_LIST
#
# A list line without "::" is a C function name: it must be defined under
# exactly that (unmangled) name. Any other line is a demangled C++ name as
# `nm -DC` prints it. Blank lines and lines starting with # are ignored.
# Prints every name that is missing, and every exported name that is not
# part of the interface, and exits 1 if there is any.
set -eu

nm_tool=$1
library=$2
expected=$3

raw=$(mktemp)
demangled=$(mktemp)
trap 'rm -f "$raw" "$demangled"' EXIT

# "0000000000012345 T Name" -> "Name"
strip_address() { sed -E 's/^[0-9a-fA-F]+ [A-Za-z] //'; }

"$nm_tool" -D --defined-only "$library" | strip_address >"$raw"
"$nm_tool" -DC --defined-only "$library" | strip_address >"$demangled"

missing=0
checked=0
while IFS= read -r name || [ -n "$name" ]; do
  case $name in
    '' | '#'*) continue ;;
  esac
  checked=$((checked + 1))
  case $name in
    *::*)
      if ! grep -Fxq -- "$name" "$demangled"; then
        echo "missing C++ export: $name"
        missing=$((missing + 1))
      fi
      ;;
    *)
      if ! grep -Fxq -- "$name" "$raw"; then
        echo "missing or mangled C export: $name"
        missing=$((missing + 1))
      fi
      ;;
  esac
done <"$expected"

# Nothing but the interface may be exported: the C functions, the record
# classes (with their vtables and typeinfo) and CString with its operators.
extra=$(grep -v -E '^(CPP(StepInfo|Tool|Setup|Machine|BGauge)::|CString::|(vtable|typeinfo|typeinfo name) for CPP(StepInfo|Tool|Setup|Machine|BGauge)$|operator(\+|==|!=|<)\((CString|char) const)' "$demangled" |
  grep -v -E '^[A-Za-z_][A-Za-z0-9_]*$' || true)
if [ -n "$extra" ]; then
  echo "exported but not part of the interface:"
  echo "$extra" | head -20
  missing=$((missing + 1))
fi

echo "$checked names checked, $missing missing"
[ "$missing" -eq 0 ]
