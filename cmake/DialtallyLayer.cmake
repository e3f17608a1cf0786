# One static library per folder. A layer links the layers it builds on and
# may include headers from those folders only; the build fails on an include
# from any other folder (cmake/CheckLayerIncludes.cmake).
#
#   dialtally_layer(<target> [CORE] SOURCES <files> [LINKS <targets>]
#                   MAY_INCLUDE <folders>)
#
# CORE layers also may not include a GUI toolkit header.
function(dialtally_layer target)
    cmake_parse_arguments(LAYER "CORE" "" "SOURCES;LINKS;MAY_INCLUDE" ${ARGN})
    add_library(${target} STATIC ${LAYER_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    if(LAYER_LINKS)
        target_link_libraries(${target} PUBLIC ${LAYER_LINKS})
    endif()

    list(TRANSFORM LAYER_SOURCES PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/" OUTPUT_VARIABLE files)
    # Lists travel to the script joined by "|", which no path here holds.
    string(JOIN "|" joined_files ${files})
    string(JOIN "|" joined_allowed ${LAYER_MAY_INCLUDE})
    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-includes.stamp)
    add_custom_command(
        OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} "-DFILES=${joined_files}" "-DALLOWED=${joined_allowed}"
                -DNO_GUI=${LAYER_CORE} -DSTAMP=${stamp}
                -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
        COMMENT "Checking the includes of ${target}"
        VERBATIM)
    add_custom_target(${target}_includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}_includes)
endfunction()
