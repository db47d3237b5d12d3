# Fills the Kataloge folder beside the program from the sample catalogues when the folder
# is missing. An existing folder is the operator's and is left exactly as it is.
# Inputs: KVOTLK_CATALOGUE_SOURCE (the sample folder), KVOTLK_CATALOGUE_TARGET.
if(NOT IS_DIRECTORY "${KVOTLK_CATALOGUE_TARGET}")
  file(MAKE_DIRECTORY "${KVOTLK_CATALOGUE_TARGET}")
  file(COPY "${KVOTLK_CATALOGUE_SOURCE}/" DESTINATION "${KVOTLK_CATALOGUE_TARGET}")
  message(STATUS "Kataloge angelegt: ${KVOTLK_CATALOGUE_TARGET}")
endif()
