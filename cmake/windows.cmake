# Windows builds (mingw-w64): the Win32 platform layer, Setup.exe and the tests run under Wine.

# The oldest Windows each build runs on, as its import table allows: XP (5.1) for i686, the first
# 64-bit XP (5.2) for x86_64. The shipped code is compiled for it, so that the headers hide
# anything newer, and its header fields say it; the test programs may use Windows 7's calls. XP
# from its SP3, whose cryptographic provider computes SHA-256.
set(windows_major 5)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    set(windows_minor 1)
    set(windows_service_pack 3)
else()
    set(windows_minor 2)
    set(windows_service_pack 0)
endif()
math(EXPR windows_nt "(${windows_major} << 8) | ${windows_minor}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR windows_ntddi "(${windows_nt} << 16) | (${windows_service_pack} << 8)" OUTPUT_FORMAT HEXADECIMAL)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=$<IF:$<BOOL:$<TARGET_PROPERTY:LCIME_SHIPPED>>,${windows_nt},0x0601>
    NTDDI_VERSION=$<IF:$<BOOL:$<TARGET_PROPERTY:LCIME_SHIPPED>>,${windows_ntddi},0x06010000>)
# Everything linked in statically: no runtime DLL has to travel beside the executable.
add_link_options(-static -static-libgcc -static-libstdc++)

enable_language(RC)
# windres reads the UTF-8 script as code page 65001; the pictures are found on the include path.
set(LCIME_PICTURES_DIR ${CMAKE_SOURCE_DIR}/resources/pictures CACHE PATH
    "Folder holding the pictures that go into Setup.exe")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

add_library(lcime_win32 STATIC
    src/menu/LabelPainter.cpp
    src/platform/win32/Dpi.cpp
    src/platform/win32/Picture.cpp
    src/platform/win32/Text.cpp
    src/platform/win32/Win32Platform.cpp
)
target_link_libraries(lcime_win32 PUBLIC lcime_logic imm32 gdi32 user32 advapi32)
# stb_image and stb_image_resize from Debian's libstb-dev decode and resample the pictures; only
# its folder joins the include path.
find_path(LCIME_STB_DIR stb_image.h PATHS /usr/include/stb NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
target_include_directories(lcime_win32 SYSTEM PRIVATE ${LCIME_STB_DIR})

# lcime_add_setup(<target> [<sums>]): Setup.exe. With the list of a medium's files and their sums
# (written by whoever builds the target), the Setup.exe of a release of that medium, in
# <build>/<target>/ and built only on demand.
function(lcime_add_setup target)
    add_executable(${target} WIN32
        ${CMAKE_SOURCE_DIR}/src/app/WinMain.cpp
        ${CMAKE_SOURCE_DIR}/src/install/Form1Dialog.cpp
        ${CMAKE_SOURCE_DIR}/src/menu/Form2Window.cpp
        ${CMAKE_SOURCE_DIR}/resources/Setup.rc
    )
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources ${LCIME_PICTURES_DIR})
    target_link_libraries(${target} PRIVATE lcime_win32)
    set_target_properties(${target} PROPERTIES LCIME_SHIPPED ON)
    target_link_options(${target} PRIVATE -municode -s -Wl,--gc-sections
        -Wl,--dynamicbase,--nxcompat,--tsaware
        -Wl,--major-os-version,${windows_major},--minor-os-version,${windows_minor}
        -Wl,--major-subsystem-version,${windows_major},--minor-subsystem-version,${windows_minor})
    # Run from swap: ejecting the medium while the installer runs must not take its code away.
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_SOURCE_DIR}/tools/set-run-from-swap.py $<TARGET_FILE:${target}>
        VERBATIM)
    if(ARGC GREATER 1)
        set(sums ${ARGV1})
        configure_file(${CMAKE_SOURCE_DIR}/resources/ReleaseSums.rc.in ${CMAKE_BINARY_DIR}/${target}/ReleaseSums.rc @ONLY)
        target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}/ReleaseSums.rc)
        set_source_files_properties(${CMAKE_BINARY_DIR}/${target}/ReleaseSums.rc PROPERTIES OBJECT_DEPENDS ${sums})
        set_target_properties(${target} PROPERTIES OUTPUT_NAME Setup EXCLUDE_FROM_ALL ON
            RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${target})
    endif()
endfunction()
set_source_files_properties(resources/Setup.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/Setup.exe.manifest;${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/Version.h")
lcime_add_setup(Setup)
# The release's: scripts/make-release writes the list of the medium it makes.
lcime_add_setup(SetupRelease ${CMAKE_BINARY_DIR}/SetupRelease/release-sums.txt)
set_target_properties(lcime_win32 PROPERTIES LCIME_SHIPPED ON)
target_compile_options(lcime_logic PRIVATE -ffunction-sections -fdata-sections)
target_compile_options(lcime_win32 PRIVATE -ffunction-sections -fdata-sections)

# GoogleTest from Debian's source package, compiled for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# Its customization header comes first, for GoogleTest and every suite (tests/gtest-custom).
include_directories(BEFORE ${CMAKE_SOURCE_DIR}/tests/gtest-custom)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

add_executable(win32_platform_tests tests/platform/win32/Win32PlatformTest.cpp tests/menu/LabelPainterTest.cpp)
target_link_libraries(win32_platform_tests PRIVATE lcime_win32 gtest_main)
# Registered in both Windows builds: the test preset that is run decides which one runs
# (i686 under WoW64 where this machine runs 32-bit code, x86_64 otherwise).
add_test(NAME win32_platform_tests COMMAND win32_platform_tests)
add_executable(wow64_probe tests/platform/win32/Wow64Probe.cpp)

# End-to-end suites driving Setup.exe under Wine, with their robot library.
add_subdirectory(tests/e2e)

# The header fields and the exact import table of the built executable.
set(LCIME_SETUP_CHECK ${CMAKE_SOURCE_DIR}/tests/app/check-executable.py
    ${CMAKE_SOURCE_DIR}/tests/app/setup-imports-${CMAKE_SYSTEM_PROCESSOR}.txt ${windows_major}.${windows_minor})
add_test(NAME setup_header_flags_and_imports COMMAND ${LCIME_SETUP_CHECK} $<TARGET_FILE:Setup>)
add_test(NAME setup_resources
         COMMAND sh ${CMAKE_SOURCE_DIR}/tests/app/check-resources.sh ${CMAKE_RC_COMPILER} $<TARGET_FILE:Setup>)

# Releases made by scripts/make-release from the demo editions, and the shipped build made again
# elsewhere: in the i686 build, whose Setup.exe and input-method format are the released ones.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    add_test(NAME release_medium COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/release-test.sh
             ${CMAKE_BINARY_DIR} $<TARGET_FILE:lcdemo_ime> ${LCIME_OTHER_BUILD}/demo/lcdemo_ime.dll
             $<TARGET_FILE:standin> ${LCIME_SETUP_CHECK})
    add_test(NAME release_reproducible COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/reproducible-test.sh
             ${CMAKE_BINARY_DIR}/reproducible-test $<TARGET_FILE:Setup> $<TARGET_FILE:lcdemo_ime>)
endif()
