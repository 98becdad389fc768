#!/usr/bin/env bash
# The include rule between the program's folders: each folder includes only from itself and the
# layers below it, so no folder depends on one above it and no two folders depend on each other.
#
#   units  <-  solver, precision  <-  services  <-  load  <-  sim, report  <-  cli
#   controls (widgets) <-  sim/widgets  <-  shell
#
# Usage: check_layers.sh SOURCE_ROOT. Prints every include that breaks the rule; exit 1 if any.
set -u
root=${1:?source root}

# What each folder may include, by the first part of the include's path.
allowed() {
    case "$1" in
        units) echo "units" ;;
        solver) echo "units" ;;
        precision) echo "precision units" ;;
        app/services) echo "services precision units" ;;
        app/load) echo "load services precision units" ;;
        app/sim) echo "sim load services precision units" ;;
        app/report) echo "report load services precision units" ;;
        app/cli) echo "cli report load services precision units" ;;
        app/controls) echo "controls services units" ;;
        app/sim/widgets) echo "sim/widgets sim controls load services precision units" ;;
        app/shell) echo "shell sim/widgets sim report controls load services precision units" ;;
        *) echo "*" ;;
    esac
}

violations=""
while IFS= read -r file; do
    rel=${file#"$root"/}
    folder=$(dirname "$rel")
    rules=$(allowed "$folder")
    [ "$rules" = "*" ] && continue
    # Quoted includes with a folder part; a bare name is the solver's record header or a file
    # of the same folder.
    while IFS= read -r line; do
        [ -n "$line" ] || continue
        target=$(sed -E 's/.*"([^"]+)".*/\1/' <<<"$line")
        ok=0
        for layer in $rules; do
            case "$target" in "$layer"/*) ok=1 ;; esac
            # sim/widgets/X is not sim's layer for the folders below the widgets.
            if [ "$layer" = sim ] && [[ "$target" == sim/widgets/* ]]; then ok=0; fi
            [ $ok = 1 ] && break
        done
        [ $ok = 1 ] ||
            violations+="$rel:${line%%:*}: includes \"$target\", which lies above $folder"$'\n'
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+/[^"]+"' "$file")
done < <(find "$root/units" "$root/solver" "$root/precision" "$root/app" \( -name '*.cpp' -o -name '*.h' \) \
             -not -path '*/reference/*' 2>/dev/null)

if [ -n "$violations" ]; then
    printf '%s' "$violations"
    exit 1
fi
echo "every include follows the layers"
