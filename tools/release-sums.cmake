# Writes the list of a medium's data folder that a release builds into Setup.exe: one line per
# file, "<SHA-256>  <path>", the path relative to the folder with '/' between folders, in byte
# order of the paths (the format of sha256sum, so `sha256sum -c` reads it in that folder).
#   cmake -D FOLDER=<data folder> -D OUT=<list> -P release-sums.cmake
file(GLOB_RECURSE files RELATIVE ${FOLDER} LIST_DIRECTORIES false ${FOLDER}/*)
list(SORT files)
set(list "")
foreach(file IN LISTS files)
    file(SHA256 ${FOLDER}/${file} sum)
    string(APPEND list "${sum}  ${file}\n")
endforeach()
# Rewritten only when it changes, so that an unchanged medium builds nothing again.
file(WRITE ${OUT}.new "${list}")
configure_file(${OUT}.new ${OUT} COPYONLY)
file(REMOVE ${OUT}.new)
