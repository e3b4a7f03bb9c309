# SPDX-FileCopyrightText: 2026 The Arcadeon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Compressed copies of the page's files, for a host that serves a file's
# .gz or .br copy in its place to a browser that takes it (nginx's
# gzip_static and brotli_static, for instance):
#   cmake -DSITE=DIR -DFILES="a;b;..." -DGZIP=gzip [-DZOPFLI=zopfli] [-DBROTLI=brotli] -P precompress.cmake
# writes DIR/NAME.gz (and DIR/NAME.br when BROTLI is given) beside each of
# FILES that compresses: the scripts, the program, the style, the page, the
# lists and the BMP pictures; not the PNG, WebP, JPEG and WOFF2 files,
# compressed already. The copies are made again only when their file is
# newer, and carry no name or time, so the same files give the same copies.
# With ZOPFLI the .gz copies are zopfli's: gzip that any browser reads,
# 4 to 5 % smaller than gzip -9's.
foreach(required SITE FILES GZIP)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "precompress.cmake: -D${required}=... is missing")
  endif()
endforeach()

function(compressed_copy source copy)
  if(EXISTS "${copy}" AND NOT "${source}" IS_NEWER_THAN "${copy}")
    return()
  endif()
  execute_process(COMMAND ${ARGN} OUTPUT_FILE "${copy}.part" RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE "${copy}.part")
    message(FATAL_ERROR "precompress.cmake: could not compress ${source}")
  endif()
  file(RENAME "${copy}.part" "${copy}")
endfunction()

foreach(name IN LISTS FILES)
  if(NOT name MATCHES "\\.(js|wasm|css|html|webmanifest|txt|bmp)$")
    continue()
  endif()
  set(source "${SITE}/${name}")
  if(ZOPFLI)
    compressed_copy("${source}" "${source}.gz" "${ZOPFLI}" -c "${source}")
  else()
    compressed_copy("${source}" "${source}.gz" "${GZIP}" -9 -n -c "${source}")
  endif()
  if(BROTLI)
    compressed_copy("${source}" "${source}.br" "${BROTLI}" -q 11 -c "${source}")
  endif()
endforeach()
