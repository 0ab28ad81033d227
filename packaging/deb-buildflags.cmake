# Initial cache for the package build (`make package`): Debian's build flags, so that the
# programs are hardened as Debian's own packages are (stack protector, fortified functions,
# read-only relocations bound at start). The optimisation stays the build type's; -g is left
# out, since the package is stripped anyway.
# Usage: cmake -C packaging/deb-buildflags.cmake ...
foreach(kind CFLAGS CXXFLAGS CPPFLAGS LDFLAGS)
    execute_process(
        COMMAND env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    DEB_CFLAGS_MAINT_STRIP=-g\ -O2 DEB_CXXFLAGS_MAINT_STRIP=-g\ -O2
                    dpkg-buildflags --get ${kind}
        OUTPUT_VARIABLE flags_${kind}
        OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "dpkg-buildflags failed (make package installs dpkg-dev)")
    endif()
endforeach()
set(CMAKE_C_FLAGS "${flags_CPPFLAGS} ${flags_CFLAGS}" CACHE STRING "Debian's build flags" FORCE)
set(CMAKE_CXX_FLAGS "${flags_CPPFLAGS} ${flags_CXXFLAGS}" CACHE STRING "Debian's build flags" FORCE)
foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS "${flags_LDFLAGS}" CACHE STRING "Debian's build flags" FORCE)
endforeach()
