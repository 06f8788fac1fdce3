#!/bin/sh
# Checks that the plug-in file loads in the real host on every Linux the server runs on:
#   imports   every FM_ function it imports is one the host library exports;
#   versions  no symbol version newer than the oldest supported system has (Ubuntu 20.04:
#             GLIBC_2.31, GLIBCXX_3.4.28, CXXABI_1.3.12), no needed library beyond the host
#             library, the C++ runtime and the C library;
#   depends   the .deb's Depends is what dpkg-shlibdeps finds the file needs;
#   exports   (given the stand-in host library) it exports only names the host's library does;
#   entry     the plug-in defines no dynamic symbol but FMExternCallProc (nothing of the zlib or
#             the C++ code linked into it is visible to the host).
# Arguments: the check, objdump, readelf, the plug-in file, then the host's export list (imports)
# or the Depends text (depends).
set -eu
check=$1 objdump=$2 readelf=$3 plugin=$4
fail=0

case "$check" in
imports)
    exports=$5
    imported=$("$objdump" -T "$plugin" | awk '$2 == "DF" || $3 == "DF" {print $NF}' |
               grep '^FM_' | sort -u)
    [ -n "$imported" ] || { echo "$plugin imports no FM_ function at all" >&2; exit 1; }
    for name in $imported; do
        if ! grep -qx "$name" "$exports"; then
            echo "$plugin imports $name, which the host library does not export" >&2
            fail=1
        fi
    done
    [ $fail -eq 0 ] &&
        echo "$plugin imports $(printf '%s\n' "$imported" | wc -l) FM_ functions, all exported by the host"
    ;;
versions)
    # The newest version the oldest supported system provides, for each versioned library.
    for limit in GLIBC_2.31 GLIBCXX_3.4.28 CXXABI_1.3.12 GCC_7.0.0; do
        prefix=${limit%_*}
        newest=$("$objdump" -T "$plugin" | grep -oE "\b${prefix}_[0-9][0-9.]*" | sort -uV | tail -n 1)
        [ -z "$newest" ] && continue
        if [ "$(printf '%s\n%s\n' "$newest" "$limit" | sort -V | tail -n 1)" != "$limit" ]; then
            echo "$plugin needs $newest, newer than $limit" >&2
            fail=1
        fi
        echo "newest $prefix: $newest (at most $limit)"
    done
    needed=$("$readelf" -d "$plugin" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p')
    for library in $needed; do
        case "$library" in
            libFMWrapper.so | libstdc++.so.6 | libgcc_s.so.1 | libc.so.6 | libm.so.6 | ld-linux-*) ;;
            *) echo "$plugin needs $library" >&2; fail=1 ;;
        esac
    done
    printf '%s\n' "$needed" | grep -qx libFMWrapper.so ||
        { echo "$plugin does not name libFMWrapper.so among its needed libraries" >&2; fail=1; }
    ;;
depends)
    stated=$5
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir "$work/debian"
    printf 'Source: orbelantrix\n\nPackage: orbelantrix\nArchitecture: any\n' > "$work/debian/control"
    cp "$plugin" "$work/"
    found=$(cd "$work" && dpkg-shlibdeps -O --warnings=0 "$(basename "$plugin")" 2>/dev/null |
            sed -n 's/^shlibs:Depends=//p')
    if [ "$found" != "$stated" ]; then
        echo "the .deb states Depends: $stated" >&2
        echo "dpkg-shlibdeps finds:    $found" >&2
        fail=1
    fi
    echo "Depends: $found"
    ;;
exports)
    exports=$5
    exported=$("$objdump" -T "$plugin" | grep -v '[*]UND[*]' | awk '$2 == "DF" || $3 == "DF" {print $NF}' |
               sort -u)
    for name in $exported; do
        grep -qx "$name" "$exports" || { echo "$plugin exports $name, which the host's does not" >&2; fail=1; }
    done
    [ $fail -eq 0 ] && echo "$plugin exports $(printf '%s\n' "$exported" | wc -l) names, all the host's"
    ;;
entry)
    # Global and weak definitions ("l" marks the local section symbols some linkers list).
    defined=$("$objdump" -T "$plugin" | grep -v '[*]UND[*]' |
              awk 'NF >= 6 && $1 ~ /^[0-9a-f]+$/ && $2 != "l" {print $NF}' | sort -u)
    if [ "$defined" != "FMExternCallProc" ]; then
        echo "$plugin defines dynamic symbols besides FMExternCallProc:" $defined >&2
        fail=1
    fi
    [ $fail -eq 0 ] && echo "$plugin defines one dynamic symbol: FMExternCallProc"
    ;;
*)
    echo "unknown check $check" >&2
    exit 2
    ;;
esac
exit $fail
