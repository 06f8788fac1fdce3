#!/bin/sh
# Checks that the Windows plug-in DLL loads in the real host: it needs no DLL but the host's
# FMWrapper.dll and Windows' own, imports from FMWrapper.dll only FM_ names the host library
# exports, and exports FMExternCallProc, undecorated, and nothing else; and that its version
# resource names the product and its version, as Windows and FileMaker show them.
# Arguments: objdump, windres, the plug-in file, the host's export list, the version (1.0.0).
set -eu
objdump=$1 windres=$2 plugin=$3 exports=$4 version=$5
fail=0
dump=$("$objdump" -p "$plugin")

# Windows' own DLLs that a MinGW-w64 build with its runtime linked in may import.
dlls=$(printf '%s\n' "$dump" | sed -n 's/^[[:space:]]*DLL Name: //p')
for dll in $dlls; do
    case "$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')" in
        fmwrapper.dll | kernel32.dll | msvcrt.dll | user32.dll) ;;
        *) echo "$plugin needs $dll" >&2; fail=1 ;;
    esac
done
printf '%s\n' "$dlls" | grep -qx FMWrapper.dll ||
    { echo "$plugin does not import FMWrapper.dll" >&2; fail=1; }
echo "imported DLLs:" $dlls

# The names imported from FMWrapper.dll: the lines after its "DLL Name" up to the next DLL.
imported=$(printf '%s\n' "$dump" | awk '
    /DLL Name:/ { in_host = ($3 == "FMWrapper.dll"); next }
    in_host && NF >= 3 && $3 ~ /^FM_/ { print $3 }' | sort -u)
[ -n "$imported" ] || { echo "$plugin imports no FM_ function" >&2; fail=1; }
for name in $imported; do
    grep -qx "$name" "$exports" ||
        { echo "$plugin imports $name, which the host library does not export" >&2; fail=1; }
done
echo "imports $(printf '%s\n' "$imported" | grep -c .) FM_ functions from FMWrapper.dll"

# The export table: "[Ordinal/Name Pointer] Table" rows are "[n] name".
exported=$(printf '%s\n' "$dump" | sed -n '/Ordinal\/Name Pointer/,/^$/p' |
           sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\][[:space:]]*//p')
echo "exports:" $exported
[ "$exported" = "FMExternCallProc" ] ||
    { echo "$plugin must export exactly FMExternCallProc" >&2; fail=1; }

# The version resource, decompiled: numeric and text versions, and the product's name.
resources=$("$windres" --input "$plugin" --output-format rc 2>/dev/null) || resources=""
numeric="$(printf '%s' "$version" | sed 's/\./, /g'), 0"
for expected in "FILEVERSION $numeric" "PRODUCTVERSION $numeric" \
                "VALUE \"FileVersion\", \"$version\"" "VALUE \"ProductVersion\", \"$version\"" \
                'VALUE "ProductName", "Orbelantrix"'; do
    printf '%s\n' "$resources" | grep -qF "$expected" ||
        { echo "$plugin's version resource lacks: $expected" >&2; fail=1; }
done
echo "version resource: Orbelantrix $version"
exit $fail
