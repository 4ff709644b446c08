# vorbin_layer(<folder> [DEPENDS <layer>...] [TEST_ONLY])
#
# Makes vorbin_<folder> from the folder's portable sources and, in the
# Windows tree, vorbin_<folder>_win from its win/ sources, each linking the
# same libraries of the layers it depends on. Its tests become one executable
# per layer and tree (unit_<folder> natively, platform_<folder> under Wine),
# linking only that layer, what it depends on, and the test helpers: a layer
# whose tests link on their own is a layer another program can link.
# VORBIN_RC_<folder> collects the dialog resources of the layer and below.

set(VORBIN_TEST_DIR ${CMAKE_BINARY_DIR}/tests)

# Every build starts with the include check, so an include against the
# layers fails before anything compiles.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_target(layer_check ALL
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layers
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Checking includes against the layers"
  VERBATIM)

function(vorbin_add_library name sources deps)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${deps})
    add_dependencies(${name} layer_check)
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${deps})
  endif()
endfunction()

function(vorbin_add_tests name kind sources libs)
  if(NOT sources)
    return()
  endif()
  set(exe ${kind}_${name})
  add_executable(${exe} ${sources})
  target_link_libraries(${exe} PRIVATE ${libs} ${VORBIN_TEST_MAIN})
  add_dependencies(${exe} layer_check)
  if(WIN32)
    # Beside the programs and the shipped tables, which some tests read.
    add_dependencies(${exe} shipped_data)
    target_link_options(${exe} PRIVATE ${STATIC_LINK})
    add_test(NAME ${exe} COMMAND ${exe}
      --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/../results/${exe}.xml)
  else()
    set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VORBIN_TEST_DIR})
    # Tests that hold the shipped tables to their source read them from here.
    target_compile_definitions(${exe} PRIVATE VORBIN_DATA_DIR="${CMAKE_SOURCE_DIR}/data")
    add_test(NAME ${exe} COMMAND ${exe})
  endif()
endfunction()

function(vorbin_layer folder)
  cmake_parse_arguments(L "TEST_ONLY" "" "DEPENDS" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/${folder})

  file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(sources ${portable})
  set(tests ${portable})
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  list(FILTER tests INCLUDE REGEX "_test\\.cpp$")
  set(deps)
  foreach(d ${L_DEPENDS})
    list(APPEND deps vorbin_${d})
  endforeach()
  vorbin_add_library(vorbin_${folder} "${sources}" "${deps}")
  if(folder STREQUAL "base")
    target_include_directories(vorbin_base PUBLIC ${CMAKE_SOURCE_DIR})
    target_compile_options(vorbin_base PUBLIC -Wall -Wextra)
  endif()

  if(NOT WIN32)
    vorbin_add_tests(${folder} unit "${tests}" vorbin_${folder})
    return()
  endif()

  file(GLOB shell CONFIGURE_DEPENDS ${dir}/win/*.cpp)
  # A program's entry point (main.cpp, lintor_main.cpp) belongs to its
  # executable, not to a library.
  list(FILTER shell EXCLUDE REGEX "/win/([a-z]+_)?main\\.cpp$")
  set(shell_sources ${shell})
  set(shell_tests ${shell})
  list(FILTER shell_sources EXCLUDE REGEX "_test\\.cpp$")
  list(FILTER shell_tests INCLUDE REGEX "_test\\.cpp$")
  set(shell_deps vorbin_${folder})
  set(rc)
  foreach(d ${L_DEPENDS})
    list(APPEND shell_deps vorbin_${d}_win)
    list(APPEND rc ${VORBIN_RC_${d}})
  endforeach()
  vorbin_add_library(vorbin_${folder}_win "${shell_sources}" "${shell_deps}")

  file(GLOB own_rc CONFIGURE_DEPENDS ${dir}/win/*.rc)
  # A library's own version block (name_version.rc) goes into that library
  # alone, never into the programs above the layer.
  list(FILTER own_rc EXCLUDE REGEX "_version\\.rc$")
  list(APPEND rc ${own_rc})
  list(REMOVE_DUPLICATES rc)
  set(VORBIN_RC_${folder} ${rc} PARENT_SCOPE)

  if(shell_tests)
    # The dialogs' tests open the real templates.
    vorbin_add_tests(${folder} platform "${shell_tests};${rc}"
      "vorbin_${folder}_win;vorbin_testing_win")
    target_include_directories(platform_${folder} PRIVATE ${CMAKE_SOURCE_DIR}/app/win)
  endif()
endfunction()

# vorbin_own_layer(<folder> [DEPENDS <layer>...])
#
# A folder with a build of its own (its CMakeLists.txt) that still takes its
# place in the include check.
macro(vorbin_own_layer folder)
  add_subdirectory(${folder})
endmacro()
