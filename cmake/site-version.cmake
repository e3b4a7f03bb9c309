# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Names one build of the page by its content, for its service worker:
#   cmake -DSITE=DIR -DFILES="a;b;..." -DWORKER=service-worker.js -P site-version.cmake
# writes DIR/files.txt, a line "SHA-256 FILE" for each of FILES (paths in
# DIR), and DIR/service-worker.js from WORKER with its BUILD set to the first
# 16 hexadecimal digits of the SHA-256 of files.txt. The same files give the
# same build, and a build whose files differ in one byte is another one.
foreach(required SITE FILES WORKER)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "site-version.cmake: -D${required}=... is missing")
  endif()
endforeach()

set(lines "")
foreach(name IN LISTS FILES)
  if(NOT EXISTS "${SITE}/${name}")
    message(FATAL_ERROR "site-version.cmake: ${SITE}/${name} is missing")
  endif()
  file(SHA256 "${SITE}/${name}" digest)
  string(APPEND lines "${digest} ${name}\n")
endforeach()
string(SHA256 build "${lines}")
string(SUBSTRING "${build}" 0 16 build)

file(READ "${WORKER}" worker)
string(REGEX REPLACE "const BUILD = '[^']*';" "const BUILD = '${build}';" stamped "${worker}")
if(stamped STREQUAL worker AND NOT worker MATCHES "const BUILD = '${build}';")
  message(FATAL_ERROR "site-version.cmake: ${WORKER} has no line const BUILD = '...';")
endif()
# Written only when they change, so that a build with nothing new leaves them be.
function(write_if_changed path content)
  if(EXISTS "${path}")
    file(READ "${path}" old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE "${path}" "${content}")
endfunction()
write_if_changed("${SITE}/files.txt" "${lines}")
write_if_changed("${SITE}/service-worker.js" "${stamped}")
