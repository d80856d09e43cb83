# Every third-party library the project links, found once here so that the
# module CMakeLists only name imported targets.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(CURL REQUIRED)
find_package(ZLIB REQUIRED)
find_package(simdjson REQUIRED)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET xlsxwriter)
pkg_check_modules(QRENCODE REQUIRED IMPORTED_TARGET libqrencode)
find_path(HTTPLIB_INCLUDE_DIR httplib.h REQUIRED)
# Debian builds cpp-httplib as a shared library; its flags (TLS, zlib) must match.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)

if(VARNEL_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(VARNEL_BENCH)
  find_package(benchmark REQUIRED)
endif()

if(VARNEL_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets Network Svg
               WebEngineCore WebEngineWidgets Test)
  find_library(GIF_LIBRARY gif REQUIRED)
endif()

# Helper: add a GoogleTest executable registered with CTest.
#   varnel_add_test(NAME name SOURCES ... LIBS ... [GUI])
#   GUI tests get a main() that makes the QApplication offscreen
#   (tests/support/gui_test_main.cpp); the others use gtest_main.
#   Tests that talk to the simulator find it through $VARNEL_SIM.
function(varnel_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  if(T_GUI)
    add_executable(${T_NAME} ${T_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/gui_test_main.cpp)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} varnel_qt_options Qt6::Test Qt6::Widgets
                          GTest::gtest GTest::gmock Threads::Threads)
  else()
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} varnel_options
                          GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  endif()
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(TARGET varnel-sim)
    add_dependencies(${T_NAME} varnel-sim)
  endif()
  gtest_discover_tests(${T_NAME}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "VARNEL_SIM=${CMAKE_BINARY_DIR}/simulator/varnel-sim;VARNEL_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    DISCOVERY_TIMEOUT 60)
endfunction()
