# CPack's generator External (cmake/Packaging.cmake): the MSI beside the ZIP, from the same
# staged program folder, with the same name and a .msi.
set(KVOTLK_MSI_PROGRAM_FOLDER "${CPACK_TEMPORARY_DIRECTORY}")
set(KVOTLK_MSI_VERSION "${CPACK_PACKAGE_VERSION}")
set(KVOTLK_MSI_FILE "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
include(${CMAKE_CURRENT_LIST_DIR}/BuildMsi.cmake)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${KVOTLK_MSI_FILE}")
