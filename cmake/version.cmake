# QUARRY_VERSION from resources/version.h, the one place the version is kept.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/version.h QUARRY_VERSION_LINE
     REGEX "^#define QUARRY_VERSION_TEXT ")
string(REGEX REPLACE "^.*\"([^\"]+)\".*$" "\\1" QUARRY_VERSION "${QUARRY_VERSION_LINE}")
if(NOT QUARRY_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "resources/version.h: no QUARRY_VERSION_TEXT of the form 1.2.3")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/version.h)
