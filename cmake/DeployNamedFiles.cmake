# The program folder of a Windows build cross-compiled with mingw-w64: beside the
# executables the Qt DLLs they load, the platform and style plugins, Qt's German texts
# and the compiler's runtime DLLs, which Qt's DLLs and the program share.
set(kvotlk_qt_libraries Core Gui Widgets)
if(KVOTLK_KALVERO_LINK STREQUAL "simulator")
  # The link to the simulator and kalvero-sim talk through Qt's local sockets.
  list(APPEND kvotlk_qt_libraries Network)
endif()
foreach(library IN LISTS kvotlk_qt_libraries)
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION ${KVOTLK_INSTALL_DIR})
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
  DESTINATION ${KVOTLK_INSTALL_DIR}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
  DESTINATION ${KVOTLK_INSTALL_DIR}/styles)

# The .qm files do not depend on the platform: the build machine's German Qt texts, as the
# one file main() loads. QLibraryInfo takes the folder holding Qt6Core.dll as the prefix.
set(KVOTLK_QT_GERMAN_TEXTS /usr/share/qt6/translations/qtbase_de.qm CACHE FILEPATH
  "Qt's German texts (qtbase_de.qm), installed as translations/qt_de.qm")
if(NOT EXISTS "${KVOTLK_QT_GERMAN_TEXTS}")
  message(FATAL_ERROR "Qt's German texts are missing: ${KVOTLK_QT_GERMAN_TEXTS} "
                      "(Debian: qt6-translations-l10n)")
endif()
install(FILES ${KVOTLK_QT_GERMAN_TEXTS} DESTINATION ${KVOTLK_INSTALL_DIR}/translations
  RENAME qt_de.qm)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(kvotlk_libgcc libgcc_s_seh-1.dll)
else()
  set(kvotlk_libgcc libgcc_s_dw2-1.dll)
endif()
foreach(runtime libstdc++-6.dll ${kvotlk_libgcc} libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know its runtime DLL ${runtime}")
  endif()
  get_filename_component(runtime_path "${runtime_path}" REALPATH)
  install(FILES ${runtime_path} DESTINATION ${KVOTLK_INSTALL_DIR})
endforeach()

# The licences of what the folder carries besides the program, in Lizenzen: Debian's texts
# of the packages the DLLs were built from, and a German overview naming the files.
set(KVOTLK_LICENCE_FILES
  "/usr/share/common-licenses/LGPL-3=LGPL-3.0.txt"
  "/usr/share/common-licenses/GPL-3=GPL-3.0.txt"
  "/usr/share/doc/libqt6core6/copyright=Qt-Urheber.txt"
  "/usr/share/doc/gcc-mingw-w64-base/copyright=GCC.txt"
  "/usr/share/doc/mingw-w64-common/copyright=MinGW-w64.txt"
  CACHE STRING "Licence texts for Lizenzen, each SOURCE=NAME")
foreach(licence IN LISTS KVOTLK_LICENCE_FILES)
  string(REGEX REPLACE "=.*" "" source "${licence}")
  string(REGEX REPLACE ".*=" "" name "${licence}")
  if(NOT EXISTS "${source}")
    message(FATAL_ERROR "Licence text missing: ${source}")
  endif()
  install(FILES ${source} DESTINATION ${KVOTLK_INSTALL_DIR}/Lizenzen RENAME ${name})
endforeach()
set(KVOTLK_QT_VERSION ${Qt6_VERSION})
set(KVOTLK_QT_SOURCE "Debian-Quellpaket qt6-base")
# scripts/qt-mingw.sh notes the source package it built Qt from.
set(qt_stamp "${QT6_INSTALL_PREFIX}/kvotlk-qt-mingw.stamp")
if(EXISTS "${qt_stamp}")
  file(STRINGS "${qt_stamp}" qt_source REGEX "^qt=")
  string(REGEX REPLACE "^qt=([^ ]+) (.+)$" "Debian-Quellpaket \\1 \\2" KVOTLK_QT_SOURCE "${qt_source}")
endif()
# UTF-8 with its byte order mark and CR LF: every Notepad reads the umlauts.
configure_file(${PROJECT_SOURCE_DIR}/packaging/Lizenzen.txt.in
  ${CMAKE_BINARY_DIR}/Lizenzen/LIESMICH.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/Lizenzen/LIESMICH.txt DESTINATION ${KVOTLK_INSTALL_DIR}/Lizenzen)
