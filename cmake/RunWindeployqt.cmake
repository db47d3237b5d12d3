# Install step: runs windeployqt on one installed executable. Inputs: KVOTLK_DEPLOY_TOOL,
# KVOTLK_DEPLOY_OPTIONS (a list), KVOTLK_DEPLOY_PROGRAM. A missing tool or a failed run
# stops the installation: a program folder without its Qt libraries does not start.
if(NOT KVOTLK_DEPLOY_TOOL OR NOT EXISTS "${KVOTLK_DEPLOY_TOOL}")
  message(FATAL_ERROR "windeployqt nicht gefunden: KVOTLK_WINDEPLOYQT auf windeployqt.exe im "
                      "bin-Ordner der Qt-Installation setzen.")
endif()
message(STATUS "windeployqt: ${KVOTLK_DEPLOY_PROGRAM}")
execute_process(
  COMMAND "${KVOTLK_DEPLOY_TOOL}" ${KVOTLK_DEPLOY_OPTIONS} "${KVOTLK_DEPLOY_PROGRAM}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "windeployqt ist fehlgeschlagen (${status}): ${KVOTLK_DEPLOY_PROGRAM}")
endif()
