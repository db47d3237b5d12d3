# Copies every file of SOURCE into TARGET that TARGET does not hold yet.
file(GLOB files RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(name IN LISTS files)
  if(NOT EXISTS ${TARGET}/${name})
    file(COPY ${SOURCE}/${name} DESTINATION ${TARGET})
  endif()
endforeach()
