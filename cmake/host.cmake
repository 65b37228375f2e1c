# Host build: the substitute platform and the GoogleTest suites of the portable logic.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(lcime_substitute STATIC src/platform/Substitute.cpp)
target_link_libraries(lcime_substitute PUBLIC lcime_logic)

add_executable(host_tests
    tests/app/ProbeTest.cpp
    tests/install/InstallImeEditionTest.cpp
)
target_link_libraries(host_tests PRIVATE lcime_substitute GTest::gtest_main)
gtest_discover_tests(host_tests)
