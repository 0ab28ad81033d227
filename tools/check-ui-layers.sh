#!/bin/sh
# Checks the include graph of the windows' folders: they form layers, each including only its
# own layer and those below it, and no folders include each other in a circle.
#
#   check-ui-layers.sh [ROOT]          the folders under ROOT/frontend/ui (and ROOT/frontend/model)
#   check-ui-layers.sh --tools [ROOT]  no file under ROOT/tools includes the engine's internals
#                                      (engine/sim); tools use the engine's declared headers
#
# Prints the folder graph's edges, then every violation; exits 1 when there is one. POSIX sh,
# grep, sed and awk only: it runs on a minimal machine before anything is installed.
set -eu

mode=layers
if [ "${1:-}" = --tools ]; then
    mode=tools
    shift
fi
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}

if [ "$mode" = tools ]; then
    found=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](engine/)?sim/' \
        --include='*.h' --include='*.cpp' --include='*.c' "$root/tools" || true)
    if [ -n "$found" ]; then
        echo "tools including the engine's internals (engine/sim):"
        echo "$found" | sed "s#^$root/##"
        exit 1
    fi
    echo "no tool includes engine/sim"
    exit 0
fi

ui="$root/frontend/ui"
[ -d "$ui" ] || {
    echo "no folder $ui" >&2
    exit 2
}

# One line per include between two folders: "from to file". Includes without a folder stay in
# their own; Qt's and the system's (angle brackets) are not ours.
edges=$(cd "$root/frontend" && grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' \
    --include='*.h' --include='*.cpp' ui model |
    sed -nE 's#^(ui|model)/([^/:]+)[^:]*:[0-9]+:.*"([A-Za-z_]+)/.*#\1/\2 \3 &#p' |
    sort | awk '{ from = $1 ~ /^model\// ? "model" : substr($1, 4); split($3, f, ":");
           if (from != $2) print from, $2, f[1] }')

printf '%s\n' "$edges" | awk '
# The layers, lowest first. Folders of one layer may include each other, but never in a circle.
BEGIN {
    n = split("model|base document text|widgets|editor view simulation tutorial help start gallery|run|main_window|app", layers, "|")
    for (i = 1; i <= n; ++i) {
        k = split(layers[i], names, " ")
        for (j = 1; j <= k; ++j) rank[names[j]] = i
    }
    bad = 0
}
NF == 3 {
    key = $1 " " $2
    if (!(key in seen)) {
        seen[key] = $3
        order[++count] = key
        out[$1] = out[$1] " " $2
        node[$1] = 1; node[$2] = 1
    }
}
# Depth-first search; the path so far is kept to print the circle found.
function visit(v,    list, k, i, j, w, cycle) {
    state[v] = 1
    path[++depth] = v
    k = split(out[v], list, " ")
    for (i = 1; i <= k; ++i) {
        w = list[i]
        if (state[w] == 1) {
            for (j = 1; path[j] != w; ++j) {}
            for (cycle = ""; j <= depth; ++j) cycle = cycle path[j] " -> "
            print "circle: " cycle w "   (" seen[v " " w] ")"
            bad = 1
        } else if (state[w] == 0) {
            visit(w)
        }
    }
    --depth
    state[v] = 2
}
END {
    print "folder graph (from -> to, first file):"
    for (i = 1; i <= count; ++i) {
        split(order[i], e, " ")
        print "  " e[1] " -> " e[2] "   (" seen[order[i]] ")"
    }
    for (v in node) {
        if (!(v in rank)) {
            print "folder without a layer: " v " (add it to tools/check-ui-layers.sh)"
            bad = 1
        }
    }
    for (i = 1; i <= count; ++i) {
        split(order[i], e, " ")
        if ((e[1] in rank) && (e[2] in rank) && rank[e[1]] < rank[e[2]]) {
            print "upward include: " e[1] " -> " e[2] "   (" seen[order[i]] ")"
            bad = 1
        }
    }
    for (v in node) state[v] = 0
    depth = 0
    for (v in node) if (state[v] == 0) visit(v)
    exit bad
}'
