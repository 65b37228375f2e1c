# Builds the Setup.exe of a release of the suites' demo medium: lays out its editions as the suites
# do, writes their list where the release target reads it, and builds the target.
#   cmake -D MAKE_MEDIUM=<make-medium> -D MODULES=<IME;stand-in;64-bit IME> -D EDITIONS=<folder>
#         -D SUMS=<list> -D BUILD=<build folder> -D TARGET=<target> -P release-setup.cmake
file(REMOVE_RECURSE ${EDITIONS})
execute_process(COMMAND ${MAKE_MEDIUM} --editions ${EDITIONS} ${MODULES} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} -D FOLDER=${EDITIONS} -D OUT=${SUMS}
                        -P ${CMAKE_CURRENT_LIST_DIR}/../../tools/release-sums.cmake COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${TARGET} COMMAND_ERROR_IS_FATAL ANY)
