# kroma_library(NAME [DEPS ...]): one static library per folder of src/,
# built from every .cpp in it; its headers are included as "NAME/Header.h".
function(kroma_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(kroma_${name} STATIC ${sources})
  target_include_directories(kroma_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(kroma_${name} PUBLIC ${ARG_DEPS})
endfunction()

# kroma_tests(NAME [DEPS ...]): one GoogleTest program per folder of tests/,
# registered with CTest as a single test so that the run stays quick.
function(kroma_tests name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name}_tests PRIVATE
    KROMA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    KROMA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  add_test(NAME ${name} COMMAND ${name}_tests --gtest_brief=1)
endfunction()
