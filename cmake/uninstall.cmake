# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DBUILD=DIR -DPREFIX=PREFIX -P cmake/uninstall.cmake (make uninstall):
# removes what `cmake --install DIR --prefix PREFIX` put in place, as its
# record in DIR lists it: the files, then the folders it created, where they
# are empty now. Folders that were there before stay.
if(NOT DEFINED BUILD OR NOT DEFINED PREFIX)
  message(FATAL_ERROR "usage: cmake -DBUILD=DIR -DPREFIX=PREFIX -P cmake/uninstall.cmake")
endif()
get_filename_component(prefix "${PREFIX}" ABSOLUTE)
get_filename_component(build "${BUILD}" ABSOLUTE)
string(MD5 key "${prefix}")
set(record "${build}/install-record-${key}.cmake")
if(NOT EXISTS "${record}")
  message(FATAL_ERROR "uninstall: ${build} has installed nothing under ${prefix}")
endif()
include("${record}")

foreach(file IN LISTS ARCADEON_INSTALLED_FILES)
  if(EXISTS "${file}" OR IS_SYMLINK "${file}")
    message(STATUS "Removing: ${file}")
    file(REMOVE "${file}")
  endif()
endforeach()

# Deepest first: a folder sorts after the folders above it.
list(SORT ARCADEON_CREATED_FOLDERS ORDER DESCENDING)
foreach(folder IN LISTS ARCADEON_CREATED_FOLDERS)
  if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
    file(GLOB left LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
    if(left STREQUAL "")
      message(STATUS "Removing: ${folder}/")
      file(REMOVE_RECURSE "${folder}")
    endif()
  endif()
endforeach()
file(REMOVE "${record}")
