#!/usr/bin/env bash
# The include rules of the layers: every layer includes only from itself and
# the layers below it, and below the table facade nothing in src/foxpro
# includes foxpro/table.h. Prints each offending include; fails if any.
set -uo pipefail
cd "$(dirname "$0")/../src"

status=0
# layer: the folders it may include from (itself included)
declare -A allowed=(
    [foxpro]="foxpro"
    [data]="data foxpro"
    [engine]="engine data foxpro"
    [worksheet]="worksheet engine data foxpro"
    [update]="update data foxpro"
    [reports]="reports data foxpro"
    [ui]="ui engine reports data foxpro"
    [app]="app ui worksheet engine reports update data foxpro"
    [cli]="cli worksheet engine update data foxpro"
)
for layer in "${!allowed[@]}"; do
    [ -d "$layer" ] || continue
    while IFS= read -r hit; do
        target=${hit#*#include \"}
        target=${target%%/*}
        case " ${allowed[$layer]} " in
            *" $target "*) ;;
            *) echo "layer $layer includes from $target: $hit"; status=1 ;;
        esac
    done < <(grep -rHn '#include "[a-z]*/' "$layer" --include='*.h' --include='*.cpp')
done

# The facade's own sources (table.h, table.cpp, table_*.cpp, table_*.h) and the
# services built on a whole table (bulk writes, index repair) are the only
# files in src/foxpro that include it.
while IFS= read -r hit; do
    file=$(basename "${hit%%:*}")
    case "$file" in
        table.h | table.cpp | table_*.cpp | table_*.h | bulk_write.* | index_repair.*) ;;
        *) echo "below the table facade: $hit"; status=1 ;;
    esac
done < <(grep -rHn '#include "foxpro/table.h"' foxpro)

[ "$status" -eq 0 ] && echo "include rules: ok"
exit "$status"
