# The installed program folder as a ZIP: `cpack` in the build folder (or `cpack --preset
# <preset>`) makes KVOTLK-<version>-<system>.zip holding one folder of the same name. A
# Windows build with the simulator link is marked "-Simulator", so a training PC's ZIP is
# never mistaken for the one for the measuring PC.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME KVOTLK)
set(CPACK_PACKAGE_VENDOR "Solvik Germany")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  math(EXPR kvotlk_bits "${CMAKE_SIZEOF_VOID_P} * 8")
  set(kvotlk_package_system win${kvotlk_bits})
  if(KVOTLK_KALVERO_LINK STREQUAL "simulator")
    string(APPEND kvotlk_package_system -Simulator)
  endif()
else()
  set(kvotlk_package_system ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
endif()
set(CPACK_PACKAGE_FILE_NAME KVOTLK-${PROJECT_VERSION}-${kvotlk_package_system})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_VERBATIM_VARIABLES ON)

# The MSI for installation per machine (packaging/kvotlk.wxs), built by msitools' wixl from
# the same staged folder as the ZIP: the generator External, asked for by the preset
# windows-program-cross.
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/CPackMsi.cmake)
include(CPack)

# A MinGW build leaves the symbol tables in every executable and DLL, the program's and
# Qt's: stripped, the package is less than half as large. Declared last, so it runs after
# every other install rule; CMAKE_INSTALL_MANIFEST_FILES lists what they installed.
if(WIN32 AND NOT MSVC)
  if(NOT CMAKE_STRIP)
    message(FATAL_ERROR "No strip for ${CMAKE_CXX_COMPILER}: set CMAKE_STRIP")
  endif()
  install(CODE "
    foreach(kvotlk_file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
      if(kvotlk_file MATCHES \"\\\\.(exe|dll)$\")
        execute_process(COMMAND \"${CMAKE_STRIP}\" \"\${kvotlk_file}\" RESULT_VARIABLE kvotlk_failed)
        if(kvotlk_failed)
          message(FATAL_ERROR \"strip: \${kvotlk_file}\")
        endif()
      endif()
    endforeach()")
endif()
