# The tank model's sources (plain C++, no Qt), listed once for the main build (zbmodel in
# frontend/CMakeLists.txt) and the fuzz build (fuzz/CMakeLists.txt).
set(ZB_MODEL_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/cp1252.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csv_table.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dispersion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_binding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/engine_calls.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gallery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/object_tree.cpp
    ${CMAKE_CURRENT_LIST_DIR}/objects.cpp
    ${CMAKE_CURRENT_LIST_DIR}/replacing_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/simulation_speed.cpp
    ${CMAKE_CURRENT_LIST_DIR}/stability.cpp
    ${CMAKE_CURRENT_LIST_DIR}/system_errors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tank.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tank_file.cpp
)
