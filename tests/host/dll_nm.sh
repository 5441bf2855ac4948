#!/bin/sh
# Lists a Windows DLL's export table the way `nm -D --defined-only` (and,
# with -DC, `nm -DC --defined-only`) lists a shared object's dynamic
# symbols, so that check_exports.sh checks bendpost.dll like libbendpost.so.
#
# The export table holds the names a host passes to GetProcAddress. In the
# 32-bit DLL too, the C functions (__cdecl) are exported undecorated, without
# the leading underscore of their COFF symbols and without an "@N" suffix,
# and the C++ names as their Itanium manglings ("_ZN..."): c++filt is told
# not to strip a leading underscore, which the i686 target's c++filt does by
# default.
#
# Usage: dll_nm.sh -D|-DC --defined-only LIBRARY
# Needs x86_64-w64-mingw32-objdump and x86_64-w64-mingw32-c++filt (or the
# tools named by OBJDUMP and CXXFILT, e.g. the i686 ones).
set -eu
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
cxxfilt=${CXXFILT:-x86_64-w64-mingw32-c++filt}
mode=$1
library=$3

# The "[Ordinal/Name Pointer] Table" of `objdump -p`: "\t[   3] Name".
names() {
  "$objdump" -p "$library" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n -E 's/^[[:space:]]*\[ *[0-9]+\] (.*)$/\1/p'
}

if [ "$mode" = "-DC" ]; then
  names | "$cxxfilt" --no-strip-underscore | sed 's/^/0000000000000000 T /'
else
  names | sed 's/^/0000000000000000 T /'
fi
