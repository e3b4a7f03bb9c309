# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The record of what `cmake --install` put in place, for make uninstall
# (cmake/uninstall.cmake): every file installed and every folder the install
# created, kept in the build tree as install-record-HASH.cmake, HASH naming
# the prefix. A staged install (DESTDIR, as when the package is built) keeps
# no record. Installing again into the same prefix adds to the record.

# The first install rule: notes which of the folders in
# ARCADEON_INSTALL_FOLDERS, and of the folders above them, do not exist yet.
function(arcadeon_install_record_begin)
  install(CODE "set(_arcadeon_folders \"${ARCADEON_INSTALL_FOLDERS}\")\nset(_arcadeon_build \"${CMAKE_BINARY_DIR}\")")
  install(CODE [[
    get_filename_component(_arcadeon_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
    set(_arcadeon_new_folders "")
    if("$ENV{DESTDIR}" STREQUAL "")
      foreach(_folder IN LISTS _arcadeon_folders)
        set(_path "${_arcadeon_prefix}/${_folder}")
        while(NOT EXISTS "${_path}")
          list(APPEND _arcadeon_new_folders "${_path}")
          get_filename_component(_path "${_path}" DIRECTORY)
        endwhile()
      endforeach()
    endif()
  ]])
endfunction()

# The last install rule: writes the record.
function(arcadeon_install_record_end)
  install(CODE [[
    if("$ENV{DESTDIR}" STREQUAL "")
      string(MD5 _key "${_arcadeon_prefix}")
      set(_record "${_arcadeon_build}/install-record-${_key}.cmake")
      set(ARCADEON_INSTALLED_FILES "")
      set(ARCADEON_CREATED_FOLDERS "")
      if(EXISTS "${_record}")
        include("${_record}")
      endif()
      list(APPEND ARCADEON_INSTALLED_FILES ${CMAKE_INSTALL_MANIFEST_FILES})
      list(APPEND ARCADEON_CREATED_FOLDERS ${_arcadeon_new_folders})
      list(REMOVE_DUPLICATES ARCADEON_INSTALLED_FILES)
      list(REMOVE_DUPLICATES ARCADEON_CREATED_FOLDERS)
      file(WRITE "${_record}"
        "# What cmake --install put under ${_arcadeon_prefix}, for make uninstall.\n"
        "set(ARCADEON_PREFIX \"${_arcadeon_prefix}\")\n"
        "set(ARCADEON_INSTALLED_FILES \"${ARCADEON_INSTALLED_FILES}\")\n"
        "set(ARCADEON_CREATED_FOLDERS \"${ARCADEON_CREATED_FOLDERS}\")\n")
    endif()
  ]])
endfunction()
