# The engine's sources, listed once for the main build (engine/CMakeLists.txt) and the fuzz build
# (fuzz/CMakeLists.txt), which compiles them with clang and libFuzzer.
set(ZB_ENGINE_SIM_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sim/edges.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/engine_state.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/exciters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/display_averages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/display_colors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/display_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/mark_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/moving_exciter_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/moving_exciters.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/materials.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/memory_budget.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/pool.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/probe_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/probe_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/rotated_rect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/shaped_object_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/step.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/step_normals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/step_update.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/view_exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/walls.cpp
    # Shaped media, curved walls, quiet edges
    ${CMAKE_CURRENT_LIST_DIR}/sim/curved_walls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/media.cpp
    ${CMAKE_CURRENT_LIST_DIR}/sim/quiet_edges.cpp
)
set(ZB_ENGINE_DRAW_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/render/bitmap_loader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/camera.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/data_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/driver_memory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/exports.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/marks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/probe_markers.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/glx_context.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/messages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/read_frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/screen_display.cpp
    ${CMAKE_CURRENT_LIST_DIR}/render/surface.cpp
)
set(ZB_ENGINE_HEADLESS_SOURCES ${CMAKE_CURRENT_LIST_DIR}/headless/no_drawing_exports.cpp)
