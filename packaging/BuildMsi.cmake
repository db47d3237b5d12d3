# Builds the MSI from a program folder as the ZIP holds it, with msitools' wixl:
#   cmake -DKVOTLK_MSI_PROGRAM_FOLDER=DIR -DKVOTLK_MSI_VERSION=1.2011.115
#         -DKVOTLK_MSI_FILE=OUT.msi -P packaging/BuildMsi.cmake
# kvotlk.exe goes to Program Files with its start-menu entry, Kataloge to the data folder,
# every other file (Qt, runtime, licences) beside the program. CPack calls it through
# CPackMsi.cmake; the Wine test calls it again for a later version.
cmake_minimum_required(VERSION 3.25)
foreach(variable KVOTLK_MSI_PROGRAM_FOLDER KVOTLK_MSI_VERSION KVOTLK_MSI_FILE)
  if(NOT ${variable})
    message(FATAL_ERROR "BuildMsi.cmake: ${variable} fehlt.")
  endif()
endforeach()
set(folder "${KVOTLK_MSI_PROGRAM_FOLDER}")
set(here "${CMAKE_CURRENT_LIST_DIR}")
foreach(tool wixl wixl-heat msibuild)
  string(REPLACE "-" "_" name "${tool}")
  find_program(${name} ${tool} NO_CACHE)
  if(NOT ${name})
    message(FATAL_ERROR "${tool} fehlt (Debian-Paket wixl bzw. msitools): scripts/deps.sh test")
  endif()
endforeach()
if(NOT EXISTS "${folder}/kvotlk.exe" OR NOT IS_DIRECTORY "${folder}/Kataloge")
  message(FATAL_ERROR "${folder} ist kein Programmordner (kvotlk.exe, Kataloge).")
endif()

set(work "${KVOTLK_MSI_FILE}.wixl")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

# wixl-heat turns a list of files into components, one file each; its component codes
# follow from the paths, so a later version installs over the same components.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${folder}" "${folder}/*")
list(SORT files)
set(program_files ${files})
list(FILTER program_files EXCLUDE REGEX "^(kvotlk\\.exe|Kataloge/.*)$")
set(catalogues ${files})
list(FILTER catalogues INCLUDE REGEX "^Kataloge/")
function(heat list directory group variable prefix output)
  list(JOIN list "\n" lines)
  file(WRITE "${work}/${group}.txt" "${lines}\n")
  execute_process(COMMAND ${wixl_heat} --prefix "${prefix}" --directory-ref ${directory}
      --component-group ${group} --var var.${variable} --win64
    INPUT_FILE "${work}/${group}.txt" OUTPUT_FILE "${output}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "wixl-heat ist für ${group} fehlgeschlagen.")
  endif()
endfunction()
heat("${program_files}" INSTALLDIR Programmordner Programmordner "" "${work}/programmordner.wxs")
heat("${catalogues}" KATALOGE Kataloge Katalogordner "Kataloge/" "${work}/kataloge.wxs")

string(UUID product_code NAMESPACE 6f1c3a52-9d4e-4b7a-8e21-5c0d7b9a4e13
  NAME "KVOTLK ${KVOTLK_MSI_VERSION} win64" TYPE SHA1 UPPER)
# wixl finds sources only relative to its working folder.
file(RELATIVE_PATH icon "${folder}" "${here}/../src/app/kvotlk.ico")
execute_process(COMMAND ${wixl} --arch x64
    -D Version=${KVOTLK_MSI_VERSION} -D ProduktCode=${product_code} -D Win64=yes
    -D Programmordner=. -D Katalogordner=Kataloge -D Symbol=${icon}
    -o "${KVOTLK_MSI_FILE}" "${here}/kvotlk.wxs" "${work}/programmordner.wxs" "${work}/kataloge.wxs"
  WORKING_DIRECTORY "${folder}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "wixl ist fehlgeschlagen.")
endif()

# What wixl 0.101 has no attribute for, set in its tables (one query a call).
# Component attributes: 256 the 64-bit registry view, 4 a registry value as
# key path, 16 permanent (kept at uninstall and when an upgrade removes the earlier
# version), 128 never overwrite an existing key file.
function(query text)
  execute_process(COMMAND ${msibuild} "${KVOTLK_MSI_FILE}" -q "${text}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "msibuild: ${text}")
  endif()
endfunction()
file(READ "${work}/kataloge.wxs" catalogue_wxs)
string(REGEX MATCHALL "<Component [^>]*>" catalogue_components "${catalogue_wxs}")
foreach(component IN LISTS catalogue_components)
  string(REGEX REPLACE ".* Id=\"([^\"]+)\".*" "\\1" component "${component}")
  query("UPDATE `Component` SET `Attributes` = 400 WHERE `Component` = '${component}'")
endforeach()
# A default is written only when its property is given: an upgrade without it keeps the
# value given before. Properties reach the part of the installation that runs as the
# system only when they are secure.
set(secure "WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED")
foreach(property DIR FILE NUMDEZ RANDOM DATETIMESTAMP)
  query("UPDATE `Component` SET `Attributes` = 276, `Condition` = '${property}' WHERE `Component` = 'Vorgabe_${property}'")
  string(APPEND secure ";${property}")
endforeach()
query("UPDATE `Property` SET `Value` = '${secure}' WHERE `Property` = 'SecureCustomProperties'")
# wixl makes every shortcut an advertised one, which would repair the installation from the
# MSI whenever a key file is missing: the start-menu entry starts kvotlk.exe itself.
query("UPDATE `Shortcut` SET `Target` = '[#kvotlk.exe]' WHERE `Shortcut` = 'Startmenue'")
# Modify rights for Users (BU, S-1-5-32-545) on the data folder and everything below it,
# full rights for the system and administrators (Windows Installer 5.0).
query("CREATE TABLE `MsiLockPermissionsEx` (`MsiLockPermissionsEx` CHAR(72) NOT NULL, `LockObject` CHAR(72) NOT NULL, `Table` CHAR(32) NOT NULL, `SDDL` LONGCHAR NOT NULL, `Condition` CHAR(255) PRIMARY KEY `MsiLockPermissionsEx`)")
query("INSERT INTO `MsiLockPermissionsEx` (`MsiLockPermissionsEx`, `LockObject`, `Table`, `SDDL`) VALUES ('Datenordner', 'DATENORDNER', 'CreateFolder', 'D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)')")
# The package's language is German, as its texts.
execute_process(COMMAND ${msibuild} "${KVOTLK_MSI_FILE}"
    -s "KVOTLK ${KVOTLK_MSI_VERSION}" "Solvik Germany" "x64;1031" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "msibuild -s ist fehlgeschlagen.")
endif()
file(REMOVE_RECURSE "${work}")
