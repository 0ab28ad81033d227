#!/usr/bin/env bash
# The shared library exports exactly the engine's interface and nothing else of its own.
set -euo pipefail
lib=$1
expected="ZBDLL_AddEdges ZBDLL_AddExciter ZBDLL_AddProbe ZBDLL_AddMarkHandle ZBDLL_AddMarkLine
ZBDLL_AddMatChange ZBDLL_AddScreen ZBDLL_AddWall ZBDLL_CheckPoolSize ZBDLL_ClearMarks
ZBDLL_CreateEmptyPool ZBDLL_CreateFromHwnd ZBDLL_EnableExciters ZBDLL_GetSimulationTime
ZBDLL_MarkNonFinite ZBDLL_NextFrame ZBDLL_ReadFrame ZBDLL_ReadProbes ZBDLL_ReadScreenIntensity ZBDLL_RepaintScene ZBDLL_ResetAll ZBDLL_Reshape ZBDLL_Resize ZBDLL_Set3dMode ZBDLL_SetCamera
ZBDLL_SetColorMode ZBDLL_SetHeightScale ZBDLL_SetMessageHandler ZBDLL_SetPaused ZBDLL_SetPoolAngle ZBDLL_SetSimulationSpeed
ZBDLL_SetScreenIntensity ZBDLL_SetViewParameters ZBDLL_SetWindow
ZBDLL_SetExciterMotion ZBDLL_TriggerPulse ZBDLL_AddMedium ZBDLL_AddArcWall ZBDLL_AddParabolaWall
ZBDLL_SetEdgeKind"
actual=$(nm -D --defined-only "$lib" | awk '$2 ~ /^[TtWiDdBbVv]$/ {print $3}' |
         grep -vE '^(_init|_fini|_edata|_end|__bss_start)$' | sort)
if [ "$actual" != "$(echo $expected | tr ' ' '\n' | sort)" ]; then
    echo "exported symbols differ:"
    diff <(echo $expected | tr ' ' '\n' | sort) <(echo "$actual") || true
    exit 1
fi
# Resize and Reshape are one function under two names.
addr() { nm -D --defined-only "$lib" | awk -v n="$1" '$3 == n {print $1}'; }
if [ "$(addr ZBDLL_Resize)" != "$(addr ZBDLL_Reshape)" ]; then
    echo "ZBDLL_Resize and ZBDLL_Reshape are not the same function"
    exit 1
fi
echo "40 exports, as expected"
