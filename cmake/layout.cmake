# Copies the shipped data beside the program: Matrix/ always (it is read-only data),
# user/ files only when the program directory has none yet.
file(MAKE_DIRECTORY "${DST}/user" "${DST}/Matrix")
file(GLOB matrices "${SRC}/Matrix/*.db")
foreach(f IN LISTS matrices)
  file(COPY "${f}" DESTINATION "${DST}/Matrix")
endforeach()
file(GLOB userfiles "${SRC}/user/*")
foreach(f IN LISTS userfiles)
  get_filename_component(name "${f}" NAME)
  if(NOT EXISTS "${DST}/user/${name}")
    file(COPY "${f}" DESTINATION "${DST}/user")
  endif()
endforeach()
