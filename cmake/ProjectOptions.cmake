# Warnings on and at zero for every target of this project.
function(pulsegen_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_KEYWORDS)
    target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
endfunction()

if(PULSEGEN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# The libraries get libFuzzer's coverage hooks too, so the fuzzer is led into the parsers
# themselves; only the fuzz targets link libFuzzer's own main.
if(PULSEGEN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "PULSEGEN_FUZZ needs clang++ (libFuzzer)")
    endif()
    if(PULSEGEN_SANITIZE)
        message(FATAL_ERROR "PULSEGEN_FUZZ brings its own sanitizers; leave PULSEGEN_SANITIZE off")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Registers a GoogleTest binary with ctest. Widget tests get the offscreen platform.
function(pulsegen_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    pulsegen_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

# One static library per folder, made of every source file in it. A folder without sources
# yet is skipped, so the tree builds while parts are still being written.
function(pulsegen_folder_library name)
    cmake_parse_arguments(L "" "" "DEPS;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    foreach(ex ${L_EXCLUDE})
        list(FILTER sources EXCLUDE REGEX "/${ex}$")
    endforeach()
    list(FILTER sources INCLUDE REGEX "\\.(cpp|qrc)$|\\.h$")
    set(has_cpp ${sources})
    list(FILTER has_cpp INCLUDE REGEX "\\.cpp$")
    if(NOT has_cpp)
        return()
    endif()
    add_library(${name} STATIC ${sources})
    pulsegen_target_defaults(${name})
    target_link_libraries(${name} PUBLIC ${L_DEPS})
endfunction()

# Each tests/<area>/<name>_test.cpp becomes its own test binary <area>_<name>.
function(pulsegen_area_tests area)
    cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
    foreach(t ${tests})
        get_filename_component(stem ${t} NAME_WE)
        string(REGEX REPLACE "_test$" "" stem ${stem})
        pulsegen_add_test(${area}_${stem} SOURCES ${t} LIBS ${A_LIBS} testsupport)
    endforeach()
endfunction()
