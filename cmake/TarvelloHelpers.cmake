# Small helpers shared by the subsystem folders.

# tarvello_subsystem(<target> [QT]): a static library from every .cpp/.h/.qrc of the
# calling folder (not its sub-folders). Sources are globbed so that adding a file to
# a subsystem never needs an edit here.
function(tarvello_subsystem target)
  cmake_parse_arguments(ARG "QT" "" "" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(NOT sources)
    # A subsystem not written yet: an empty interface so that dependants still configure.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(NOT ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  endif()
endfunction()

# tarvello_test(<name> SOURCES <files...> LIBS <targets...> [LABEL <label>] [QT]):
# one GoogleTest executable. QT tests get a main() that makes Qt run headless.
function(tarvello_test name)
  cmake_parse_arguments(ARG "QT" "LABEL" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE tarvello_qt_test_main)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
      TARVELLO_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
      TARVELLO_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared"
      TARVELLO_APP_DIR="${TARVELLO_APP_DIR}")
  set(label ${ARG_LABEL})
  if(NOT label)
    set(label misc)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${label}
                       WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# tarvello_link(<target> PUBLIC ... [PRIVATE ...]): target_link_libraries that also
# works while the subsystem is still an empty interface library.
function(tarvello_link target)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
    target_link_libraries(${target} INTERFACE ${ARG_PUBLIC})
  else()
    target_link_libraries(${target} ${ARGN})
  endif()
endfunction()
