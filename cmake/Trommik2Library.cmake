# trommik2_library(NAME FOLDER DEPS...): a static library of every source file in
# FOLDER, except the module's entry point, with the project headers visible.
function(trommik2_library name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "/ModuleEntry\\.cpp$")
  if(folder STREQUAL "core")
    list(FILTER sources EXCLUDE REGEX "/core/effect/")
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()

# trommik2_test(NAME FOLDER DEPS...): one GoogleTest binary of the tests in FOLDER.
function(trommik2_test name folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  # Tests in x11/ folders need a display and build binaries of their own.
  list(FILTER sources EXCLUDE REGEX "/x11/")
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${ARGN})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE TROMMIK2_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_BINARY_DIR} DISCOVERY_TIMEOUT 60)
endfunction()
