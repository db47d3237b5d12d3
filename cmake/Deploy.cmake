# Installing the program: one program folder (KVOTLK_INSTALL_DIR below the prefix) with
# the executables and Kataloge. On Windows, windeployqt puts the Qt libraries, plugins and
# German Qt texts beside each executable, and the compiler's runtime libraries go there
# too, so the folder runs on a PC without Qt or a Visual C++ redistributable.
set(KVOTLK_INSTALL_DIR "." CACHE STRING "Program folder below the installation prefix")

if(WIN32 AND CMAKE_CROSSCOMPILING)
  # Cross-built on Linux, Qt's qtbase (6.4) brings no windeployqt: the rules name the files.
  include(DeployNamedFiles)
elseif(WIN32)
  find_program(KVOTLK_WINDEPLOYQT windeployqt
    HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}"
    DOC "Qt's windeployqt, run on every installed executable")
  # Widgets draw without OpenGL or Direct3D; those libraries stay out of the folder.
  set(kvotlk_deploy_options --translations de --no-system-d3d-compiler --no-opengl-sw)
  if(MSVC)
    # windeployqt would only copy the redistributable's installer; the runtime DLLs
    # themselves go beside the program instead.
    list(APPEND kvotlk_deploy_options --no-compiler-runtime)
    set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${KVOTLK_INSTALL_DIR})
    include(InstallRequiredSystemLibraries)
  else()
    # MinGW: libstdc++, libgcc and winpthread, found beside the compiler in PATH.
    list(APPEND kvotlk_deploy_options --compiler-runtime)
  endif()
endif()

# Installs an executable target into the program folder; on Windows windeployqt then
# runs on the installed file.
function(kvotlk_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${KVOTLK_INSTALL_DIR})
  if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
    install(CODE "
      set(KVOTLK_DEPLOY_TOOL \"${KVOTLK_WINDEPLOYQT}\")
      set(KVOTLK_DEPLOY_OPTIONS \"${kvotlk_deploy_options}\")
      set(KVOTLK_DEPLOY_PROGRAM
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KVOTLK_INSTALL_DIR}/$<TARGET_FILE_NAME:${target}>\")
      include(\"${PROJECT_SOURCE_DIR}/cmake/RunWindeployqt.cmake\")")
  endif()
endfunction()
