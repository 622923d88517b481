# The embedded configuration of another edition: the default configuration with its edition,
# brand type, translator switch and version replaced, so that every edition is built from the
# one file a release edits. An empty setting keeps the default's.
#
# As a function: setup_write_edition_config(OUT BASE EDITION BRAND_TYPE TRANSLATOR VERSION).
# As a script: cmake -DOUT=... -DBASE=... -DEDITION=... -DBRAND_TYPE=... -DTRANSLATOR=...
#              -DVERSION=... -P EditionConfig.cmake
function(setup_write_edition_config out base edition brand_type translator version)
  if(NOT edition MATCHES "^(FULL|AC|VS|SL|SC|DP)?$")
    message(FATAL_ERROR "unknown edition '${edition}': FULL, AC, VS, SL, SC or DP")
  endif()
  if(NOT brand_type MATCHES "^[01]?$" OR NOT translator MATCHES "^[01]?$")
    message(FATAL_ERROR "brand type and translator are 0 or 1")
  endif()
  if(NOT version MATCHES "^([0-9]+(\\.[0-9]+)*)?$")
    message(FATAL_ERROR "version '${version}' is not dotted numbers")
  endif()
  file(READ "${base}" xml)
  foreach(setting "ProductType=${edition}" "BrandType=${brand_type}" "Translator=${translator}"
                  "Version=${version}")
    string(REPLACE "=" ";" setting "${setting}")
    list(GET setting 0 tag)
    list(APPEND setting "")
    list(GET setting 1 value)
    if(value STREQUAL "")
      continue()
    endif()
    string(REGEX REPLACE "(<${tag}>[ \t\r\n]*<Value>)[^<]*(</Value>)" "\\1${value}\\2" xml
                         "${xml}")
  endforeach()
  # Rewritten only when it changes, so that an unchanged edition is not rebuilt.
  set(old "")
  if(EXISTS "${out}")
    file(READ "${out}" old)
  endif()
  if(NOT old STREQUAL xml)
    file(WRITE "${out}" "${xml}")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  setup_write_edition_config("${OUT}" "${BASE}" "${EDITION}" "${BRAND_TYPE}" "${TRANSLATOR}"
                             "${VERSION}")
endif()
