# holvara_module(<target> [LIBS <lib>...] [TEST_LIBS <lib>...])
#
# A module is one folder: its .cpp files form a static library, and each tests/<name>_test.cpp
# becomes a GoogleTest executable of its own (native builds only), so that a module's tests
# build and fail independently of the others.
function(holvara_module target)
  cmake_parse_arguments(ARG "" "" "LIBS;TEST_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC holvara_common ${ARG_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE holvara_common ${ARG_LIBS})
  endif()

  if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING)
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/*_test.cpp)
    foreach(test ${tests})
      get_filename_component(name ${test} NAME_WE)
      add_executable(${name} ${test})
      target_link_libraries(${name} PRIVATE ${target} ${ARG_TEST_LIBS} GTest::gmock GTest::gtest_main)
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
    endforeach()
  endif()
endfunction()
