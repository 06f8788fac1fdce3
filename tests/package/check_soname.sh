#!/bin/sh
# Checks the plug-in file the server loads: its soname carries the version, and it exports the
# entry point. Arguments: readelf, the plug-in file, the expected soname.
set -eu
readelf=$1 plugin=$2 expected=$3

dynamic=$("$readelf" -d "$plugin")
soname=$(printf '%s\n' "$dynamic" | sed -n 's/.*(SONAME).*\[\(.*\)\]$/\1/p')
if [ "$soname" != "$expected" ]; then
    echo "soname of $plugin is '${soname}', expected '$expected'" >&2
    exit 1
fi
case "$(basename "$plugin")" in
    Orbelantrix.fmx) ;;
    *) echo "the plug-in file is $(basename "$plugin"), not Orbelantrix.fmx" >&2; exit 1 ;;
esac
if ! "$readelf" --dyn-syms -W "$plugin" | grep -q ' FUNC  *GLOBAL .* FMExternCallProc$'; then
    echo "$plugin does not export FMExternCallProc" >&2
    exit 1
fi
echo "$plugin: soname $soname"
