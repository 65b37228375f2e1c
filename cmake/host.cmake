# Host build: the substitute platform and the GoogleTest suites of the portable logic.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(lcime_substitute STATIC src/platform/Substitute.cpp)
target_link_libraries(lcime_substitute PUBLIC lcime_logic)

add_executable(host_tests
    tests/DesignTablesTest.cpp
    tests/app/ProbeTest.cpp
    tests/install/Form1Test.cpp
    tests/install/InstallImeEditionTest.cpp
    tests/menu/Form2Test.cpp
    tests/menu/SceneTest.cpp
)
target_link_libraries(host_tests PRIVATE lcime_substitute GTest::gtest_main)
target_include_directories(host_tests PRIVATE tests)
gtest_discover_tests(host_tests)

# Setup.exe's window titles and geometry at a density, for scripts/readme-screenshots.
add_executable(window-facts tools/window-facts.cpp)
target_link_libraries(window-facts PRIVATE lcime_logic)

# The artwork generator and its reproducibility test (host only: it draws with Cairo and Pango).
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/artwork/CMakeLists.txt)
    add_subdirectory(tools/artwork)
endif()
