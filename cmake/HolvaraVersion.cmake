# The product's one version number is the project's VERSION. From it come the version block of
# every file we ship and the installer's own.
#
# HOLVARA_VERSION_TEXT is the form a user reads ("1.00" for 1.0.0, "1.02.3" for 1.2.3): the minor
# number always has two digits, the patch number shows only when it is not 0.
# HOLVARA_VERSION_QUAD is the four-part form of the binary version fields ("1.0.0.0").
set(minor_text ${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_MINOR LESS 10)
  set(minor_text 0${PROJECT_VERSION_MINOR})
endif()
set(HOLVARA_VERSION_TEXT ${PROJECT_VERSION_MAJOR}.${minor_text})
if(NOT PROJECT_VERSION_PATCH EQUAL 0)
  string(APPEND HOLVARA_VERSION_TEXT .${PROJECT_VERSION_PATCH})
endif()
set(HOLVARA_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
set(HOLVARA_COMPANY "ZELTO Corporation")
set(HOLVARA_PRODUCT "ZELTO Dock Warden")
set(HOLVARA_COPYRIGHT "Copyright (C) 2026 ZELTO Corporation. All rights reserved.")
unset(minor_text)

# holvara_version_block(<target> <file name> <description> APP|DLL)
#
# Adds a version block to a Windows target, generated from version_block.rc.in.
function(holvara_version_block target file_name description type)
  set(HOLVARA_FILE_NAME ${file_name})
  set(HOLVARA_FILE_DESCRIPTION ${description})
  set(HOLVARA_FILE_TYPE VFT_${type})
  set(HOLVARA_INTERNAL_NAME ${target})
  set(HOLVARA_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_block.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
